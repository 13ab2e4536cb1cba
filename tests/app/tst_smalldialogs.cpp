#include "app/tcambiarpasswordform.h"
#include "app/tselloform.h"
#include "app/tvermensajesform.h"
#include "app/tversionesform.h"
#include "core/global.h"
#include "data/dm1.h"
#include "testdb.h"
#include "widgets/messages.h"
#include "widgets/tconfirmdlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTextEdit>
#include <QtTest>

namespace
{

const QString kDb = QStringLiteral("t_smalldialogs");
const QString kWorkshop = QStringLiteral("TDM0001");
const QString kOther = QStringLiteral("TDM0002");

struct Shown {
    Msg::Kind kind;
    QString text;
};

} // namespace

class TstSmallDialogs : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void confirmKindsShowTheirButtons();
    void confirmResultsFromTheButtons();
    void confirmEnterAnswersTheDefaultEachTime();

    void oneMessageDisablesBothButtons();
    void navigationThroughThreeMessages();
    void closingCheckedMarksEveryUnreadMessageRead();
    void closingUncheckedWritesNothing();
    void messagePostedWhileReadingStaysUnread();
    void failedMarkLeavesMessagesUnread();

    void passwordChangedForTheLoggedInWorkshop();
    void wrongCurrentPasswordChangesNothing();
    void mismatchOnLeavingConfirmationEmptiesBoth();
    void cambiarRefusesMismatchAndEmptyPassword();
    void passwordBoxesForceLowerCase();

    void stampStoredThenCopiedToGlobal();
    void stampEmptyLinesAreEmptyTexts();
    void stampCancelWritesNothing();
    void stampFailureKeepsGlobalAndTypedLines();

    void versionNotesAreReadOnly();

private:
    QSqlQuery sql(const QString &text, const QVariantList &values = {});
    QVariant value(const QString &text, const QVariantList &values = {});
    void addMessage(int id, const QString &text, const QString &workshop, int leido = 0);
    void openMessages();
    void configureDb(const QString &database);
    QString storedPassword(const QString &workshop);

    QSqlDatabase m_db;
    QList<Shown> m_shown;
};

QSqlQuery TstSmallDialogs::sql(const QString &text, const QVariantList &values)
{
    QSqlQuery q(m_db);
    if (!q.prepare(text))
        qFatal("prepare failed: %s", qPrintable(text));
    for (const QVariant &v : values)
        q.addBindValue(v);
    if (!q.exec())
        qFatal("exec failed: %s", qPrintable(text));
    return q;
}

QVariant TstSmallDialogs::value(const QString &text, const QVariantList &values)
{
    QSqlQuery q = sql(text, values);
    return q.next() ? q.value(0) : QVariant();
}

void TstSmallDialogs::addMessage(int id, const QString &text, const QString &workshop, int leido)
{
    sql(QStringLiteral("insert ignore into mensajes (mensaje_id, mensaje) values (?, ?)"), {id, text});
    sql(QStringLiteral("insert into mensajes_destinatarios (mensaje_id, taller, leido) values (?, ?, ?)"),
        {id, workshop, leido});
}

void TstSmallDialogs::openMessages()
{
    // As the main window leaves it: open and on its first row.
    NamedQuery &q = dm1().query(QStringLiteral("SimpleDataSetMensajes"));
    q.close();
    q.setParam(QStringLiteral("ta"), Global.WorkshopCode);
    q.open();
    q.first();
}

void TstSmallDialogs::configureDb(const QString &database)
{
    dm1().configure(Conn::Operations, {TestDb::host(), database, TestDb::user(), TestDb::password(), QString()});
}

QString TstSmallDialogs::storedPassword(const QString &workshop)
{
    return value(QStringLiteral("select Password from tal where tcodigoint = ?"), {workshop}).toString();
}

void TstSmallDialogs::initTestCase()
{
    m_db = TestDb::create(kDb);
    configureDb(kDb);
}

void TstSmallDialogs::init()
{
    for (const char *table : {"mensajes_destinatarios", "mensajes", "tal", "userpa"})
        TestDb::exec(m_db, QStringLiteral("delete from %1").arg(QLatin1String(table)));
    sql(QStringLiteral("insert into tal (tcodigoint, Password, TRAZSOC, sello1, sello2, sello3, sello4) "
                       "values (?, 'clave1', 'Taller Uno', 'Ing. A', 'Mat. 1', '', 'Linea 4')"),
        {kWorkshop});
    sql(QStringLiteral("insert into tal (tcodigoint, Password, TRAZSOC, sello1) values (?, 'otra', 'Taller Dos', 'X')"),
        {kOther});
    sql(QStringLiteral("insert into userpa (id, login, password) values (0, 'pec', 'pecpass')"));
    Global = GlobalState{};
    Global.WorkshopCode = kWorkshop;
    Global.Stamp1 = QStringLiteral("Ing. A");
    Global.Stamp2 = QStringLiteral("Mat. 1");
    Global.Stamp4 = QStringLiteral("Linea 4");
    m_shown.clear();
    Msg::setHook([this](Msg::Kind kind, const QString &text) {
        m_shown.append({kind, text});
        return true;
    });
}

void TstSmallDialogs::cleanup()
{
    Msg::setHook({});
    TConfirmDlg::setTestHook({});
    configureDb(kDb);
}

void TstSmallDialogs::cleanupTestCase()
{
    dm1().closeAll();
    m_db.close();
    TestDb::drop(kDb);
}

// ------------------------------------------------------------ TConfirmDlg

void TstSmallDialogs::confirmKindsShowTheirButtons()
{
    TConfirmDlg dlg;
    auto shown = [&dlg](const char *name) { return !dlg.findChild<QWidget *>(QLatin1String(name))->isHidden(); };
    QCOMPARE(dlg.kind(), TConfirmDlg::Confirmation);
    QVERIFY(shown("BitBtnSi") && shown("BitBtnNo") && shown("Image1"));
    QVERIFY(!shown("BitBtnAceptar") && !shown("Image2"));

    dlg.setKind(TConfirmDlg::Error);
    QVERIFY(!shown("BitBtnSi") && !shown("BitBtnNo") && !shown("Image1"));
    QVERIFY(shown("BitBtnAceptar") && shown("Image2"));

    // The kind is kept: a question shown after an error without setting it
    // again still offers only "Aceptar".
    int runs = 0;
    TConfirmDlg::setTestHook([&](TConfirmDlg &d) {
        ++runs;
        auto visible = [&d](const char *name) { return !d.findChild<QWidget *>(QLatin1String(name))->isHidden(); };
        if (visible("BitBtnSi") || !visible("BitBtnAceptar"))
            return -1;
        return int(TConfirmDlg::ResultOk);
    });
    dlg.setWindowTitle(QString::fromUtf8("Confirmación"));
    dlg.setMessage(QStringLiteral("Sigue?"));
    QCOMPARE(dlg.run(), int(TConfirmDlg::ResultOk));
    QCOMPARE(runs, 1);

    dlg.setKind(QStringLiteral("mtInformation")); // any other kind is a notice
    QVERIFY(shown("BitBtnAceptar") && !shown("BitBtnSi"));
}

void TstSmallDialogs::confirmResultsFromTheButtons()
{
    TConfirmDlg dlg;
    auto pressLater = [&dlg](const char *name) {
        QTimer::singleShot(0, &dlg, [&dlg, name] {
            QTest::mouseClick(dlg.findChild<QPushButton *>(QLatin1String(name)), Qt::LeftButton);
        });
    };
    dlg.setKind(TConfirmDlg::Confirmation);
    dlg.setMessage(QStringLiteral("Desea imprimir?"));
    QCOMPARE(dlg.message(), QStringLiteral("Desea imprimir?"));
    pressLater("BitBtnSi");
    QCOMPARE(dlg.run(), int(TConfirmDlg::ResultYes));
    pressLater("BitBtnNo");
    QCOMPARE(dlg.run(), int(TConfirmDlg::ResultCancel));
    QTimer::singleShot(0, &dlg, [&dlg] { QTest::keyClick(&dlg, Qt::Key_Escape); });
    QCOMPARE(dlg.run(), int(TConfirmDlg::ResultCancel));

    dlg.setKind(TConfirmDlg::Error);
    pressLater("BitBtnAceptar");
    QCOMPARE(dlg.run(), int(TConfirmDlg::ResultOk));

    // The shared helpers on the one instance.
    TConfirmDlg::setTestHook([](TConfirmDlg &d) {
        return d.kind() == TConfirmDlg::Confirmation ? int(TConfirmDlg::ResultYes) : int(TConfirmDlg::ResultOk);
    });
    TConfirmDlg::tell(QStringLiteral("Error"), QStringLiteral("Falta el dominio"));
    QCOMPARE(TConfirmDlg::shared().kind(), TConfirmDlg::Error);
    QCOMPARE(TConfirmDlg::shared().windowTitle(), QStringLiteral("Error"));
    QVERIFY(TConfirmDlg::ask(QString::fromUtf8("Confirmación"), QStringLiteral("Sigue?")));
    TConfirmDlg::setTestHook([](TConfirmDlg &) { return int(TConfirmDlg::ResultCancel); });
    QVERIFY(!TConfirmDlg::ask(QString::fromUtf8("Confirmación"), QStringLiteral("Sigue?")));
}

void TstSmallDialogs::confirmEnterAnswersTheDefaultEachTime()
{
    // The operator's keys, sent to whatever has the focus once it shows.
    TConfirmDlg dlg;
    auto typeLater = [&dlg](QList<Qt::Key> keys) {
        QTimer::singleShot(0, &dlg, [&dlg, keys] {
            for (Qt::Key k : keys)
                QTest::keyClick(dlg.focusWidget() ? dlg.focusWidget() : static_cast<QWidget *>(&dlg), k);
        });
    };
    dlg.setMessage(QStringLiteral("Desea imprimir?"));
    typeLater({Qt::Key_Tab, Qt::Key_Return}); // "No" chosen from the keyboard
    QCOMPARE(dlg.run(), int(TConfirmDlg::ResultCancel));
    typeLater({Qt::Key_Return}); // the next question: Enter is its "Si" again
    QCOMPARE(dlg.run(), int(TConfirmDlg::ResultYes));
    {
        const TConfirmDlg::NoByDefault deletes;
        typeLater({Qt::Key_Return}); // a deletion right after a "Si": Enter keeps the row
        QCOMPARE(dlg.run(), int(TConfirmDlg::ResultCancel));
    }
}

// ------------------------------------------------------- TVerMensajesForm

void TstSmallDialogs::oneMessageDisablesBothButtons()
{
    addMessage(7, QStringLiteral("Reunión el lunes"), kWorkshop);
    addMessage(8, QStringLiteral("Ya leído"), kWorkshop, 1);
    addMessage(9, QStringLiteral("Para otro taller"), kOther);
    openMessages();
    TVerMensajesForm form(QStringLiteral("Tiene un mensaje sin leer"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Mensajes enviados desde el PEC"));
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("LabelAviso"))->text(),
             QStringLiteral("Tiene un mensaje sin leer"));
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("LabelContador"))->text(), QStringLiteral("Mensaje 1/1"));
    QCOMPARE(form.findChild<QPlainTextEdit *>(QStringLiteral("MemoMensaje"))->toPlainText(),
             QStringLiteral("Reunión el lunes"));
    QVERIFY(!form.findChild<QPushButton *>(QStringLiteral("BitBtnProximo"))->isEnabled());
    QVERIFY(!form.findChild<QPushButton *>(QStringLiteral("BitBtnAnterior"))->isEnabled());
    QVERIFY(form.findChild<QCheckBox *>(QStringLiteral("CheckBoxLeidos"))->isChecked());
}

void TstSmallDialogs::navigationThroughThreeMessages()
{
    // Inserted out of order: the reader follows mensaje_id.
    addMessage(30, QStringLiteral("tercero"), kWorkshop);
    addMessage(10, QStringLiteral("primero"), kWorkshop);
    addMessage(20, QStringLiteral("segundo"), kWorkshop);
    openMessages();
    TVerMensajesForm form(QStringLiteral("Tiene 3 mensajes sin leer"));
    auto *counter = form.findChild<QLabel *>(QStringLiteral("LabelContador"));
    auto *memo = form.findChild<QPlainTextEdit *>(QStringLiteral("MemoMensaje"));
    auto *proximo = form.findChild<QPushButton *>(QStringLiteral("BitBtnProximo"));
    auto *anterior = form.findChild<QPushButton *>(QStringLiteral("BitBtnAnterior"));

    QCOMPARE(counter->text(), QStringLiteral("Mensaje 1/3"));
    QVERIFY(proximo->isEnabled());
    QVERIFY(!anterior->isEnabled());

    QTest::mouseClick(proximo, Qt::LeftButton);
    QCOMPARE(counter->text(), QStringLiteral("Mensaje 2/3"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("segundo"));
    QVERIFY(anterior->isEnabled());
    QTest::mouseClick(proximo, Qt::LeftButton);
    QCOMPARE(counter->text(), QStringLiteral("Mensaje 3/3"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("tercero"));
    QVERIFY(proximo->isEnabled());
    QTest::mouseClick(proximo, Qt::LeftButton); // past the last one
    QCOMPARE(counter->text(), QStringLiteral("Mensaje 3/3"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("tercero"));
    QVERIFY(!proximo->isEnabled());

    QTest::mouseClick(anterior, Qt::LeftButton);
    QCOMPARE(counter->text(), QStringLiteral("Mensaje 2/3"));
    QVERIFY(proximo->isEnabled());
    QTest::mouseClick(anterior, Qt::LeftButton);
    QCOMPARE(counter->text(), QStringLiteral("Mensaje 1/3"));
    QCOMPARE(memo->toPlainText(), QStringLiteral("primero"));
    QTest::mouseClick(anterior, Qt::LeftButton); // before the first one
    QCOMPARE(counter->text(), QStringLiteral("Mensaje 1/3"));
    QVERIFY(!anterior->isEnabled());
}

void TstSmallDialogs::closingCheckedMarksEveryUnreadMessageRead()
{
    addMessage(1, QStringLiteral("uno"), kWorkshop);
    addMessage(2, QStringLiteral("dos"), kWorkshop);
    addMessage(3, QStringLiteral("tres"), kWorkshop);
    addMessage(2, QStringLiteral("dos"), kOther);
    openMessages();
    {
        TVerMensajesForm form(QStringLiteral("Tiene 3 mensajes sin leer"));
        form.reject(); // only the first one was seen
    }
    QCOMPARE(
        value(QStringLiteral("select count(*) from mensajes_destinatarios where taller = ? and leido = 0"), {kWorkshop})
            .toInt(),
        0);
    QCOMPARE(value(QStringLiteral("select leido from mensajes_destinatarios where taller = ?"), {kOther}).toInt(), 0);
    QVERIFY(m_shown.isEmpty());
}

void TstSmallDialogs::closingUncheckedWritesNothing()
{
    addMessage(1, QStringLiteral("uno"), kWorkshop);
    addMessage(2, QStringLiteral("dos"), kWorkshop);
    openMessages();
    TVerMensajesForm form(QStringLiteral("Tiene 2 mensajes sin leer"));
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("BitBtnProximo")), Qt::LeftButton);
    form.findChild<QCheckBox *>(QStringLiteral("CheckBoxLeidos"))->setChecked(false);
    form.close();
    QCOMPARE(value(QStringLiteral("select count(*) from mensajes_destinatarios where leido = 0")).toInt(), 2);
}

void TstSmallDialogs::messagePostedWhileReadingStaysUnread()
{
    addMessage(1, QStringLiteral("uno"), kWorkshop);
    openMessages();
    TVerMensajesForm form(QStringLiteral("Tiene un mensaje sin leer"));
    addMessage(2, QStringLiteral("nuevo"), kWorkshop); // the PEC posts while the reader is open
    form.accept();
    QCOMPARE(value(QStringLiteral("select leido from mensajes_destinatarios where mensaje_id = 1")).toInt(), 1);
    QCOMPARE(value(QStringLiteral("select leido from mensajes_destinatarios where mensaje_id = 2")).toInt(), 0);
}

void TstSmallDialogs::failedMarkLeavesMessagesUnread()
{
    addMessage(1, QStringLiteral("uno"), kWorkshop);
    openMessages();
    TVerMensajesForm form(QStringLiteral("Tiene un mensaje sin leer"));
    configureDb(QStringLiteral("t_smalldialogs_missing"));
    form.reject();
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().kind, Msg::Kind::Error);
    QVERIFY(!m_shown.first().text.isEmpty());
    QCOMPARE(value(QStringLiteral("select leido from mensajes_destinatarios")).toInt(), 0);
}

// --------------------------------------------------- TCambiarPasswordForm

void TstSmallDialogs::passwordChangedForTheLoggedInWorkshop()
{
    TCambiarPasswordForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Cambiar Password"));
    form.findChild<QLineEdit *>(QStringLiteral("EditActual"))->setText(QStringLiteral("clave1"));
    form.findChild<QLineEdit *>(QStringLiteral("EditNuevo"))->setText(QStringLiteral("nueva22"));
    form.findChild<QLineEdit *>(QStringLiteral("EditConfirmar"))->setText(QStringLiteral("nueva22"));
    form.BitBtnCambiarClick();
    QCOMPARE(storedPassword(kWorkshop), QStringLiteral("nueva22"));
    QCOMPARE(storedPassword(kOther), QStringLiteral("otra"));
    QCOMPARE(value(QStringLiteral("select password from userpa")).toString(), QStringLiteral("pecpass"));
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().kind, Msg::Kind::Info);
    QCOMPARE(m_shown.first().text, QStringLiteral("El password ha sido cambiado."));
    QCOMPARE(form.result(), int(TCambiarPasswordForm::ResultRetry));
}

void TstSmallDialogs::wrongCurrentPasswordChangesNothing()
{
    // The stored password has capitals: the lower-case boxes can never match it.
    sql(QStringLiteral("update tal set Password = 'Clave1' where tcodigoint = ?"), {kWorkshop});
    TCambiarPasswordForm form;
    auto *nuevo = form.findChild<QLineEdit *>(QStringLiteral("EditNuevo"));
    auto *confirmar = form.findChild<QLineEdit *>(QStringLiteral("EditConfirmar"));
    form.findChild<QLineEdit *>(QStringLiteral("EditActual"))->setText(QStringLiteral("clave1"));
    nuevo->setText(QStringLiteral("nueva"));
    confirmar->setText(QStringLiteral("nueva"));
    form.BitBtnCambiarClick();
    QCOMPARE(storedPassword(kWorkshop), QStringLiteral("Clave1"));
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().kind, Msg::Kind::Error);
    QCOMPARE(m_shown.first().text, QStringLiteral("El password actual ingresado es incorrecto."));
    QVERIFY(nuevo->text().isEmpty() && confirmar->text().isEmpty());
    QCOMPARE(form.result(), int(TCambiarPasswordForm::ResultRetry));

    // A workshop missing from `tal` has no password to change.
    m_shown.clear();
    Global.WorkshopCode = QStringLiteral("NOEXIST");
    TCambiarPasswordForm lost;
    lost.findChild<QLineEdit *>(QStringLiteral("EditNuevo"))->setText(QStringLiteral("x"));
    lost.findChild<QLineEdit *>(QStringLiteral("EditConfirmar"))->setText(QStringLiteral("x"));
    lost.BitBtnCambiarClick();
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().text, QStringLiteral("El password actual ingresado es incorrecto."));
}

void TstSmallDialogs::mismatchOnLeavingConfirmationEmptiesBoth()
{
    TCambiarPasswordForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto *actual = form.findChild<QLineEdit *>(QStringLiteral("EditActual"));
    auto *nuevo = form.findChild<QLineEdit *>(QStringLiteral("EditNuevo"));
    auto *confirmar = form.findChild<QLineEdit *>(QStringLiteral("EditConfirmar"));
    actual->setText(QStringLiteral("clave1"));
    nuevo->setText(QStringLiteral("abc"));
    confirmar->setFocus();
    QTest::keyClicks(confirmar, QStringLiteral("abd"));
    QTest::keyClick(confirmar, Qt::Key_Tab);
    QTRY_COMPARE(m_shown.size(), 1); // once the focus has moved
    QCOMPARE(m_shown.first().kind, Msg::Kind::Error);
    QCOMPARE(m_shown.first().text, QStringLiteral("No concuerdan las passwords."));
    QVERIFY(nuevo->text().isEmpty() && confirmar->text().isEmpty());
    QCOMPARE(QApplication::focusWidget(), nuevo);

    // Matching boxes leave quietly.
    m_shown.clear();
    nuevo->setText(QStringLiteral("abc"));
    confirmar->setFocus();
    QTest::keyClicks(confirmar, QStringLiteral("abc"));
    QTest::keyClick(confirmar, Qt::Key_Tab);
    QVERIFY(m_shown.isEmpty());
    QCOMPARE(storedPassword(kWorkshop), QStringLiteral("clave1"));
}

void TstSmallDialogs::cambiarRefusesMismatchAndEmptyPassword()
{
    TCambiarPasswordForm form;
    auto *nuevo = form.findChild<QLineEdit *>(QStringLiteral("EditNuevo"));
    auto *confirmar = form.findChild<QLineEdit *>(QStringLiteral("EditConfirmar"));
    form.findChild<QLineEdit *>(QStringLiteral("EditActual"))->setText(QStringLiteral("clave1"));
    nuevo->setText(QStringLiteral("abc"));
    confirmar->setText(QStringLiteral("xyz"));
    form.BitBtnCambiarClick();
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().text, QStringLiteral("No concuerdan las passwords."));
    QCOMPARE(storedPassword(kWorkshop), QStringLiteral("clave1"));

    // Both boxes now empty: they agree, but an empty password is not stored.
    m_shown.clear();
    form.BitBtnCambiarClick();
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().kind, Msg::Kind::Warning);
    QCOMPARE(storedPassword(kWorkshop), QStringLiteral("clave1"));
    QCOMPARE(form.result(), 0); // still open
}

void TstSmallDialogs::passwordBoxesForceLowerCase()
{
    TCambiarPasswordForm form;
    for (const char *name : {"EditActual", "EditNuevo", "EditConfirmar"}) {
        auto *edit = form.findChild<QLineEdit *>(QLatin1String(name));
        QTest::keyClicks(edit, QStringLiteral("AbC1"));
        QCOMPARE(edit->text(), QStringLiteral("abc1"));
        QCOMPARE(edit->echoMode(), QLineEdit::Password);
        QCOMPARE(edit->maxLength(), 25);
    }
}

// ------------------------------------------------------------- TSelloForm

void TstSmallDialogs::stampStoredThenCopiedToGlobal()
{
    TSelloForm form;
    QCOMPARE(form.windowTitle(), QString::fromUtf8("Sello del Representante Técnico del Taller"));
    form.show();
    QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("EditSello1"))->text(), QStringLiteral("Ing. A"));
    QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("EditSello4"))->text(), QStringLiteral("Linea 4"));
    const QStringList typed = {QStringLiteral("Ing. Pérez"), QStringLiteral("Mat. 1234"), QStringLiteral("CUIT 20-1"),
                               QStringLiteral("Taller Uno")};
    for (int i = 0; i < 4; ++i)
        form.findChild<QLineEdit *>(QStringLiteral("EditSello%1").arg(i + 1))->setText(typed.at(i));
    form.BitBtnCambiarClick();
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QSqlQuery q =
        sql(QStringLiteral("select sello1, sello2, sello3, sello4 from tal where tcodigoint = ?"), {kWorkshop});
    QVERIFY(q.next());
    for (int i = 0; i < 4; ++i)
        QCOMPARE(q.value(i).toString(), typed.at(i));
    QCOMPARE(QStringList({Global.Stamp1, Global.Stamp2, Global.Stamp3, Global.Stamp4}), typed);
    QCOMPARE(value(QStringLiteral("select sello1 from tal where tcodigoint = ?"), {kOther}).toString(),
             QStringLiteral("X"));
}

void TstSmallDialogs::stampEmptyLinesAreEmptyTexts()
{
    TSelloForm form;
    form.show();
    for (int i = 1; i <= 4; ++i)
        form.findChild<QLineEdit *>(QStringLiteral("EditSello%1").arg(i))->clear();
    form.BitBtnCambiarClick();
    QCOMPARE(value(QStringLiteral("select count(*) from tal where tcodigoint = ? and sello1 = '' and sello2 = '' "
                                  "and sello3 = '' and sello4 = ''"),
                   {kWorkshop})
                 .toInt(),
             1);
    QVERIFY(Global.Stamp1.isEmpty() && Global.Stamp4.isEmpty());
}

void TstSmallDialogs::stampCancelWritesNothing()
{
    TSelloForm form;
    form.show();
    form.findChild<QLineEdit *>(QStringLiteral("EditSello1"))->setText(QStringLiteral("cambiado"));
    QTest::mouseClick(form.findChild<QPushButton *>(QStringLiteral("BitBtnCancelar")), Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QCOMPARE(value(QStringLiteral("select sello1 from tal where tcodigoint = ?"), {kWorkshop}).toString(),
             QStringLiteral("Ing. A"));
    QCOMPARE(Global.Stamp1, QStringLiteral("Ing. A"));
}

void TstSmallDialogs::stampFailureKeepsGlobalAndTypedLines()
{
    TSelloForm form;
    form.show();
    auto *line1 = form.findChild<QLineEdit *>(QStringLiteral("EditSello1"));
    line1->setText(QStringLiteral("nuevo"));
    configureDb(QStringLiteral("t_smalldialogs_missing"));
    form.BitBtnCambiarClick();
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().kind, Msg::Kind::Error);
    QCOMPARE(Global.Stamp1, QStringLiteral("Ing. A"));
    QVERIFY(form.isVisible());
    QCOMPARE(line1->text(), QStringLiteral("nuevo"));
    configureDb(kDb);
    QCOMPARE(value(QStringLiteral("select sello1 from tal where tcodigoint = ?"), {kWorkshop}).toString(),
             QStringLiteral("Ing. A"));
}

void TstSmallDialogs::versionNotesAreReadOnly()
{
    TVersionesForm form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Resumen de Versiones"));
    auto *memo = form.findChild<QTextEdit *>(QStringLiteral("Memo1"));
    QVERIFY(memo->isReadOnly());
    const QString text = memo->toPlainText();
    QVERIFY(text.startsWith(QStringLiteral("Version 098")));
    for (int v = 98; v <= 105; ++v)
        QVERIFY(text.contains(QStringLiteral("Version %1").arg(v, 3, 10, QLatin1Char('0'))));
}

QTEST_MAIN(TstSmallDialogs)
#include "tst_smalldialogs.moc"
