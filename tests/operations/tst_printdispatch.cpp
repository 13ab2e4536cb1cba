// Which technical sheet the operation form prints, after a save and on
// "Ficha": what reaches the preview, the format dialog's two answers, and
// the triggers that print nothing.
#include "app/navigator.h"
#include "controls.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "displaylist.h"
#include "operations/linklabel.h"
#include "operations/print/fichaprint.h"
#include "operations/print/tseleccionarimpresoraalderform.h"
#include "operations/trevisionanualform.h"
#include "report/preview.h"
#include "report/reportform.h"
#include "scriptedprompter.h"
#include "testdb.h"
#include "widgets/messages.h"
#include "widgets/tconfirmdlg.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TstPrintDispatch : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_printdispatch");
    QVector<Shown::Preview> shown;
    QStringList events; // questions, dialogs and previews in the order they came

    static void type(QWidget &form, const char *name, const QString &text)
    {
        auto *e = form.findChild<QLineEdit *>(QLatin1String(name));
        QVERIFY2(e, name);
        e->setText(text);
    }
    static void fill(TRevisionAnualForm &form)
    {
        form.setDomainMask(QString());
        form.setDocumentMask(QString());
        type(form, "ObleaAntEdit", QStringLiteral("0000004567"));
        type(form, "MarcaEdit", QStringLiteral("RENAULT"));
        type(form, "ModeloEdit", QStringLiteral("LOGAN"));
        type(form, "DominioEdit", QStringLiteral("AB321CD"));
        type(form, "NombreEdit", QStringLiteral("SOSA MARTA"));
        type(form, "NroDocEdit", QStringLiteral("28999111"));
        type(form, "CalleEdit", QStringLiteral("RIVADAVIA 900"));
        type(form, "CodigoRegularEdit", QStringLiteral("R01"));
        type(form, "NroSerieReguladorEdit", QStringLiteral("RS-77"));
    }
    LocalTable &cylinders()
    {
        LocalTable &t = localStore().table(LocalTableId::Cylinders);
        if (!t.isOpen())
            t.open();
        return t;
    }
    void addCylinder(const QString &serial, const QString &replacedValve)
    {
        LocalTable &t = cylinders();
        t.append();
        t.setText(QStringLiteral("CODIGO"), QStringLiteral("I060"));
        t.setText(QStringLiteral("NROSERIE"), serial);
        t.setText(QStringLiteral("GESTION"), QStringLiteral("S"));
        t.setInteger(QStringLiteral("CAPACIDAD"), 60);
        t.setText(QStringLiteral("UPHFECHA"), QStringLiteral("03/2020"));
        t.setText(QStringLiteral("UPHRESULT"), QStringLiteral("A"));
        t.setText(QStringLiteral("VALCOD"), QStringLiteral("V01"));
        t.setText(QStringLiteral("RVALCOD"), replacedValve);
        t.post();
    }
    void profile(const char *id) { Global.InstallationId = QLatin1String(id); }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), QString()});
        TestDb::exec(db, QStringLiteral("insert into tal (tcodigoint, trazsoc, thabilitad, TTELEFONO) "
                                        "values ('TPD0001', 'GNC SUR', 1, '4445566')"));
        TestDb::exec(db, QStringLiteral("insert into codcil (CODIGO, VENC) values ('I060', 7)"));
        TestDb::exec(db, QStringLiteral("insert into codreg (CODIGO, MARCA) values ('R01', 'ACME')"));
        Global = GlobalState{};
        Global.WorkshopCode = QStringLiteral("TPD0001");
        Global.PecCode = QStringLiteral("0031");
        Global.Copies = 3;
        Report::ReportForm::setPreviewHook(Shown::recordInto(shown, [this] { events << QStringLiteral("preview"); }));
        TConfirmDlg::setTestHook([this](TConfirmDlg &dlg) {
            events << dlg.windowTitle() + QStringLiteral("/") + dlg.kind() + QStringLiteral("/") + dlg.message();
            return int(TConfirmDlg::ResultCancel);
        });
        Msg::setHook([this](Msg::Kind, const QString &text) {
            events << QStringLiteral("msg: ") + text;
            return false;
        });
    }
    void init()
    {
        shown.clear();
        events.clear();
        cylinders().empty();
        TSeleccionarImpresoraAlderForm::setTestHook({});
    }
    void cleanupTestCase()
    {
        Report::ReportForm::setPreviewHook({});
        TConfirmDlg::setTestHook({});
        Msg::setHook({});
        localStore().closeAll();
        dm1().closeAll();
        TestDb::drop(dbName);
    }

    void renewalOnFichaButtonPreviewsTheSheetOnce()
    {
        profile("BUCK01");
        addCylinder(QStringLiteral("CIL-1"), QStringLiteral("V99"));
        addCylinder(QStringLiteral("CIL-2"), QString());
        TRevisionAnualForm form;
        form.SetOperationKind(QStringLiteral("R"));
        FichaPrint::WireFichaButton(form);
        fill(form);
        // Nothing reaches the printer without the preview; no "Cédula" here.
        QVERIFY(!form.findChild<QPushButton *>(QStringLiteral("BitBtn3"))->isEnabled());
        const auto *direct = form.findChild<QCheckBox *>(QStringLiteral("CheckBoxDirectPrint"));
        QVERIFY(direct && direct->isHidden() && !direct->isChecked());
        form.findChild<QPushButton *>(QStringLiteral("BitBtn5"))->click();

        QCOMPARE(shown.size(), 1);
        const Shown::Preview &s = shown.first();
        QCOMPARE(s.layout, QStringLiteral("TQFichaBuckeyeForm"));
        QCOMPARE(s.copies, 1);
        QCOMPARE(s.text(QStringLiteral("QRLabelTipoOperacion")), QStringLiteral("REVISION ANUAL"));
        QCOMPARE(s.text(QStringLiteral("QRDominio")), QStringLiteral("AB321CD"));
        QCOMPARE(s.text(QStringLiteral("QRRegActualCode")), QStringLiteral("R01"));
        QCOMPARE(s.text(QStringLiteral("QRRegMontajeCode")), QString());
        QCOMPARE(s.text(QStringLiteral("QRTaller")), QStringLiteral("TPD0001"));
        // Two cylinders and the replaced valve of the first; expiry from the catalogue.
        QCOMPARE(s.detailRows(), 3);
        QCOMPARE(localStore().table(LocalTableId::PrintCylinders).count(), 3);
        LocalTable &printable = localStore().table(LocalTableId::PrintCylinders);
        QVERIFY(printable.first());
        QCOMPARE(printable.text(QStringLiteral("CILVENC")), QStringLiteral("03/2027"));
    }

    // "Seleccionar Impresora": the printer dialog, then the button's sheet
    // printed there without the preview; cancelling prints nothing.
    void selectPrinterPrintsOnThePrinterChosen()
    {
        profile("BUCK01");
        addCylinder(QStringLiteral("CIL-1"), QString());
        TRevisionAnualForm form;
        form.SetOperationKind(QStringLiteral("R"));
        FichaPrint::WireFichaButton(form);
        fill(form);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("ficha.pdf"));
        int asked = 0;
        FichaPrint::setPrinterChooser([&](QPrinter &printer, QWidget *) {
            ++asked;
            if (asked == 1)
                return false; // the operator cancels the dialog
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        });
        emit control<LinkLabel>(form, "Label40")->clicked();
        QCOMPARE(asked, 1);
        QVERIFY(!QFile::exists(pdf));
        emit control<LinkLabel>(form, "Label40")->clicked();
        FichaPrint::setPrinterChooser({});
        QCOMPARE(asked, 2);
        QVERIFY(shown.isEmpty()); // straight to the printer
        QVERIFY(events.isEmpty());
        QFile f(pdf);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.read(5) == "%PDF-");
        QVERIFY(f.size() > 2000);
    }

    void conversionForAspenPresetsTwoCopies()
    {
        profile("ASPE01");
        TRevisionAnualForm form;
        form.SetOperationKind(QStringLiteral("C"));
        fill(form);
        FichaPrint::OnButton(form);

        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].copies, 2);
        QCOMPARE(shown[0].text(QStringLiteral("QRLabelTipoOperacion")), QStringLiteral("CONVERSION"));
        QCOMPARE(shown[0].text(QStringLiteral("QRRegMontajeCode")), QStringLiteral("R01"));
        QCOMPARE(shown[0].text(QStringLiteral("QRRegActualCode")), QString());
    }

    void consultationPrintsTheRecalledKindAndKeepsItsMode()
    {
        profile("BUCK01");
        TRevisionAnualForm form;
        form.SetShownKind(QStringLiteral("M")); // as the query hands it over
        form.SetOperationKind(QStringLiteral("#"));
        FichaPrint::OnButton(form);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].text(QStringLiteral("QRLabelTipoOperacion")), QStringLiteral("MODIFICACION"));
        QCOMPARE(form.kind(), QStringLiteral("#"));
        QVERIFY(form.isConsultation());

        // Sequoia's sheet names the viewed operation's workshop under a
        // workshop that is not enabled.
        profile("SEQU01");
        Global.WorkshopCode = QStringLiteral("TPD0002");
        auto *taller = form.findChild<QComboBox *>(QStringLiteral("tallerEdit"));
        taller->addItem(QStringLiteral("TAL0777"));
        taller->setCurrentText(QStringLiteral("TAL0777"));
        FichaPrint::OnButton(form);
        Global.WorkshopCode = QStringLiteral("TPD0001");
        QCOMPARE(shown.size(), 2);
        QCOMPARE(shown[1].text(QStringLiteral("QRLabel4")), QStringLiteral("TAL0777"));
        QCOMPARE(shown[1].text(QStringLiteral("QRTaller")), QStringLiteral("SEQ0001"));
    }

    void formatDialogButtonsGiveTheirResults()
    {
        TSeleccionarImpresoraAlderForm blank;
        QCOMPARE(blank.windowTitle(), QStringLiteral("Seleccionar Formato de Ficha a Imprimir"));
        QCOMPARE(control<QPushButton>(blank, "BitBtnHojaBlanco")->text(), QStringLiteral("Imprimir en Hoja en Blanco"));
        control<QPushButton>(blank, "BitBtnHojaBlanco")->click();
        QCOMPARE(blank.result(), int(QDialog::Accepted));

        TSeleccionarImpresoraAlderForm preprinted;
        QCOMPARE(control<QPushButton>(preprinted, "BitBtnPreimpreso")->text(),
                 QStringLiteral("Imprimir en Formulario Preimpreso"));
        control<QPushButton>(preprinted, "BitBtnPreimpreso")->click();
        QCOMPARE(preprinted.result(), 11);
    }

    void formatDialogChoosesTheLayout_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("layout");
        QTest::newRow("blank") << "BitBtnHojaBlanco"
                               << "TQFichaBuckeyeForm";
        QTest::newRow("preprinted") << "BitBtnPreimpreso"
                                    << "TQFichaMagnoliaPreImpresoForm";
        QTest::newRow("closed") << QString() << QString();
    }
    void formatDialogChoosesTheLayout()
    {
        QFETCH(QString, button);
        QFETCH(QString, layout);
        const int previews = layout.isEmpty() ? 0 : 1;
        profile("MAGN01");
        TSeleccionarImpresoraAlderForm::setTestHook([&](TSeleccionarImpresoraAlderForm &dlg) {
            events << QStringLiteral("format");
            if (button.isEmpty())
                dlg.reject();
            else
                dlg.findChild<QPushButton *>(button)->click();
            return dlg.result();
        });
        TRevisionAnualForm form;
        form.SetOperationKind(QStringLiteral("R"));
        FichaPrint::OnButton(form);
        QCOMPARE(shown.size(), previews);
        if (previews)
            QCOMPARE(shown[0].layout, layout);
        QStringList expected{QStringLiteral("format")};
        if (previews)
            expected << QStringLiteral("preview");
        QCOMPARE(events, expected);
    }

    void triggersThatPrintNothing()
    {
        // Acacia prints no sheet on either trigger, without a word.
        profile("ACAC01");
        ScriptedPrompter yes;
        yes.answers = {true};
        TRevisionAnualForm form(nullptr, yes);
        form.SetOperationKind(QStringLiteral("R"));
        FichaPrint::OnButton(form);
        FichaPrint::AfterSave(form);
        QVERIFY(shown.isEmpty());
        QVERIFY(events.isEmpty());
        QCOMPARE(yes.log, QStringList{QStringLiteral("confirm: Desea imprimir la ficha de la operación?")});

        // A sheet format other than 0 and 1 prints nothing either.
        profile("TAMA01");
        Global.SheetFormat = 2;
        FichaPrint::OnButton(form);
        Global.SheetFormat = 0;
        QVERIFY(shown.isEmpty());
        QVERIFY(events.isEmpty());
    }

    // The by-format profiles print the workshop's configured form; Olive
    // prints Cedar's after a save.
    void sheetFormatChoosesTheLayout()
    {
        ScriptedPrompter yes;
        yes.answers = {true};
        TRevisionAnualForm form(nullptr, yes);
        form.SetOperationKind(QStringLiteral("R"));
        fill(form);
        profile("TAMA01");
        for (int format : {0, 1}) {
            Global.SheetFormat = format;
            FichaPrint::OnButton(form);
        }
        profile("OLIV01");
        FichaPrint::AfterSave(form);
        Global.SheetFormat = 0;
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown[0].layout, QStringLiteral("TQFichaTamarackA4Form"));
        QCOMPARE(shown[0].copies, 3); // the workshop's count
        QCOMPARE(shown[1].layout, QStringLiteral("TQFichaForm"));
        QCOMPARE(shown[1].copies, 1);
        QCOMPARE(shown[1].text(QStringLiteral("QRDominio")), QStringLiteral("AB321CD"));
        QCOMPARE(shown[2].layout, QStringLiteral("TQFichaCedarForm"));
    }

    void saveQuestionGoesThroughTheConfirmationDialog()
    {
        // "No" (the hook answers Cancel): the Buckeye profile would print.
        profile("BUCK01");
        TRevisionAnualForm form;
        form.SetOperationKind(QStringLiteral("R"));
        FichaPrint::AfterSave(form);
        QVERIFY(shown.isEmpty());
        QCOMPARE(events,
                 QStringList{QStringLiteral("Confirmación/mtConfirmation/Desea imprimir la ficha de la operación?")});

        ScriptedPrompter yes;
        yes.answers = {true};
        TRevisionAnualForm answered(nullptr, yes);
        answered.SetOperationKind(QStringLiteral("R"));
        FichaPrint::AfterSave(answered);
        QCOMPARE(shown.size(), 1);
    }

    void cedarOffersTheLetterOnlyWhenATestIsDue()
    {
        profile("CEDA01");
        ScopedNavigator nav;
        QList<Nav::OpenCommitmentLetter> letters;
        nav->add<Nav::OpenCommitmentLetter>([&](const Nav::OpenCommitmentLetter &letter, QWidget *) {
            events << QStringLiteral("letter");
            letters << letter;
        });
        TSeleccionarImpresoraAlderForm::setTestHook([this](TSeleccionarImpresoraAlderForm &) {
            events << QStringLiteral("format");
            return int(QDialog::Rejected);
        });
        ScriptedPrompter plain;
        plain.answers = {true};
        TRevisionAnualForm form(nullptr, plain);
        form.SetOperationKind(QStringLiteral("R"));
        fill(form);
        FichaPrint::AfterSave(form);
        QCOMPARE(plain.log.size(), 1);
        QCOMPARE(events, QStringList{QStringLiteral("format")});

        events.clear();
        ScriptedPrompter due;
        due.answers = {true, true};
        TRevisionAnualForm overdue(nullptr, due);
        overdue.SetOperationKind(QStringLiteral("R"));
        fill(overdue);
        overdue.setPhRequired();
        FichaPrint::AfterSave(overdue);
        QCOMPARE(due.log.last(), QStringLiteral("confirm: Imprimir Carta Compromiso"));
        QCOMPARE(events, (QStringList{QStringLiteral("letter"), QStringLiteral("format")}));
        // Prefilled from the form, the street entry split at its last blank.
        QCOMPARE(letters.size(), 1);
        QCOMPARE(letters[0].ownerName, QStringLiteral("SOSA MARTA"));
        QCOMPARE(letters[0].street, QStringLiteral("RIVADAVIA"));
        QCOMPARE(letters[0].number, QStringLiteral("900"));
        QCOMPARE(letters[0].previousSticker, QStringLiteral("0000004567"));
        QCOMPARE(letters[0].domain, QStringLiteral("AB321CD"));
    }

    void databaseErrorEndsThePrintWithTheMessage()
    {
        profile("BUCK01");
        TRevisionAnualForm form;
        form.SetOperationKind(QStringLiteral("R"));
        TestDb::exec(db, QStringLiteral("rename table tal to tal_off"));
        FichaPrint::OnButton(form);
        TestDb::exec(db, QStringLiteral("rename table tal_off to tal"));
        QVERIFY(shown.isEmpty());
        QCOMPARE(events.size(), 1);
        QVERIFY2(events[0].startsWith(QStringLiteral("msg: ")) && events[0].contains(QStringLiteral("tal")),
                 qPrintable(events[0]));
    }

    void streetEntrySplitsAtTheLastBlank()
    {
        using FichaPrint::SplitStreet;
        QCOMPARE(SplitStreet(QStringLiteral("SAN MARTIN 1234")).street, QStringLiteral("SAN MARTIN"));
        QCOMPARE(SplitStreet(QStringLiteral("SAN MARTIN 1234")).number, QStringLiteral("1234"));
        QCOMPARE(SplitStreet(QStringLiteral("MITRE 123456")).number, QStringLiteral("12345"));
        QCOMPARE(SplitStreet(QStringLiteral("RUTA40KM12")).street, QString());
        QCOMPARE(SplitStreet(QStringLiteral("RUTA40KM12")).number, QStringLiteral("RUTA4"));
    }
};

QTEST_MAIN(TstPrintDispatch)
#include "tst_printdispatch.moc"
