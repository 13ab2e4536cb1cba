#include "controls.h"
#include "core/global.h"
#include "core/lookuprules.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "operations/cylinders/cylinderactions.h"
#include "operations/cylinders/cylinderlist.h"
#include "operations/cylinders/regulatorlookup.h"
#include "operations/cylinders/tdatoscilindroform.h"
#include "operations/cylinders/tremplazovalvulaform.h"
#include "operations/lookups/catalogsearchdialog.h"
#include "operations/trevisionanualform.h"
#include "scriptedprompter.h"
#include "testdb.h"
#include "widgets/modalrun.h"
#include "widgets/textfield.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>
#include <QtTest>
#include <memory>

namespace
{

const QString kDb = QStringLiteral("t_cylinderdialog");

// What a look-up opened by the code under test showed, and the answer given.
struct LookupSeen {
    QString dialog;     // objectName of the window
    QString searchText; // search box when it appeared
    QStringList codes;  // first grid column when it appeared
    bool aceptarDefault = false;
};

} // namespace

class TstCylinderDialog : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void activationDefaultsFollowTheKind_data();
    void activationDefaultsFollowTheKind();

    void certificateIsZeroFilledAfterKnownCentre();
    void certificateWithUnknownCentreOrLettersKeepsText_data();
    void certificateWithUnknownCentreOrLettersKeepsText();

    void fabCopiesFabricationDateThenRefusesAChangedOne();
    void clickingAceptarFromAFieldRunsItsRuleFirst();
    void unknownCentreOpensCrpcLookup();
    void unknownCylinderCodeIsLookedUpAmongContainingCodes();
    void emptyCylinderCodeOpensPlainLookupAndCancelKeepsFocus();
    void leavingFieldsRunsRulesUnlessGoingToCancelar();
    void valveCodeCheckedOnLeavingExceptInDismantling();

    void aceptarStoresTheRow();
    void blankRequiredFieldsAreHighlightedAndStay();
    void halfTypedDatesAreRefused();
    void fieldsKeepToTheirColumns();
    void modificationWarnsAboutValveOnAnotherDomain();
    void cancelAbandonsAppendedAndEditedRows();

    void addPresetsConversionRow();
    void deleteAsksAndEmptyListChangesNothing();
    void valveReplacementSetsManagementAndCancelUndoesIt();
    void replacementCodeLookupHasNoMessage();
    void replacementMovesOnEnterAndNeedsItsSerial();
    void gridShowsWorkTableColumns();

    void regulatorLookUpFillsBrandOrSearches();
    void regulatorManagementInModification();
    void everyChangedRegulatorCodeIsChecked();
    void operationFormButtonsAreWired();

private:
    void sql(const QString &text);
    void hookLookups(int answerRow); // -1: cancel
    void fillValid(TDatosCilindroForm &dlg);
    void editStoredCylinder(); // a stored cylinder "A-1" being edited, as a replacement finds it
    LocalTable &table() { return localStore().table(LocalTableId::Cylinders); }

    QSqlDatabase m_db;
    ScriptedPrompter m_prompter;
    QList<LookupSeen> m_lookups;
};

void TstCylinderDialog::sql(const QString &text)
{
    QSqlQuery q(m_db);
    QVERIFY2(q.exec(text), qPrintable(text));
}

void TstCylinderDialog::initTestCase()
{
    m_db = TestDb::create(kDb);
    dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QString()});
    sql(QStringLiteral("insert into codcil (CODIGO, MARCA, MODELO, VENC) values "
                       "('C100', 'FABER', 'F60', 5), ('C210', 'INFLEX', 'I40', 3), ('D300', 'OTRA', 'O1', 5)"));
    sql(QStringLiteral("insert into codcrp (CODIGO, NOMBRE) values ('ABCD', 'CENTRO NORTE'), "
                       "('FAB', 'PRUEBA DE FABRICA'), ('QRST', 'CENTRO SUR')"));
    sql(QStringLiteral(
        "insert into valcod (CODVAL, MARCA, MODELO, TIPO) values "
        "('V101', 'TOMASETTO', 'T1', 'MANUAL'), ('V102', 'LANDI', 'L1', 'AUTO'), ('W900', 'X', 'X', 'X')"));
    sql(QStringLiteral("insert into codreg (CODIGO, MARCA, MODELO) values "
                       "('R100', 'ACME', 'A1'), ('R150', 'BETA', 'B1'), ('S200', 'GAMA', 'G1')"));
    sql(QStringLiteral("insert into cil (peccod, talcuit, tnrointopr, udominio, cilcodh, cnroserie, valcod, valnro) "
                       "values ('PEC1', '20-1', 1, 'OTRO999', 'C100', 'S-OLD', 'V101', 'VN-77')"));
    table().open();
}

void TstCylinderDialog::init()
{
    table().empty();
    m_prompter.log.clear();
    m_prompter.answers.clear();
    m_lookups.clear();
    hookLookups(-1);
}

void TstCylinderDialog::cleanup()
{
    Widgets::setExecHook({});
}

void TstCylinderDialog::cleanupTestCase()
{
    table().close();
    dm1().closeAll();
    TestDb::drop(kDb);
}

void TstCylinderDialog::hookLookups(int answerRow)
{
    Widgets::setExecHook([this, answerRow](QDialog &d) {
        auto *search = qobject_cast<Lookups::CatalogSearchDialog *>(&d);
        if (!search) // an entry dialog: left to the test
            return int(QDialog::Rejected);
        LookupSeen seen;
        seen.dialog = d.objectName();
        seen.searchText = control<QLineEdit>(search, "Edit1")->text();
        for (int r = 0; r < search->gridModel()->rowCount(); ++r)
            seen.codes << search->gridModel()->index(r, 0).data().toString();
        seen.aceptarDefault = control<QPushButton>(search, "BitBtnAceptar")->isDefault();
        m_lookups << seen;
        if (answerRow < 0)
            return int(QDialog::Rejected);
        if (search->gridModel()->rowCount() == 0) {
            control<QLineEdit>(search, "Edit1")->setText(QString());
            search->BuscarClick(); // the whole catalogue
        }
        search->selectRow(answerRow);
        return int(QDialog::Accepted);
    });
}

void TstCylinderDialog::editStoredCylinder()
{
    table().append();
    table().setText(QStringLiteral("NROSERIE"), QStringLiteral("A-1"));
    table().post();
    table().edit();
}

void TstCylinderDialog::fillValid(TDatosCilindroForm &dlg)
{
    control<QLineEdit>(dlg, "EditCODIGO")->setText(QStringLiteral("C100"));
    control<QLineEdit>(dlg, "EditNROSERIE")->setText(QStringLiteral("S-1"));
    control<QComboBox>(dlg, "ComboCNUEVO")->setCurrentText(QStringLiteral("NO"));
    control<QComboBox>(dlg, "ComboGESTION")->setCurrentText(QStringLiteral("SIN CAMBIOS"));
    control<QLineEdit>(dlg, "EditCAPACIDAD")->setText(QStringLiteral("60"));
    control<QLineEdit>(dlg, "EditFABRICAC")->setText(QStringLiteral("06/2015"));
    control<QLineEdit>(dlg, "EditUPHTALLER")->setText(QStringLiteral("ABCD"));
    control<QLineEdit>(dlg, "EditUPHFECHA")->setText(QStringLiteral("07/2020"));
    control<QComboBox>(dlg, "ComboUPHRESULT")->setCurrentText(QStringLiteral("APROBADO"));
    control<QLineEdit>(dlg, "EditVALCOD")->setText(QStringLiteral("V101"));
    control<QLineEdit>(dlg, "EditVALNRO")->setText(QStringLiteral("VN-1"));
    control<QComboBox>(dlg, "ComboVALGEST")->setCurrentText(QStringLiteral("SIN CAMBIOS"));
    control<QLineEdit>(dlg, "EditNROCERTIF")->setText(QStringLiteral("ABCD000123"));
}

void TstCylinderDialog::activationDefaultsFollowTheKind_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("nuevo");
    QTest::addColumn<QString>("gestion");
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("enabled"); // nuevo, gestion, result: 1/0
    QTest::newRow("renewal") << "R"
                             << "NO"
                             << "SIN CAMBIOS"
                             << "APROBADO"
                             << "000";
    QTest::newRow("conversion") << "C"
                                << "SI"
                                << "MONTAJE"
                                << "APROBADO"
                                << "100";
    QTest::newRow("modification") << "M"
                                  << "SI"
                                  << "BAJA"
                                  << "RECHAZADO"
                                  << "111";
}

void TstCylinderDialog::activationDefaultsFollowTheKind()
{
    QFETCH(QString, kind);
    QFETCH(QString, nuevo);
    QFETCH(QString, gestion);
    QFETCH(QString, result);
    QFETCH(QString, enabled);
    // A stored row that the kind may overwrite.
    table().append();
    table().setText(QStringLiteral("CNUEVO"), QStringLiteral("SI"));
    table().setText(QStringLiteral("GESTION"), QStringLiteral("BAJA"));
    table().setText(QStringLiteral("UPHRESULT"), QStringLiteral("RECHAZADO"));
    TDatosCilindroForm dlg(table(), kind, QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Datos del Cilindro"));
    QCOMPARE(control<QComboBox>(dlg, "ComboCNUEVO")->currentText(), nuevo);
    QCOMPARE(control<QComboBox>(dlg, "ComboGESTION")->currentText(), gestion);
    QCOMPARE(control<QComboBox>(dlg, "ComboUPHRESULT")->currentText(), result);
    QCOMPARE(QString("%1%2%3")
                 .arg(int(control<QComboBox>(dlg, "ComboCNUEVO")->isEnabled()))
                 .arg(int(control<QComboBox>(dlg, "ComboGESTION")->isEnabled()))
                 .arg(int(control<QComboBox>(dlg, "ComboUPHRESULT")->isEnabled())),
             enabled);
}

void TstCylinderDialog::certificateIsZeroFilledAfterKnownCentre()
{
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    control<QLineEdit>(dlg, "EditNROCERTIF")->setText(QStringLiteral("ABCD123"));
    dlg.EditNROCERTIFExit();
    QCOMPARE(control<QLineEdit>(dlg, "EditNROCERTIF")->text(), QStringLiteral("ABCD000123"));
    // Already normal: unchanged; empty: nothing is checked.
    dlg.EditNROCERTIFExit();
    QCOMPARE(control<QLineEdit>(dlg, "EditNROCERTIF")->text(), QStringLiteral("ABCD000123"));
    control<QLineEdit>(dlg, "EditNROCERTIF")->clear();
    dlg.EditNROCERTIFExit();
    QVERIFY(m_prompter.log.isEmpty());
}

void TstCylinderDialog::certificateWithUnknownCentreOrLettersKeepsText_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown centre") << "ZZZZ123"
                                    << "Número de Certificado no válido: Verificar código de CRCP.";
    QTest::newRow("letters in the number")
        << "ABCD12X"
        << "Número de Certificado no válido: después del código de CRPC van hasta 6 dígitos.";
    QTest::newRow("sign in the number")
        << "ABCD-12"
        << "Número de Certificado no válido: después del código de CRPC van hasta 6 dígitos.";
    QTest::newRow("centre only") << "ABCD"
                                 << "Número de Certificado no válido: después del código de CRPC van hasta 6 dígitos.";
}

void TstCylinderDialog::certificateWithUnknownCentreOrLettersKeepsText()
{
    QFETCH(QString, typed);
    QFETCH(QString, message);
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    control<QLineEdit>(dlg, "EditNROCERTIF")->setText(typed);
    dlg.EditNROCERTIFExit();
    QCOMPARE(control<QLineEdit>(dlg, "EditNROCERTIF")->text(), typed);
    // The shared dialog's error, not a message box.
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("alert: ") + message});
}

void TstCylinderDialog::fabCopiesFabricationDateThenRefusesAChangedOne()
{
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    fillValid(dlg);
    control<QLineEdit>(dlg, "EditNROCERTIF")->clear();
    control<QLineEdit>(dlg, "EditUPHFECHA")->clear();
    control<QLineEdit>(dlg, "EditUPHTALLER")->setText(QStringLiteral("FAB"));
    dlg.EditUPHTALLERExit();
    QVERIFY(m_prompter.log.isEmpty());
    QCOMPARE(control<QLineEdit>(dlg, "EditUPHFECHA")->text(), QStringLiteral("06/2015"));

    control<QLineEdit>(dlg, "EditUPHFECHA")->setText(QStringLiteral("07/2016"));
    dlg.BitBtnAceptarClick();
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: Las fechas no pueden ser distintas si la UPH es FAB")});
    QVERIFY(dlg.isVisible());
    QCOMPARE(table().count(), 0);

    // Back to the fabrication date, the row goes in.
    control<QLineEdit>(dlg, "EditUPHFECHA")->setText(QStringLiteral("06/2015"));
    dlg.BitBtnAceptarClick();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(table().count(), 1);
    QCOMPARE(table().text(QStringLiteral("UPHFECHA")), QStringLiteral("06/2015"));
}

void TstCylinderDialog::unknownCentreOpensCrpcLookup()
{
    hookLookups(0);
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    control<QLineEdit>(dlg, "EditUPHTALLER")->setText(QStringLiteral("XX"));
    dlg.EditUPHTALLERExit();
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: CRPC no encontrado.")});
    QCOMPARE(m_lookups.size(), 1);
    QCOMPARE(m_lookups.first().dialog, QStringLiteral("TBuscarCRPCForm"));
    QCOMPARE(m_lookups.first().searchText, QString()); // plain opening
    QCOMPARE(control<QLineEdit>(dlg, "EditUPHTALLER")->text(), QStringLiteral("ABCD"));

    // The button beside the field searches the centre names with the text.
    m_lookups.clear();
    control<QLineEdit>(dlg, "EditUPHTALLER")->setText(QStringLiteral("SUR"));
    control<QToolButton>(dlg, "SpeedButtonCRPC")->click();
    QCOMPARE(m_lookups.size(), 1);
    QCOMPARE(m_lookups.first().searchText, QStringLiteral("SUR"));
    QCOMPARE(m_lookups.first().codes, QStringList{QStringLiteral("QRST")});
    QCOMPARE(control<QLineEdit>(dlg, "EditUPHTALLER")->text(), QStringLiteral("QRST"));
}

void TstCylinderDialog::unknownCylinderCodeIsLookedUpAmongContainingCodes()
{
    hookLookups(1);
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    control<QLineEdit>(dlg, "EditCODIGO")->setText(QStringLiteral("10"));
    dlg.EditCODIGOExit();
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: Código de Cilindro no encontrado.")});
    QCOMPARE(m_lookups.size(), 1);
    QCOMPARE(m_lookups.first().dialog, QStringLiteral("TBuscarCilindroForm"));
    QCOMPARE(m_lookups.first().searchText, QStringLiteral("10"));
    QCOMPARE(m_lookups.first().codes, (QStringList{QStringLiteral("C100"), QStringLiteral("C210")}));
    QVERIFY(m_lookups.first().aceptarDefault);
    QCOMPARE(control<QLineEdit>(dlg, "EditCODIGO")->text(), QStringLiteral("C210"));

    // A known code is accepted quietly and keeps the typed capacity (the
    // catalogue carries none).
    m_prompter.log.clear();
    m_lookups.clear();
    control<QLineEdit>(dlg, "EditCAPACIDAD")->setText(QStringLiteral("45"));
    control<QLineEdit>(dlg, "EditCODIGO")->setText(QStringLiteral("D300"));
    dlg.EditCODIGOExit();
    QVERIFY(m_prompter.log.isEmpty());
    QVERIFY(m_lookups.isEmpty());
    QCOMPARE(control<QLineEdit>(dlg, "EditCAPACIDAD")->text(), QStringLiteral("45"));

    // A typed wildcard finds nothing and the typed text stays.
    hookLookups(-1);
    control<QLineEdit>(dlg, "EditCODIGO")->setText(QStringLiteral("%"));
    dlg.EditCODIGOExit();
    QCOMPARE(m_lookups.size(), 1);
    QVERIFY(m_lookups.first().codes.isEmpty());
    QCOMPARE(control<QLineEdit>(dlg, "EditCODIGO")->text(), QStringLiteral("%"));
}

void TstCylinderDialog::emptyCylinderCodeOpensPlainLookupAndCancelKeepsFocus()
{
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    control<QLineEdit>(dlg, "EditNROSERIE")->setFocus();
    control<QToolButton>(dlg, "SpeedButtonCodigo")->click();
    QVERIFY(m_prompter.log.isEmpty());
    QCOMPARE(m_lookups.size(), 1);
    QCOMPARE(m_lookups.first().searchText, QString());
    QVERIFY(m_lookups.first().codes.isEmpty());
    QCOMPARE(control<QLineEdit>(dlg, "EditCODIGO")->text(), QString());
    QCOMPARE(dlg.focusWidget(), control<QLineEdit>(dlg, "EditCODIGO"));

    hookLookups(0);
    control<QToolButton>(dlg, "SpeedButtonCodigo")->click();
    QCOMPARE(control<QLineEdit>(dlg, "EditCODIGO")->text(), QStringLiteral("C100"));
    QCOMPARE(dlg.focusWidget(), control<QLineEdit>(dlg, "EditNROSERIE"));
}

void TstCylinderDialog::leavingFieldsRunsRulesUnlessGoingToCancelar()
{
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    const auto leave = [](QWidget *from, QWidget *to) {
        from->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        to->setFocus(Qt::TabFocusReason);
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
    };
    control<QLineEdit>(dlg, "EditCODIGO")->setText(QStringLiteral("ZZ"));
    leave(control<QLineEdit>(dlg, "EditCODIGO"), control<QPushButton>(dlg, "BitBtnCancelar"));
    QVERIFY(m_prompter.log.isEmpty());

    leave(control<QLineEdit>(dlg, "EditCODIGO"), control<QLineEdit>(dlg, "EditNROSERIE"));
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: Código de Cilindro no encontrado.")});
    QCOMPARE(m_lookups.size(), 1);

    // The look-up took the activation; back in the dialog with a known code
    // (an unknown one would be checked again on leaving it).
    control<QLineEdit>(dlg, "EditCODIGO")->setText(QStringLiteral("C100"));
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    control<QLineEdit>(dlg, "EditNROCERTIF")->setText(QStringLiteral("ABCD7"));
    leave(control<QLineEdit>(dlg, "EditNROCERTIF"), control<QLineEdit>(dlg, "EditVALNRO"));
    QCOMPARE(control<QLineEdit>(dlg, "EditNROCERTIF")->text(), QStringLiteral("ABCD000007"));
}

void TstCylinderDialog::valveCodeCheckedOnLeavingExceptInDismantling()
{
    table().append();
    {
        TDatosCilindroForm dlg(table(), QStringLiteral("B"), QStringLiteral("AAA111"), nullptr, m_prompter);
        dlg.show();
        control<QLineEdit>(dlg, "EditVALCOD")->setText(QStringLiteral("ZZ"));
        dlg.EditVALCODExit();
        QVERIFY(m_prompter.log.isEmpty());
        QVERIFY(m_lookups.isEmpty());
        // The button checks whatever the kind.
        control<QToolButton>(dlg, "SpeedButtonValvula")->click();
        QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: Código de válvula no encontrado.")});
        dlg.BitBtnCancelarClick();
    }
    m_prompter.log.clear();
    m_lookups.clear();
    hookLookups(0);
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("C"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    control<QLineEdit>(dlg, "EditVALCOD")->setText(QStringLiteral("10"));
    dlg.EditVALCODExit();
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: Código de válvula no encontrado.")});
    QCOMPARE(m_lookups.first().dialog, QStringLiteral("TBuscarValvulaCilindroForm"));
    QCOMPARE(m_lookups.first().codes, (QStringList{QStringLiteral("V101"), QStringLiteral("V102")}));
    QCOMPARE(control<QLineEdit>(dlg, "EditVALCOD")->text(), QStringLiteral("V101"));
}

void TstCylinderDialog::aceptarStoresTheRow()
{
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    fillValid(dlg);
    control<QPushButton>(dlg, "BitBtnAceptar")->click();
    QVERIFY(m_prompter.log.isEmpty());
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(table().count(), 1);
    table().first();
    QCOMPARE(table().text(QStringLiteral("CODIGO")), QStringLiteral("C100"));
    QCOMPARE(table().text(QStringLiteral("NROSERIE")), QStringLiteral("S-1"));
    QCOMPARE(table().integer(QStringLiteral("CAPACIDAD")), 60);
    QCOMPARE(table().text(QStringLiteral("FABRICAC")), QStringLiteral("06/2015"));
    QCOMPARE(table().text(QStringLiteral("UPHTALLER")), QStringLiteral("ABCD"));
    QCOMPARE(table().text(QStringLiteral("UPHFECHA")), QStringLiteral("07/2020"));
    QCOMPARE(table().text(QStringLiteral("UPHRESULT")), QStringLiteral("APROBADO"));
    QCOMPARE(table().text(QStringLiteral("VALCOD")), QStringLiteral("V101"));
    QCOMPARE(table().text(QStringLiteral("VALNRO")), QStringLiteral("VN-1"));
    QCOMPARE(table().text(QStringLiteral("NROCERTIF")), QStringLiteral("ABCD000123"));
    // A renewal forces these whatever was chosen.
    QCOMPARE(table().text(QStringLiteral("CNUEVO")), QStringLiteral("NO"));
    QCOMPARE(table().text(QStringLiteral("GESTION")), QStringLiteral("SIN CAMBIOS"));
}

void TstCylinderDialog::clickingAceptarFromAFieldRunsItsRuleFirst()
{
    const auto open = [this] {
        auto dlg = std::make_unique<TDatosCilindroForm>(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr,
                                                        m_prompter);
        dlg->show();
        dlg->activateWindow();
        return dlg;
    };
    const auto typeIn = [](QLineEdit *field, const QString &text) {
        field->setFocus();
        field->setText(text);
    };
    table().append();
    auto dlg = open();
    QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
    fillValid(*dlg);
    // The click takes the focus from the certificate: it is completed first.
    typeIn(control<QLineEdit>(dlg, "EditNROCERTIF"), QStringLiteral("ABCD123"));
    QTest::mouseClick(control<QPushButton>(dlg, "BitBtnAceptar"), Qt::LeftButton);
    QCOMPARE(dlg->result(), int(QDialog::Accepted));
    table().first();
    QCOMPARE(table().text(QStringLiteral("NROCERTIF")), QStringLiteral("ABCD000123"));

    // "FAB" typed and "Aceptar" clicked from code: the fabrication date is its test date.
    table().edit();
    dlg = open();
    QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
    typeIn(control<QLineEdit>(dlg, "EditUPHTALLER"), QStringLiteral("FAB"));
    control<QLineEdit>(dlg, "EditNROCERTIF")->clear();
    control<QPushButton>(dlg, "BitBtnAceptar")->click();
    QVERIFY2(m_prompter.log.isEmpty(), qPrintable(m_prompter.log.join(QLatin1Char('|'))));
    QCOMPARE(dlg->result(), int(QDialog::Accepted));
    table().first();
    QCOMPARE(table().text(QStringLiteral("UPHFECHA")), QStringLiteral("06/2015"));

    // A certificate of an unknown centre stops "Aceptar" on the field.
    table().edit();
    dlg = open();
    QVERIFY(QTest::qWaitForWindowActive(dlg.get()));
    control<QLineEdit>(dlg, "EditUPHTALLER")->setText(QStringLiteral("ABCD"));
    control<QLineEdit>(dlg, "EditUPHFECHA")->setText(QStringLiteral("07/2020"));
    typeIn(control<QLineEdit>(dlg, "EditNROCERTIF"), QStringLiteral("ZZZZ123"));
    QTest::mouseClick(control<QPushButton>(dlg, "BitBtnAceptar"), Qt::LeftButton);
    QVERIFY(dlg->isVisible());
    QCOMPARE(m_prompter.log,
             QStringList{QStringLiteral("alert: Número de Certificado no válido: Verificar código de CRCP.")});
    QCOMPARE(dlg->focusWidget(), control<QLineEdit>(dlg, "EditNROCERTIF"));
    dlg->BitBtnCancelarClick();
}

void TstCylinderDialog::blankRequiredFieldsAreHighlightedAndStay()
{
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("M"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    fillValid(dlg);
    control<QLineEdit>(dlg, "EditNROSERIE")->clear();
    control<QLineEdit>(dlg, "EditFABRICAC")->clear();
    dlg.BitBtnAceptarClick();
    QCOMPARE(m_prompter.log.last(), QStringLiteral("error: El número de serie no puede quedar en blanco."));
    QVERIFY(dlg.isHighlighted(control<QLineEdit>(dlg, "EditNROSERIE")));
    QVERIFY(control<QLineEdit>(dlg, "EditNROSERIE")->styleSheet().contains(QStringLiteral("255, 128, 128")));
    QVERIFY(!dlg.isHighlighted(control<QLineEdit>(dlg, "EditFABRICAC")));

    control<QLineEdit>(dlg, "EditNROSERIE")->setText(QStringLiteral("S-9"));
    dlg.BitBtnAceptarClick();
    QCOMPARE(m_prompter.log.last(), QStringLiteral("error: La fecha de fabricación no puede quedar en blanco."));
    QVERIFY(dlg.isHighlighted(control<QLineEdit>(dlg, "EditFABRICAC")));
    QVERIFY(dlg.isHighlighted(control<QLineEdit>(dlg, "EditNROSERIE"))); // stays marked

    // A rejected cylinder is confirmed; "No" stops on the result.
    control<QLineEdit>(dlg, "EditFABRICAC")->setText(QStringLiteral("06/2015"));
    control<QComboBox>(dlg, "ComboUPHRESULT")->setCurrentText(QStringLiteral("RECHAZADO"));
    m_prompter.answers = {false};
    dlg.BitBtnAceptarClick();
    QCOMPARE(m_prompter.log.last(), QStringLiteral("question: Esta seguro que el cilindro está rechazado?"));
    QCOMPARE(table().count(), 0);

    // A valve with no certificate outside the factory test stops too.
    m_prompter.answers = {true};
    control<QLineEdit>(dlg, "EditNROCERTIF")->clear();
    dlg.BitBtnAceptarClick();
    QCOMPARE(m_prompter.log.last(), QStringLiteral("warn: No se ingreso el número de Certificado."));
    QCOMPARE(table().count(), 0);
    QVERIFY(dlg.isVisible());
}

// The masks require every digit; what is typed short of that, or a month
// past 12, is refused rather than stored and skipped by the test rules.
void TstCylinderDialog::halfTypedDatesAreRefused()
{
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("M"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    fillValid(dlg);
    for (const char *typed : {"52012", "05201", "132012"}) {
        control<QLineEdit>(dlg, "EditFABRICAC")->clear();
        control<QLineEdit>(dlg, "EditFABRICAC")->setFocus();
        control<QLineEdit>(dlg, "EditFABRICAC")->home(false);
        QTest::keyClicks(control<QLineEdit>(dlg, "EditFABRICAC"), QString::fromLatin1(typed));
        QVERIFY(!control<QLineEdit>(dlg, "EditFABRICAC")->hasAcceptableInput() || QString(typed) == "132012");
        dlg.BitBtnAceptarClick();
        QVERIFY2(
            m_prompter.log.last().startsWith(QStringLiteral("error: La fecha de fabricación debe tener mes y año")),
            qPrintable(m_prompter.log.last()));
        QVERIFY(dlg.isHighlighted(control<QLineEdit>(dlg, "EditFABRICAC")));
        QCOMPARE(table().count(), 0);
    }
    control<QLineEdit>(dlg, "EditFABRICAC")->setText(QStringLiteral("06/2015"));
    control<QLineEdit>(dlg, "EditUPHFECHA")->setText(QStringLiteral("07/20"));
    dlg.BitBtnAceptarClick();
    QVERIFY(m_prompter.log.last().startsWith(QStringLiteral("error: La fecha de UPH debe tener mes y año")));
    control<QLineEdit>(dlg, "EditUPHFECHA")->setText(QStringLiteral("07/2020"));
    dlg.BitBtnAceptarClick();
    QCOMPARE(table().count(), 1);
    QCOMPARE(table().text(QStringLiteral("FABRICAC")), QStringLiteral("06/2015"));
}

// Both dialogs cut at the work table's widths, between characters, and
// show a whole value.
void TstCylinderDialog::fieldsKeepToTheirColumns()
{
    const QString emoji = QStringLiteral("\U0001F600");
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    control<QLineEdit>(dlg, "EditCODIGO")->setText(QStringLiteral("c1000"));
    QCOMPARE(control<QLineEdit>(dlg, "EditCODIGO")->text(), QStringLiteral("C100"));
    control<QLineEdit>(dlg, "EditNROSERIE")->setText(QString(24, 'S') + emoji);
    QCOMPARE(control<QLineEdit>(dlg, "EditNROSERIE")->text(), QString(24, 'S'));
    for (QLineEdit *e : {control<QLineEdit>(dlg, "EditNROSERIE"), control<QLineEdit>(dlg, "EditVALNRO"),
                         control<QLineEdit>(dlg, "EditNROCERTIF")})
        QVERIFY2(e->width() >= Widgets::charsWidth(e->fontMetrics(), e->maxLength()), qPrintable(e->objectName()));
    dlg.reject();

    editStoredCylinder();
    TRemplazoValvulaForm valve(table(), nullptr, m_prompter);
    valve.show();
    control<QLineEdit>(valve, "EditRVALNRO")->setText(QString(24, 'N') + emoji);
    QCOMPARE(control<QLineEdit>(valve, "EditRVALNRO")->text(), QString(24, 'N'));
    QVERIFY(control<QLineEdit>(valve, "EditRVALNRO")->width() >=
            Widgets::charsWidth(control<QLineEdit>(valve, "EditRVALNRO")->fontMetrics(), 25));
}

void TstCylinderDialog::modificationWarnsAboutValveOnAnotherDomain()
{
    table().append();
    TDatosCilindroForm dlg(table(), QStringLiteral("M"), QStringLiteral("AAA111"), nullptr, m_prompter);
    dlg.show();
    fillValid(dlg);
    control<QLineEdit>(dlg, "EditVALNRO")->setText(QStringLiteral("VN-77"));
    dlg.BitBtnAceptarClick();
    QCOMPARE(m_prompter.log,
             QStringList{QStringLiteral("warn: ojo!! esa válvula está colocada en el dominio: OTRO999")});
    QCOMPARE(table().count(), 1); // a warning only

    // Its own domain, or another kind, says nothing.
    m_prompter.log.clear();
    table().append();
    TDatosCilindroForm own(table(), QStringLiteral("M"), QStringLiteral("OTRO999"), nullptr, m_prompter);
    own.show();
    fillValid(own);
    control<QLineEdit>(own, "EditVALNRO")->setText(QStringLiteral("VN-77"));
    own.BitBtnAceptarClick();
    table().append();
    TDatosCilindroForm renewal(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
    renewal.show();
    fillValid(renewal);
    control<QLineEdit>(renewal, "EditVALNRO")->setText(QStringLiteral("VN-77"));
    renewal.BitBtnAceptarClick();
    QVERIFY(m_prompter.log.isEmpty());
    QCOMPARE(table().count(), 3);
}

void TstCylinderDialog::cancelAbandonsAppendedAndEditedRows()
{
    {
        table().append();
        TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
        dlg.show();
        fillValid(dlg);
        dlg.BitBtnAceptarClick();
    }
    QCOMPARE(table().count(), 1);
    {
        table().append();
        TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
        dlg.show();
        fillValid(dlg);
        control<QPushButton>(dlg, "BitBtnCancelar")->click();
        QCOMPARE(dlg.result(), int(QDialog::Rejected));
    }
    QCOMPARE(table().count(), 1);
    {
        table().moveTo(0);
        table().edit();
        TDatosCilindroForm dlg(table(), QStringLiteral("R"), QStringLiteral("AAA111"), nullptr, m_prompter);
        dlg.show();
        QCOMPARE(control<QLineEdit>(dlg, "EditNROSERIE")->text(), QStringLiteral("S-1"));
        control<QLineEdit>(dlg, "EditNROSERIE")->setText(QStringLiteral("CAMBIADO"));
        dlg.reject(); // the close box
    }
    table().moveTo(0);
    QCOMPARE(table().text(QStringLiteral("NROSERIE")), QStringLiteral("S-1"));
}

void TstCylinderDialog::addPresetsConversionRow()
{
    QStringList seen;
    Widgets::setExecHook([&](QDialog &d) {
        auto &dlg = static_cast<TDatosCilindroForm &>(d);
        seen << control<QComboBox>(dlg, "ComboGESTION")->currentText()
             << control<QComboBox>(dlg, "ComboUPHRESULT")->currentText()
             << control<QComboBox>(dlg, "ComboCNUEVO")->currentText()
             << control<QLineEdit>(dlg, "EditUPHTALLER")->text()
             << control<QComboBox>(dlg, "ComboVALGEST")->currentText();
        fillValid(dlg);
        control<QLineEdit>(dlg, "EditUPHTALLER")->setText(QStringLiteral("FAB"));
        control<QLineEdit>(dlg, "EditUPHFECHA")->setText(control<QLineEdit>(dlg, "EditFABRICAC")->text());
        control<QLineEdit>(dlg, "EditNROCERTIF")->clear();
        dlg.BitBtnAceptarClick();
        return dlg.result();
    });
    const Cylinders::EntryContext c{QStringLiteral("C"), QStringLiteral("AAA111"), nullptr, m_prompter};
    QVERIFY(Cylinders::AddCylinder(table(), c));
    // The conversion's activation puts "MONTAJE" over the preset management.
    QCOMPARE(seen, (QStringList{"MONTAJE", "APROBADO", "SI", "FAB", "MONTAJE"}));
    QCOMPARE(table().count(), 1);
    QCOMPARE(table().text(QStringLiteral("UPHTALLER")), QStringLiteral("FAB"));

    // A renewal row starts blank; cancelling leaves nothing behind.
    seen.clear();
    Widgets::setExecHook([&](QDialog &d) {
        auto &dlg = static_cast<TDatosCilindroForm &>(d);
        seen << control<QLineEdit>(dlg, "EditUPHTALLER")->text()
             << control<QComboBox>(dlg, "ComboVALGEST")->currentText();
        dlg.BitBtnCancelarClick();
        return dlg.result();
    });
    QVERIFY(!Cylinders::AddCylinder(table(), {QStringLiteral("R"), QString(), nullptr, m_prompter}));
    QCOMPARE(seen, (QStringList{QString(), QString()}));
    QCOMPARE(table().count(), 1);
}

void TstCylinderDialog::deleteAsksAndEmptyListChangesNothing()
{
    const Cylinders::EntryContext c{QStringLiteral("R"), QString(), nullptr, m_prompter};
    QVERIFY(!Cylinders::DeleteCylinder(table(), 0, c));
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: No hay cilindros cargados para borrar.")});

    for (const char *serial : {"A-1", "B-2"}) {
        table().append();
        table().setText(QStringLiteral("NROSERIE"), QLatin1String(serial));
        table().post();
    }
    m_prompter.log.clear();
    m_prompter.answers = {false};
    QVERIFY(!Cylinders::DeleteCylinder(table(), 1, c));
    // Asked with the shared dialog TConfirmDlg.
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("confirm: Esta seguro de borrar este registro?")});
    QCOMPARE(table().count(), 2);

    m_prompter.answers = {true};
    QVERIFY(Cylinders::DeleteCylinder(table(), 1, c));
    QCOMPARE(table().count(), 1);
    table().first();
    QCOMPARE(table().text(QStringLiteral("NROSERIE")), QStringLiteral("A-1"));

    // No row selected: reported, nothing deleted.
    m_prompter.log.clear();
    QVERIFY(!Cylinders::DeleteCylinder(table(), -1, c));
    QCOMPARE(m_prompter.log.size(), 1);
    QCOMPARE(table().count(), 1);
}

void TstCylinderDialog::valveReplacementSetsManagementAndCancelUndoesIt()
{
    const Cylinders::EntryContext c{QStringLiteral("H"), QString(), nullptr, m_prompter};
    QVERIFY(!Cylinders::ReplaceValve(table(), 0, c));
    QCOMPARE(m_prompter.log.size(), 1);

    table().append();
    table().setText(QStringLiteral("NROSERIE"), QStringLiteral("A-1"));
    table().setText(QStringLiteral("VALCOD"), QStringLiteral("V101"));
    table().setText(QStringLiteral("VALNRO"), QStringLiteral("VN-1"));
    table().setText(QStringLiteral("VALGEST"), QStringLiteral("SIN CAMBIOS"));
    table().post();

    QStringList seen;
    Widgets::setExecHook([&](QDialog &d) {
        auto &dlg = static_cast<TRemplazoValvulaForm &>(d);
        seen << dlg.windowTitle() << control<QLineEdit>(dlg, "EditVALCOD")->text()
             << control<QLineEdit>(dlg, "EditVALGEST")->text() << control<QLineEdit>(dlg, "EditRVALGEST")->text()
             << QString::number(control<QLineEdit>(dlg, "EditVALCOD")->isReadOnly())
             << QString::number(control<QLineEdit>(dlg, "EditRVALGEST")->isReadOnly());
        control<QLineEdit>(dlg, "EditRVALCOD")->setText(QStringLiteral("V102"));
        dlg.BitBtnCancelarClick();
        return dlg.result();
    });
    QVERIFY(!Cylinders::ReplaceValve(table(), 0, c));
    QCOMPARE(seen, (QStringList{"Reemplazo de Válvula", "V101", "DESMONTAJE", "MONTAJE", "1", "1"}));
    table().first();
    QCOMPARE(table().text(QStringLiteral("VALGEST")), QStringLiteral("SIN CAMBIOS"));
    QCOMPARE(table().text(QStringLiteral("RVALGEST")), QString());

    Widgets::setExecHook([&](QDialog &d) {
        auto &dlg = static_cast<TRemplazoValvulaForm &>(d);
        control<QLineEdit>(dlg, "EditRVALCOD")->setText(QStringLiteral("V102"));
        control<QLineEdit>(dlg, "EditRVALNRO")->setText(QStringLiteral("NUEVA-1"));
        dlg.BitBtnAceptarClick();
        return dlg.result();
    });
    QVERIFY(Cylinders::ReplaceValve(table(), 0, c));
    table().first();
    QCOMPARE(table().text(QStringLiteral("VALGEST")), QStringLiteral("DESMONTAJE"));
    QCOMPARE(table().text(QStringLiteral("RVALGEST")), QStringLiteral("MONTAJE"));
    QCOMPARE(table().text(QStringLiteral("RVALCOD")), QStringLiteral("V102"));
    QCOMPARE(table().text(QStringLiteral("RVALNRO")), QStringLiteral("NUEVA-1"));
    QCOMPARE(table().count(), 1);
}

void TstCylinderDialog::replacementCodeLookupHasNoMessage()
{
    editStoredCylinder();
    TRemplazoValvulaForm dlg(table(), nullptr, m_prompter);
    dlg.show();
    hookLookups(0);
    control<QLineEdit>(dlg, "EditRVALCOD")->setText(QStringLiteral("W9"));
    control<QToolButton>(dlg, "SpeedButtonRValCod")->click();
    QVERIFY(m_prompter.log.isEmpty());
    QCOMPARE(m_lookups.size(), 1);
    QCOMPARE(m_lookups.first().searchText, QStringLiteral("W9"));
    QCOMPARE(m_lookups.first().codes, QStringList{QStringLiteral("W900")});
    QCOMPARE(control<QLineEdit>(dlg, "EditRVALCOD")->text(), QStringLiteral("W900"));

    // A catalogue code opens nothing.
    m_lookups.clear();
    control<QToolButton>(dlg, "SpeedButtonRValCod")->click();
    QVERIFY(m_lookups.isEmpty());
    dlg.BitBtnCancelarClick();
}

// Enter in the code goes on to the serial (the serial typed next is not
// lost in the code), and no replacement is stored without a serial.
void TstCylinderDialog::replacementMovesOnEnterAndNeedsItsSerial()
{
    editStoredCylinder();
    TRemplazoValvulaForm dlg(table(), nullptr, m_prompter);
    dlg.show();
    dlg.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    control<QLineEdit>(dlg, "EditRVALCOD")->setFocus();
    QTest::keyClicks(control<QLineEdit>(dlg, "EditRVALCOD"), QStringLiteral("v102"));
    QTest::keyClick(control<QLineEdit>(dlg, "EditRVALCOD"), Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(dlg, "EditRVALNRO")));
    QVERIFY(m_lookups.isEmpty()); // a catalogue code
    QTest::keyClick(control<QLineEdit>(dlg, "EditRVALNRO"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QPushButton>(dlg, "BitBtnAceptar")));
    QCOMPARE(control<QLineEdit>(dlg, "EditRVALCOD")->text(), QStringLiteral("V102"));

    dlg.BitBtnAceptarClick();
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: El número de serie no puede quedar en blanco.")});
    QVERIFY(dlg.isVisible());
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(dlg, "EditRVALNRO")));
    control<QLineEdit>(dlg, "EditRVALCOD")->setText(QStringLiteral("Q777")); // not in the catalogue
    control<QLineEdit>(dlg, "EditRVALNRO")->setText(QStringLiteral("N-1"));
    dlg.BitBtnAceptarClick();
    QCOMPARE(m_prompter.log.last(), QStringLiteral("error: Código de válvula no encontrado."));
    control<QLineEdit>(dlg, "EditRVALCOD")->setText(QStringLiteral("V102"));
    dlg.BitBtnAceptarClick();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    table().first();
    QCOMPARE(table().text(QStringLiteral("RVALNRO")), QStringLiteral("N-1"));
}

void TstCylinderDialog::gridShowsWorkTableColumns()
{
    table().append();
    table().setText(QStringLiteral("CODIGO"), QStringLiteral("C100"));
    table().setText(QStringLiteral("NROSERIE"), QStringLiteral("S-1"));
    table().setText(QStringLiteral("CNUEVO"), QStringLiteral("NO"));
    table().setText(QStringLiteral("GESTION"), QStringLiteral("SIN CAMBIOS"));
    table().setInteger(QStringLiteral("CAPACIDAD"), 60);
    table().setText(QStringLiteral("FABRICAC"), QStringLiteral("06/2015"));
    table().setText(QStringLiteral("UPHTALLER"), QStringLiteral("ABCD"));
    table().setText(QStringLiteral("UPHFECHA"), QStringLiteral("07/2020"));
    table().setText(QStringLiteral("UPHRESULT"), QStringLiteral("APROBADO"));
    table().post();
    CylinderList model(table());
    QCOMPARE(model.rowCount(), 1);
    QStringList row;
    for (int c = 0; c < 9; ++c)
        row << model.index(0, c).data().toString();
    QCOMPARE(row, (QStringList{"C100", "S-1", "NO", "SIN CAMBIOS", "60", "06/2015", "ABCD", "07/2020", "APROBADO"}));
    QCOMPARE(model.row(0).capacidad, 60);
    table().empty();
    QCOMPARE(model.rowCount(), 0);
}

void TstCylinderDialog::regulatorLookUpFillsBrandOrSearches()
{
    QWidget host;
    auto *code = new QLineEdit(&host);
    auto *brand = new QLineEdit(&host);
    auto *serial = new QLineEdit(&host);
    host.show();
    const Cylinders::RegulatorLineWidgets line{code, brand, serial};

    code->setText(QStringLiteral("R150"));
    QVERIFY(Cylinders::LookUpRegulator(line, &host, m_prompter));
    QCOMPARE(brand->text(), QStringLiteral("BETA"));
    QCOMPARE(host.focusWidget(), serial);
    QVERIFY(m_lookups.isEmpty());

    // Unknown: reported, then the codes containing it; cancelling keeps it.
    code->setText(QStringLiteral("R1"));
    brand->clear();
    QVERIFY(!Cylinders::LookUpRegulator(line, &host, m_prompter));
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: Código de Regulador no encontrado.")});
    QCOMPARE(m_lookups.first().dialog, QStringLiteral("TBuscarReguladorForm"));
    QCOMPARE(m_lookups.first().codes, (QStringList{QStringLiteral("R100"), QStringLiteral("R150")}));
    QVERIFY(m_lookups.first().aceptarDefault);
    QCOMPARE(code->text(), QStringLiteral("R1"));
    QCOMPARE(host.focusWidget(), code);

    hookLookups(0);
    QVERIFY(Cylinders::LookUpRegulator(line, &host, m_prompter));
    QCOMPARE(code->text(), QStringLiteral("R100"));
    QCOMPARE(brand->text(), QStringLiteral("ACME"));

    // Empty: the plain dialog, no message.
    m_prompter.log.clear();
    m_lookups.clear();
    code->clear();
    hookLookups(2);
    QVERIFY(Cylinders::LookUpRegulator(line, &host, m_prompter));
    QVERIFY(m_prompter.log.isEmpty());
    QCOMPARE(m_lookups.first().searchText, QString());
    QCOMPARE(code->text(), QStringLiteral("S200"));
    QCOMPARE(brand->text(), QStringLiteral("GAMA"));
}

void TstCylinderDialog::regulatorManagementInModification()
{
    QWidget host;
    auto *gestion = new QComboBox(&host);
    gestion->addItems({"SIN CAMBIOS", "MONTAJE", "DESMONTAJE", "BAJA"});
    auto *label = new QLabel(QStringLiteral("Nuevo"), &host);
    auto *code = new QLineEdit(&host);
    auto *secondGestion = new QComboBox(&host);
    secondGestion->addItems({"SIN CAMBIOS", "MONTAJE", "DESMONTAJE", "BAJA"});
    auto *nuevo = new QComboBox(&host);
    nuevo->addItems({"NO", "SI"});
    const Cylinders::SecondRegulatorLine second{{label, code, secondGestion, nuevo}, code, secondGestion, nuevo};
    for (QWidget *w : second.widgets)
        w->hide();
    host.show();

    // Not a modification: nothing happens.
    gestion->setCurrentText(QStringLiteral("BAJA"));
    Cylinders::RegulatorGestionChanged(gestion, QStringLiteral("R"), true, second, m_prompter);
    QVERIFY(code->isHidden());

    Cylinders::RegulatorGestionChanged(gestion, QStringLiteral("M"), true, second, m_prompter);
    QVERIFY(!code->isHidden());
    QVERIFY(!label->isHidden());
    QCOMPARE(secondGestion->currentText(), QStringLiteral("MONTAJE"));
    QCOMPARE(nuevo->currentText(), QStringLiteral("SI"));
    QVERIFY(m_prompter.log.isEmpty());

    gestion->setCurrentText(QStringLiteral("MONTAJE"));
    Cylinders::RegulatorGestionChanged(gestion, QStringLiteral("M"), true, second, m_prompter);
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: Opción no permitida en una modificación.")});
    QCOMPARE(gestion->currentText(), QStringLiteral("SIN CAMBIOS"));
    QVERIFY(!code->isHidden()); // once shown it stays

    m_prompter.log.clear();
    gestion->setCurrentText(QStringLiteral("MONTAJE"));
    Cylinders::RegulatorGestionChanged(gestion, QStringLiteral("M"), false, second, m_prompter);
    QVERIFY(m_prompter.log.isEmpty());
    QCOMPARE(gestion->currentText(), QStringLiteral("MONTAJE"));
}

// An unknown code, the look-up cancelled, another unknown code left with
// Tab: each is reported and no brand of an earlier code stays beside it.
void TstCylinderDialog::everyChangedRegulatorCodeIsChecked()
{
    Global = GlobalState{};
    TRevisionAnualForm form(nullptr, m_prompter);
    form.SetOperationKind(QStringLiteral("R"));
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    const auto typeAndTab = [&](const QString &code) {
        control<QLineEdit>(form, "CodigoRegularEdit")->setFocus(Qt::TabFocusReason);
        control<QLineEdit>(form, "CodigoRegularEdit")->selectAll();
        QTest::keyClicks(control<QLineEdit>(form, "CodigoRegularEdit"), code);
        QTest::keyClick(control<QLineEdit>(form, "CodigoRegularEdit"), Qt::Key_Tab);
    };
    typeAndTab(QStringLiteral("R150"));
    QTRY_COMPARE(control<QLineEdit>(form, "MarcaReguladorEdit")->text(), QStringLiteral("BETA"));
    typeAndTab(QStringLiteral("ZZ1"));
    QTRY_COMPARE(m_prompter.log.size(), 1);
    QCOMPARE(m_lookups.size(), 1);
    QCOMPARE(control<QLineEdit>(form, "MarcaReguladorEdit")->text(), QString()); // not BETA's any more
    form.activateWindow(); // as the closed look-up gives the form back
    QTRY_COMPARE(QApplication::focusWidget(), static_cast<QWidget *>(control<QLineEdit>(form, "CodigoRegularEdit")));
    typeAndTab(QStringLiteral("YY2"));
    QTRY_COMPARE(m_prompter.log.size(), 2);
    QCOMPARE(m_prompter.log.last(), QStringLiteral("error: Código de Regulador no encontrado."));
    QCOMPARE(m_lookups.size(), 2);
    QCOMPARE(control<QLineEdit>(form, "MarcaReguladorEdit")->text(), QString());
    form.close();
}

void TstCylinderDialog::operationFormButtonsAreWired()
{
    Global = GlobalState{};
    TRevisionAnualForm form(nullptr, m_prompter);
    form.SetOperationKind(QStringLiteral("M"));
    form.show();

    // "Borrar Cilindro" with no cylinders: a message, no question, no change.
    control<QToolButton>(form, "SpeedButton6")->click();
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: No hay cilindros cargados para borrar.")});
    QCOMPARE(table().count(), 0);

    // "Agregar Cilindro" fills the grid and the valve details below it.
    Widgets::setExecHook([this](QDialog &d) {
        auto &dlg = static_cast<TDatosCilindroForm &>(d);
        fillValid(dlg);
        dlg.BitBtnAceptarClick();
        return dlg.result();
    });
    control<QToolButton>(form, "SpeedButton4")->click();
    QCOMPARE(table().count(), 1);
    QCOMPARE(form.cylinderList()->rowCount(), 1);
    QCOMPARE(form.cylinderList()->index(0, 1).data().toString(), QStringLiteral("S-1"));
    QCOMPARE(control<QLineEdit>(form, "DBEditValCod")->text(), QStringLiteral("V101"));
    QCOMPARE(control<QLineEdit>(form, "DBEditNroCertif")->text(), QStringLiteral("ABCD000123"));
    QCOMPARE(form.record().cylinders.size(), 1); // the record reads the same list

    m_prompter.answers = {true};
    control<QToolButton>(form, "SpeedButton6")->click();
    QCOMPARE(table().count(), 0);
    QCOMPARE(form.cylinderList()->rowCount(), 0);
    QCOMPARE(control<QLineEdit>(form, "DBEditValCod")->text(), QString());

    // Retiring the regulator shows the "Nuevo" line; mounting one is refused.
    m_prompter.log.clear();
    control<QComboBox>(form, "RGestionComboBox")->setCurrentText(QStringLiteral("BAJA"));
    emit control<QComboBox>(form, "RGestionComboBox")
        ->activated(control<QComboBox>(form, "RGestionComboBox")->currentIndex());
    QVERIFY(!control<QLineEdit>(form, "CodigoReguladorNuevoEdit")->isHidden());
    QCOMPARE(control<QComboBox>(form, "RGestionNuevoComboBox")->currentText(), QStringLiteral("MONTAJE"));
    QCOMPARE(form.record().hasSecondRegulator, true);
    control<QComboBox>(form, "RGestionComboBox")->setCurrentText(QStringLiteral("MONTAJE"));
    emit control<QComboBox>(form, "RGestionComboBox")
        ->activated(control<QComboBox>(form, "RGestionComboBox")->currentIndex());
    QCOMPARE(m_prompter.log, QStringList{QStringLiteral("error: Opción no permitida en una modificación.")});
    QCOMPARE(control<QComboBox>(form, "RGestionComboBox")->currentText(), QStringLiteral("SIN CAMBIOS"));

    // The look-up buttons beside both regulator codes.
    m_prompter.log.clear();
    control<QLineEdit>(form, "CodigoRegularEdit")->setText(QStringLiteral("R150"));
    control<QToolButton>(form, "SpeedButton3")->click();
    QCOMPARE(control<QLineEdit>(form, "MarcaReguladorEdit")->text(), QStringLiteral("BETA"));
    control<QLineEdit>(form, "CodigoReguladorNuevoEdit")->setText(QStringLiteral("S200"));
    control<QToolButton>(form, "SpeedButton7")->click();
    QCOMPARE(control<QLineEdit>(form, "MarcaReguladorNuevoEdit")->text(), QStringLiteral("GAMA"));
    QVERIFY(m_prompter.log.isEmpty());
    form.close();
}

QTEST_MAIN(TstCylinderDialog)
#include "tst_cylinderdialog.moc"
