// The work-order windows: entering an order with its pre-fill, warranty,
// faults and jobs, the refused entry, saving and printing by profile;
// correcting and reprinting one; viewing; the period listing.
#include "app/navigator.h"
#include "controls.h"
#include "core/clock.h"
#include "core/global.h"
#include "data/dm1.h"
#include "data/workorderstore.h"
#include "displaylist.h"
#include "documents/workorderdocuments.h"
#include "postsalesdb.h"
#include "reads.h"
#include "report/preview.h"
#include "report/reportform.h"
#include "sampleworkorder.h"
#include "scripteddialogs.h"
#include "scriptedprompter.h"
#include "widgets/modalrun.h"
#include "workshop/masters/tfallasform.h"
#include "workshop/masters/ttrabajosrealizadosform.h"
#include "workshop/owners/tpropietariosform.h"
#include "workshop/workorders/tconsultaopvform.h"
#include "workshop/workorders/terroresingresoform.h"
#include "workshop/workorders/tlistadoopvform.h"
#include "workshop/workorders/topvaltaform.h"
#include "workshop/workorders/topveditform.h"
#include "workshop/workorders/topvverform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

namespace
{
const QString kOps = QStringLiteral("t_woforms_ops");
const QString kPv = QStringLiteral("t_woforms_pv");
const QDate kToday(2026, 12, 9);

// Every text a component printed, in print order.
QStringList texts(const Shown::Preview &p, const QString &name)
{
    QStringList out;
    for (const Report::DisplayItem &i : p.list.items)
        if (i.name == name)
            out << i.text;
    return out;
}
} // namespace

class TstWorkOrderForms : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    ScriptedPrompter prompter;
    ScopedNavigator nav;
    ScriptedDialogs dialogs;
    QVector<Shown::Preview> printed;

    QVariant value(const QString &sql)
    {
        QSqlQuery q(db);
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }
    static void show(QDialog &f)
    {
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
    }
    // The next dialog: the fault list positioned on `row`, accepted.
    void pickFault(int row)
    {
        dialogs.answer([row](QDialog &d) {
            auto &f = static_cast<TFallasForm &>(d);
            f.show();
            f.selectRow(row);
            control<QPushButton>(f, "BitBtnAceptar")->click();
            return f.result();
        });
    }
    void pickJob(int job, int technician)
    {
        dialogs.answer([=](QDialog &d) {
            auto &f = static_cast<TTrabajosRealizadosForm &>(d);
            f.show();
            f.selectRow(job);
            Widgets::selectGridRow(control<QTableView>(f, "DBGridTecnicos"), technician);
            control<QPushButton>(f, "BitBtnAceptar")->click();
            return f.result();
        });
    }
    void recordPreviews() { Report::ReportForm::setPreviewHook(Shown::recordInto(printed)); }

private slots:
    void initTestCase()
    {
        db = PostSalesDb::createAndConnect(kOps, kPv);
        // The sister database of the two profiles that have one: here the same server's operations.
        dm1().configure(Conn::Sister, {TestDb::host(), kOps, TestDb::user(), TestDb::password(), QString()});
        QSqlDatabase ops = QSqlDatabase::database(kOps);
        for (const char *sql :
             {"INSERT INTO tal (tcodigoint, garantia) VALUES ('TGAR001', 1), ('TSIN001', 0)",
              "INSERT INTO usr (codtal, talcuit, tnrointopr, udominio, ucodgest, ufechab, ufecvenhab) VALUES "
              "('TGAR001', '1', 1, 'AB123CD', 'C', '2026-03-04', '2027-03-04'), "
              "('TGAR001', '2', 2, 'HOY001', 'C', '2025-12-09', '2026-12-09'), "
              "('TSIN001', '3', 3, 'SIN001', 'C', '2026-03-04', '2027-03-04')"})
            TestDb::exec(ops, QString::fromUtf8(sql));
        for (const char *sql :
             {"INSERT INTO propietarios (propietario_id, propietario, tipoDoc, nroDoc, celular, celular_carac) VALUES "
              "(7, 'LUNA ESTEBAN', 'DNI', '31456789', '54327788', '11'), (8, 'PAZ ANA', 'DNI', '22333444', "
              "'60001111', '351')",
              "INSERT INTO operaciones (id, operacion) VALUES ('SERV', 'SERVICE'), ('GARA', 'GARANTIA')",
              "INSERT INTO ott (taller, ott_nro, fecha, dominio, propietario, propietario_id, marca, modelo, vin, "
              "celular, celular_carac, cliente) VALUES ('TDM0001', 1, '2026-03-01', 'AB123CD', 'LUNA ESTEBAN', 7, "
              "'FIAT', 'SIENA', '8AP17206NK2012345', '54327788', '11', 2)"})
            TestDb::exec(db, QString::fromUtf8(sql));
        dialogs.install();
        Clock::setToday(kToday);
        recordPreviews();
    }
    void init()
    {
        prompter.log.clear();
        prompter.answers.clear();
        dialogs.clear();
        printed.clear();
        Global = GlobalState{};
        Global.WorkshopCode = QStringLiteral("TDM0001");
        Global.InstallationId = QStringLiteral("LIND01");
        for (const char *t : {"opv", "opv_fallas", "opv_trabajo_realizado"})
            TestDb::exec(db, QStringLiteral("DELETE FROM %1").arg(QLatin1String(t)));
    }
    void cleanup() { QVERIFY(dialogs.empty()); }
    void cleanupTestCase()
    {
        Clock::reset();
        Report::ReportForm::setPreviewHook({});
        ScriptedDialogs::uninstall();
        dm1().closeAll();
        PostSalesDb::drop(kOps, kPv);
    }

    void refusedEntryListsItsLinesAndWritesNothing()
    {
        TOPVAltaForm f(nullptr, prompter);
        f.Prepare(QStringLiteral("TDM0001"), kToday);
        show(f);
        QStringList lines;
        dialogs.answer([&lines](QDialog &d) {
            lines = control<QPlainTextEdit>(d, "Memo1")->toPlainText().split(QLatin1Char('\n'));
            return int(QDialog::Accepted);
        });
        control<QPushButton>(f, "BitBtnGuardar")->click();
        QCOMPARE(lines.size(), 10);
        QCOMPARE(lines.first(), WorkOrders::kNoPlate);
        QCOMPARE(lines.last(), WorkOrders::kNoFault);
        QVERIFY(f.isVisible());
        QCOMPARE(value("select count(*) from opv").toInt(), 0);
        // "Sacar" on an empty list.
        control<QPushButton>(f, "BitBtnSacarFalla")->click();
        QCOMPARE(prompter.log, QStringList{"warn: No hay registros para borrar."});
    }

    // Linden: the plate pre-fills from its conversion order, the central
    // database gives warranty, the order is saved and printed with the
    // profile's consent line and the conversion date.
    void newOrderPrefillsSavesAndPrints()
    {
        TOPVAltaForm f(nullptr, prompter);
        f.Prepare(QStringLiteral("TDM0001"), kToday);
        show(f);
        QVERIFY(!control<QComboBox>(f, "DBLookupComboBoxTipoOperacion")->isVisibleTo(&f)); // Birch only
        QVERIFY(!control<QLabel>(f, "LabelEnGarantia")->isVisibleTo(&f));
        QTest::keyClicks(control<QLineEdit>(f, "DominioEdit"), QStringLiteral("ab123cd"));
        f.DominioEditExit();
        QCOMPARE(control<QLineEdit>(f, "ClienteEdit")->text(), QStringLiteral("LUNA ESTEBAN"));
        QCOMPARE(control<QComboBox>(f, "DBLookupComboBoxModelo")->currentText(), QStringLiteral("SIENA"));
        QCOMPARE(control<QComboBox>(f, "DBLookupComboBoxConcesionario")->currentText(), QStringLiteral("OESTE MOTORS"));
        QCOMPARE(control<QLineEdit>(f, "CelularEdit")->text(), QStringLiteral("54327788"));
        QCOMPARE(control<QComboBox>(f, "GarantiaComboBox")->currentText(), QStringLiteral("SI"));
        QVERIFY(control<QLabel>(f, "LabelEnGarantia")->isVisibleTo(&f));
        QCOMPARE(control<QLabel>(f, "LabelVencimiento")->text(), QStringLiteral("Vencimiento = 04/03/2027"));

        control<QComboBox>(f, "DBLookupComboBoxRecepcionista")->setCurrentIndex(1);
        control<QLineEdit>(f, "EntregaFechaEdit")->setText(QStringLiteral("09/12/2026")); // the order's day is accepted
        control<QComboBox>(f, "EntregaHoraComboBox")->setCurrentText(QStringLiteral("18:30"));
        pickFault(0);
        control<QPushButton>(f, "BitBtnAgregarFalla")->click();
        pickFault(2);
        control<QPushButton>(f, "BitBtnAgregarFalla")->click();
        pickJob(1, 2);
        control<QPushButton>(f, "BitBtnAgregarTrabajo")->click();
        QCOMPARE(control<QTableView>(f, "DBGridFallas")->model()->rowCount(), 2);
        QCOMPARE(control<QTableView>(f, "DBGridTrabajos")->model()->index(0, 1).data().toString(),
                 QStringLiteral("CORIA MATIAS"));
        control<QLineEdit>(f, "OtrasFallas1Edit")->setText(QStringLiteral("RUIDO"));
        control<QLineEdit>(f, "AbonadoImporteEdit")->setText(QStringLiteral("1234567,89"));
        control<QPushButton>(f, "BitBtnGuardar")->click();
        QVERIFY2(prompter.log.isEmpty(), qPrintable(prompter.log.join(QLatin1Char('\n'))));
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(value("select concat(taller, '|', opv_nro, '|', dominio, '|', cliente, '|', concesionario, '|', "
                       "recepcionista, '|', garantia, '|', entrega_fecha, '|', entrega_hora, '|', abonado_importe, "
                       "'|', tecnico, '|', estado) from opv")
                     .toString(),
                 QStringLiteral("TDM0001|1|AB123CD|7|2|2|SI|2026-12-09|18:30|1234567.89|0|0"));
        QCOMPARE(value("select group_concat(falla order by id) from opv_fallas").toString(), QStringLiteral("1,3"));
        QCOMPARE(value("select concat(trabajo_realizado, '/', tecnico) from opv_trabajo_realizado").toString(),
                 QStringLiteral("2/3"));

        QCOMPARE(printed.size(), 1);
        const Shown::Preview &p = printed.first();
        QCOMPARE(p.layout, QStringLiteral("TQOPVForm"));
        QCOMPARE(p.text("QRNro"), QStringLiteral("1"));
        QCOMPARE(p.text("QRCliente"), QStringLiteral("LUNA ESTEBAN"));
        QCOMPARE(p.text("QRRecepcionista"), QStringLiteral("BRITEZ DAMIAN"));
        QCOMPARE(p.text("QRMontoAbonado"), QStringLiteral("1234567.89"));
        QCOMPARE(texts(p, "QRDBFalla"), QStringList({"NO PASA A GAS", "TIRONEA EN GNC"}));
        QVERIFY(!texts(p, "QRLabelEnGarantia").isEmpty());
        QCOMPARE(p.text("QRFechaConversion"), QStringLiteral("04/03/2026"));
        QVERIFY(p.text("QRConsentimiento").contains(QStringLiteral("personal de LINDEN GNC a rodar")));
        // The consent and its signature head the order, above the faults.
        QVERIFY(p.list.find("QRLabelFirmaConsentimiento")->rect.bottom() < p.list.find("QRDBFalla")->rect.top());
        QCOMPARE(texts(p, "QRNumeroVacia6").size(), 1); // the boxes after the faults
        QVERIFY(texts(p, "QRNumeroVacia2").isEmpty());
    }

    // A work order pre-fills when there is no conversion order (without the
    // owner's name); no warranty for a conversion expiring today or by a
    // workshop without warranty; Birch picks the operation kind.
    void prefillFromAWorkOrderAndNoWarranty()
    {
        Global.InstallationId = QStringLiteral("BIRC01");
        WorkOrders::WorkOrder earlier = sampleWorkOrder();
        earlier.dominio = QStringLiteral("HOY001");
        earlier.vin = QStringLiteral("VIN-ANTERIOR");
        WorkOrderStore::SaveNew(earlier);
        TOPVAltaForm f(nullptr, prompter);
        f.Prepare(QStringLiteral("TDM0001"), kToday);
        show(f);
        QVERIFY(control<QComboBox>(f, "DBLookupComboBoxTipoOperacion")->isVisibleTo(&f));
        QCOMPARE(control<QComboBox>(f, "DBLookupComboBoxTipoOperacion")->count(), 2);
        control<QComboBox>(f, "GarantiaComboBox")->setCurrentText(QStringLiteral("SI"));
        control<QLineEdit>(f, "DominioEdit")->setText(QStringLiteral("HOY001"));
        f.DominioEditExit();
        QCOMPARE(control<QLineEdit>(f, "VinEdit")->text(), QStringLiteral("VIN-ANTERIOR"));
        QCOMPARE(control<QLineEdit>(f, "ClienteEdit")->text(), QString());
        QCOMPARE(f.order().cliente, 7);
        QCOMPARE(control<QComboBox>(f, "GarantiaComboBox")->currentText(), QStringLiteral("NO"));
        QVERIFY(!control<QLabel>(f, "LabelEnGarantia")->isVisibleTo(&f));
        QCOMPARE(control<QLabel>(f, "LabelVencimiento")->text(), QString());
        control<QLineEdit>(f, "DominioEdit")->setText(QStringLiteral("SIN001"));
        f.DominioEditExit();
        QCOMPARE(control<QComboBox>(f, "GarantiaComboBox")->currentText(), QStringLiteral("NO"));
    }

    // Mulberry looks in its sister database too, and leaves "Garantía" as
    // it was when neither finds a running warranty.
    void sisterDatabaseLeavesWarrantyAlone()
    {
        Global.InstallationId = QStringLiteral("MULB01");
        TOPVAltaForm f(nullptr, prompter);
        f.Prepare(QStringLiteral("TDM0001"), kToday);
        show(f);
        control<QComboBox>(f, "GarantiaComboBox")->setCurrentText(QStringLiteral("RE"));
        control<QLineEdit>(f, "DominioEdit")->setText(QStringLiteral("SIN001"));
        f.DominioEditExit();
        QCOMPARE(control<QComboBox>(f, "GarantiaComboBox")->currentText(), QStringLiteral("RE"));
        QVERIFY(!dm1().isOpen(Conn::Sister)); // closed again after use
        control<QLineEdit>(f, "DominioEdit")->setText(QStringLiteral("AB123CD"));
        f.DominioEditExit();
        QCOMPARE(control<QComboBox>(f, "GarantiaComboBox")->currentText(), QStringLiteral("SI"));
        QCOMPARE(prompter.log, QStringList());
    }

    void correctionKeepsTheAreaCodeAndReprintsFourJobs()
    {
        WorkOrders::WorkOrder stored = sampleWorkOrder(QStringLiteral("TDM0001"), 6);
        stored.entregaFecha = {};
        stored.presupuesto = 99999.99; // amounts come back and are written back to the cent
        stored.horasHombre = 1234567.89;
        WorkOrderStore::SaveNew(stored);
        TConsultaOPVForm list(nullptr, prompter);
        show(list);
        control<QLineEdit>(list, "Edit1")->setText(QStringLiteral("AB123CD"));
        control<QPushButton>(list, "BitBtn1")->click();
        waitForReads(list);
        QCOMPARE(list.gridModel()->rowCount(), 1);

        dialogs.answer([this](QDialog &d) {
            auto &f = static_cast<TOPVEditForm &>(d);
            f.show();
            [&] {
                QCOMPARE(control<QLineEdit>(f, "OrdenNroEdit")->text(), QStringLiteral("1"));
                QCOMPARE(control<QPushButton>(f, "BitBtnCancelar")->text(), QStringLiteral("Cancelar"));
                QCOMPARE(control<QLineEdit>(f, "PresupuestoImporteEdit")->text(), QStringLiteral("99999.99"));
                QCOMPARE(control<QLineEdit>(f, "HorasHombreEdit")->text(), QStringLiteral("1234567.89"));
                QCOMPARE(control<QLineEdit>(f, "EntregaFechaEdit")->displayText(),
                         QStringLiteral("__/__/____")); // empty shows empty
                QCOMPARE(control<QTableView>(f, "DBGridTrabajos")->model()->rowCount(), 6);
                dialogs.queue.push_front([](QDialog &owners) {
                    auto &o = static_cast<TPropietariosForm &>(owners);
                    control<QLineEdit>(o, "Edit1")->setText(QStringLiteral("PAZ"));
                    control<QPushButton>(o, "BitBtnBuscar")->click();
                    waitForReads(o);
                    return int(QDialog::Rejected);
                });
                control<QPushButton>(f, "BitBtnBuscarCliente")->click();
                QCOMPARE(control<QLineEdit>(f, "ClienteEdit")->text(), QStringLiteral("PAZ ANA"));
                control<QPushButton>(f, "BitBtnGuardarCambios")->click();
                QCOMPARE(prompter.log.last(), QStringLiteral("info: Se actualizó la Orden de Trabajo"));
                QCOMPARE(control<QLineEdit>(f, "CelularCaracEdit")->text(), QStringLiteral("11")); // what is stored
                prompter.answers = {true};
                control<QPushButton>(f, "BitBtnSacarFalla")->click();
                QCOMPARE(prompter.log.mid(prompter.log.size() - 2),
                         QStringList({"question: Esta seguro de eliminar esta falla.",
                                      "info: Se eliminó la falla de la Orden de Trabajo"}));
                QCOMPARE(control<QTableView>(f, "DBGridFallas")->model()->rowCount(), 1);
                control<QPushButton>(f, "BitBtnImprimir")->click();
            }();
            return int(QDialog::Rejected);
        });
        control<QPushButton>(list, "BitBtnVer")->click();
        QCOMPARE(value("select concat(cliente, '|', celular, '|', celular_carac, '|', ifnull(entrega_fecha, 'NULL')) "
                       "from opv")
                     .toString(),
                 QStringLiteral("8|60001111|11|NULL"));
        QCOMPARE(value("select concat(presupuesto, '|', horas_hombre) from opv").toString(),
                 QStringLiteral("99999.99|1234567.89"));
        QCOMPARE(value("select count(*) from opv_fallas").toInt(), 1);
        QCOMPARE(printed.size(), 1);
        const Shown::Preview &p = printed.first();
        QCOMPARE(p.layout, QStringLiteral("TQOPVReimpresionVersion2Form"));
        QCOMPARE(p.text("QRCliente"), QStringLiteral("PAZ ANA"));
        QCOMPARE(p.text("QRTrabajo4"), QStringLiteral("CAMBIO DE FILTRO DE GAS"));
        QCOMPARE(p.text("QRTecnico1"), QStringLiteral("ACOSTA LEANDRO"));
        QVERIFY(texts(p, "QRFechaConversion").isEmpty());
        QCOMPARE(texts(p, "QRDBFalla").size(), 1);
    }

    // Hornbeam's reprint names the owner, receptionist and dealer the form
    // shows, also when they were changed and not saved.
    void hornbeamReprintNamesAsTheFormShowsThem()
    {
        Global.InstallationId = QStringLiteral("HORN01");
        WorkOrders::WorkOrder o = sampleWorkOrder();
        WorkOrderStore::SaveNew(o);
        TOPVEditForm f(nullptr, prompter);
        QVERIFY(f.Load(QStringLiteral("TDM0001"), 1));
        show(f);
        control<QLineEdit>(f, "ClienteEdit")->setText(QStringLiteral("OTRO CLIENTE"));
        QComboBox *receptionist = control<QComboBox>(f, "DBLookupComboBoxRecepcionista");
        QVERIFY(receptionist->count() > 1);
        receptionist->setCurrentIndex((receptionist->currentIndex() + 1) % receptionist->count());
        QComboBox *dealer = control<QComboBox>(f, "DBLookupComboBoxConcesionario");
        QVERIFY(dealer->count() > 1);
        dealer->setCurrentIndex((dealer->currentIndex() + 1) % dealer->count());
        control<QPushButton>(f, "BitBtnImprimir")->click();
        QCOMPARE(printed.size(), 1);
        const Shown::Preview &p = printed.first();
        QCOMPARE(p.layout, QStringLiteral("TQOPVReimpresionHornbeamForm"));
        QCOMPARE(p.text("QRCliente"), QStringLiteral("OTRO CLIENTE"));
        QCOMPARE(p.text("QRRecepcionista"), receptionist->currentText());
        QCOMPARE(p.text("QRConcesionario"), dealer->currentText());
    }

    void viewIsReadOnly()
    {
        WorkOrders::WorkOrder o = sampleWorkOrder();
        WorkOrderStore::SaveNew(o);
        TOpvVerForm f(nullptr, prompter);
        QVERIFY(f.Load(QStringLiteral("TDM0001"), 1));
        show(f);
        QCOMPARE(f.windowTitle(), QStringLiteral("Orden de Trabajo"));
        QVERIFY(control<QLineEdit>(f, "DominioEdit")->isReadOnly());
        QVERIFY(!control<QComboBox>(f, "DBLookupComboBoxConcesionario")->isEnabled());
        QCOMPARE(control<QComboBox>(f, "DBLookupComboBoxRecepcionista")->currentText(),
                 QStringLiteral("ACOSTA LEANDRO"));
        QVERIFY(!control<QPushButton>(f, "BitBtnAgregarFalla")->isVisibleTo(&f));
        QVERIFY(!control<QLineEdit>(f, "AnioEdit")->isVisibleTo(&f));
        QVERIFY(!f.Load(QStringLiteral("TDM0001"), 9));
        QCOMPARE(prompter.log.size(), 1);
    }

    void periodListingPrintsAndExports()
    {
        for (const auto &[g, paid] : {std::pair{"SI", 99999.99}, {"NO", 1234567.89}, {"RE", 0.01}}) {
            WorkOrders::WorkOrder o = sampleWorkOrder();
            o.garantia = QString::fromLatin1(g);
            o.abonadoImporte = paid;
            WorkOrderStore::SaveNew(o);
        }
        TListadoOpvForm f(nullptr, prompter);
        show(f);
        QCOMPARE(control<QDateEdit>(f, "DateTimePicker1")->date(), kToday);
        QVERIFY(control<QCheckBox>(f, "CheckBoxCon")->isChecked() && control<QCheckBox>(f, "CheckBoxSin")->isChecked());
        control<QCheckBox>(f, "CheckBoxCon")->setChecked(false);
        control<QCheckBox>(f, "CheckBoxSin")->setChecked(false);
        control<QPushButton>(f, "BitBtn1")->click();
        waitForReads(f);
        QCOMPARE(printed.size(), 1);
        QCOMPARE(printed[0].layout, QStringLiteral("TQListadoOpvForm"));
        QCOMPARE(texts(printed[0], "QRDBGarantia"), QStringList({"SI", "NO"}));
        QCOMPARE(printed[0].text("QRPeriodo"), QStringLiteral("Periodo: 09/12/2026 al 09/12/2026"));
        QCOMPARE(printed[0].text("QRTallerLinea"), QStringLiteral("Taller: Todos"));
        QCOMPARE(texts(printed[0], "QRDBAbonadoImporte"), QStringList({"99999.99", "1234567.89"}));
        QCOMPARE(printed[0].text("QRTotal"), QStringLiteral("1334567.88"));
        QCOMPARE(printed[0].text("QRCantidad"), QStringLiteral("2"));

        QTemporaryDir tmp;
        const QString book = tmp.filePath(QStringLiteral("ordenes.xlsx"));
        QString error;
        Report::ReportForm::setPreviewHook([&](Report::PreviewDialog &p) {
            QCOMPARE(p.report().layout().name, QStringLiteral("TQListadoOPVExcelForm"));
            QVERIFY2(p.exportXlsxTo(book, &error), qPrintable(error));
        });
        control<QComboBox>(f, "ComboBoxSale")->setCurrentIndex(1);
        control<QCheckBox>(f, "CheckBoxTodos")->click();
        QVERIFY(control<QComboBox>(f, "ComboBoxTalleres")->isEnabled());
        QCOMPARE(control<QComboBox>(f, "ComboBoxTalleres")->currentText(), QStringLiteral("TDM0001"));
        control<QPushButton>(f, "BitBtn1")->click();
        waitForReads(f);
        recordPreviews();
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), book, QStringLiteral("xl/worksheets/sheet1.xml")});
        QVERIFY(unzip.waitForFinished());
        const QString sheet = QString::fromUtf8(unzip.readAllStandardOutput());
        QVERIFY(sheet.contains(QStringLiteral("<t>Garantía</t>")));
        QVERIFY(sheet.contains(QStringLiteral("<t>OESTE MOTORS</t>")));
        QCOMPARE(sheet.count(QStringLiteral("<t>AB123CD</t>")), 2);
        QVERIFY(sheet.contains(QStringLiteral("<v>1234567.89</v>")));
    }

    // Look check: TARVIL_SCREENSHOT_DIR=/tmp/x writes the windows and the
    // six layouts (as PDF).
    void windowsAndPrintsLook()
    {
        const QString dir = qEnvironmentVariable("TARVIL_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TARVIL_SCREENSHOT_DIR not set");
        Global.InstallationId = QStringLiteral("BIRC01");
        WorkOrders::WorkOrder o = sampleWorkOrder(QStringLiteral("TDM0001"), 6);
        WorkOrderStore::SaveNew(o);
        o = *WorkOrderStore::Load(o.taller, o.numero);
        TOPVAltaForm entry(nullptr, prompter);
        entry.Prepare(QStringLiteral("TDM0001"), kToday);
        control<QLineEdit>(entry, "DominioEdit")->setText(QStringLiteral("AB123CD"));
        entry.DominioEditExit();
        TOPVEditForm edit(nullptr, prompter);
        QVERIFY(edit.Load(o.taller, o.numero));
        TOpvVerForm view(nullptr, prompter);
        QVERIFY(view.Load(o.taller, o.numero));
        TListadoOpvForm list(nullptr, prompter);
        TConsultaOPVForm query(nullptr, prompter);
        for (QDialog *w : std::initializer_list<QDialog *>{&entry, &edit, &view, &list, &query}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QVERIFY(w->grab().save(QDir(dir).filePath(w->objectName() + QStringLiteral(".png"))));
        }
        const WorkOrders::PrintContext ctx{false, QStringLiteral("BIRCH GNC"), true, QDate(2026, 3, 4)};
        for (const char *layout :
             {"TQOPVForm", "TQOPVHornbeamForm", "TQOPVReimpresionVersion2Form", "TQOPVReimpresionHornbeamForm"}) {
            const Report::ReportForm form = Documents::MakeWorkOrder(QString::fromLatin1(layout), o, ctx);
            QVERIFY(form.exportPdf(QDir(dir).filePath(QString::fromLatin1(layout) + QStringLiteral(".pdf"))));
        }
        const WorkOrders::ListFilter filter =
            WorkOrders::BuildList({kToday.addDays(-60), kToday, true, {}, true, true});
        const auto rows = QVector<WorkOrderStore::PeriodRow>(40, WorkOrderStore::List(filter).value(0));
        for (const bool excel : {false, true}) {
            const Report::ReportForm form = Documents::MakeWorkOrderList(rows, filter, excel);
            QVERIFY(form.exportPdf(QDir(dir).filePath(form.layout().name + QStringLiteral(".pdf"))));
        }
    }
};

QTEST_MAIN(TstWorkOrderForms)
#include "tst_workorderforms.moc"
