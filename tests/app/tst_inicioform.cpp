#include "app/startup.h"
#include "app/tinicioform.h"
#include "controls.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/dm1.h"
#include "tcprelay.h"
#include "testdb.h"
#include "widgets/messages.h"

#include <QApplication>
#include <QDesktopServices>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

namespace
{

const QString kDb = QStringLiteral("t_login_inicio");

struct Shown {
    Msg::Kind kind;
    QString text;
};

void run(QSqlDatabase db, const QString &sql, const QVariantList &values = {})
{
    QSqlQuery q(db);
    if (!q.prepare(sql))
        qFatal("%s", qPrintable(q.lastError().text()));
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    if (!q.exec())
        qFatal("%s: %s", qPrintable(sql), qPrintable(q.lastError().text()));
}

} // namespace

// Takes the download location "Descargar" asks the shell to open.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> opened;
public slots:
    void open(const QUrl &url) { opened << url; }
};

class TestInicioForm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void captionsAreSpanish();
    void codeAndPasswordBoxes();
    void setUpFromProfile();
    void dialogShowsBeforeAnyExchange();
    void unreadableIniIsReported_data();
    void unreadableIniIsReported();
    void iniSetsTheLinkAndAccount();
    void withoutIniTheProgramEnds();
    void unknownIdWorksAgainstDefaults();
    void letterThatOpensNothing();
    void unreachableServerKeepsTheDialog();
    void cancelEndsTheWaitForASilentServer();
    void emptyCodeKeepsTheDialog();
    void unknownWorkshopEndsTheProgram();
    void wrongPasswordEndsTheProgram();
    void ownPasswordFillsGlobal();
    void adminPasswordOpensEnabledWorkshop();
    void adminPasswordDoesNotOpenDisabledWorkshop();
    void emptyAdminPasswordGrantsNothing();
    void pecWithoutRepresentative();
    void newVersionOffered_data();
    void newVersionOffered();
    void failureBeforeCloseKeepsTheDialog();
    void failureAfterCloseStillLogsIn();
    void cancelEndsTheProgram();

private:
    void writeIni(const QString &id, const QString &server);
    void type(TInicioForm &f, const QString &code, const QString &password);
    void clickWhenModal(const QString &buttonName);

    QSqlDatabase m_db;
    QTemporaryDir m_dir;
    QString m_oldCwd;
    ConnectionSettings m_test;
    QList<Shown> m_shown;
    QTimer *m_clicker = nullptr;
};

void TestInicioForm::initTestCase()
{
    Startup::prepareApplication(*qobject_cast<QApplication *>(QCoreApplication::instance()));
    m_db = TestDb::create(kDb);
    m_test = {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QStringLiteral("Local DB")};

    run(m_db, "insert into pec (PECCOD, PECRSOC, PMATRESHAB, PRESHABAYN, DIRECCION, Clave) values (?,?,?,?,?,?)",
        {"P001", "GNC del Litoral S.A.", "R100", "Ing. Ana Gómez", "Ruta 9 km 5", "llave"});
    run(m_db, "insert into res (RMATRESHAB, RAPELLIDO, RNOMBRE, RNRODOC) values (?,?,?,?)",
        {"R100", "Gómez", "Ana", "20111222"});
    run(m_db, "insert into res (RMATRESHAB, RAPELLIDO, RNOMBRE, RNRODOC) values (?,?,?,?)",
        {"R200", "Pérez", "Juan", "30111222"});
    const QString tal = "insert into tal (tcodigoint, Password, Estado, TRAZSOC, TALCUIT, RMATRESHAB, TCALLE, "
                        "TNUMERO, TLOCALIDAD, sello1, sello2, sello3, sello4, copias, localidad, provincia, hoja, "
                        "pertenece) values (?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?,?)";
    run(m_db, tal,
        {"TAL0001", "secreto", 1, "Taller Uno", "30-11111111-1", "R200", "San Martín", "123", "Rosario", "Sello A",
         "Sello B", "Sello C", "Sello D", 2, "Funes", "Santa Fe", 1, 1});
    run(m_db, tal,
        {"TAL0002", "otra", 0, "Taller Dos", "30-22222222-2", "R200", "Mitre", "9", "Paraná", "", "", "", "", 1, "", "",
         0, 0});
    run(m_db, tal,
        {"TAL0003", QVariant(QMetaType(QMetaType::QString)), 1, "Taller Tres", "30-33333333-3", "R200", "Belgrano", "1",
         "Santa Fe", "", "", "", "", 1, "", "", 0, 0});
    run(m_db, "insert into sistema (version) values (?)", {314});

    QVERIFY(m_dir.isValid());
    m_oldCwd = QDir::currentPath();
    QDir::setCurrent(m_dir.path());
}

void TestInicioForm::init()
{
    Global = GlobalState{};
    m_shown.clear();
    Msg::setHook([this](Msg::Kind kind, const QString &text) {
        m_shown.append({kind, text});
        return false;
    });
    dm1().closeAll();
    dm1().configure(Conn::Operations, m_test);
    dm1().configure(Conn::PostVenta, m_test);
    QFile::remove(m_dir.filePath("tarvil.ini"));
    QFile::remove(m_dir.filePath("LogoTarvil.jpg"));
}

void TestInicioForm::cleanup()
{
    Msg::setHook({});
    delete m_clicker;
    m_clicker = nullptr;
    QApplication::restoreOverrideCursor(); // a failed check must not leave the hourglass
}

void TestInicioForm::cleanupTestCase()
{
    dm1().closeAll();
    QDir::setCurrent(m_oldCwd);
    TestDb::drop(kDb);
}

void TestInicioForm::writeIni(const QString &id, const QString &server)
{
    QSettings ini(m_dir.filePath("tarvil.ini"), QSettings::IniFormat);
    ini.setValue("DATA/ID", id);
    if (!server.isEmpty())
        ini.setValue("DATA/SERVER", server);
    ini.sync();
}

void TestInicioForm::type(TInicioForm &f, const QString &code, const QString &password)
{
    QTest::keyClicks(control<QLineEdit>(f, "EditId"), code);
    QTest::keyClicks(control<QLineEdit>(f, "EditPassword"), password);
}

void TestInicioForm::clickWhenModal(const QString &buttonName)
{
    delete m_clicker;
    m_clicker = new QTimer;
    m_clicker->setInterval(20);
    connect(m_clicker, &QTimer::timeout, this, [this, buttonName] {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        if (auto *b = modal->findChild<QPushButton *>(buttonName)) {
            m_clicker->stop();
            b->click();
        }
    });
    m_clicker->start();
}

void TestInicioForm::captionsAreSpanish()
{
    QMessageBox box;
    QCOMPARE(box.addButton(QMessageBox::Yes)->text(), QString("Si"));
    QCOMPARE(box.addButton(QMessageBox::No)->text(), QString("No"));
    QCOMPARE(box.addButton(QMessageBox::Ok)->text(), QString("Aceptar"));
    QCOMPARE(box.addButton(QMessageBox::Cancel)->text(), QString("Cancelar"));
    QCOMPARE(box.addButton(QMessageBox::Retry)->text(), QString("Reintentar"));
    QCOMPARE(box.addButton(QMessageBox::YesToAll)->text(), QString("Si a todos"));
    QCOMPARE(Msg::caption(Msg::Kind::Warning), QString("Cuidado!"));
    QCOMPARE(Msg::caption(Msg::Kind::Info), QString("Información"));
    QCOMPARE(Msg::caption(Msg::Kind::Confirm), QString("Confirmación"));

    // Rules ask through the prompter and get the scripted answer.
    Msg::setHook([this](Msg::Kind kind, const QString &text) {
        m_shown.append({kind, text});
        return true;
    });
    GuiPrompter prompter;
    QVERIFY(prompter.ask("Sigue?"));
    prompter.warn("w");
    QCOMPARE(m_shown.size(), 2);
    QCOMPARE(m_shown[0].kind, Msg::Kind::Confirm);
    QCOMPARE(m_shown[1].kind, Msg::Kind::Warning);
}

void TestInicioForm::codeAndPasswordBoxes()
{
    writeIni("YEW001", "A");
    TInicioForm f;
    f.show();
    auto *id = control<QLineEdit>(f, "EditId");
    auto *pw = control<QLineEdit>(f, "EditPassword");

    QTest::keyClicks(id, "tal-0.0 1");
    QCOMPARE(id->text(), QString("TAL001"));
    QTest::keyClicks(id, "abc");
    QCOMPARE(id->text(), QString("TAL001A")); // seven at most
    QTest::keyClick(id, Qt::Key_Backspace);
    QCOMPARE(id->text(), QString("TAL001"));
    id->clear();
    id->insert("ab-c"); // a paste the key filter never saw
    QCOMPARE(id->text(), QString());
    id->insert("ab1");
    QCOMPARE(id->text(), QString("AB1"));

    QTest::keyClicks(pw, "SeCreTo 1!");
    QCOMPARE(pw->text(), QString("secreto 1!"));
    QCOMPARE(pw->echoMode(), QLineEdit::Password);
    QCOMPARE(pw->maxLength(), 25);
    QTest::keyClicks(pw, QString(30, 'x'));
    QCOMPARE(pw->text().size(), 25);
    QVERIFY(control<QLineEdit>(f, "EditPEC")->isReadOnly());
    QVERIFY(control<QPushButton>(f, "BitBtn1")->isDefault());
}

void TestInicioForm::setUpFromProfile()
{
    // Yew with "A" keeps the default operations settings: the test database.
    writeIni("YEW001", "A");
    QImage logo(8, 8, QImage::Format_RGB32);
    logo.fill(Qt::red);
    QVERIFY(logo.save(m_dir.filePath("LogoTarvil.jpg"), "JPG"));

    TInicioForm f;
    f.show();
    QTRY_VERIFY(f.serverSetUpDone());
    QVERIFY(m_shown.isEmpty());
    QCOMPARE(Global.InstallationId, QString("YEW001"));
    QCOMPARE(Global.ServerCode, QString("A"));
    QCOMPARE(Global.ProgramVersion, 314);
    QCOMPARE(Global.PanelColour, 15780518);
    QCOMPARE(Global.AccentColour, 16711680);
    QCOMPARE(Global.WorkingFolder, QString());
    QCOMPARE(dm1().settings(Conn::Operations), m_test);
    QCOMPARE(control<QLineEdit>(f, "EditPEC")->text(), QString("GNC del Litoral S.A."));
    QCOMPARE(control<QLabel>(f, "LabelVersion")->text(), QString("Versión 314.01"));
    QCOMPARE(control<QLabel>(f, "LabelServer")->text(), QString("Local DB"));
    QVERIFY(!control<QLabel>(f, "LabelServer")->isHidden());
    QVERIFY(!control<QLabel>(f, "Image1")->pixmap().isNull());
    QCOMPARE(f.palette().color(QPalette::Window), QColor(166, 202, 240));
    QCOMPARE(control<QLabel>(f, "Label1")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(control<QLabel>(f, "Label2")->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QVERIFY(f.profile());
}

// The dialog paints before anything goes to the network; the PEC's name
// arrives right after.
void TestInicioForm::dialogShowsBeforeAnyExchange()
{
    writeIni("YEW001", "A");
    dm1().resetExchangeCount();
    struct FirstPaint : QObject {
        bool seen = false, open = true;
        quint64 exchanges = 1;
        bool eventFilter(QObject *, QEvent *e) override
        {
            if (e->type() == QEvent::Expose && !seen) { // drawn while it is handled
                seen = true;
                open = dm1().isOpen(Conn::Operations);
                exchanges = dm1().exchangeCount();
            }
            return false;
        }
    } paint;
    TInicioForm f;
    f.winId(); // its window, to watch
    f.windowHandle()->installEventFilter(&paint);
    QVERIFY(!dm1().isOpen(Conn::Operations));
    f.show();
    QTRY_VERIFY(paint.seen);
    QVERIFY(!paint.open);
    QCOMPARE(paint.exchanges, quint64(0));
    QTRY_COMPARE(control<QLineEdit>(f, "EditPEC")->text(), QString("GNC del Litoral S.A."));
}

void TestInicioForm::unreadableIniIsReported_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-16") << QByteArray("\xFF\xFE[\0D\0A\0T\0A\0]\0\r\0\n\0I\0D\0=\0O\0L\0I\0V\0000\0001\0", 36);
    QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1a\n\x00\x00\x00\rIHDR", 16);
    QTest::newRow("not an ini") << QByteArray("esto no es una configuracion\n");
}

void TestInicioForm::unreadableIniIsReported()
{
    QFETCH(QByteArray, bytes);
    QFile ini(m_dir.filePath("tarvil.ini"));
    QVERIFY(ini.open(QIODevice::WriteOnly));
    ini.write(bytes);
    ini.close();
    TInicioForm f;
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].kind, Msg::Kind::Error);
    QVERIFY2(m_shown[0].text.startsWith("No se puede leer el archivo"), qPrintable(m_shown[0].text));
    QCOMPARE(f.exec(), int(QDialog::Rejected)); // the program ends, never silently
    QVERIFY(!f.loginAccepted());
}

void TestInicioForm::iniSetsTheLinkAndAccount()
{
    writeIni("YEW001", "A");
    {
        QSettings ini(m_dir.filePath("tarvil.ini"), QSettings::IniFormat);
        ini.setValue("DATA/TIMEOUT", 12);
        ini.setValue("DATA/USER", "otra_cuenta");
        ini.setValue("DATA/PASSWORD", "clave_otra");
        ini.setValue("DATA/TLS", "SI");
        ini.setValue("DATA/TLS_CA", "certificados/ca.pem");
    }
    {
        TInicioForm f;
        QCOMPARE(dm1().linkOptions(Conn::Operations).timeoutSeconds, 12);
        QVERIFY(dm1().linkOptions(Conn::Operations).tls);
        QCOMPARE(dm1().linkOptions(Conn::Operations).tlsCaFile, m_dir.filePath("certificados/ca.pem"));
        QCOMPARE(dm1().settings(Conn::Operations).userName, QString("otra_cuenta"));
        QCOMPARE(dm1().settings(Conn::Operations).password, QString("clave_otra"));
        QCOMPARE(dm1().settings(Conn::Operations).database, kDb); // the rest is the profile's
    }
    dm1().setLinkOptions(Conn::Operations, {});
    dm1().setLinkOptions(Conn::PostVenta, {});
    dm1().setLinkOptions(Conn::Sister, {});
}

void TestInicioForm::withoutIniTheProgramEnds()
{
    TInicioForm f; // no tarvil.ini: ID "NADA"
    QCOMPARE(Global.InstallationId, QString("NADA"));
    QCOMPARE(Global.ServerCode, QString("W"));
    QVERIFY(!f.profile());
    QCOMPARE(f.exec(), int(QDialog::Rejected)); // returns at once, never shown
    QVERIFY(!f.loginAccepted());
    // Never silently: the operator reads where the file is missing.
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].kind, Msg::Kind::Error);
    QVERIFY2(m_shown[0].text.contains(QDir::toNativeSeparators(m_dir.filePath("tarvil.ini"))),
             qPrintable(m_shown[0].text));
}

void TestInicioForm::unknownIdWorksAgainstDefaults()
{
    writeIni("yew001", "W"); // lower case is no profile
    TInicioForm f;
    QVERIFY(!f.profile());
    QCOMPARE(m_shown.size(), 1); // told, with the IDs that exist
    QCOMPARE(m_shown[0].kind, Msg::Kind::Warning);
    QVERIFY2(m_shown[0].text.contains("\"yew001\"") && m_shown[0].text.contains("YEW001") &&
                 m_shown[0].text.contains("OLIV01"),
             qPrintable(m_shown[0].text));
    m_shown.clear();
    QCOMPARE(dm1().settings(Conn::Operations), m_test);
    QCOMPARE(control<QLineEdit>(f, "EditPEC")->text(), QString());
    QVERIFY(control<QLabel>(f, "LabelServer")->isHidden());
    QCOMPARE(Global.AccentColour, 0);
    QCOMPARE(Global.PanelColour, 0);
    QCOMPARE(f.palette().color(QPalette::Window), QColor(168, 205, 213));

    // No administrator password: the workshop's own one still opens it.
    f.show();
    type(f, "TAL0001", "secreto");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    QVERIFY(f.loginAccepted());
    QVERIFY(!Global.AdminMode);
    QCOMPARE(Global.PecCode, QString("P001")); // from the joined PEC query
}

void TestInicioForm::letterThatOpensNothing()
{
    writeIni("CYPR01", "L");
    TInicioForm f;
    QVERIFY(f.profile());
    QVERIFY(!dm1().isOpen(Conn::Operations));
    QCOMPARE(control<QLineEdit>(f, "EditPEC")->text(), QString());
    QVERIFY(m_shown.isEmpty());

    // The PEC's password was never read, so it opens nothing.
    f.show();
    type(f, "TAL0001", "llave");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    QVERIFY(!f.loginAccepted());
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].text, QString("Password incorrecta."));
}

void TestInicioForm::unreachableServerKeepsTheDialog()
{
    // Elm uses the local database "tarvil", which the test server lacks.
    writeIni("ELM001", "W");
    TInicioForm f;
    QCOMPARE(dm1().settings(Conn::Operations).database, QString("tarvil"));
    QVERIFY(m_shown.isEmpty()); // on screen first
    f.show();
    QTRY_COMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].kind, Msg::Kind::Error);
    QVERIFY(!m_shown[0].text.isEmpty());
    QCOMPARE(control<QLineEdit>(f, "EditPEC")->text(), QString());
    QCOMPARE(f.palette().color(QPalette::Window), QColor(168, 205, 213)); // design colour
    QCOMPARE(Global.AccentColour, 0);
    QCOMPARE(control<QLabel>(f, "LabelVersion")->text(), QString("Versión 314.01"));
    QCOMPARE(Global.ProgramVersion, 314);

    // The login reports the same failure and stays open for another try.
    type(f, "TAL0001", "secreto");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(m_shown.size(), 2);
    QCOMPARE(m_shown[1].kind, Msg::Kind::Error);
    QVERIFY(f.isVisible());
    QVERIFY(!f.loginAccepted());
    QVERIFY(!Global.LoggedIn);
}

// A server that takes the connection and never answers: "Cancelar" on the
// waiting line ends the wait while the session is still connecting (which
// would take the connect timeout), and the dialog stays for another try.
void TestInicioForm::cancelEndsTheWaitForASilentServer()
{
    QSqlQuery port(m_db);
    QVERIFY(port.exec(QStringLiteral("select @@port")) && port.next());
    TcpRelay relay(quint16(port.value(0).toInt()));
    relay.setStalled(true);
    ConnectionSettings silent = m_test;
    silent.hostName = relay.hostPort();
    dm1().configure(Conn::Operations, silent);
    writeIni("YEW001", "A"); // keeps the operations connection's settings
    clickWhenModal(QStringLiteral("BitBtnCancelarEspera"));
    TInicioForm f;
    f.show();
    QTRY_VERIFY_WITH_TIMEOUT(!m_shown.isEmpty(), 20000);
    QCOMPARE(m_shown[0].kind, Msg::Kind::Error);
    QVERIFY2(m_shown[0].text.startsWith(QStringLiteral("Se canceló la espera del servidor.")),
             qPrintable(m_shown[0].text));
    QVERIFY(f.isVisible());
    QCOMPARE(control<QLineEdit>(f, "EditPEC")->text(), QString());
}

void TestInicioForm::emptyCodeKeepsTheDialog()
{
    writeIni("YEW001", "A");
    TInicioForm f;
    f.show();
    type(f, "", "secreto");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].kind, Msg::Kind::Warning);
    QCOMPARE(m_shown[0].text, QString("No se ingreso el código de taller."));
    QVERIFY(f.isVisible());
    QVERIFY(!Global.LoggedIn);

    // A second attempt is still possible.
    type(f, "TAL0001", "");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    QVERIFY(f.loginAccepted());
}

void TestInicioForm::unknownWorkshopEndsTheProgram()
{
    writeIni("YEW001", "A");
    TInicioForm f;
    f.show();
    type(f, "tal9999", "secreto");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].kind, Msg::Kind::Error);
    QCOMPARE(m_shown[0].text, QString("Taller incorrecto."));
    QVERIFY(!f.isVisible());
    QVERIFY(!f.loginAccepted());
    QVERIFY(!Global.LoggedIn);
}

void TestInicioForm::wrongPasswordEndsTheProgram()
{
    writeIni("YEW001", "A");
    TInicioForm f;
    f.show();
    type(f, "TAL0001", "equivocada");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].kind, Msg::Kind::Error);
    QCOMPARE(m_shown[0].text, QString("Password incorrecta."));
    QVERIFY(!f.loginAccepted());
    QVERIFY(!Global.LoggedIn);
    QCOMPARE(Global.WorkshopName, QString());
}

void TestInicioForm::ownPasswordFillsGlobal()
{
    writeIni("YEW001", "A");
    TInicioForm f;
    f.show();
    type(f, "tal0001", "SECRETO"); // both boxes convert as typed
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);

    QVERIFY(m_shown.isEmpty());
    QVERIFY(f.loginAccepted());
    QVERIFY(!f.isVisible());
    QVERIFY(Global.LoggedIn);
    QVERIFY(!Global.AdminMode);
    QCOMPARE(Global.WorkshopCode, QString("TAL0001"));
    QCOMPARE(Global.WorkshopName, QString("Taller Uno"));
    QCOMPARE(Global.WorkshopName2, QString("Taller Uno"));
    QCOMPARE(Global.WorkshopCuit, QString("30-11111111-1"));
    QCOMPARE(Global.WorkshopAddress, QString("San Martín 123 - Rosario"));
    QCOMPARE(Global.WorkshopAddress2, Global.WorkshopAddress);
    QCOMPARE(Global.RepMatricula, QString("R200"));
    QCOMPARE(Global.RepName, QString("Juan Pérez"));
    QCOMPARE(Global.Stamp1, QString("Sello A"));
    QCOMPARE(Global.Stamp4, QString("Sello D"));
    QCOMPARE(Global.Copies, 2);
    QCOMPARE(Global.WorkshopLocality, QString("Funes"));
    QCOMPARE(Global.WorkshopProvince, QString("Santa Fe"));
    QCOMPARE(Global.SheetFormat, 1);
    QCOMPARE(Global.ManagesWorkshop, 1);
    QCOMPARE(Global.PecCode, QString("P001"));
    QCOMPARE(Global.PecName, QString("GNC del Litoral S.A."));
    QCOMPARE(Global.PecRepMatricula, QString("R100"));
    QCOMPARE(Global.PecRepName, QString("Ing. Ana Gómez"));
    QCOMPARE(Global.PecRepDocNumber, QString("20111222"));
    QCOMPARE(Global.PecAddress, QString("Ruta 9 km 5"));
    QCOMPARE(Global.PecUserId, 0);
}

void TestInicioForm::adminPasswordOpensEnabledWorkshop()
{
    writeIni("YEW001", "A");
    TInicioForm f;
    f.show();
    type(f, "TAL0001", "llave");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    QVERIFY(m_shown.isEmpty());
    QVERIFY(f.loginAccepted());
    QVERIFY(Global.AdminMode);
    QCOMPARE(Global.WorkshopCode, QString("TAL0001"));
}

void TestInicioForm::adminPasswordDoesNotOpenDisabledWorkshop()
{
    writeIni("YEW001", "A");
    TInicioForm f;
    f.show();
    type(f, "TAL0002", "llave");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].kind, Msg::Kind::Warning);
    QCOMPARE(m_shown[0].text, QString("Cliente Inhabilitado."));
    QVERIFY(!f.loginAccepted());
    QVERIFY(!Global.AdminMode);
    QVERIFY(!Global.LoggedIn);
}

void TestInicioForm::emptyAdminPasswordGrantsNothing()
{
    run(m_db, "update pec set Clave = ?", {QVariant(QMetaType(QMetaType::QString))});
    writeIni("YEW001", "A");
    TInicioForm f;
    f.show();
    type(f, "TAL0003", ""); // a workshop without password, nothing typed
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    run(m_db, "update pec set Clave = ?", {"llave"});
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].text, QString("Password incorrecta."));
    QVERIFY(!f.loginAccepted());
    QVERIFY(!Global.AdminMode);
}

void TestInicioForm::pecWithoutRepresentative()
{
    run(m_db, "update pec set PMATRESHAB = ?", {"R999"});
    writeIni("YEW001", "A");
    TInicioForm f;
    f.show();
    type(f, "TAL0001", "secreto");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    run(m_db, "update pec set PMATRESHAB = ?", {"R100"});
    QVERIFY(m_shown.isEmpty());
    QVERIFY(f.loginAccepted());
    QCOMPARE(Global.PecCode, QString("P001")); // from the PEC table read at set-up
    QCOMPARE(Global.PecName, QString());
    QCOMPARE(Global.PecRepName, QString());
    QCOMPARE(Global.PecRepDocNumber, QString());
    QCOMPARE(Global.RepName, QString("Juan Pérez"));
}

void TestInicioForm::newVersionOffered_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<int>("version");
    QTest::addColumn<QString>("button"); // empty: no offer expected
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("url");

    QTest::newRow("same version") << "YEW001" << 314 << "" << true << "";
    QTest::newRow("older version") << "YEW001" << 300 << "" << true << "";
    QTest::newRow("newer, Salir") << "YEW001" << 315 << "BitBtnSalir" << true << "";
    QTest::newRow("newer, Descargar without location") << "YEW001" << 315 << "BitBtnDescargar" << false << "";
    QTest::newRow("newer, Descargar") << "CEDA01" << 315 << "BitBtnDescargar" << false
                                      << "https://descargas.cedar.example.invalid/tarvil/";
}

void TestInicioForm::newVersionOffered()
{
    QFETCH(QString, id);
    QFETCH(int, version);
    QFETCH(QString, button);
    QFETCH(bool, accepted);
    QFETCH(QString, url);

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    run(m_db, "update sistema set version = ?", {version});
    writeIni(id, "X"); // an unlisted letter: both keep the test database
    {
        TInicioForm f;
        f.show();
        type(f, "TAL0001", "secreto");
        if (!button.isEmpty())
            clickWhenModal(button);
        QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(f.loginAccepted(), accepted);
        if (!button.isEmpty())
            QVERIFY2(!m_clicker->isActive(), "the new-version dialog was not shown");
    }
    QDesktopServices::unsetUrlHandler("https");
    run(m_db, "update sistema set version = ?", {314});
    // The unlisted letter is explained at start-up; nothing else is said.
    QCOMPARE(m_shown.size(), 1);
    QVERIFY2(m_shown[0].text.startsWith("SERVER=X en tarvil.ini"), qPrintable(m_shown[0].text));
    QVERIFY(Global.LoggedIn);
    QCOMPARE(catcher.opened.size(), url.isEmpty() ? 0 : 1);
    if (!url.isEmpty())
        QCOMPARE(catcher.opened.first(), QUrl(url));
}

void TestInicioForm::failureBeforeCloseKeepsTheDialog()
{
    writeIni("YEW001", "A");
    TInicioForm f;
    run(m_db, "rename table res to res_gone");
    f.show();
    type(f, "TAL0001", "secreto");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    run(m_db, "rename table res_gone to res");
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].kind, Msg::Kind::Error);
    QVERIFY2(m_shown[0].text.contains("res"), qPrintable(m_shown[0].text));
    QVERIFY(f.isVisible());
    QVERIFY(!f.loginAccepted());
    QCOMPARE(control<QStatusBar>(f, "StatusBar1")->currentMessage(), QString());

    // With the table back, the same dialog logs in.
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    QVERIFY(f.loginAccepted());
    QCOMPARE(Global.PecName, QString("GNC del Litoral S.A."));
}

void TestInicioForm::failureAfterCloseStillLogsIn()
{
    writeIni("YEW001", "A");
    TInicioForm f;
    run(m_db, "rename table sistema to sistema_gone");
    f.show();
    type(f, "TAL0001", "secreto");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn1"), Qt::LeftButton);
    run(m_db, "rename table sistema_gone to sistema");
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown[0].kind, Msg::Kind::Error);
    QVERIFY(f.loginAccepted());
    QVERIFY(!f.isVisible());
    QCOMPARE(Global.RepName, QString("Juan Pérez")); // read before the failing step
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestInicioForm::cancelEndsTheProgram()
{
    writeIni("YEW001", "A");
    TInicioForm f;
    f.show();
    type(f, "TAL0001", "secreto");
    QTest::mouseClick(control<QPushButton>(f, "BitBtn2"), Qt::LeftButton);
    QVERIFY(!f.isVisible());
    QVERIFY(!f.loginAccepted());
    QVERIFY(!Global.LoggedIn);
    QVERIFY(m_shown.isEmpty());
}

QTEST_MAIN(TestInicioForm)
#include "tst_inicioform.moc"
