// The printing windows of the main window: empty sheets, the safety leaflet
// and the print configuration with its test print. What reaches the preview,
// what is stored in `tal` and what the global state holds afterwards.
#include "app/printing/tconfigcopiasform.h"
#include "app/printing/timpresionfichasenblancoform.h"
#include "app/printing/timpresionrecomendacionesform.h"
#include "controls.h"
#include "core/global.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "displaylist.h"
#include "documents/sheet.h"
#include "samplesheet.h"
#include "scriptedprompter.h"
#include "testdb.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QtTest>

namespace
{

const QString kDb = QStringLiteral("t_printwindows");
const QString kWorkshop = QStringLiteral("TPW0001");

} // namespace

class TstPrintWindows : public QObject
{
    Q_OBJECT
    QSqlDatabase m_db;
    QVector<Shown::Preview> m_shown;

    QVariantList stored()
    {
        QSqlQuery q(m_db);
        q.exec(QStringLiteral("select copias, localidad, provincia, hoja from tal where tcodigoint = '%1'")
                   .arg(kWorkshop));
        q.next();
        return {q.value(0), q.value(1), q.value(2), q.value(3)};
    }
    void storedConfig(int copies, const QString &locality, const QString &province, int format)
    {
        Global.Copies = copies;
        Global.WorkshopLocality = locality;
        Global.WorkshopProvince = province;
        Global.SheetFormat = format;
    }

private slots:
    void initTestCase()
    {
        m_db = TestDb::create(kDb);
        dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QString()});
        TestDb::exec(m_db, QStringLiteral("insert into tal (tcodigoint, trazsoc, copias, localidad, provincia, hoja) "
                                          "values ('%1', 'TALLER PW', 2, 'RIO CUARTO', 'CORDOBA', 0)")
                               .arg(kWorkshop));
        Report::ReportForm::setPreviewHook(Shown::recordInto(m_shown));
    }
    void init()
    {
        TestDb::exec(m_db, QStringLiteral("update tal set copias = 2, localidad = 'RIO CUARTO', provincia = 'CORDOBA', "
                                          "hoja = 0 where tcodigoint = '%1'")
                               .arg(kWorkshop));
        m_shown.clear();
        Global = GlobalState{};
        Global.WorkshopCode = kWorkshop;
        Global.WorkshopName = QStringLiteral("TALLER PW");
        Global.WorkshopCuit = QStringLiteral("30-70000000-1");
        Global.PecCode = QStringLiteral("0031");
        Global.PecRepName = QStringLiteral("ING. LUIS PAZ");
        Global.PecRepMatricula = QStringLiteral("9911");
        Global.InstallationId = QStringLiteral("QUIN01");
    }
    void cleanupTestCase()
    {
        Report::ReportForm::setPreviewHook({});
        localStore().closeAll();
        dm1().closeAll();
        TestDb::drop(kDb);
    }

    void configurationShowsTheStoredValues()
    {
        storedConfig(0, QStringLiteral("VILLA MARIA"), QStringLiteral("CHACO"), 1);
        TConfigCopiasForm low;
        QCOMPARE(low.windowTitle(), QStringLiteral("Configurar"));
        low.show();
        QCOMPARE(control<QSpinBox>(low, "SpinEditCopias")->value(), 1);
        QCOMPARE(control<QLineEdit>(low, "LocalidadEdit")->text(), QStringLiteral("VILLA MARIA"));
        QCOMPARE(control<QComboBox>(low, "ProvinciaComboBox")->currentText(),
                 QStringLiteral("CHACO")); // the operation form's list
        QCOMPARE(control<QComboBox>(low, "ComboBoxFicha")->currentText(), QStringLiteral("LEGAL"));
        QVERIFY(!control<QComboBox>(low, "ProvinciaComboBox")->isEditable());

        storedConfig(25, QString(), QStringLiteral("CAPITAL"), 2);
        TConfigCopiasForm high;
        high.show();
        QCOMPARE(control<QSpinBox>(high, "SpinEditCopias")->value(), 10);
        QCOMPARE(control<QComboBox>(high, "ProvinciaComboBox")->currentIndex(), -1);
        QCOMPARE(control<QComboBox>(high, "ComboBoxFicha")->currentIndex(), -1);
        control<QLineEdit>(high, "LocalidadEdit")->setText(QString());
        QTest::keyClicks(control<QLineEdit>(high, "LocalidadEdit"), QStringLiteral("san justo"));
        QCOMPARE(control<QLineEdit>(high, "LocalidadEdit")->text(), QStringLiteral("SAN JUSTO"));
    }

    void configurarStoresUpdatesTheGlobalStateAndCloses()
    {
        storedConfig(25, QStringLiteral("RIO CUARTO"), QStringLiteral("CAPITAL"), 0);
        ScriptedPrompter out;
        TConfigCopiasForm form(nullptr, out);
        form.show();
        control<QComboBox>(form, "ComboBoxFicha")->setCurrentIndex(1);
        control<QPushButton>(form, "BitBtn1")->click();
        // The unknown province is saved empty, the copies at the list's top.
        QCOMPARE(stored(), (QVariantList{10, QStringLiteral("RIO CUARTO"), QString(), 1}));
        QCOMPARE(Global.Copies, 10);
        QCOMPARE(Global.WorkshopProvince, QString());
        QCOMPARE(Global.SheetFormat, 1);
        QCOMPARE(out.log, QStringList{QString::fromUtf8("info: Configuración realizada.")});
        QCOMPARE(form.result(), int(QDialog::Accepted));
        // "LEGAL" makes the next by-format sheet the Legal one.
        QCOMPARE(Ficha::SheetFormatLayout(Global.SheetFormat), QStringLiteral("TQFichaForm"));
    }

    void configurarFailureKeepsTheStateAndTheForm()
    {
        storedConfig(2, QStringLiteral("RIO CUARTO"), QStringLiteral("CORDOBA"), 0);
        ScriptedPrompter out;
        TConfigCopiasForm form(nullptr, out);
        form.show();
        control<QSpinBox>(form, "SpinEditCopias")->setValue(7);
        TestDb::exec(m_db, QStringLiteral("rename table tal to tal_off"));
        control<QPushButton>(form, "BitBtn1")->click();
        TestDb::exec(m_db, QStringLiteral("rename table tal_off to tal"));
        QCOMPARE(out.log.size(), 1);
        QVERIFY(out.log[0].startsWith(QStringLiteral("error: ")));
        QCOMPARE(Global.Copies, 2);
        QVERIFY(form.isVisible());
        QCOMPARE(control<QSpinBox>(form, "SpinEditCopias")->value(), 7);
        QCOMPARE(stored().first().toInt(), 2);
    }

    void testPrintShowsTheProfilesSheetWithSamples()
    {
        Global.InstallationId = QStringLiteral("CEDA01");
        TConfigCopiasForm cedar;
        cedar.show();
        QVERIFY(control<QPushButton>(cedar, "BitBtnPrueba")->isVisible());
        control<QPushButton>(cedar, "BitBtnPrueba")->click();
        Global.InstallationId = QStringLiteral("TAMA01");
        TConfigCopiasForm tamarack;
        tamarack.show();
        control<QComboBox>(tamarack, "ComboBoxFicha")->setCurrentIndex(1); // the form on screen, before storing it
        control<QPushButton>(tamarack, "BitBtnPrueba")->click();
        QCOMPARE(m_shown.size(), 2);
        QCOMPARE(m_shown[0].layout, QStringLiteral("TQFichaCedarForm")); // the pre-printed one of the dialog
        QCOMPARE(m_shown[0].copies, 1);
        QCOMPARE(m_shown[0].text("QRObs"), Ficha::kAlignmentObservations);
        QCOMPARE(m_shown[0].text("QRTaller"), kWorkshop);
        QCOMPARE(m_shown[0].text("QRTipoOperacion"), QStringLiteral("X"));
        QCOMPARE(m_shown[1].layout, QStringLiteral("TQFichaForm"));

        Global.InstallationId = QStringLiteral("ACAC01"); // prints no sheet at all
        TConfigCopiasForm acacia;
        acacia.show();
        QVERIFY(!control<QPushButton>(acacia, "BitBtnPrueba")->isVisible());
    }

    void emptySheetOfTheProfile()
    {
        LocalTable &work = localStore().table(LocalTableId::Cylinders);
        if (!work.isOpen())
            work.open();
        work.append();
        work.setText(QStringLiteral("NROSERIE"), QStringLiteral("QUEDADO"));
        work.post();
        Global.PecName = QStringLiteral("GNC DEL CENTRO S.A."); // the letterhead is the PEC's row
        TImpresionFichasEnBlancoForm form;
        QCOMPARE(form.windowTitle(), QString::fromUtf8("Impresión Fichas en Blanco"));
        QCOMPARE(work.count(), 0);
        QCOMPARE(control<QSpinBox>(form, "SpinEdit1")->maximum(), 999);
        control<QSpinBox>(form, "SpinEdit1")->setValue(3);
        control<QPushButton>(form, "BitBtn1")->click();
        Global.InstallationId = QStringLiteral("BUCK01");
        control<QPushButton>(form, "BitBtn1")->click();
        QCOMPARE(m_shown.size(), 2);
        const Shown::Preview &quince = m_shown[0];
        QCOMPARE(quince.layout, QStringLiteral("TQFichaEnBlancoQuinceForm"));
        QCOMPARE(quince.copies, 3);
        QCOMPARE(quince.text("QRTaller"), kWorkshop);
        QCOMPARE(quince.text("QRLabel3"), QStringLiteral("ING. LUIS PAZ"));
        QCOMPARE(quince.text("QRLabelQuince1"), QStringLiteral("GNC DEL CENTRO S.A."));
        QCOMPARE(quince.detailRows(), 0);
        QCOMPARE(m_shown[1].layout, QStringLiteral("TQFichaEnBlancoQuinceForm"));
        QVERIFY(!m_shown[1].list.find(QStringLiteral("QRLabelQuince1")));
    }

    // Dogwood's empty sheet reads the prepared list's layout: a filled sheet
    // printed just before leaves no rows on it.
    void emptyDogwoodSheetAfterAFilledOne()
    {
        Global.InstallationId = QStringLiteral("DOGW01");
        FichaData filled = Sample::renewal();
        Sample::setCylinders(filled, {Sample::cylinder("S-1"), Sample::cylinder("S-2"), Sample::cylinder("S-3")});
        LocalTable &printable = localStore().table(LocalTableId::PrintCylinders);
        Documents::PreparePrintCylinders(filled.workCylinders, printable, {});
        Documents::PrintSheet(QStringLiteral("TQFichaDogwoodForm"), filled);
        TImpresionFichasEnBlancoForm form;
        control<QPushButton>(form, "BitBtn1")->click();
        QCOMPARE(m_shown.size(), 2);
        QCOMPARE(m_shown[0].detailRows(), 3);
        QCOMPARE(m_shown[1].layout, QStringLiteral("TQFichaDogwoodForm"));
        QCOMPARE(m_shown[1].detailRows(), 0);
        QCOMPARE(m_shown[1].text("QRLabel5"), QStringLiteral("TALLER PW"));
    }

    void leafletIsOnePageOfItsOwnText()
    {
        TImpresionRecomendacionesForm form;
        QCOMPARE(form.windowTitle(), QStringLiteral("Imprimir Recomendaciones de Seguridad"));
        control<QSpinBox>(form, "SpinEdit1")->setValue(25);
        control<QPushButton>(form, "BitBtn1")->click();
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].layout, QStringLiteral("TQRecomendacionesForm"));
        QCOMPARE(m_shown[0].pages, 1);
        QCOMPARE(m_shown[0].copies, 25);
        QStringList texts;
        for (const Report::DisplayItem &i : m_shown[0].list.items)
            texts << i.text;
        const QString all = texts.join(QLatin1Char('\n'));
        for (const char *expected :
             {"RECOMENDACIONES DE SEGURIDAD PARA EL USO DE VEHÍCULOS", "PROPULSADOS A G.N.C.",
              "Como proceder en caso de:", "200 bar", "Sr. Usuario", "Guía para la Revisión de su Vehículo",
              "Cada vez que la instalación de su vehículo sea revisada deberá poner especial atención en como mínimo "
              "se efectúen las siguiente tareas"})
            QVERIFY2(all.contains(QString::fromUtf8(expected)), expected);
    }

    // Look check: TARVIL_SCREENSHOT_DIR=/tmp/x writes the three windows.
    void windowsLook()
    {
        const QString dir = qEnvironmentVariable("TARVIL_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TARVIL_SCREENSHOT_DIR not set");
        storedConfig(3, QStringLiteral("RIO CUARTO"), QStringLiteral("CORDOBA"), 1);
        TConfigCopiasForm config;
        TImpresionFichasEnBlancoForm blank;
        TImpresionRecomendacionesForm leaflet;
        for (QDialog *w : std::initializer_list<QDialog *>{&config, &blank, &leaflet}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QVERIFY(w->grab().save(QDir(dir).filePath(w->objectName() + QStringLiteral(".png"))));
        }
    }
};

QTEST_MAIN(TstPrintWindows)
#include "tst_printwindows.moc"
