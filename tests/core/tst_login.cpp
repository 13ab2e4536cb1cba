#include "core/login.h"

#include <QtTest>

using namespace Login;

Q_DECLARE_METATYPE(Login::Outcome)
Q_DECLARE_METATYPE(Login::MessageKind)

class TestLogin : public QObject
{
    Q_OBJECT
private slots:
    void codeKeys_data();
    void codeKeys();
    void codeShape_data();
    void codeShape();
    void passwordRule_data();
    void passwordRule();
    void addressAndNames();
};

void TestLogin::codeKeys_data()
{
    QTest::addColumn<QChar>("key");
    QTest::addColumn<bool>("passes");
    QTest::newRow("backspace") << QChar(8) << true;
    QTest::newRow("0") << QChar('0') << true;
    QTest::newRow("9") << QChar('9') << true;
    QTest::newRow("A") << QChar('A') << true;
    QTest::newRow("Z") << QChar('Z') << true;
    QTest::newRow("a") << QChar('a') << true;
    QTest::newRow("z") << QChar('z') << true;
    QTest::newRow("hyphen") << QChar('-') << false;
    QTest::newRow("blank") << QChar(' ') << false;
    QTest::newRow("point") << QChar('.') << false;
    QTest::newRow("quote") << QChar('\'') << false;
    QTest::newRow("enye") << QChar(0x00F1) << false;
    QTest::newRow("accented") << QChar(0x00C1) << false;
    QTest::newRow("fullwidth digit") << QChar(0xFF11) << false;
    QTest::newRow("ctrl-v") << QChar(0x16) << false;
    QTest::newRow("'@' before A") << QChar('@') << false;
    QTest::newRow("'[' after Z") << QChar('[') << false;
}

void TestLogin::codeKeys()
{
    QFETCH(QChar, key);
    QFETCH(bool, passes);
    QCOMPARE(codeKeyPasses(key), passes);
}

void TestLogin::codeShape_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<MessageKind>("kind");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("ends");

    QTest::newRow("empty") << "" << Outcome::MissingCode << MessageKind::Warning << "No se ingreso el código de taller."
                           << false;
    QTest::newRow("seven") << "TAL0001" << Outcome::Accepted << MessageKind::None << "" << false;
    QTest::newRow("one") << "A" << Outcome::Accepted << MessageKind::None << "" << false;
    QTest::newRow("eight") << "TAL00001" << Outcome::UnknownWorkshop << MessageKind::Error << "Taller incorrecto."
                           << true;
    QTest::newRow("hyphen") << "TAL-01" << Outcome::UnknownWorkshop << MessageKind::Error << "Taller incorrecto."
                            << true;
    QTest::newRow("lower case") << "tal0001" << Outcome::UnknownWorkshop << MessageKind::Error << "Taller incorrecto."
                                << true;
    QTest::newRow("quote") << "T' OR 1" << Outcome::UnknownWorkshop << MessageKind::Error << "Taller incorrecto."
                           << true;
}

void TestLogin::codeShape()
{
    QFETCH(QString, code);
    QFETCH(Outcome, outcome);
    QFETCH(MessageKind, kind);
    QFETCH(QString, message);
    QFETCH(bool, ends);

    const Decision d = checkCode(code);
    QCOMPARE(d.outcome, outcome);
    QCOMPARE(d.kind, kind);
    QCOMPARE(d.message, message);
    QCOMPARE(d.endsProgram(), ends);
}

void TestLogin::passwordRule_data()
{
    QTest::addColumn<bool>("found");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("estado");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("admin");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<bool>("adminMode");
    QTest::addColumn<QString>("message");

    const QString wrong = "Password incorrecta.", disabled = "Cliente Inhabilitado.";
    QTest::newRow("no row") << false << "" << 0 << "x"
                            << "clave" << Outcome::UnknownWorkshop << false << "Taller incorrecto.";
    QTest::newRow("own password") << true << "secreto" << 1 << "secreto"
                                  << "clave" << Outcome::Accepted << false << "";
    QTest::newRow("admin opens another's account") << true << "secreto" << 1 << "clave"
                                                   << "clave" << Outcome::Accepted << true << "";
    QTest::newRow("equal to both: admin") << true << "clave" << 1 << "clave"
                                          << "clave" << Outcome::Accepted << true << "";
    QTest::newRow("neither") << true << "secreto" << 1 << "otra"
                             << "clave" << Outcome::WrongPassword << false << wrong;
    QTest::newRow("stored with capitals never matches") << true << "Secreto" << 1 << "secreto"
                                                        << "clave" << Outcome::WrongPassword << false << wrong;
    QTest::newRow("prefix of the password") << true << "secreto" << 1 << "secret"
                                            << "clave" << Outcome::WrongPassword << false << wrong;
    QTest::newRow("disabled, own password") << true << "secreto" << 0 << "secreto"
                                            << "clave" << Outcome::Disabled << false << disabled;
    QTest::newRow("disabled, admin password") << true << "secreto" << 0 << "clave"
                                              << "clave" << Outcome::Disabled << false << disabled;
    QTest::newRow("estado 2 is not enabled") << true << "secreto" << 2 << "secreto"
                                             << "" << Outcome::Disabled << false << disabled;
    QTest::newRow("disabled, wrong password: password first") << true << "secreto" << 0 << "otra"
                                                              << "clave" << Outcome::WrongPassword << false << wrong;
    QTest::newRow("empty admin never grants admin mode") << true << "secreto" << 1 << ""
                                                         << "" << Outcome::WrongPassword << false << wrong;
    QTest::newRow("empty admin, own password still works") << true << "secreto" << 1 << "secreto"
                                                           << "" << Outcome::Accepted << false << "";
    QTest::newRow("account without password, nothing typed") << true << "" << 1 << ""
                                                             << "clave" << Outcome::WrongPassword << false << wrong;
    QTest::newRow("account without password, no admin") << true << "" << 1 << ""
                                                        << "" << Outcome::WrongPassword << false << wrong;
}

void TestLogin::passwordRule()
{
    QFETCH(bool, found);
    QFETCH(QString, stored);
    QFETCH(int, estado);
    QFETCH(QString, typed);
    QFETCH(QString, admin);
    QFETCH(Outcome, outcome);
    QFETCH(bool, adminMode);
    QFETCH(QString, message);

    // The server's answer for this row (its exact comparison is the data suite's).
    std::optional<Account> account;
    if (found)
        account = Account{typed == stored, !admin.isEmpty() && typed == admin, estado};
    const Decision d = checkPassword(account, typed, !admin.isEmpty());
    QCOMPARE(d.outcome, outcome);
    QCOMPARE(d.adminMode, adminMode);
    QCOMPARE(d.message, message);
    QCOMPARE(d.accepted(), outcome == Outcome::Accepted);
    QCOMPARE(d.endsProgram(), outcome != Outcome::Accepted);
    if (outcome == Outcome::Disabled)
        QCOMPARE(d.kind, MessageKind::Warning);
    else if (outcome != Outcome::Accepted)
        QCOMPARE(d.kind, MessageKind::Error);
}

void TestLogin::addressAndNames()
{
    // Empty parts keep the separators, as the documents print them.
    QCOMPARE(workshopAddress("San Martín", "123", "Rosario"), QString("San Martín 123 - Rosario"));
    QCOMPARE(workshopAddress("", "", ""), QString("  - "));
    QCOMPARE(representativeName("Juan", "Pérez"), QString("Juan Pérez"));

    GlobalState g;
    g.InstallationId = "OLIV01";
    g.PecCode = "P001";
    WorkshopRow row;
    row.code = "TAL0001";
    row.name = "Taller Uno";
    applyWorkshop(g, row, false);
    QVERIFY(g.LoggedIn);
    QCOMPARE(g.WorkshopName2, g.WorkshopName);
    QCOMPARE(g.WorkshopAddress2, g.WorkshopAddress);
    // What the start-up and the PEC table wrote stays.
    QCOMPARE(g.InstallationId, QString("OLIV01"));
    QCOMPARE(g.PecCode, QString("P001"));
}

QTEST_GUILESS_MAIN(TestLogin)
#include "tst_login.moc"
