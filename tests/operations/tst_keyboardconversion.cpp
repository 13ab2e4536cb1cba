// A whole conversion typed into the operation form as an operator without a
// mouse would: every field reached by Tab or Enter, the regulator through its
// look-up, the cylinders through the grid's keys, "Aceptar" pressed from the
// keyboard. What was typed must reach the pending tables.
#include "controls.h"
#include "core/clock.h"
#include "core/global.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "operations/print/fichaprint.h"
#include "operations/save/formsave.h"
#include "operations/trevisionanualform.h"
#include "samplecatalogues.h"
#include "scripteddialogs.h"
#include "scriptedprompter.h"
#include "testdb.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

namespace
{

// The window under test. Offscreen nothing gives the activation back to it
// when a dialog it opened closes, as the desktop does.
QPointer<QWidget> form;

QWidget *focused()
{
    return QApplication::focusWidget();
}

// A key to whatever has the focus, then the rules it queued.
void press(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QVERIFY(focused());
    QTest::keyClick(focused(), Qt::Key(key), modifiers);
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    if (!QApplication::activeWindow() && form && form->isVisible()) {
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
    }
}

void typeText(const QString &text)
{
    QVERIFY(focused());
    QTest::keyClicks(focused(), text);
}

bool holdsFocus(const QWidget *w)
{
    return focused() && (focused() == w || w->isAncestorOf(focused()) || focused()->focusProxy() == w);
}

// Tab until `w` has the focus, as an operator walks the window.
bool tabTo(const QWidget *w)
{
    for (int i = 0; i < 60 && !holdsFocus(w) && !QTest::currentTestFailed(); ++i)
        press(Qt::Key_Tab);
    if (!holdsFocus(w))
        qWarning("%s not reached by Tab, the focus is on %s", qPrintable(w->objectName()),
                 focused() ? qPrintable(focused()->objectName()) : "nothing");
    return holdsFocus(w);
}

// Into `w` by Tab, over what it held.
bool typeInto(const QWidget *w, const QString &text)
{
    if (!tabTo(w))
        return false;
    typeText(text);
    return true;
}

} // namespace

class TstKeyboardConversion : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_keyconversion");
    ScriptedDialogs dialogs;

    QString value(const QString &sql)
    {
        QSqlQuery q(db);
        if (!q.exec(sql) || !q.next())
            return QStringLiteral("(none: %1)").arg(sql);
        return q.value(0).toString().trimmed();
    }

    // One cylinder typed into the cylinder dialog, Enter from field to field.
    void typeCylinder(QDialog &d, const QString &serial, const QString &valveSerial)
    {
        QVERIFY(d.objectName() == QLatin1String("TDatosCilindroForm"));
        const auto field = [&d](const char *name) { return d.findChild<QWidget *>(QLatin1String(name)); };
        QVERIFY(holdsFocus(field("EditCODIGO")));
        typeText(QStringLiteral("C100"));
        press(Qt::Key_Return);
        typeText(serial);
        press(Qt::Key_Return);
        // "Nuevo" and "Gestión" come preset for a conversion.
        while (!holdsFocus(field("EditCAPACIDAD")))
            press(Qt::Key_Return);
        typeText(QStringLiteral("60"));
        press(Qt::Key_Return);
        typeText(QStringLiteral("062025"));
        press(Qt::Key_Return);
        typeText(QStringLiteral("ABCD"));
        press(Qt::Key_Return);
        typeText(QStringLiteral("072025"));
        press(Qt::Key_Return);
        while (!holdsFocus(field("EditVALCOD")))
            press(Qt::Key_Return);
        typeText(QStringLiteral("V101"));
        press(Qt::Key_Return);
        typeText(valveSerial);
        press(Qt::Key_Return);
        while (!holdsFocus(field("EditNROCERTIF")))
            press(Qt::Key_Return);
        typeText(QStringLiteral("ABCD") + serial.right(3));
        QVERIFY(tabTo(field("BitBtnAceptar")));
        press(Qt::Key_Return);
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        Builders::catalogues(db);
        dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), QString()});
        Global = GlobalState{};
        Global.LoggedIn = true;
        Global.InstallationId = QStringLiteral("OLIV01");
        Global.WorkshopCode = QStringLiteral("TDM0001");
        Global.WorkshopCuit = QStringLiteral("30-71111111-1");
        Global.PecCode = QStringLiteral("0031");
        Clock::setToday(QDate(2026, 12, 9));
        dialogs.install();
    }
    void cleanupTestCase()
    {
        ScriptedDialogs::uninstall();
        localStore().closeAll();
        dm1().closeAll();
        TestDb::drop(dbName);
    }

    void conversionTypedWithTheKeyboardIsStored()
    {
        ScriptedPrompter prompter; // the print question: "No"
        const quint64 sent = dm1().exchangeCount();
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("C"));
        form.setCylinders({});
        OperationSave::WireOperationForm(form);
        FichaPrint::WireFichaButton(form);
        ::form = &form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        QVERIFY(typeInto(control<QLineEdit>(form, "MarcaEdit"), QStringLiteral("fiat")));
        QVERIFY(typeInto(control<QLineEdit>(form, "ModeloEdit"), QStringLiteral("siena")));
        QVERIFY(typeInto(control<QSpinBox>(form, "AnioSpinEdit"), QStringLiteral("2016")));
        QVERIFY(typeInto(control<QLineEdit>(form, "DominioEdit"), QStringLiteral("ab123cd")));
        QVERIFY(typeInto(control<QLineEdit>(form, "VINEdit"), QStringLiteral("9BD17164G52345678")));
        // The regulator's code left empty opens its look-up: searched by part
        // of the code, chosen from the list.
        dialogs.answer([](QDialog &d) {
            if (d.objectName() != QLatin1String("TBuscarReguladorForm"))
                return int(QDialog::Rejected);
            typeText(QStringLiteral("r1"));
            press(Qt::Key_Return); // "Buscar"
            press(Qt::Key_Return); // "Aceptar" on the row found
            return d.result();
        });
        QVERIFY(tabTo(control<QLineEdit>(form, "CodigoRegularEdit")));
        press(Qt::Key_Tab);
        QVERIFY2(dialogs.empty(), "the regulator look-up did not open");
        QCOMPARE(control<QLineEdit>(form, "CodigoRegularEdit")->text(), QStringLiteral("R100"));
        QCOMPARE(control<QLineEdit>(form, "MarcaReguladorEdit")->text(), QStringLiteral("ACME"));
        QVERIFY(holdsFocus(control<QLineEdit>(form, "NroSerieReguladorEdit")));
        typeText(QStringLiteral("rs-77"));

        QVERIFY(typeInto(control<QLineEdit>(form, "NombreEdit"), QStringLiteral("sosa marta")));
        QVERIFY(typeInto(control<QLineEdit>(form, "NroDocEdit"), QStringLiteral("28999111")));
        QVERIFY(typeInto(control<QLineEdit>(form, "CalleEdit"), QStringLiteral("rivadavia 900")));
        QVERIFY(typeInto(control<QLineEdit>(form, "CodigoEdit"), QStringLiteral("5500")));
        QVERIFY(typeInto(control<QLineEdit>(form, "LocalidadEdit"), QStringLiteral("mendoza")));
        QVERIFY(typeInto(control<QComboBox>(form, "ProvinciaComboBox"), QStringLiteral("mendoza")));
        QVERIFY(typeInto(control<QLineEdit>(form, "CaracteristicaEdit"), QStringLiteral("261")));
        QVERIFY(typeInto(control<QLineEdit>(form, "TelefonoEdit"), QStringLiteral("4445566")));

        // Two cylinders added with Insert on the grid, the second one's
        // valve corrected with F2.
        dialogs.answer([this](QDialog &d) {
            typeCylinder(d, QStringLiteral("S-101"), QStringLiteral("VN-1"));
            return d.result();
        });
        dialogs.answer([this](QDialog &d) {
            typeCylinder(d, QStringLiteral("S-102"), QStringLiteral("VN-2"));
            return d.result();
        });
        QVERIFY(tabTo(control<QTableView>(form, "DBGrid1")));
        press(Qt::Key_Insert);
        QVERIFY(holdsFocus(control<QTableView>(form, "DBGrid1")));
        press(Qt::Key_Insert);
        QVERIFY(dialogs.empty());
        QCOMPARE(form.cylinders().size(), 2);
        dialogs.answer([](QDialog &d) {
            const auto field = [&d](const char *name) { return d.findChild<QWidget *>(QLatin1String(name)); };
            if (!typeInto(field("EditVALNRO"), QStringLiteral("VN-22")) || !tabTo(field("BitBtnAceptar")))
                return int(QDialog::Rejected);
            press(Qt::Key_Return);
            return d.result();
        });
        QVERIFY(tabTo(control<QTableView>(form, "DBGrid1")));
        press(Qt::Key_End, Qt::ControlModifier);
        press(Qt::Key_F2);
        QVERIFY(dialogs.empty());

        QVERIFY(typeInto(control<QDateEdit>(form, "DateTimePickerMontaje"), QStringLiteral("07122026")));
        QVERIFY(typeInto(control<QDateEdit>(form, "DateTimePickerHabilitacion"), QStringLiteral("09122026")));
        QVERIFY(typeInto(control<QDateEdit>(form, "DateTimePickerVencimiento"), QStringLiteral("07122027")));
        QVERIFY(typeInto(control<QLineEdit>(form, "EditObs"), QStringLiteral("equipo nuevo")));
        QVERIFY(tabTo(control<QPushButton>(form, "BitBtn2")));
        press(Qt::Key_Return);

        // Nothing typed was refused on the way.
        QCOMPARE(prompter.log, (QStringList{QStringLiteral("info: La operación ha sido cargada."),
                                            QStringLiteral("confirm: Desea imprimir la ficha de la operación?")}));
        QCOMPARE(form.result(), int(QDialog::Accepted));
        // Every look-up, check and the save went from the workers: the
        // window's thread never waited for the server.
        QCOMPARE(dm1().exchangeCount(), sent);
        const QString row = QStringLiteral(" from temp_usr where udominio = 'AB123CD' and ucodgest = 'C'");
        QCOMPARE(value(QStringLiteral("select concat_ws('|', umarca, umodelo, uano, vin, uapeynom, unrodoc, ucalle, "
                                      "ucodpostal, ulocalidad, uprovincia, UCARACT, utelefono, uobservac)") +
                       row),
                 QStringLiteral("FIAT|SIENA|2016|9BD17164G52345678|SOSA MARTA|28999111|RIVADAVIA 900|5500|MENDOZA|"
                                "MENDOZA|261|4445566|EQUIPO NUEVO"));
        QCOMPARE(value(QStringLiteral("select concat_ws('|', ufecmont, ufechab, ufecvenhab)") + row),
                 QStringLiteral("2026-12-07|2026-12-09|2027-12-07"));
        const QString id = QStringLiteral("(select id") + row + QLatin1Char(')');
        QCOMPARE(
            value(QStringLiteral("select concat_ws('|', rcodregh, rnroserie, rcodgest) from temp_reg where id = ") +
                  id),
            QStringLiteral("R100|RS-77|M"));
        QCOMPARE(
            value(QStringLiteral("select group_concat(concat_ws('|', cilcodh, cnroserie, ccapacidad, valcod, "
                                 "valnro, nrocertif) order by cnroserie separator ' ') from temp_cil where id = ") +
                  id),
            QStringLiteral("C100|S-101|60|V101|VN-1|ABCD000101 C100|S-102|60|V101|VN-22|ABCD000102"));
    }
};

QTEST_MAIN(TstKeyboardConversion)
#include "tst_keyboardconversion.moc"
