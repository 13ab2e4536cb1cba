#include "controls.h"
#include "core/clock.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/dm1.h"
#include "operations/cylinders/cylinderlist.h"
#include "operations/linklabel.h"
#include "operations/trevisionanualform.h"
#include "scriptedprompter.h"
#include "testdb.h"
#include "widgets/messages.h"
#include "widgets/textfield.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSpinBox>
#include <QTableView>
#include <QToolButton>
#include <QToolTip>
#include <QtTest>
#include <memory>

namespace
{

const QString kDb = QStringLiteral("t_opform");

// The text of the last notice, without its kind.
QString last(const ScriptedPrompter &p)
{
    return p.log.isEmpty() ? QString() : p.log.last().section(QStringLiteral(": "), 1);
}

} // namespace

class TstOperationForm : public QObject
{
    Q_OBJECT
private:
    ScriptedPrompter prompter;
    std::unique_ptr<TRevisionAnualForm> form;

    // A shown, active form of `kind`, so that focus moves as a user's would.
    TRevisionAnualForm &open(const QString &kind)
    {
        form = std::make_unique<TRevisionAnualForm>(nullptr, prompter);
        form->SetOperationKind(kind);
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("form did not become active");
        return *form;
    }
    // Leaves `from` for `to` and lets the queued leave rule run.
    void leave(QWidget *from, QWidget *to)
    {
        from->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        to->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    }
    void type(QWidget *w, const QString &text)
    {
        w->setFocus(Qt::TabFocusReason);
        for (const QChar c : text) {
            if (c.unicode() < 128) {
                QTest::keyClick(w, char(c.unicode()));
                continue;
            }
            // QTest only types ASCII; an "ñ" arrives as a key with its text.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(c));
            QApplication::sendEvent(w, &release);
        }
    }

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void layoutPerKind_data();
    void layoutPerKind();
    void datesFollowTheClockIncludingLeapDay();
    void consultationLocksTheForm();
    void profileFlagsShowTheirButtons();
    void creationDefaultsAndWorkshopList();
    void storedCodesOfTheLists();

    void domainMaskByModelYear();
    void clearingTheDomainMaskAndKeepingALongPlate();
    void documentMaskByType();
    void stickerZeroFillAndRefusedKeys();
    void pastedNonDigitStickerIsRefusedWithAMessage();
    void telephoneRulesWithTheCheckOnAndOff();
    void theTelephoneCheckRunsOnEveryExitOfTheField();
    void areaCodeKeysFollowTheTelephoneType();
    void modelYearLimits_data();
    void modelYearLimits();
    void enterMovesToTheNextFieldAndLettersGoUpper();
    void emojiAreRefusedAndCutsKeepWholeCharacters();
    void freeTextStopsAtItsColumnWidth();
    void aFullFieldSaysSoAndALongPasteIsRefused();
    void localityProvinceAndExpiryRules();
    void cylinderGridAndDetails();
    void progressPanel();
    void everyControlKeepsItsWidthAt1366x768();
    void screenshot();
};

void TstOperationForm::initTestCase()
{
    QSqlDatabase db = TestDb::create(kDb);
    TestDb::exec(db,
                 "insert into tal (tcodigoint, TRAZSOC) values ('TAL0300', 'B'), ('TAL0100', 'A'), ('TAL0200', 'C')");
    dm1().configure(Conn::Operations,
                    {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QStringLiteral("Test")});
}

void TstOperationForm::init()
{
    Global = GlobalState{};
    Global.LoggedIn = true;
    Global.WorkshopLocality = "VILLA MARIA";
    Global.WorkshopProvince = "CORDOBA";
    Clock::setToday(QDate(2026, 6, 15));
    prompter.log.clear();
}

void TstOperationForm::cleanup()
{
    form.reset();
    Clock::reset();
}

void TstOperationForm::cleanupTestCase()
{
    dm1().closeAll();
    TestDb::drop(kDb);
}

void TstOperationForm::layoutPerKind_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("gestion");
    QTest::addColumn<bool>("gestionLocked");
    QTest::addColumn<QString>("nuevo");
    QTest::addColumn<QString>("stickerLabel"); // empty: sticker hidden
    QTest::addColumn<bool>("valveButton");
    QTest::addColumn<bool>("expiryShown");
    QTest::addColumn<QString>("mountLabel");
    QTest::newRow("R") << "R"
                       << "Revison Anual"
                       << "SIN CAMBIOS" << true << "NO"
                       << "Oblea Anterior" << false << true << "Fecha Montaje";
    QTest::newRow("X") << "X"
                       << "Revison Anual CRPC"
                       << "SIN CAMBIOS" << true << "NO"
                       << "Oblea Anterior" << false << true << "Fecha Montaje";
    QTest::newRow("C") << "C" << QStringLiteral("Conversión") << "MONTAJE" << true << "SI"
                       << "" << true << true << "Fecha Montaje";
    QTest::newRow("B") << "B"
                       << "DESMONTAJE"
                       << "DESMONTAJE" << false << "NO"
                       << "Oblea Anterior" << true << false << "Fecha Desmontaje";
    QTest::newRow("D") << "D"
                       << "DESMONTAJE"
                       << "DESMONTAJE" << false << "NO"
                       << "Oblea Anterior" << true << false << "Fecha Desmontaje";
    QTest::newRow("M") << "M" << QStringLiteral("Modificación") << "SIN CAMBIOS" << false << "SI"
                       << "Oblea Anterior" << true << true << "Fecha Montaje";
    QTest::newRow("H") << "H" << QStringLiteral("Reemplazo de Válvula") << "SIN CAMBIOS" << false << "SI"
                       << "Oblea Actual" << true << true << "Fecha Montaje";
}

void TstOperationForm::layoutPerKind()
{
    QFETCH(QString, kind);
    QFETCH(QString, caption);
    QFETCH(QString, gestion);
    QFETCH(bool, gestionLocked);
    QFETCH(QString, nuevo);
    QFETCH(QString, stickerLabel);
    QFETCH(bool, valveButton);
    QFETCH(bool, expiryShown);
    QFETCH(QString, mountLabel);
    TRevisionAnualForm &f = open(kind);

    QCOMPARE(f.windowTitle(), caption);
    QCOMPARE(control<QComboBox>(f, "RGestionComboBox")->currentText(), gestion);
    QCOMPARE(control<QComboBox>(f, "RGestionComboBox")->isEnabled(), !gestionLocked);
    QCOMPARE(control<QComboBox>(f, "RNuevoComboBox")->currentText(), nuevo);
    QCOMPARE(control<QLineEdit>(f, "ObleaAntEdit")->isVisible(), !stickerLabel.isEmpty());
    QCOMPARE(control<QToolButton>(f, "SpeedButton1")->isVisible(), !stickerLabel.isEmpty());
    QCOMPARE(control<QLabel>(f, "LabelObleaAnt")->isVisible(), !stickerLabel.isEmpty());
    if (!stickerLabel.isEmpty())
        QCOMPARE(control<QLabel>(f, "LabelObleaAnt")->text(), stickerLabel);
    QVERIFY(!control<QLineEdit>(f, "AnioObleaAnteriorEdit")->isVisible());
    QVERIFY(!control<QLineEdit>(f, "ObleaNewEdit")->isVisible()); // the assigned sticker is for consultation only
    QCOMPARE(control<QToolButton>(f, "SpeedButton8")->isVisible(), valveButton);
    QCOMPARE(control<QDateEdit>(f, "DateTimePickerHabilitacion")->isVisible(), expiryShown);
    QCOMPARE(control<QDateEdit>(f, "DateTimePickerVencimiento")->isVisible(), expiryShown);
    QCOMPARE(control<QLabel>(f, "LabelVencimiento")->isVisible(), expiryShown);
    QCOMPARE(control<QLabel>(f, "LabelMontaje")->text(), mountLabel);
    QVERIFY(control<QDateEdit>(f, "DateTimePickerMontaje")->isVisible());
    QVERIFY(control<QPushButton>(f, "BitBtn1")->isEnabled());
    QVERIFY(!control<QComboBox>(f, "tallerEdit")->isVisible());
    QVERIFY(!control<QPushButton>(f, "BitBtn3")->isEnabled());      // "Cédula" never
    QVERIFY(!control<QComboBox>(f, "ComboBoxEstado")->isVisible()); // state is the PEC's business
    QCOMPARE(f.kind(), kind);
    QVERIFY(!f.operationDescription().isEmpty());
}

void TstOperationForm::datesFollowTheClockIncludingLeapDay()
{
    Clock::setToday(QDate(2028, 2, 29));
    TRevisionAnualForm &f = open("R");
    QCOMPARE(control<QDateEdit>(f, "DateTimePickerMontaje")->date(), QDate(2028, 2, 29));
    QCOMPARE(control<QDateEdit>(f, "DateTimePickerHabilitacion")->date(), QDate(2028, 2, 29));
    QCOMPARE(control<QDateEdit>(f, "DateTimePickerVencimiento")->date(), QDate(2029, 2, 28));
    const OperationRecord r = f.record();
    QCOMPARE(r.fechaVencimiento, QDate(2029, 2, 28));
    QCOMPARE(r.description, QString("REVISION"));
}

void TstOperationForm::consultationLocksTheForm()
{
    form = std::make_unique<TRevisionAnualForm>(nullptr, prompter);
    TRevisionAnualForm &f = *form;
    f.SetRecallStickers("0000012345", "0000000999");
    f.SetShownKind("X");
    f.SetOperationKind("#");
    f.show();
    f.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&f));

    QCOMPARE(f.windowTitle(), QStringLiteral("Revisión Anual")); // a CRPC review has no own caption
    for (QWidget *w : std::initializer_list<QWidget *>{
             control<QGroupBox>(f, "GroupBoxVehiculo"), control<QGroupBox>(f, "GroupBoxPropietario"),
             control<QGroupBox>(f, "GroupBoxRegulador"), control<QDateEdit>(f, "DateTimePickerMontaje"),
             control<QDateEdit>(f, "DateTimePickerHabilitacion"), control<QDateEdit>(f, "DateTimePickerVencimiento"),
             control<QToolButton>(f, "SpeedButton9"), control<QToolButton>(f, "SpeedButton3"),
             control<QToolButton>(f, "SpeedButton1"), control<QToolButton>(f, "SpeedButton4"),
             control<QToolButton>(f, "SpeedButton5"), control<QToolButton>(f, "SpeedButton6"),
             control<QToolButton>(f, "SpeedButton8"), control<QPushButton>(f, "BitBtn1"),
             // nothing may replace or add to what is viewed
             control<QToolButton>(f, "SpeedButton2"), control<LinkLabel>(f, "TraerDesdeOCLabel"),
             control<QToolButton>(f, "SpeedButtonCC1"), control<QToolButton>(f, "SpeedButtonCC2")})
        QVERIFY2(!w->isEnabled(), qPrintable(w->objectName()));
    // the accessories and the attached files open read-only
    QVERIFY(control<QPushButton>(f, "BitBtnAccesorios")->isEnabled() &&
            control<QPushButton>(f, "BitBtnAdjuntar")->isEnabled());
    for (QLineEdit *e : {control<QLineEdit>(f, "ObleaAntEdit"), control<QLineEdit>(f, "ObleaNewEdit"),
                         control<QLineEdit>(f, "EditObs")})
        QVERIFY2(e->isReadOnly(), qPrintable(e->objectName()));
    for (QWidget *w :
         std::initializer_list<QWidget *>{control<LinkLabel>(f, "Label35"), control<LinkLabel>(f, "Label36"),
                                          control<LinkLabel>(f, "Label37"), control<QLabel>(f, "LabelNombre")})
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    QCOMPARE(control<QLabel>(f, "LabelObleaAnt")->text(), QString("Oblea"));
    QVERIFY(control<QComboBox>(f, "tallerEdit")->isVisible());
    QCOMPARE(f.recallSticker(), QString("0000012345"));
    QCOMPARE(f.recallPreviousSticker(), QString("0000000999"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QPushButton>(f, "BitBtn2")));

    QSignalSpy save(&f, &TRevisionAnualForm::acceptRequested);
    QTest::mouseClick(control<QPushButton>(f, "BitBtn2"), Qt::LeftButton);
    QCOMPARE(f.result(), int(QDialog::Accepted)); // only closes
    QCOMPARE(save.count(), 0);
}

void TstOperationForm::profileFlagsShowTheirButtons()
{
    struct Case {
        QString id;
        bool letter, accessories, ownerList;
    };
    for (const Case &c : {Case{"JUNI01", false, true, false}, Case{"LIND01", true, false, true},
                          Case{"ASPE01", false, false, false}, Case{"NADA", false, false, false}}) {
        Global.InstallationId = c.id;
        TRevisionAnualForm &f = open("R");
        QCOMPARE(f.offersCommitmentLetter(), c.letter);
        QCOMPARE(control<QToolButton>(f, "SpeedButtonCC1")->isVisible(), c.letter);
        QCOMPARE(control<QToolButton>(f, "SpeedButtonCC2")->isVisible(), c.letter);
        QCOMPARE(control<QPushButton>(f, "BitBtnAccesorios")->isVisible(), c.accessories);
        QCOMPARE(control<QToolButton>(f, "SpeedButtonPropietarios")->isVisible(), c.ownerList);
    }
    Global.InstallationId.clear();
    Global.ManagesWorkshop = 1;
    QVERIFY(control<LinkLabel>(open("C"), "TraerDesdeOCLabel")->isVisible());
    Global.ManagesWorkshop = 0;
    QVERIFY(!control<LinkLabel>(open("C"), "TraerDesdeOCLabel")->isVisible());
}

void TstOperationForm::creationDefaultsAndWorkshopList()
{
    const quint64 sent = dm1().exchangeCount();
    TRevisionAnualForm &f = open("M");
    QCOMPARE(control<QComboBox>(f, "tallerEdit")->count(), 3);
    QCOMPARE(control<QComboBox>(f, "tallerEdit")->itemText(0), QString("TAL0100"));
    QCOMPARE(control<QComboBox>(f, "tallerEdit")->itemText(2), QString("TAL0300"));
    QVERIFY(prompter.log.isEmpty());
    QCOMPARE(control<QComboBox>(f, "ProvinciaComboBox")->currentText(), QString("CORDOBA"));
    QCOMPARE(control<QComboBox>(f, "ProvinciaComboBox")->count(), 23);
    QCOMPARE(control<QSpinBox>(f, "AnioSpinEdit")->value(), 2000);
    QCOMPARE(control<QComboBox>(f, "InyeccionComboEdit")->currentText(), QString("NO"));
    QCOMPARE(control<QComboBox>(f, "TipoComboEdit")->currentText(), QString("PARTICULAR"));
    QCOMPARE(control<QComboBox>(f, "DNIComboBox")->currentText(), QString("DNI"));
    QCOMPARE(control<QComboBox>(f, "ComboBoxTipoTE")->currentText(), QString("CELULAR"));
    QVERIFY(control<QCheckBox>(f, "CheckBoxFormatoTE")->isChecked());
    QVERIFY(!control<QComboBox>(f, "ComboBoxTipoTE")->isEnabled());
    QCOMPARE(control<QComboBox>(f, "RGestionNuevoComboBox")->currentText(), QString("MONTAJE"));
    QVERIFY(!control<QComboBox>(f, "RGestionNuevoComboBox")->isEnabled());
    QCOMPARE(control<QComboBox>(f, "RNuevoNuevoComboBox")->currentText(), QString("SI"));
    QVERIFY(!control<QLineEdit>(f, "CodigoReguladorNuevoEdit")->isVisible());
    QCOMPARE(f.domainMask(), QString("AAA###;1;_"));
    QCOMPARE(f.documentMask(), QString("#######0;1;"));
    QCOMPARE(control<QPushButton>(f, "BitBtnAdjuntar")->text(), QString("Adjuntar Documentacion"));
    QCOMPARE(control<QComboBox>(f, "ComboBoxEstado")->currentIndex(), 0);

    const QStringList titles = {"Código",      "Nro Serie", "Nuevo",    "Gestión",     "Capacidad",
                                "Fabricación", "Ultima PH", "PH Fecha", "Resultado PH"};
    QCOMPARE(f.cylinderList()->columnCount(), titles.size());
    for (int c = 0; c < titles.size(); ++c)
        QCOMPARE(f.cylinderList()->headerData(c, Qt::Horizontal).toString(), titles.at(c));
    QCOMPARE(control<QTableView>(f, "DBGrid1")->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(control<QTableView>(f, "DBGrid1")->selectionBehavior(), QAbstractItemView::SelectRows);

    // The list is read off the window's thread: the window's own sessions
    // sent nothing.
    f.reject();
    QCOMPARE(dm1().exchangeCount(), sent);
}

void TstOperationForm::storedCodesOfTheLists()
{
    TRevisionAnualForm &f = open("M");
    control<QComboBox>(f, "TipoComboEdit")->setCurrentText("MOTO");
    control<QComboBox>(f, "InyeccionComboEdit")->setCurrentText("SI");
    control<QComboBox>(f, "RGestionComboBox")->setCurrentText("BAJA");
    const OperationRecord r = f.record();
    QCOMPARE(r.tipoUsoCode(), QString("6"));
    QCOMPARE(r.inyeccionCode(), QString("S"));
    QCOMPARE(r.regulatorGestionCode(), QString("B"));
    QCOMPARE(r.kind, QString("M"));
    QCOMPARE(r.description, QString("MODIFICACION"));
}

void TstOperationForm::domainMaskByModelYear()
{
    TRevisionAnualForm &f = open("R");
    control<QSpinBox>(f, "AnioSpinEdit")->setValue(2015);
    type(control<QLineEdit>(f, "DominioEdit"), "ab1c23456");
    QCOMPARE(f.domainMask(), QString("AAA###"));
    QVERIFY(control<QToolButton>(f, "SpeedButtonClear")->isEnabled());
    QCOMPARE(f.record().dominio, QString("AB1234")); // "c" refused where digits go
    leave(control<QLineEdit>(f, "DominioEdit"), control<QLineEdit>(f, "VINEdit"));
    QVERIFY(!control<QToolButton>(f, "SpeedButtonClear")->isEnabled());

    control<QSpinBox>(f, "AnioSpinEdit")->setValue(2016);
    control<QLineEdit>(f, "DominioEdit")->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.domainMask(), QString("AAAAAAa;1; "));
    QCOMPARE(f.record().dominio, QString("AB1234")); // the plate survives the new mask
    control<QLineEdit>(f, "DominioEdit")->selectAll();
    QTest::keyClicks(control<QLineEdit>(f, "DominioEdit"), "ab123cdx");
    QCOMPARE(f.record().dominio, QString("AB123CD"));
}

void TstOperationForm::clearingTheDomainMaskAndKeepingALongPlate()
{
    TRevisionAnualForm &f = open("R");
    control<QSpinBox>(f, "AnioSpinEdit")->setValue(2010);
    control<QLineEdit>(f, "DominioEdit")->setFocus(Qt::TabFocusReason);
    QTest::mouseClick(control<QToolButton>(f, "SpeedButtonClear"), Qt::LeftButton);
    QCOMPARE(f.domainMask(), QString());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(f, "DominioEdit")));
    QSignalSpy refused(&f, &TRevisionAnualForm::keyRefused);
    QTest::keyClicks(control<QLineEdit>(f, "DominioEdit"), "ab123cd-9xyz");
    QCOMPARE(refused.count(), 1);                       // "-" is never part of a plate
    QCOMPARE(f.record().dominio, QString("AB123CD9X")); // no more than the column holds

    // Coming back with a pre-2016 year must not cut the plate to the old mask.
    leave(control<QLineEdit>(f, "DominioEdit"), control<QLineEdit>(f, "VINEdit"));
    control<QLineEdit>(f, "DominioEdit")->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.record().dominio, QString("AB123CD9X"));
}

void TstOperationForm::documentMaskByType()
{
    TRevisionAnualForm &f = open("C");
    control<QComboBox>(f, "DNIComboBox")->setCurrentText("CUIT");
    type(control<QLineEdit>(f, "NroDocEdit"), "20123456789");
    QCOMPARE(f.documentMask(), QString("##-########-#"));
    QCOMPARE(control<QLineEdit>(f, "NroDocEdit")->displayText(), QString("20-12345678-9"));
    QCOMPARE(f.record().nroDoc, QString("20-12345678-9")); // hyphens stored

    // Back to DNI: eleven digits do not fit eight places, so they stay whole
    // and unmasked for the user to correct instead of being cut.
    leave(control<QLineEdit>(f, "NroDocEdit"), control<QLineEdit>(f, "CalleEdit"));
    control<QComboBox>(f, "DNIComboBox")->setCurrentText("DNI");
    control<QLineEdit>(f, "NroDocEdit")->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.record().nroDoc, QString("20123456789"));
    control<QLineEdit>(f, "NroDocEdit")->clear();
    leave(control<QLineEdit>(f, "NroDocEdit"), control<QLineEdit>(f, "CalleEdit"));
    control<QLineEdit>(f, "NroDocEdit")->setFocus(Qt::TabFocusReason);
    QCOMPARE(f.documentMask(), QString("########"));
    QTest::keyClicks(control<QLineEdit>(f, "NroDocEdit"), "30111222x");
    QCOMPARE(f.record().nroDoc, QString("30111222"));
    QCOMPARE(f.record().tipoDoc, QString("DNI"));

    // A typed document type goes upper case and uses the plain mask.
    control<QComboBox>(f, "DNIComboBox")->setFocus(Qt::TabFocusReason);
    control<QComboBox>(f, "DNIComboBox")->lineEdit()->selectAll();
    QTest::keyClicks(control<QComboBox>(f, "DNIComboBox"), "pas");
    QCOMPARE(control<QComboBox>(f, "DNIComboBox")->currentText(), QString("PAS"));
}

void TstOperationForm::stickerZeroFillAndRefusedKeys()
{
    TRevisionAnualForm &f = open("R");
    QSignalSpy refused(&f, &TRevisionAnualForm::keyRefused);
    type(control<QLineEdit>(f, "ObleaAntEdit"), "12a3b4");
    QCOMPARE(refused.count(), 2);
    QCOMPARE(control<QLineEdit>(f, "ObleaAntEdit")->text(), QString("1234"));
    leave(control<QLineEdit>(f, "ObleaAntEdit"), control<QLineEdit>(f, "MarcaEdit"));
    QCOMPARE(control<QLineEdit>(f, "ObleaAntEdit")->text(), QString("0000001234"));

    control<QLineEdit>(f, "ObleaAntEdit")->clear();
    leave(control<QLineEdit>(f, "ObleaAntEdit"), control<QLineEdit>(f, "MarcaEdit"));
    QCOMPARE(control<QLineEdit>(f, "ObleaAntEdit")->text(), QString());
    QVERIFY(prompter.log.isEmpty());
}

void TstOperationForm::pastedNonDigitStickerIsRefusedWithAMessage()
{
    TRevisionAnualForm &f = open("R");
    control<QLineEdit>(f, "ObleaAntEdit")->setFocus(Qt::TabFocusReason);
    control<QLineEdit>(f, "ObleaAntEdit")->insert("12O4"); // a pasted letter O; the key filter never saw it
    leave(control<QLineEdit>(f, "ObleaAntEdit"), control<QLineEdit>(f, "MarcaEdit"));
    QCOMPARE(prompter.log.size(), 1);
    QVERIFY(prompter.log.first().startsWith("error: "));
    QVERIFY(last(prompter).contains("12O4"));
    QCOMPARE(control<QLineEdit>(f, "ObleaAntEdit")->text(), QString("12O4")); // kept for the user to correct
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(f, "ObleaAntEdit")));
    QVERIFY(!last(prompter).contains("not a valid"));
}

void TstOperationForm::telephoneRulesWithTheCheckOnAndOff()
{
    TRevisionAnualForm &f = open("R");
    type(control<QLineEdit>(f, "CaracteristicaEdit"), "4351");
    leave(control<QLineEdit>(f, "CaracteristicaEdit"), control<QLineEdit>(f, "TelefonoEdit"));
    QCOMPARE(last(prompter), QString("La caracteristica debe comenzar con 1,2 o 3"));
    QVERIFY(prompter.log.last().startsWith("info: "));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(f, "CaracteristicaEdit")));

    control<QLineEdit>(f, "CaracteristicaEdit")->setText("0351"); // pasted: typing would have dropped the 0
    leave(control<QLineEdit>(f, "CaracteristicaEdit"), control<QLineEdit>(f, "TelefonoEdit"));
    QCOMPARE(last(prompter), QString("La caracteristica debe ir sin el 0 adelante"));

    control<QLineEdit>(f, "CaracteristicaEdit")->setText("351");
    type(control<QLineEdit>(f, "TelefonoEdit"), "155123456");
    leave(control<QLineEdit>(f, "TelefonoEdit"), control<QLineEdit>(f, "emailEdit"));
    QCOMPARE(last(prompter), QStringLiteral("El número va sin el 15 adelante"));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(f, "TelefonoEdit")));

    // With the check off both pass and the telephone type can be chosen.
    QTest::mouseClick(control<QCheckBox>(f, "CheckBoxFormatoTE"), Qt::LeftButton);
    QVERIFY(!control<QCheckBox>(f, "CheckBoxFormatoTE")->isChecked());
    QVERIFY(control<QComboBox>(f, "ComboBoxTipoTE")->isEnabled());
    const int before = prompter.log.size();
    control<QLineEdit>(f, "CaracteristicaEdit")->setText("0351");
    leave(control<QLineEdit>(f, "CaracteristicaEdit"), control<QLineEdit>(f, "TelefonoEdit"));
    leave(control<QLineEdit>(f, "TelefonoEdit"), control<QLineEdit>(f, "emailEdit"));
    QCOMPARE(prompter.log.size(), before);
    QTest::mouseClick(control<QCheckBox>(f, "CheckBoxFormatoTE"), Qt::LeftButton);
    QVERIFY(!control<QComboBox>(f, "ComboBoxTipoTE")->isEnabled());
}

// Notices that take the focus away as a message box does: the form is
// active again either before the rule goes on or only after it.
struct BoxLikePrompter : ScriptedPrompter {
    bool givenBackAtOnce = false;
    void info(const QString &text) override
    {
        ScriptedPrompter::info(text);
        QWidget *form = QApplication::activeWindow();
        QWidget box;
        box.show();
        box.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&box));
        box.hide();
        if (!form)
            return;
        form->activateWindow();
        if (givenBackAtOnce)
            QVERIFY(QTest::qWaitForWindowActive(form));
    }
};

void TstOperationForm::theTelephoneCheckRunsOnEveryExitOfTheField()
{
    const QString fifteen = QStringLiteral("info: El número va sin el 15 adelante");
    for (const bool atOnce : {false, true}) {
        BoxLikePrompter boxes;
        boxes.givenBackAtOnce = atOnce;
        form = std::make_unique<TRevisionAnualForm>(nullptr, boxes);
        TRevisionAnualForm &f = *form;
        f.SetOperationKind("R");
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        const auto focused = [] { return QApplication::focusWidget(); };

        // A wrong area code, its message, corrected; then a number with 15.
        control<QLineEdit>(f, "CaracteristicaEdit")->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(control<QLineEdit>(f, "CaracteristicaEdit"), "4351");
        QTest::keyClick(control<QLineEdit>(f, "CaracteristicaEdit"), Qt::Key_Return);
        QTRY_COMPARE(boxes.log.size(), 1);
        QTRY_COMPARE(focused(), control<QLineEdit>(f, "CaracteristicaEdit"));
        control<QLineEdit>(f, "CaracteristicaEdit")->selectAll();
        QTest::keyClicks(control<QLineEdit>(f, "CaracteristicaEdit"), "351");
        QTest::keyClick(control<QLineEdit>(f, "CaracteristicaEdit"), Qt::Key_Return);
        QTRY_COMPARE(focused(), control<QLineEdit>(f, "TelefonoEdit"));
        QTest::keyClicks(control<QLineEdit>(f, "TelefonoEdit"), "155123456");
        QTest::keyClick(control<QLineEdit>(f, "TelefonoEdit"), Qt::Key_Return);
        QTRY_COMPARE(boxes.log.size(), 2);
        QCOMPARE(boxes.log.last(), fifteen);
        QTRY_COMPARE(focused(), control<QLineEdit>(f, "TelefonoEdit"));

        // Left again unchanged, by Tab or by the mouse: told again each time.
        QTest::keyClick(control<QLineEdit>(f, "TelefonoEdit"), Qt::Key_Tab);
        QTRY_COMPARE(boxes.log.size(), 3);
        QTRY_COMPARE(focused(), control<QLineEdit>(f, "TelefonoEdit"));
        QTest::mouseClick(control<QLineEdit>(f, "emailEdit"), Qt::LeftButton);
        QTRY_COMPARE(boxes.log.size(), 4);
        QCOMPARE(boxes.log.last(), fifteen);
        QTRY_COMPARE(focused(), control<QLineEdit>(f, "TelefonoEdit"));

        // A message from elsewhere takes the focus and gives it back: the
        // field was not left.
        boxes.info("otra ventana");
        QTRY_COMPARE(focused(), control<QLineEdit>(f, "TelefonoEdit"));
        QTest::qWait(20);
        QCOMPARE(boxes.log.size(), 5);
        form.reset();
    }
}

void TstOperationForm::areaCodeKeysFollowTheTelephoneType()
{
    TRevisionAnualForm &f = open("R");
    type(control<QLineEdit>(f, "CaracteristicaEdit"), "0351");
    QCOMPARE(control<QLineEdit>(f, "CaracteristicaEdit")->text(), QString("351")); // the leading 0 is dropped
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(f, "CaracteristicaEdit")));
    QTest::keyClick(control<QLineEdit>(f, "CaracteristicaEdit"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(f, "TelefonoEdit")));

    control<QComboBox>(f, "ComboBoxTipoTE")->setCurrentText("FIJO");
    control<QLineEdit>(f, "CaracteristicaEdit")->clear();
    type(control<QLineEdit>(f, "CaracteristicaEdit"), "0351");
    QCOMPARE(control<QLineEdit>(f, "CaracteristicaEdit")->text(), QString("0351"));
    QTest::keyClick(control<QLineEdit>(f, "CaracteristicaEdit"), Qt::Key_Return); // not handled for a landline
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(f, "CaracteristicaEdit")));
}

void TstOperationForm::modelYearLimits_data()
{
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("year");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("10 Dec, this year") << QDate(2026, 12, 10) << 2026 << true;
    QTest::newRow("10 Dec, next year") << QDate(2026, 12, 10) << 2027 << false;
    QTest::newRow("11 Dec, next year") << QDate(2026, 12, 11) << 2027 << true;
    QTest::newRow("11 Dec, two years on") << QDate(2026, 12, 11) << 2028 << false;
    QTest::newRow("1950") << QDate(2026, 6, 1) << 1950 << false;
    QTest::newRow("1951") << QDate(2026, 6, 1) << 1951 << true;
}

void TstOperationForm::modelYearLimits()
{
    QFETCH(QDate, today);
    QFETCH(int, year);
    QFETCH(bool, accepted);
    Clock::setToday(today);
    TRevisionAnualForm &f = open("R");
    control<QSpinBox>(f, "AnioSpinEdit")->setValue(year);
    leave(control<QSpinBox>(f, "AnioSpinEdit"), control<QLineEdit>(f, "DominioEdit"));
    if (accepted) {
        QVERIFY(prompter.log.isEmpty());
    } else {
        // The shared dialog's error (TConfirmDlg "Error", "mtError").
        QCOMPARE(prompter.log, QStringList{QStringLiteral("alert: Año Invalido.")});
        QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QSpinBox>(f, "AnioSpinEdit")));
    }
}

void TstOperationForm::enterMovesToTheNextFieldAndLettersGoUpper()
{
    TRevisionAnualForm &f = open("R");
    QSignalSpy refused(&f, &TRevisionAnualForm::keyRefused);
    type(control<QLineEdit>(f, "MarcaEdit"), "fiat");
    QTest::keyClick(control<QLineEdit>(f, "MarcaEdit"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(f, "ModeloEdit")));
    QTest::keyClick(control<QLineEdit>(f, "ModeloEdit"), Qt::Key_Return, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(f, "MarcaEdit")));
    QCOMPARE(control<QLineEdit>(f, "MarcaEdit")->text(), QString("FIAT"));
    QCOMPARE(f.result(), 0); // Enter never pressed "Aceptar"
    QVERIFY(f.isVisible());

    type(control<QLineEdit>(f, "NombreEdit"), QStringLiteral("muñoz, ana"));
    QCOMPARE(control<QLineEdit>(f, "NombreEdit")->text(), QStringLiteral("MUÑOZ ANA"));
    QCOMPARE(refused.count(), 1);
    type(control<QLineEdit>(f, "CalleEdit"), "ruta 9 (km-5)/");
    QCOMPARE(control<QLineEdit>(f, "CalleEdit")->text(), QString("RUTA 9 (KM-5)"));
    QCOMPARE(refused.count(), 2);
    type(control<QLineEdit>(f, "EditObs"), "sin observaciones");
    QCOMPARE(f.record().observaciones, QString("SIN OBSERVACIONES"));
}

void TstOperationForm::emojiAreRefusedAndCutsKeepWholeCharacters()
{
    TRevisionAnualForm &f = open("R");
    QSignalSpy refused(&f, &TRevisionAnualForm::keyRefused);
    const QString emoji = QStringLiteral("\U0001F600"); // one key, two UTF-16 units
    type(control<QLineEdit>(f, "NombreEdit"), "perez");
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, emoji);
    QApplication::sendEvent(control<QLineEdit>(f, "NombreEdit"), &press);
    QCOMPARE(control<QLineEdit>(f, "NombreEdit")->text(), QString("PEREZ"));
    QCOMPARE(refused.count(), 1);
    // Pasted text loses what could not be typed.
    control<QLineEdit>(f, "NombreEdit")->insert(" ana" + emoji + QStringLiteral("!"));
    QCOMPARE(control<QLineEdit>(f, "NombreEdit")->text(), QString("PEREZ ANA"));
    QCOMPARE(refused.count(), 2);

    // A cut at the column's width never splits a character in two.
    const QString seventeen = QString(17, 'L');
    control<QLineEdit>(f, "LocalidadEdit")->setText(seventeen + emoji);
    QCOMPARE(control<QLineEdit>(f, "LocalidadEdit")->text(), seventeen);
    control<QLineEdit>(f, "LocalidadEdit")->clear();
    type(control<QLineEdit>(f, "LocalidadEdit"), seventeen);
    control<QLineEdit>(f, "LocalidadEdit")->insert(emoji);
    QCOMPARE(f.record().localidad, seventeen);
    control<QLineEdit>(f, "LocalidadEdit")->setText("RIO " + emoji + " CUARTO");
    QCOMPARE(f.record().localidad, "RIO " + emoji + " CUARTO"); // a whole emoji that fits stays
}

void TstOperationForm::freeTextStopsAtItsColumnWidth()
{
    TRevisionAnualForm &f = open("M");
    OperationRecord r = f.record();
    r.hasSecondRegulator = true;
    f.applyRecord(r);
    const QString thirty = QString(30, '7');
    // Widths of temp_reg.rcodregh / rnroserie and temp_usr.utipdoc.
    for (QLineEdit *e :
         {control<QLineEdit>(f, "CodigoRegularEdit"), control<QLineEdit>(f, "CodigoReguladorNuevoEdit")}) {
        type(e, "abcdef");
        QCOMPARE(e->text(), QString("ABCD"));
    }
    for (QLineEdit *e :
         {control<QLineEdit>(f, "NroSerieReguladorEdit"), control<QLineEdit>(f, "NroSerieReguladorNuevoEdit")}) {
        type(e, thirty);
        QCOMPARE(e->text(), QString(25, '7'));
    }
    control<QComboBox>(f, "DNIComboBox")->lineEdit()->selectAll();
    type(control<QComboBox>(f, "DNIComboBox")->lineEdit(), "pasaporte del mercosur");
    QCOMPARE(f.record().tipoDoc, QString("PASAPORTE "));
}

void TstOperationForm::aFullFieldSaysSoAndALongPasteIsRefused()
{
    QStringList boxes;
    Msg::setHook([&boxes](Msg::Kind, const QString &text) {
        boxes << text;
        return false;
    });
    struct Unhook {
        ~Unhook() { Msg::setHook({}); }
    } unhook;
    TRevisionAnualForm &f = open("R");

    // The key that no longer goes in is told, not swallowed silently.
    const QString ninety = QString(90, 'X');
    control<QLineEdit>(f, "EditObs")->setText(ninety);
    control<QLineEdit>(f, "EditObs")->setFocus(Qt::TabFocusReason);
    control<QLineEdit>(f, "EditObs")->end(false);
    QTest::keyClick(control<QLineEdit>(f, "EditObs"), Qt::Key_A);
    QCOMPARE(control<QLineEdit>(f, "EditObs")->text(), ninety);
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), Widgets::fullFieldNote(90));
    QToolTip::hideText();
    control<QLineEdit>(f, "EditObs")->selectAll(); // typing over a selection still goes in
    QTest::keyClick(control<QLineEdit>(f, "EditObs"), Qt::Key_A);
    QCOMPARE(control<QLineEdit>(f, "EditObs")->text(), QString("A"));
    QToolTip::hideText();
    control<QComboBox>(f, "DNIComboBox")->setFocus(Qt::TabFocusReason); // an editable list, typed into as the user does
    control<QComboBox>(f, "DNIComboBox")->lineEdit()->selectAll();
    QTest::keyClicks(control<QComboBox>(f, "DNIComboBox"), "pasaporte x");
    QCOMPARE(control<QComboBox>(f, "DNIComboBox")->currentText(), QString("PASAPORTE "));
    QTRY_VERIFY(QToolTip::isVisible());
    QCOMPARE(QToolTip::text(), Widgets::fullFieldNote(10));

    // A paste that does not fit leaves the field as it was, with a message;
    // one that fits goes in. Ctrl+V and the field's menu alike.
    control<QLineEdit>(f, "CodigoEdit")->setFocus(Qt::TabFocusReason);
    QGuiApplication::clipboard()->setText("X5000ABC");
    QTest::keyClick(control<QLineEdit>(f, "CodigoEdit"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(control<QLineEdit>(f, "CodigoEdit")->text(), QString());
    QCOMPARE(boxes, QStringList{Widgets::pasteTooLongText(8, 4, 4)});
    QGuiApplication::clipboard()->setText("5000");
    QTest::keyClick(control<QLineEdit>(f, "CodigoEdit"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(control<QLineEdit>(f, "CodigoEdit")->text(), QString("5000"));

    control<QLineEdit>(f, "CodigoEdit")->setText("55");
    QGuiApplication::clipboard()->setText("123");
    const auto pasteFromMenu = [&] {
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(2, 2),
                                    control<QLineEdit>(f, "CodigoEdit")->mapToGlobal(QPoint(2, 2)));
        QApplication::sendEvent(control<QLineEdit>(f, "CodigoEdit"), &menuEvent);
        QTRY_VERIFY(qobject_cast<QMenu *>(QApplication::activePopupWidget()));
        auto *menu = static_cast<QMenu *>(QApplication::activePopupWidget());
        QAction *paste = menu->findChild<QAction *>("edit-paste");
        QVERIFY(paste && paste->isEnabled());
        paste->trigger();
        menu->close();
    };
    pasteFromMenu();
    QCOMPARE(control<QLineEdit>(f, "CodigoEdit")->text(), QString("55"));
    QCOMPARE(boxes.size(), 2);
    QCOMPARE(boxes.last(), Widgets::pasteTooLongText(3, 2, 4));
    QGuiApplication::clipboard()->setText("12");
    pasteFromMenu();
    QCOMPARE(control<QLineEdit>(f, "CodigoEdit")->text(), QString("5512"));
    QCOMPARE(boxes.size(), 2);
}

void TstOperationForm::localityProvinceAndExpiryRules()
{
    TRevisionAnualForm &f = open("R");
    control<QLineEdit>(f, "LocalidadEdit")->setFocus(Qt::TabFocusReason);
    QCOMPARE(control<QLineEdit>(f, "LocalidadEdit")->text(), QString("VILLA MARIA"));
    control<QLineEdit>(f, "LocalidadEdit")->setText("RIO CUARTO");
    leave(control<QLineEdit>(f, "LocalidadEdit"), control<QLineEdit>(f, "CodigoEdit"));
    control<QLineEdit>(f, "LocalidadEdit")->setFocus(Qt::TabFocusReason);
    QCOMPARE(control<QLineEdit>(f, "LocalidadEdit")->text(), QString("RIO CUARTO"));

    control<QComboBox>(f, "ProvinciaComboBox")->setEditText("cordoba");
    leave(control<QComboBox>(f, "ProvinciaComboBox"), control<QLineEdit>(f, "CodigoEdit"));
    QVERIFY(prompter.log.isEmpty());
    control<QComboBox>(f, "ProvinciaComboBox")->setEditText("ROSARIO");
    leave(control<QComboBox>(f, "ProvinciaComboBox"), control<QLineEdit>(f, "CodigoEdit"));
    QCOMPARE(last(prompter), QString("Provincia invalida."));
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QComboBox>(f, "ProvinciaComboBox")));

    control<QComboBox>(f, "ProvinciaComboBox")->setCurrentText("SANTA FE");
    prompter.log.clear();
    control<QDateEdit>(f, "DateTimePickerHabilitacion")->setDate(QDate(2026, 6, 15));
    control<QDateEdit>(f, "DateTimePickerVencimiento")->setDate(QDate(2027, 6, 15));
    leave(control<QDateEdit>(f, "DateTimePickerVencimiento"), control<QLineEdit>(f, "EditObs"));
    QVERIFY(prompter.log.isEmpty());
    control<QDateEdit>(f, "DateTimePickerVencimiento")->setDate(QDate(2027, 6, 16));
    leave(control<QDateEdit>(f, "DateTimePickerVencimiento"), control<QLineEdit>(f, "EditObs"));
    QCOMPARE(last(prompter), QString("Fecha de Vencimiento Invalida."));
}

void TstOperationForm::cylinderGridAndDetails()
{
    TRevisionAnualForm &f = open("H");
    CylinderRow a;
    a.codigo = "C101";
    a.nroSerie = "SN-1";
    a.capacidad = 60;
    a.valCod = "V1";
    a.valNro = "VN-1";
    a.nroCertif = "ABCD000123";
    CylinderRow b = a;
    b.codigo = "C202";
    b.valCod = "V2";
    b.rvalCod = "V9";
    b.rvalGest = "MONTAJE";
    f.setCylinders({a, b});
    QCOMPARE(f.cylinderList()->rowCount(), 2);
    QCOMPARE(f.cylinderList()->index(1, 0).data().toString(), QString("C202"));
    QCOMPARE(f.cylinderList()->index(0, 4).data().toString(), QString("60"));
    QCOMPARE(control<QLineEdit>(f, "DBEditValCod")->text(), QString("V1")); // the first row is selected
    QCOMPARE(control<QLineEdit>(f, "DBEditNroCertif")->text(), QString("ABCD000123"));
    control<QTableView>(f, "DBGrid1")->selectRow(1);
    QCOMPARE(control<QLineEdit>(f, "DBEditValCod")->text(), QString("V2"));
    QCOMPARE(control<QLineEdit>(f, "DBEditRValCod")->text(), QString("V9"));
    QCOMPARE(f.record().cylinders.size(), 2);
    f.setCylinders({});
    QCOMPARE(control<QLineEdit>(f, "DBEditValCod")->text(), QString()); // no stale details of a removed row
}

void TstOperationForm::progressPanel()
{
    TRevisionAnualForm &f = open("R");
    QVERIFY(!control<QFrame>(f, "PanelTareas")->isVisible());
    f.showProgress(2);
    QVERIFY(control<QFrame>(f, "PanelTareas")->isVisible());
    f.addProgressStep("Leyendo operación");
    f.addProgressStep("Leyendo cilindros");
    QCOMPARE(control<QProgressBar>(f, "ProgressBarTareas")->value(), 2);
    QCOMPARE(control<QPlainTextEdit>(f, "MemoTareas")->toPlainText(),
             QStringLiteral("Leyendo operación\nLeyendo cilindros"));
    f.hideProgress();
    QVERIFY(!control<QFrame>(f, "PanelTareas")->isVisible());
}

// Controls narrower than they need at the form's own size (1366x768 below
// the taskbar): labels and buttons cut, fields narrower than their column.
static QStringList narrowControls(TRevisionAnualForm &f)
{
    QStringList narrow;
    for (QWidget *w : f.findChildren<QWidget *>()) {
        if (!w->isVisibleTo(&f) || control<QFrame>(f, "PanelTareas")->isAncestorOf(w) ||
            qobject_cast<QAbstractSpinBox *>(w->parentWidget()) || qobject_cast<QComboBox *>(w->parentWidget()))
            continue;
        int need = 0;
        if (auto *e = qobject_cast<QLineEdit *>(w))
            need = e->maxLength() < 32767 ? Widgets::charsWidth(e->fontMetrics(), e->maxLength()) : 0;
        else if (qobject_cast<QLabel *>(w) || qobject_cast<QAbstractButton *>(w))
            need = w->sizeHint().width();
        else if (!qobject_cast<QComboBox *>(w) && !qobject_cast<QAbstractSpinBox *>(w))
            continue;
        need = std::max({need, w->minimumSizeHint().width(), w->minimumWidth()});
        if (w->width() < need)
            narrow << QString("%1 %2<%3").arg(w->objectName(), QString::number(w->width()), QString::number(need));
    }
    return narrow;
}

void TstOperationForm::everyControlKeepsItsWidthAt1366x768()
{
    Global.ManagesWorkshop = 1; // "Traer desde OC" too
    CylinderRow longest;
    longest.codigo = "WWWW";
    longest.nroSerie = QString(25, 'W');
    longest.gestion = "SIN CAMBIOS";
    longest.fabricac = longest.uphFecha = "12/2020";
    longest.uphTaller = "WWWW";
    longest.uphResult = "RECHAZADO";
    longest.capacidad = 120;
    for (const InstallationProfile &p : installationProfiles()) {
        Global.InstallationId = p.installationId;
        for (const char *kind : {"M", "#"}) {
            TRevisionAnualForm &f = open(kind);
            OperationRecord r = f.record();
            r.hasSecondRegulator = true; // the tallest form
            r.cylinders = {longest};
            f.applyRecord(r);
            f.setCylinders(r.cylinders);
            QCoreApplication::processEvents();
            const QSize least = f.minimumSizeHint();
            QVERIFY2(least.width() <= 1330 && least.height() <= 690,
                     qPrintable(QString("%1 %2: %3x%4").arg(p.name, kind).arg(least.width()).arg(least.height())));
            f.resize(1330, 690);
            QCoreApplication::processEvents();
            const QStringList narrow = narrowControls(f);
            QVERIFY2(narrow.isEmpty(), qPrintable(p.name + " " + kind + ": " + narrow.join(", ")));
            // The cylinder grid shows all its columns without scrolling.
            QVERIFY(!control<QTableView>(f, "DBGrid1")->horizontalScrollBar()->isVisible());
        }
    }
}

// Look check: TARVIL_SCREENSHOT_DIR=/tmp/x writes the form of each kind.
void TstOperationForm::screenshot()
{
    const QString dir = qEnvironmentVariable("TARVIL_SCREENSHOT_DIR");
    if (dir.isEmpty())
        QSKIP("TARVIL_SCREENSHOT_DIR not set");
    Global.InstallationId = qEnvironmentVariable("TARVIL_SCREENSHOT_PROFILE");
    for (const QString &kind : QStringList{"C", "R", "B", "#"}) {
        TRevisionAnualForm &f = open(kind);
        CylinderRow c;
        c.codigo = "I060";
        c.nroSerie = "GNC-2018-000123456789";
        c.cNuevo = "NO";
        c.gestion = "SIN CAMBIOS";
        c.capacidad = 60;
        c.fabricac = c.uphFecha = "03/2018";
        c.uphTaller = "FAB";
        c.uphResult = "APROBADO";
        c.valCod = "V101";
        c.valNro = "VAL-55";
        c.valGest = "SIN CAMBIOS";
        f.setCylinders({c, c});
        QCoreApplication::processEvents();
        QVERIFY(f.grab().save(QDir(dir).filePath(QString("opform-%1.png").arg(kind == "#" ? "view" : kind))));
    }
}

QTEST_MAIN(TstOperationForm)
#include "tst_operationform.moc"
