// The login's questions to the server: the passwords are compared there,
// exactly, as hashes (the typed one is never in a statement's text), and what
// comes back never holds a stored password; the whole login is one exchange.
#include "data/dm1.h"
#include "data/loginrepository.h"
#include "testdb.h"

#include <QCryptographicHash>
#include <QSqlQuery>
#include <QtTest>

class TstLoginRepository : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_loginrepo");

    void sql(const QString &text, const QVariantList &values = {})
    {
        QSqlQuery q(db);
        q.prepare(text);
        for (int i = 0; i < values.size(); ++i)
            q.bindValue(i, values.at(i));
        if (!q.exec())
            qFatal("%s", qPrintable(text));
    }

    // What the login sends for a typed password: never the password itself.
    static QString sha256Hex(const QString &typed)
    {
        return QString::fromLatin1(QCryptographicHash::hash(typed.toUtf8(), QCryptographicHash::Sha256).toHex());
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), QString()});
        sql(QStringLiteral("insert into pec (PECCOD, PECRSOC, PMATRESHAB, Clave) values ('P001', 'PEC', 'R1', ?)"),
            {QStringLiteral("llave'\\")});
        sql(QStringLiteral("insert into res (RMATRESHAB, RAPELLIDO, RNOMBRE) values ('R1', 'GOMEZ', 'ANA')"));
        sql(QStringLiteral("insert into tal (tcodigoint, Password, Estado, TRAZSOC, RMATRESHAB) values "
                           "('TAL0001', ?, 1, 'TALLER UNO', 'R1'), ('TAL0002', NULL, 1, 'SIN CLAVE', 'R9')"),
            {QStringLiteral("sécreto 1")});
        sql(QStringLiteral("insert into sistema (version) values (315)"));
    }
    void cleanupTestCase()
    {
        dm1().closeAll();
        TestDb::drop(dbName);
    }

    // Byte for byte: case, accents, trailing blanks and prefixes all count.
    void passwordsAreComparedExactly_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("own");
        QTest::addColumn<bool>("admin");
        QTest::newRow("own") << "TAL0001"
                             << "sécreto 1" << true << false;
        QTest::newRow("capitals") << "TAL0001"
                                  << "Sécreto 1" << false << false;
        QTest::newRow("without accent") << "TAL0001"
                                        << "secreto 1" << false << false;
        QTest::newRow("trailing blank") << "TAL0001"
                                        << "sécreto 1 " << false << false;
        QTest::newRow("prefix") << "TAL0001"
                                << "sécreto" << false << false;
        QTest::newRow("administrator's, with a quote") << "TAL0001"
                                                       << "llave'\\" << false << true;
        QTest::newRow("quote injection") << "TAL0001"
                                         << "' or '1'='1" << false << false;
        QTest::newRow("no stored password") << "TAL0002"
                                            << "" << false << false;
    }
    void passwordsAreComparedExactly()
    {
        QFETCH(QString, code);
        QFETCH(QString, typed);
        QFETCH(bool, own);
        QFETCH(bool, admin);
        const LoginRepository::Reply r = LoginRepository::Login(code, typed, true);
        QVERIFY(r.account);
        QCOMPARE(r.account->ownMatches, own);
        QCOMPARE(r.account->adminMatches, admin);
        QCOMPARE(bool(r.workshop), own || admin); // the row only for a matching password
    }

    void oneExchangeAndNothingSecretComesBack()
    {
        dm1().connect(Conn::Operations);
        dm1().resetExchangeCount();
        const LoginRepository::Reply r =
            LoginRepository::Login(QStringLiteral("TAL0001"), QStringLiteral("sécreto 1"), true);
        QCOMPARE(dm1().exchangeCount(), quint64(1));
        QVERIFY(r.workshop);
        QCOMPARE(r.workshop->name, QStringLiteral("TALLER UNO"));
        QVERIFY(r.repFound);
        QCOMPARE(r.repSurname, QStringLiteral("GOMEZ"));
        QVERIFY(r.pec);
        QCOMPARE(r.version, 315);
        QVERIFY(!r.lateError);

        // No statement of the login hands a stored password to the workstation.
        for (const char *name :
             {"SQLTablePEC", "SQLQueryAcceso", "SQLQuery1", "SQLQueryPEC", "SQLQueryTaller", "SQLQueryTalleres"}) {
            NamedQuery &q = dm1().query(QString::fromLatin1(name));
            q.close();
            for (const QString &p : q.paramNames())
                q.setParam(p, p == QLatin1String("clave") ? sha256Hex(QStringLiteral("sécreto 1"))
                                                          : QStringLiteral("TAL0001"));
            q.open();
            QVERIFY2(!q.isEmpty(), name);
            const QSqlRecord rec = q.rows().first();
            for (int i = 0; i < rec.count(); ++i)
                QVERIFY2(rec.fieldName(i).compare(QLatin1String("Password"), Qt::CaseInsensitive) != 0 &&
                             rec.fieldName(i).compare(QLatin1String("Clave"), Qt::CaseInsensitive) != 0,
                         qPrintable(QLatin1String(name) + QLatin1Char(' ') + rec.fieldName(i)));
        }
    }

    // Without a PEC read at the set-up, its password opens nothing.
    void administratorPasswordOnlyWhenAllowed()
    {
        const LoginRepository::Reply r =
            LoginRepository::Login(QStringLiteral("TAL0001"), QStringLiteral("llave'\\"), false);
        QVERIFY(!r.workshop);
        QVERIFY(!LoginRepository::Login(QStringLiteral("TAL9999"), QStringLiteral("x"), true).account);
    }
};

QTEST_GUILESS_MAIN(TstLoginRepository)
#include "tst_loginrepository.moc"
