// The local working tables: one file each under TARVIL_LOCAL_DIR, created
// with their fields, held exclusively against a second program, and the
// data-set operations the windows use (empty, append, edit, delete, read).
#include "core/exename.h"
#include "data/localstore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QtTest>

// Run as a second program: try to open one table and report what happened.
static int childMain(const QString &fileName)
{
    LocalTable t(LocalTableId::Cylinders, fileName);
    try {
        t.open();
        QTextStream(stdout) << "ABIERTA " << t.count() << Qt::endl;
        return 0;
    } catch (const DbError &e) {
        QTextStream(stdout) << e.text() << Qt::endl;
        return 3;
    }
}

class TstLocalStore : public QObject
{
    Q_OBJECT

    static QString dir() { return LocalStore::directory(); }

    // What a second program sees when it opens the file.
    static QPair<int, QString> openFromAnotherProcess(const QString &fileName)
    {
        QProcess p;
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--open-table"), fileName});
        if (!p.waitForFinished(20000))
            return {-1, QStringLiteral("sin respuesta")};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()).trimmed()};
    }

    static void fillCylinder(LocalTable &t, const QString &serial, int capacity)
    {
        t.append();
        t.setText(QStringLiteral("NROSERIE"), serial);
        t.setInteger(QStringLiteral("CAPACIDAD"), capacity);
        t.post();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(!qEnvironmentVariable("TARVIL_LOCAL_DIR").isEmpty());
        QDir(dir()).removeRecursively();
    }

    void cleanupTestCase() { localStore().closeAll(); }

    void everyTableHasItsFileAndFields()
    {
        const QList<QPair<LocalTableId, QString>> files = {
            {LocalTableId::Cylinders, QStringLiteral("CILAUX01.ADT")},
            {LocalTableId::PrintCylinders, QStringLiteral("CILAUXPR.adt")},
            {LocalTableId::LetterCylinders, QStringLiteral("AuxCarta.adt")},
            {LocalTableId::Faults, QStringLiteral("AuxFalla.adt")},
            {LocalTableId::Jobs, QStringLiteral("AuxTrabajoRealizado.adt")},
            {LocalTableId::Stickers, QStringLiteral("AuxObleas.adt")}};
        for (const auto &[id, name] : files) {
            LocalTable &t = localStore().table(id);
            QCOMPARE(t.fileName(), name);
            QVERIFY2(QFile::exists(QDir(dir()).filePath(name)), qPrintable(name));
            QCOMPARE(t.count(), 0);
            QVERIFY(t.eof());
        }
        QCOMPARE(LocalTable::fieldsOf(LocalTableId::Cylinders).size(), 18);
        QCOMPARE(LocalTable::fieldsOf(LocalTableId::PrintCylinders).size(), 14);
        QCOMPARE(LocalTable::fieldsOf(LocalTableId::LetterCylinders).size(), 10);
        QCOMPARE(LocalTable::fieldsOf(LocalTableId::Stickers).size(), 17);
        localStore().closeAll();

        // The file itself carries the fields, so another reader finds them.
        QSqlDatabase raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
        raw.setDatabaseName(QDir(dir()).filePath(QStringLiteral("AuxTrabajoRealizado.adt")));
        QVERIFY(raw.open());
        {
            QSqlQuery q(raw);
            QVERIFY(q.exec(QStringLiteral("PRAGMA table_info(AuxTrabajoRealizado)")));
            QStringList cols;
            while (q.next())
                cols << q.value(1).toString() + QLatin1Char(' ') + q.value(2).toString();
            QCOMPARE(cols, QStringList({QStringLiteral("trabajo_id INTEGER"), QStringLiteral("trabajo_desc TEXT"),
                                        QStringLiteral("trabajo_oper_id INTEGER"),
                                        QStringLiteral("trabajo_oper_nombre TEXT")}));
        }
        raw.close();
        raw = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    }

    void secondProgramGetsAClearError()
    {
        LocalTable held(LocalTableId::Cylinders, QStringLiteral("cilaux02.adt"));
        held.open();
        fillCylinder(held, QStringLiteral("S1"), 60);

        const auto [code, text] = openFromAnotherProcess(QStringLiteral("cilaux02.adt"));
        QCOMPARE(code, 3);
        QVERIFY2(text.contains(QLatin1String("\"cilaux02.adt\"")), qPrintable(text));
        QVERIFY2(text.contains(u"otro programa"), qPrintable(text));

        // The same file in this program is just as busy; another file is not.
        LocalTable again(LocalTableId::Cylinders, QStringLiteral("cilaux02.adt"));
        QVERIFY_THROWS_EXCEPTION(DbError, again.open());
        QCOMPARE(openFromAnotherProcess(QStringLiteral("CILAUX01.ADT")).first, 0);

        held.close();
        const auto after = openFromAnotherProcess(QStringLiteral("cilaux02.adt"));
        QCOMPARE(after.first, 0);
        QCOMPARE(after.second, QStringLiteral("ABIERTA 1")); // the record outlived the close
    }

    void datesKeepTheFourDigitYear()
    {
        LocalTable &t = localStore().table(LocalTableId::Cylinders);
        t.empty();
        t.append();
        t.setDate(QStringLiteral("FECVENCRPC"), QDate(2031, 7, 5));
        t.post();
        t.append();
        t.setValue(QStringLiteral("FECVENCRPC"), QStringLiteral("09/12/1999"));
        t.post();
        t.append();
        t.setValue(QStringLiteral("FECVENCRPC"), QStringLiteral("no es fecha"));
        t.post();
        localStore().closeAll();

        LocalTable &back = localStore().table(LocalTableId::Cylinders);
        QVERIFY(back.first());
        QCOMPARE(back.text(QStringLiteral("fecvencrpc")), QStringLiteral("05/07/2031"));
        QCOMPARE(back.date(QStringLiteral("FECVENCRPC")), QDate(2031, 7, 5));
        QVERIFY(back.next());
        QCOMPARE(back.text(QStringLiteral("FECVENCRPC")), QStringLiteral("09/12/1999"));
        QVERIFY(back.next());
        QVERIFY(back.value(QStringLiteral("FECVENCRPC")).isNull());
        QCOMPARE(back.text(QStringLiteral("FECVENCRPC")), QString());

        LocalTable &stickers = localStore().table(LocalTableId::Stickers);
        stickers.empty();
        stickers.append();
        stickers.setDate(QStringLiteral("fecha"), QDate(2026, 1, 31));
        stickers.post();
        QCOMPARE(stickers.rows().first().value(QStringLiteral("fecha")).toDate(), QDate(2026, 1, 31));
        QCOMPARE(stickers.textAt(0, stickers.fieldIndex(QStringLiteral("FECHA"))), QStringLiteral("31/01/2026"));
    }

    void emptyingThenRefillingKeepsOnlyTheNewRows()
    {
        LocalTable &t = localStore().table(LocalTableId::Cylinders);
        t.empty();
        for (const char *s : {"A1", "A2", "A3"})
            fillCylinder(t, QString::fromLatin1(s), 40);
        QCOMPARE(t.count(), 3);
        t.empty();
        QVERIFY(t.eof());
        QVERIFY(!t.first());
        fillCylinder(t, QStringLiteral("B1"), 50);
        fillCylinder(t, QStringLiteral("B2"), 60);
        localStore().closeAll();

        LocalTable &back = localStore().table(LocalTableId::Cylinders);
        QStringList serials;
        for (bool ok = back.first(); ok; ok = back.next())
            serials << back.text(QStringLiteral("NROSERIE"));
        QCOMPARE(serials, QStringList({QStringLiteral("B1"), QStringLiteral("B2")}));
        QVERIFY(back.eof());
    }

    void fieldWidthsAndTypes()
    {
        LocalTable &t = localStore().table(LocalTableId::LetterCylinders);
        t.empty();
        t.append();
        t.setText(QStringLiteral("numero_cil"), QString(30, QLatin1Char('9')));
        t.setText(QStringLiteral("codigo_cil"), QStringLiteral("WORTHINGTON CYLINDERS ARGENTINA SA"));
        t.setReal(QStringLiteral("masa_cil"), 61.5);
        t.setValue(QStringLiteral("capacidad_cil"), QStringLiteral(" 80,5x"));
        t.setText(QStringLiteral("observaciones_val"), QStringLiteral("Válvula reemplazada"));
        t.post();
        localStore().closeAll();

        LocalTable &back = localStore().table(LocalTableId::LetterCylinders);
        QVERIFY(back.first());
        QCOMPARE(back.text(QStringLiteral("numero_cil")).size(), 25);
        QCOMPARE(back.text(QStringLiteral("codigo_cil")),
                 QStringLiteral("WORTHINGTON CYLINDERS ARGENTIN")); // 30, as stored centrally
        QCOMPARE(back.real(QStringLiteral("masa_cil")), 61.5);
        QCOMPARE(back.text(QStringLiteral("masa_cil")), QStringLiteral("61.5"));
        QVERIFY(back.value(QStringLiteral("capacidad_cil")).isNull()); // not a number: left empty
        QCOMPARE(back.text(QStringLiteral("observaciones_val")), QStringLiteral("Válvula reemplazada"));
        QVERIFY_THROWS_EXCEPTION(DbError, back.text(QStringLiteral("no_existe")));

        LocalTable &cyl = localStore().table(LocalTableId::Cylinders);
        cyl.empty();
        cyl.append();
        cyl.setText(QStringLiteral("CAPACIDAD"), QStringLiteral(" 80 "));
        cyl.setText(QStringLiteral("UPHFECHA"), QStringLiteral("03/2021"));
        cyl.post();
        QCOMPARE(cyl.integer(QStringLiteral("CAPACIDAD")), 80);
        QCOMPARE(cyl.value(QStringLiteral("CAPACIDAD")).typeId(), QMetaType::Int);
        QCOMPARE(cyl.integer(QStringLiteral("UPHFECHA")), 0);
        QCOMPARE(cyl.text(QStringLiteral("UPHFECHA")), QStringLiteral("03/2021"));
    }

    void editDeleteAndNavigate()
    {
        LocalTable &t = localStore().table(LocalTableId::Faults);
        t.empty();
        QVERIFY_THROWS_EXCEPTION(DbError, t.edit());
        QVERIFY_THROWS_EXCEPTION(DbError, t.remove());
        QVERIFY_THROWS_EXCEPTION(DbError, t.setInteger(QStringLiteral("falla_id"), 1));
        for (int i = 1; i <= 4; ++i) {
            t.append();
            t.setInteger(QStringLiteral("falla_id"), i);
            t.setText(QStringLiteral("falla_desc"), QStringLiteral("Falla %1").arg(i));
            t.post();
        }
        QCOMPARE(t.recNo(), 3);

        // Edit the second, cancel an edit of the third.
        QVERIFY(t.first());
        QVERIFY(t.next());
        t.edit();
        t.setText(QStringLiteral("falla_desc"), QStringLiteral("Pierde gas"));
        QCOMPARE(t.text(QStringLiteral("falla_desc")), QStringLiteral("Pierde gas")); // the edit buffer
        t.post();
        QVERIFY(t.next());
        t.setText(QStringLiteral("falla_desc"), QStringLiteral("descartada"));
        t.cancel();
        QCOMPARE(t.text(QStringLiteral("falla_desc")), QStringLiteral("Falla 3"));

        // The usual loop: delete what matches, move on otherwise.
        QVERIFY(t.first());
        while (!t.eof()) {
            if (t.integer(QStringLiteral("falla_id")) % 2 == 1)
                t.remove();
            else
                t.next();
        }
        QCOMPARE(t.count(), 2);
        localStore().closeAll();

        LocalTable &back = localStore().table(LocalTableId::Faults);
        QCOMPARE(back.count(), 2);
        const QVector<QVariantMap> rows = back.rows();
        QCOMPARE(rows.at(0).value(QStringLiteral("falla_desc")).toString(), QStringLiteral("Pierde gas"));
        QCOMPARE(rows.at(1).value(QStringLiteral("falla_id")).toInt(), 4);

        // Deleting the last record leaves the cursor on the one before it.
        QVERIFY(back.moveTo(1));
        back.remove();
        QCOMPARE(back.recNo(), 0);
        QVERIFY(!back.eof());
        back.remove();
        QVERIFY(back.eof());
        QCOMPARE(back.count(), 0);
        QVERIFY(!back.moveTo(0));
    }

    void gridModelFollowsTheTable()
    {
        LocalTable &t = localStore().table(LocalTableId::Jobs);
        t.empty();
        LocalTableModel model(&t);
        QSignalSpy resets(&model, &QAbstractItemModel::modelReset);
        QCOMPARE(model.columnCount(), 4);
        QCOMPARE(model.headerData(1, Qt::Horizontal).toString(), QStringLiteral("trabajo_desc"));
        t.append();
        t.setInteger(QStringLiteral("trabajo_id"), 2);
        t.setText(QStringLiteral("trabajo_desc"), QStringLiteral("Cambio de filtro"));
        t.post();
        QVERIFY(resets.count() >= 1);
        QCOMPARE(model.rowCount(), 1);
        QCOMPARE(model.data(model.index(0, 1)).toString(), QStringLiteral("Cambio de filtro"));
        QVERIFY(model.data(model.index(0, 2)).toString().isEmpty());

        const QModelIndex cell = model.index(0, 2);
        QVERIFY(!(model.flags(cell) & Qt::ItemIsEditable));
        QVERIFY(!model.setData(cell, 5));
        model.setEditable(true);
        QVERIFY(model.flags(cell) & Qt::ItemIsEditable);
        QSignalSpy changes(&model, &QAbstractItemModel::dataChanged);
        QVERIFY(model.setData(cell, QStringLiteral("7")));
        QCOMPARE(changes.count(), 1);
        QCOMPARE(t.integer(QStringLiteral("trabajo_oper_id")), 7);
        QCOMPARE(model.data(cell, Qt::EditRole).toInt(), 7);
    }

    void administratorsCopyUsesItsOwnCylinderFile()
    {
        localStore().closeAll();
        localStore().setCylinderFileName(QStringLiteral("cilaux02.adt"));
        LocalTable &t = localStore().table(LocalTableId::Cylinders);
        QCOMPARE(t.fileName(), QStringLiteral("cilaux02.adt"));
        // The regular copy can still open its own table meanwhile.
        QCOMPARE(openFromAnotherProcess(QStringLiteral("CILAUX01.ADT")).first, 0);
        QCOMPARE(openFromAnotherProcess(QStringLiteral("cilaux02.adt")).first, 3);
        localStore().setCylinderFileName(QStringLiteral("CILAUX01.ADT"));
        QCOMPARE(localStore().table(LocalTableId::Cylinders).fileName(), QStringLiteral("CILAUX01.ADT"));
        QCOMPARE(openFromAnotherProcess(QStringLiteral("cilaux02.adt")).first, 0);

        // Without an explicit name the store follows the executable rule of start-up.
        localStore().setCylinderFileName({});
        setCylinderTableName(kAdminCylinderTable);
        QCOMPARE(localStore().table(LocalTableId::Cylinders).fileName(), QStringLiteral("cilaux02.adt"));
        setCylinderTableName(kCylinderTable);
        QCOMPARE(localStore().table(LocalTableId::Cylinders).fileName(), QStringLiteral("CILAUX01.ADT"));
    }

    // A file with damaged pages opens, is found out by the check and started
    // again, with a notice; the table is usable at once. A second damage is
    // set aside beside the first, which stays as it was.
    void damagedPagesAreFoundWhenOpening()
    {
        localStore().closeAll();
        QStringList notices;
        LocalStore::setNoticeHandler([&](const QString &text) { notices << text; });
        const QString name = QStringLiteral("CILDANADA.ADT");
        const auto damage = [&] {
            {
                LocalTable t(LocalTableId::Cylinders, name);
                t.open();
                for (int i = 0; i < 200; ++i)
                    fillCylinder(t, QStringLiteral("S%1").arg(i), i);
            }
            QFile f(QDir(dir()).filePath(name));
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.size() > 3 * 4096);
            f.seek(4096); // the table's first page
            f.write(QByteArray(4096, '\xff'));
        };
        const auto setAside = [&] {
            return QDir(dir()).entryList({name + QStringLiteral(".dañada-*")}, QDir::Files, QDir::Name);
        };
        damage();

        LocalTable t(LocalTableId::Cylinders, name);
        t.open();
        QVERIFY(t.isOpen());
        QCOMPARE(t.count(), 0);
        QCOMPARE(notices.size(), 1);
        QVERIFY2(notices.first().contains(QStringLiteral("\"CILDANADA.ADT\" estaba dañada")),
                 qPrintable(notices.first()));
        QCOMPARE(setAside().size(), 1);
        QVERIFY2(notices.first().contains(setAside().first()), qPrintable(notices.first()));
        fillCylinder(t, QStringLiteral("NUEVO"), 60);
        QCOMPARE(t.count(), 1);
        t.close();

        const QString first = QDir(dir()).filePath(setAside().first());
        const QByteArray firstCopy = [&] {
            QFile f(first);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }();
        damage();
        LocalTable again(LocalTableId::Cylinders, name);
        again.open();
        QCOMPARE(notices.size(), 2);
        QCOMPARE(setAside().size(), 2);
        QFile kept(first);
        QVERIFY(kept.open(QIODevice::ReadOnly));
        QCOMPARE(kept.readAll(), firstCopy);
        LocalStore::setNoticeHandler({});
    }

    // A record the file refuses is given up; the table can still be read.
    void failedPostLeavesTheTableBrowsable()
    {
        const QString name = QStringLiteral("CILRECHAZO.ADT");
        {
            LocalTable t(LocalTableId::Cylinders, name);
            t.open();
            fillCylinder(t, QStringLiteral("KEEP"), 60);
        }
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("trigger"));
            db.setDatabaseName(QDir(dir()).filePath(name));
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("CREATE TRIGGER no_more BEFORE INSERT ON CILRECHAZO BEGIN "
                                          "SELECT RAISE(ABORT, 'disco lleno'); END")));
            QVERIFY(q.exec(QStringLiteral("CREATE TRIGGER no_change BEFORE UPDATE ON CILRECHAZO BEGIN "
                                          "SELECT RAISE(ABORT, 'disco lleno'); END")));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("trigger"));

        LocalTable t(LocalTableId::Cylinders, name);
        t.open();
        t.append();
        t.setText(QStringLiteral("NROSERIE"), QStringLiteral("OTRO"));
        QVERIFY_THROWS_EXCEPTION(DbError, t.post());
        QVERIFY(t.first());
        QCOMPARE(t.text(QStringLiteral("NROSERIE")), QStringLiteral("KEEP"));
        QVERIFY(!t.next());
        QCOMPARE(t.count(), 1);
        t.first();
        t.setText(QStringLiteral("NROSERIE"), QStringLiteral("CAMBIO"));
        QVERIFY_THROWS_EXCEPTION(DbError, t.post());
        QCOMPARE(t.text(QStringLiteral("NROSERIE")), QStringLiteral("KEEP"));
        t.remove();
        QCOMPARE(t.count(), 0);
    }

    void damagedFileIsStartedAgain()
    {
        localStore().closeAll();
        const QString path = QDir(dir()).filePath(QStringLiteral("AuxObleas.adt"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QByteArray(4096, 'x'));
        f.close();
        LocalTable &t = localStore().table(LocalTableId::Stickers);
        QCOMPARE(t.count(), 0);
        t.append();
        t.setText(QStringLiteral("dominio"), QStringLiteral("AB123CD"));
        t.post();
        QCOMPARE(t.count(), 1);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--open-table") == 0)
        return childMain(QString::fromLocal8Bit(argv[2]));
    TstLocalStore tc;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&tc, argc, argv);
}

#include "tst_localstore.moc"
