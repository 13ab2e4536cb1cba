// The blank-sheet technical sheet TQFichaBuckeyeForm filled for each kind of
// operation: printed values and their places, the prepared cylinder rows, the
// workshop block read from the database, the PDF text.
#include "data/cylinderworktable.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "data/sheetrepository.h"
#include "displaylist.h"
#include "documents/rowsources.h"
#include "documents/sheet.h"
#include "samplesheet.h"
#include "testdb.h"

#include <QProcess>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>

using namespace Ficha;
using Documents::LoadWorkshopRows;
using Report::DisplayItem;
using Report::DisplayList;
using Sample::cylinder;
using Sample::renewal;
using Shown::rowCells;
using Shown::textOf;

namespace
{

const double kLeft = 10, kTop = 10;     // margins
const double kDetailTop = kTop + 130.2; // first detail row

Report::ReportForm buckeye(const FichaData &d)
{
    return Documents::MakeSheet(QStringLiteral("TQFichaBuckeyeForm"), d);
}

} // namespace

class TstSheets : public QObject
{
    Q_OBJECT
    QTemporaryDir tmp;
    const QString dbName = QStringLiteral("t_print_ficha");

private slots:
    void initTestCase()
    {
        QSqlDatabase admin = TestDb::create(dbName);
        dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), "Test"});
        TestDb::exec(admin, "insert into res (RMATRESHAB, RAPELLIDO, RNOMBRE) values ('M-7788', 'SOSA', 'ANA')");
        TestDb::exec(admin, "insert into tal (tcodigoint, TRAZSOC, TALCUIT, RMATRESHAB, TCALLE, TNUMERO, TTELEFONO, "
                            "thabilitad, codtalaso) values "
                            "('TAL0001', 'TALLER NORTE SRL', '30-11111111-5', 'M-4411', 'RUTA 9', 'KM 3', "
                            "'351-5550000', 1, NULL), "
                            "('TAL0002', 'TALLER SUR', '30-22222222-6', NULL, 'SAN MARTIN', '10', '351-1', 0, "
                            "'TAL0003'), "
                            "('TAL0003', 'TALLER ASOCIADO SA', '30-33333333-7', 'M-7788', 'AV. COLON', '742', "
                            "'351-7770000', 1, NULL), "
                            "('TAL0004', 'TALLER HUERFANO', NULL, NULL, NULL, NULL, NULL, 0, 'ZZZ9999')");
        TestDb::exec(admin, "insert into codcil (CODIGO, VENC) values ('C060', 10), ('C070', NULL)");
    }

    void cleanupTestCase()
    {
        dm1().closeAll();
        TestDb::drop(dbName);
    }

    void renewalPrintsEveryValueInItsPlace()
    {
        const Report::ReportForm form = buckeye(renewal());
        const DisplayList l = form.displayList();
        QCOMPARE(l.pageCount, 1);
        QCOMPARE(form.layout().copies, 1);

        const DisplayItem *hab = l.find("QRHabilitacion");
        QVERIFY(hab);
        QCOMPARE(hab->text, QStringLiteral("05/03/2021"));
        QCOMPARE(hab->rect, QRectF(kLeft + 126.7, kTop + 7.4, 28.0, 5.3));
        QCOMPARE(textOf(l, "QRVencimiento"), QStringLiteral("05/03/2022"));
        QCOMPARE(textOf(l, "QRObleaAnterior"), QStringLiteral("0001234567"));
        QCOMPARE(textOf(l, "QRObleaNueva"), QStringLiteral("0001299999"));
        QCOMPARE(textOf(l, "QRLabelPEC"), QStringLiteral("PEC07"));
        QCOMPARE(textOf(l, "QRLabelTipoOperacion"), QStringLiteral("REVISION ANUAL"));
        QCOMPARE(l.find("QRLabelTipoOperacion")->rect.topLeft(), QPointF(kLeft + 127.0, kTop + 50.8));
        QCOMPARE(textOf(l, "QRMarca"), QStringLiteral("FIAT"));
        QCOMPARE(textOf(l, "QRAnio"), QStringLiteral("2012"));
        QCOMPARE(textOf(l, "QRInyeccion"), QStringLiteral("NO"));
        QCOMPARE(l.find("QRInyeccion")->rect.topLeft(), QPointF(kLeft + 32.8, kTop + 61.4));
        QCOMPARE(textOf(l, "QRTipo"), QStringLiteral("AUTOELEVADOR"));
        QCOMPARE(textOf(l, "QRPropietario"), QStringLiteral("GÓMEZ, MARÍA"));
        QCOMPARE(textOf(l, "QRCalle"), QStringLiteral("BELGRANO 1450"));
        QCOMPARE(textOf(l, "QRNroDoc"), QStringLiteral("23456789"));
        QCOMPARE(l.find("QRNroDoc")->rect.topLeft(), QPointF(kLeft + 165.1, kTop + 83.1));

        // own workshop, enabled
        QCOMPARE(textOf(l, "QRTaller"), QStringLiteral("TAL0001"));
        QCOMPARE(textOf(l, "QRLabel5"), QStringLiteral("TALLER NORTE SRL"));
        QCOMPARE(textOf(l, "QRLabelDireccion1"), QStringLiteral("Tel.: 351-5550000"));
        QCOMPARE(textOf(l, "QRLabel3"), QStringLiteral("PEREZ JUAN"));

        // regulator in the actual box, the new-regulator X on NO
        QCOMPARE(textOf(l, "QRRegActualCode"), QStringLiteral("R22"));
        QCOMPARE(textOf(l, "QRRegActualNro"), QStringLiteral("RS-2201"));
        QCOMPARE(l.find("QRRegActualNro")->rect.topLeft(), QPointF(kLeft + 40.2, kTop + 106.6));
        QVERIFY(textOf(l, "QRRegMontajeCode").isEmpty());
        QCOMPARE(l.find("QRRegNuevo")->rect.topLeft(), QPointF(kLeft + 98.4, kTop + 95.8));
        QCOMPARE(textOf(l, "QRRegNuevo"), QStringLiteral("X"));

        // the markers of the pre-printed ancestor never print here
        QVERIFY(!l.find("QRTipoOperacion"));
        QVERIFY(!l.find("QRNro"));
        // letterhead lines only where the profile prints them
        QVERIFY(!l.find("QRLabelQuince1"));

        // the one cylinder row
        const auto cells = rowCells(l, 0);
        QCOMPARE(cells.value("QRDBText1"), QStringLiteral("C060"));
        QCOMPARE(cells.value("QRDBText2"), QStringLiteral("S-100"));
        QCOMPARE(cells.value("QRExpr1"), QString());
        QCOMPARE(cells.value("QRExpr2"), QStringLiteral("X"));
        QCOMPARE(cells.value("QRExpr4"), QStringLiteral("04"));
        QCOMPARE(cells.value("QRExpr5"), QStringLiteral("15"));
        QCOMPARE(cells.value("QRExpr7"), QStringLiteral("03"));
        QCOMPARE(cells.value("QRExpr8"), QStringLiteral("21"));
        QCOMPARE(cells.value("QRDBText3"), QStringLiteral("CR01"));
        QCOMPARE(cells.value("QRExpr6"), QStringLiteral("S"));
        QCOMPARE(cells.value("QRDBText5"), QStringLiteral("V10"));
        QCOMPARE(cells.value("QRDBText6"), QStringLiteral("VN-100"));
        QCOMPARE(cells.value("QRExpr3"), QStringLiteral("S"));
        const DisplayItem *serial = l.find("QRDBText2");
        QCOMPARE(serial->rect.left(), kLeft + 19.1);
        QCOMPARE(serial->rect.top(), kDetailTop + 0.3);

        // footer: accessories, observations, stamps, PEC representative
        const double footerTop = kTop + 277 - 124.6;
        const DisplayItem *suj = l.find("QRLabelSujeccion_cod");
        QCOMPARE(suj->text, QStringLiteral("SJ1"));
        QCOMPARE(suj->rect.topLeft(), QPointF(kLeft + 2.6 + 1.6, footerTop + 8.5));
        QCOMPARE(textOf(l, "QRLabelTubo_nro"), QStringLiteral("TB-0009"));
        QCOMPARE(l.find("QRLabelTubo_nro")->rect.top(), footerTop + 33.9);
        QCOMPARE(textOf(l, "QRLabelManometro_cod"), QString());
        QCOMPARE(textOf(l, "QRObs"), QStringLiteral("SIN OBSERVACIONES"));
        QCOMPARE(textOf(l, "QRSello3"), QStringLiteral("CORDOBA"));
        QCOMPARE(l.find("QRSello3")->rect.topLeft(), QPointF(kLeft + 133.3, footerTop + 53.7));
        QCOMPARE(textOf(l, "QRRepTecPec"), QStringLiteral("ING. LUIS PAZ"));
        QCOMPARE(textOf(l, "QRRepTecPECMat"), QStringLiteral("Mat. 9911"));
        QCOMPARE(l.named("QRShapeAccSujeccion").size(), 1);
        QCOMPARE(l.named("pageFooter.frame").size(), 4);
    }

    void conversionMountsTheRegulatorAndMarksNewCylinders()
    {
        FichaData d = renewal();
        d.operationKind = QStringLiteral("C");
        d.regulatorNew = QStringLiteral("SI");
        d.regulatorManagement = QStringLiteral("MONTAJE");
        d.injection = QStringLiteral("SI");
        d.useType = QStringLiteral("TAXI");
        Sample::setCylinders(d, {cylinder("S-1", "SI"), cylinder("S-2", "SI")});
        const DisplayList l = buckeye(d).displayList();
        QCOMPARE(textOf(l, "QRLabelTipoOperacion"), QStringLiteral("CONVERSION"));
        QCOMPARE(textOf(l, "QRRegMontajeCode"), QStringLiteral("R22"));
        QCOMPARE(textOf(l, "QRRegMontajeNro"), QStringLiteral("RS-2201"));
        QVERIFY(textOf(l, "QRRegActualCode").isEmpty());
        QCOMPARE(l.find("QRRegNuevo")->rect.left(), kLeft + 88.9);
        QCOMPARE(textOf(l, "QRInyeccion"), QStringLiteral("SI"));
        QCOMPARE(textOf(l, "QRTipo"), QStringLiteral("TAXI"));
        for (int row : {0, 1}) {
            QCOMPARE(rowCells(l, row).value("QRExpr1"), QStringLiteral("X"));
            QCOMPARE(rowCells(l, row).value("QRExpr2"), QString());
        }
        QCOMPARE(l.named("QRDBText2").at(1).rect.top(), kDetailTop + 4.2 + 0.3);
    }

    void modificationPrintsTheNewRegulatorInTheActualBox()
    {
        FichaData d = renewal();
        d.operationKind = QStringLiteral("M");
        d.regulatorManagement = QStringLiteral("DESMONTAJE");
        d.regulatorNew = QStringLiteral("SI");
        d.newRegulatorCode = QStringLiteral("R55");
        d.newRegulatorSerial = QStringLiteral("RS-5501");
        const DisplayList l = buckeye(d).displayList();
        QCOMPARE(textOf(l, "QRLabelTipoOperacion"), QStringLiteral("MODIFICACION"));
        QCOMPARE(textOf(l, "QRRegActualCode"), QStringLiteral("R55"));
        QCOMPARE(textOf(l, "QRRegActualNro"), QStringLiteral("RS-5501"));
        QCOMPARE(textOf(l, "QRRegDesmontajeCode"), QStringLiteral("R22"));
        QCOMPARE(textOf(l, "QRRegDesmontajeNro"), QStringLiteral("RS-2201"));
        QCOMPARE(l.find("QRRegDesmontajeCode")->rect.topLeft(), QPointF(kLeft + 96.3, kTop + 100.3));
    }

    void dismantlingAndCrpcReview()
    {
        FichaData d = renewal();
        d.operationKind = QStringLiteral("B");
        d.regulatorManagement = QStringLiteral("BAJA");
        DisplayList l = buckeye(d).displayList();
        QCOMPARE(textOf(l, "QRLabelTipoOperacion"), QStringLiteral("DESMONTAJE"));
        QCOMPARE(textOf(l, "QRRegBajaCode"), QStringLiteral("R22"));
        QCOMPARE(l.find("QRRegBajaCode")->rect.topLeft(), QPointF(kLeft + 124.4, kTop + 100.0));
        QVERIFY(textOf(l, "QRRegActualCode").isEmpty());

        d.operationKind = QStringLiteral("X"); // the Buckeye sheet fills the actual box for CRPC
        l = buckeye(d).displayList();
        QCOMPARE(textOf(l, "QRLabelTipoOperacion"), QStringLiteral("REVISION CRPC"));
        QCOMPARE(textOf(l, "QRRegActualCode"), QStringLiteral("R22"));

        d.operationKind = QStringLiteral("H");
        l = buckeye(d).displayList();
        QCOMPARE(textOf(l, "QRLabelTipoOperacion"), QString());
        QVERIFY(textOf(l, "QRRegActualCode").isEmpty());
    }

    void replacedValvePrintsAsASecondRowWithOnlyTheValve()
    {
        FichaData d = renewal();
        d.operationKind = QStringLiteral("H");
        Sample::setCylinders(d, {Sample::withReplacedValve("S-100"), cylinder("S-101", "NO")});
        const DisplayList l = buckeye(d).displayList();
        QCOMPARE(l.named("QRDBText2").size(), 3);
        const auto valve = rowCells(l, 1);
        QCOMPARE(valve.value("QRDBText5"), QStringLiteral("V20"));
        QCOMPARE(valve.value("QRDBText6"), QStringLiteral("VN-200"));
        QCOMPARE(valve.value("QRExpr3"), QStringLiteral("M"));
        for (const char *empty : {"QRDBText1", "QRDBText2", "QRExpr1", "QRExpr2", "QRExpr4", "QRExpr5", "QRExpr7",
                                  "QRExpr8", "QRDBText3", "QRExpr6"})
            QVERIFY2(valve.value(empty).isEmpty(), empty);
        QCOMPARE(rowCells(l, 2).value("QRDBText2"), QStringLiteral("S-101"));
        QCOMPARE(l.named("QRDBText6").at(1).rect.top(), kDetailTop + 4.2 + 0.3);
    }

    void emptyAndLongCylinderLists()
    {
        FichaData d = renewal();
        d.cylinders.clear();
        DisplayList l = buckeye(d).displayList();
        QCOMPARE(l.pageCount, 1);
        QVERIFY(l.named("QRDBText1").isEmpty());
        QVERIFY(l.find("QRHabilitacion") && l.find("QRObs"));

        QVector<CylinderRow> many;
        for (int i = 0; i < 12; ++i)
            many.append(cylinder(QStringLiteral("S-%1").arg(i), "NO"));
        Sample::setCylinders(d, many);
        l = buckeye(d).displayList();
        // twelve rows and the 124.6 mm footer do not share an A4 page
        QCOMPARE(l.pageCount, 2);
        QCOMPARE(l.named("QRDBText2").size(), 12);
        QCOMPARE(l.find("QRDBText2", 1)->text, QStringLiteral("S-0"));
        QVERIFY(l.find("QRObs", 2) && !l.find("QRObs", 1));
        QVERIFY(l.find("QRHabilitacion", 1) && !l.find("QRHabilitacion", 2));
    }

    void profileChoicesCopiesLetterheadAndRepresentative()
    {
        FichaData d = renewal();
        d.buckeyeCopies = 2;
        d.workshopCopies = 5;
        d.printsLetterheadLines = true;
        d.letterhead = {"PEC GAS SA", "AV. 1 100", "TEL 1", "WWW"};
        d.keepsLayoutRepresentative = true;
        const Report::ReportForm form = buckeye(d);
        QCOMPARE(form.layout().copies, 2);
        const DisplayList l = form.displayList();
        QCOMPARE(textOf(l, "QRLabelQuince1"), QStringLiteral("PEC GAS SA"));
        QCOMPARE(l.find("QRLabelQuince4")->rect.topLeft(), QPointF(kLeft + 61.4, kTop + 13.5));
        // the profile's own representative lines instead of the PEC's
        QCOMPARE(textOf(l, "QRRepTecPec"), QStringLiteral("PEC GAS SA"));
        QCOMPARE(textOf(l, "QRRepTecPECMat"), QStringLiteral("AV. 1 100"));
    }

    // A sheet over the working table, as the layouts still to come are
    // written: one row per cylinder, the raw "new" flag, the certificate
    // column, dates split into boxes, the long kind wording, copies from
    // the workshop's count.
    void workTableSheetFromTheLayoutAlone()
    {
        const auto resource = [](const QString &name) {
            QFile f(QStringLiteral(":/documents/layouts/%1.json").arg(name));
            if (!f.open(QIODevice::ReadOnly))
                throw std::runtime_error("missing layout");
            return f.readAll();
        };
        QFile own(QStringLiteral(TARVIL_SOURCE_DIR "/tests/documents/layouts/WorkSheet.json"));
        QVERIFY(own.open(QIODevice::ReadOnly));
        Report::Layout layout;
        try {
            layout = Report::loadLayoutFromJson(own.readAll(), resource);
        } catch (const std::exception &e) {
            QFAIL(e.what());
        }
        FichaData d = renewal();
        d.operationKind = QStringLiteral("H");
        d.workshopCopies = 4;
        Sample::setCylinders(d, {Sample::withReplacedValve("S-100", ""), cylinder("S-101", "SI")});
        const auto sheet = [&] {
            Report::ReportForm form(layout);
            form.bindValues(std::make_shared<Report::Values>(Documents::SheetValues(d)));
            form.bindRows(Documents::SheetRows(d, layout.rows));
            return form;
        };
        Report::ReportForm form = sheet();
        QCOMPARE(form.layout().copies, 4);
        const DisplayList l = form.displayList();
        QCOMPARE(l.named("QRDBText2").size(), 2); // the replaced valve takes no row of its own
        QCOMPARE(rowCells(l, 0).value("QRExpr2"), QStringLiteral("X"));
        QCOMPARE(rowCells(l, 0).value("QRCertificado"), QStringLiteral("CR01000123"));
        QCOMPARE(rowCells(l, 1).value("QRExpr1"), QStringLiteral("X"));
        QCOMPARE(textOf(l, "QRHabilitacion"), QStringLiteral("05      03      2021"));
        QCOMPARE(textOf(l, "QRLabelOperacion"), QStringLiteral("REEMPLAZO VALVULA"));
        QCOMPARE(textOf(l, "QRTaller"), QStringLiteral("TAL0001"));

        d.workshopCopies = 0; // an unset tal.copias still presets one copy
        d.ownRow->enabled = 0;
        d.workshopEnabled = false;
        form = sheet();
        QCOMPARE(form.layout().copies, 1);
        QCOMPARE(textOf(form.displayList(), "QRTaller"), QStringLiteral("??????"));
    }

    void notEnabledWorkshopPrintsItsAssociatedWorkshop()
    {
        FichaData d = renewal();
        d.ownWorkshop.code = QStringLiteral("TAL0002");
        LoadWorkshopRows(d, QStringLiteral("TAL0002"));
        QVERIFY(!d.workshopEnabled);
        QVERIFY(d.associatedWorkshop.has_value());
        const DisplayList l = buckeye(d).displayList();
        QCOMPARE(textOf(l, "QRTaller"), QStringLiteral("TAL0003"));
        QCOMPARE(textOf(l, "QRLabel5"), QStringLiteral("TALLER ASOCIADO SA"));
        QCOMPARE(textOf(l, "QRLabel1"), QStringLiteral("AV. COLON 742"));
        QCOMPARE(textOf(l, "QRLabel6"), QStringLiteral("30-33333333-7"));
        QCOMPARE(textOf(l, "QRLabel3"), QStringLiteral("SOSA ANA"));
        QCOMPARE(textOf(l, "QRLabel4"), QStringLiteral("M-7788"));
        QCOMPARE(textOf(l, "QRLabelDireccion1"), QStringLiteral("351-7770000"));

        FichaData own = renewal();
        LoadWorkshopRows(own, QStringLiteral("TAL0001"));
        QVERIFY(own.workshopEnabled);
        QCOMPARE(own.ownWorkshop.phone, QStringLiteral("351-5550000"));
        QCOMPARE(textOf(buckeye(own).displayList(), "QRTaller"), QStringLiteral("TAL0001"));

        // associated code that names no workshop, and a code with no row at all
        for (const char *code : {"TAL0004", "NOEXIST"}) {
            FichaData orphan = renewal();
            LoadWorkshopRows(orphan, QString::fromLatin1(code));
            QVERIFY(!orphan.workshopEnabled);
            QVERIFY(!orphan.associatedWorkshop);
            const DisplayList ol = buckeye(orphan).displayList();
            QCOMPARE(textOf(ol, "QRTaller"), QString());
            QCOMPARE(textOf(ol, "QRLabel5"), QString());
        }
    }

    // The sheet of an operation left in the outbox prints without the server:
    // what was read before is kept on the workstation.
    void sheetSourcesAreKeptForWhenTheServerCannotBeReached()
    {
        FichaData online = renewal();
        LoadWorkshopRows(online, QStringLiteral("TAL0002"));
        QCOMPARE(SheetRepository::CylinderValidity()(QStringLiteral("C060")), std::optional<int>(10));

        dm1().closeAll();
        dm1().configure(Conn::Operations,
                        {QStringLiteral("127.0.0.1:1"), dbName, TestDb::user(), TestDb::password(), "Test"});
        FichaData offline = renewal();
        LoadWorkshopRows(offline, QStringLiteral("TAL0002"));
        QCOMPARE(offline.associatedWorkshop->name, QStringLiteral("TALLER ASOCIADO SA"));
        QCOMPARE(offline.ownWorkshop.phone, online.ownWorkshop.phone);
        QCOMPARE(SheetRepository::CylinderValidity()(QStringLiteral("C060")), std::optional<int>(10));
        QVERIFY_THROWS_EXCEPTION(DbError, SheetRepository::Workshop(QStringLiteral("TAL0001X"))); // never read
        dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), "Test"});

        // Right after a save went to the outbox the kept copy is taken
        // without asking the server; otherwise the server's row counts.
        TestDb::exec(QSqlDatabase::database(QStringLiteral("test")),
                     "update tal set TTELEFONO = '351-2' where tcodigoint = 'TAL0002'");
        {
            SheetRepository::KeptOnly keptOnly;
            FichaData kept = renewal();
            LoadWorkshopRows(kept, QStringLiteral("TAL0002"));
            QCOMPARE(kept.ownWorkshop.phone, online.ownWorkshop.phone);
        }
        FichaData read = renewal();
        LoadWorkshopRows(read, QStringLiteral("TAL0002"));
        QCOMPARE(read.ownWorkshop.phone, QStringLiteral("351-2"));
        TestDb::exec(QSqlDatabase::database(QStringLiteral("test")),
                     "update tal set TTELEFONO = '351-1' where tcodigoint = 'TAL0002'");
    }

    void expiryUsesTheCylinderCatalogue()
    {
        const ValidityLookup validity = SheetRepository::CylinderValidity();
        QCOMPARE(validity(QStringLiteral("C060")), std::optional<int>(10));
        QCOMPARE(validity(QStringLiteral("C070")), std::optional<int>());
        QCOMPARE(validity(QStringLiteral("NADA")), std::optional<int>());
        CylinderRow known = cylinder("S-1", "NO");
        CylinderRow unknown = cylinder("S-2", "NO");
        unknown.codigo = QStringLiteral("NADA");
        const auto rows = PrepareCylinders({known, unknown}, validity);
        QCOMPARE(rows[0].cilVenc, QStringLiteral("03/2031"));
        QCOMPARE(rows[1].cilVenc, QStringLiteral("03/2026"));
    }

    void printableTableIsRebuiltFromTheWorkTable()
    {
        LocalTable work(LocalTableId::Cylinders);
        LocalTable printable(LocalTableId::PrintCylinders);
        work.open();
        work.empty();
        printable.open();
        printable.empty();
        printable.append(); // a leftover of an earlier sheet
        printable.setText("NROSERIE", "VIEJO");
        printable.post();
        const QVector<CylinderRow> src = {cylinder("S-1", "SI"), cylinder("S-2", "NO")};
        for (int i = 0; i < 2; ++i) {
            work.append();
            work.setText("CODIGO", src[i].codigo);
            work.setText("NROSERIE", src[i].nroSerie);
            work.setInteger("CAPACIDAD", 40 + i);
            work.setText("UPHFECHA", src[i].uphFecha);
            work.setText("UPHRESULT", i == 0 ? "A" : "R");
            work.setText("CNUEVO", src[i].cNuevo);
            work.setText("VALCOD", "V1");
            if (i == 0) {
                work.setText("RVALCOD", "V9");
                work.setText("RVALNRO", "VN-9");
                work.setText("RVALGEST", "MONTAJE");
            }
            work.post();
        }
        const auto rows = Documents::PreparePrintCylinders(CylinderWorkTable::Read(work), printable,
                                                           SheetRepository::CylinderValidity());
        QCOMPARE(rows.size(), 3);
        QCOMPARE(printable.count(), 3);
        Documents::LocalTableRowSource table(printable);
        QCOMPARE(table.value(0, "NROSERIE").toString(), QStringLiteral("S-1"));
        QCOMPARE(table.value(0, "CILVENC").toString(), QStringLiteral("03/2031"));
        QCOMPARE(table.value(0, "CAPACIDAD").toInt(), 40);
        QCOMPARE(table.value(0, "UPHRESULT").toString(), QStringLiteral("APROBADO"));
        QCOMPARE(table.value(1, "VALCOD").toString(), QStringLiteral("V9"));
        QVERIFY(table.value(1, "NROSERIE").toString().isEmpty());
        QCOMPARE(table.value(2, "UPHRESULT").toString(), QStringLiteral("RECHAZADO"));
        QCOMPARE(table.value(2, "CNUEVO").toString(), QStringLiteral("NO"));
        QVERIFY(table.fields().contains("CILVENC"));
        printable.close();
        work.close();
    }

    void queryRowsKeepTheirFieldsAndTypes()
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "rowsource");
        db.setDatabaseName(":memory:");
        QVERIFY(db.open());
        QSqlQuery q(db);
        QVERIFY(q.exec("create table t (Dominio text, Anio integer)"));
        QVERIFY(q.exec("insert into t values ('AAA111', 2010), ('BBB222', 2011), ('CCC333', 2012)"));
        q.setForwardOnly(true);
        QVERIFY(q.exec("select * from t order by Dominio"));
        Documents::SqlRowSource s(q);
        QCOMPARE(s.rowCount(), 3);
        QCOMPARE(s.value(2, "dominio").toString(), QStringLiteral("CCC333"));
        QCOMPARE(s.value(1, "ANIO").toInt(), 2011);
        QCOMPARE(s.fields(), (QStringList{"Dominio", "Anio"}));
        QVERIFY(s.value(1, "ANIO").typeId() != QMetaType::QString); // numbers stay numbers in the spreadsheet
    }

    void pdfCarriesTheSheetText()
    {
        FichaData d = renewal();
        Sample::setCylinders(d, {Sample::withReplacedValve("S-100")});
        const QString path = qEnvironmentVariable("TARVIL_FICHA_PDF", tmp.filePath("ficha.pdf"));
        QString error;
        QVERIFY2(buckeye(d).exportPdf(path, &error), qPrintable(error));
        QProcess p;
        p.start("pdftotext", {"-layout", path, "-"});
        QVERIFY(p.waitForFinished(30000));
        const QString text = QString::fromUtf8(p.readAllStandardOutput());
        for (const char *expected : {"Fecha Habilitación", "05/03/2021", "0001234567", "REVISION ANUAL", "GÓMEZ, MARÍA",
                                     "KLM321", "AUTOELEVADOR", "RS-2201", "S-100", "VN-200", "Disp. Sujección Cilindro",
                                     "SJ-0001", "ESTE DOCUMENTO NO HABILITA PARA LA CARGA DE GNC", "ING. LUIS PAZ",
                                     "Mat. 9911", "Representante Técnico del PEC"})
            QVERIFY2(text.contains(QString::fromUtf8(expected)), expected);
    }
};

QTEST_MAIN(TstSheets)
#include "tst_sheets.moc"
