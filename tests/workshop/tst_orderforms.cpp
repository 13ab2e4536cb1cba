// The conversion-order windows: entering and storing an order, the checks
// on leaving fields, viewing and editing one, and the order list.
#include "app/navigator.h"
#include "controls.h"
#include "core/clock.h"
#include "core/global.h"
#include "data/conversionorderstore.h"
#include "data/cylinderworktable.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "documents/workshopdocuments.h"
#include "gridcolumn.h"
#include "postsalesdb.h"
#include "reads.h"
#include "report/preview.h"
#include "report/reportform.h"
#include "sampleorder.h"
#include "scripteddialogs.h"
#include "scriptedprompter.h"
#include "widgets/modalrun.h"
#include "workshop/orders/tasignartallerform.h"
#include "workshop/orders/tconsultaottform.h"
#include "workshop/orders/tverottform.h"
#include "workshop/owners/tpropietariosform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>
#include <QtTest>
#include <deque>
#include <functional>

namespace
{

const QString kOps = QStringLiteral("t_orderforms_ops");
const QString kPv = QStringLiteral("t_orderforms_pv");

} // namespace

class TstOrderForms : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    ScriptedPrompter prompter;
    ScopedNavigator nav;
    ScriptedDialogs dialogs;
    QStringList regulatorSearches; // what each regulator search was opened with
    bool regulatorSearchCancelled = false;
    QList<QHash<QString, QString>> printed; // each previewed order: component -> text
    int cylinderSerial = 0;

    QVariant value(const QString &sql)
    {
        QSqlQuery q(db);
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }
    // Leaves `w` for the next field and lets the leave rule run.
    static void leave(QWidget *from, QWidget *to)
    {
        from->window()->activateWindow(); // a dialog that came and went took it
        QVERIFY(QTest::qWaitForWindowActive(from->window()));
        from->setFocus();
        to->setFocus();
        QCoreApplication::processEvents();
    }
    static void show(QDialog &f)
    {
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
    }
    void storeOrder(Orders::ConversionOrder o) { ConversionOrderStore::SaveNew(o); }

private slots:
    void initTestCase()
    {
        db = PostSalesDb::createAndConnect(kOps, kPv);
        TestDb::exec(db, QStringLiteral("INSERT INTO propietarios (propietario_id, propietario, tipoDoc, nroDoc, "
                                        "celular, celular_carac, barrio, localidad) VALUES (7, 'LUNA ESTEBAN', "
                                        "'DNI', '31456789', '54327788', '11', 'CENTRO', 'RAMOS MEJIA')"));
        TestDb::exec(db, QStringLiteral("INSERT INTO opv (taller, opv_nro) VALUES ('TAL0005', 1), ('TDM0001', 1)"));
        dialogs.install();
        // The operation form's dialogs, as the operations folder answers them.
        nav->add<Nav::PickRegulator>([this](const Nav::PickRegulator &r, QWidget *) {
            regulatorSearches << r.search;
            if (regulatorSearchCancelled)
                return std::optional<Nav::RegulatorChoice>();
            return std::optional<Nav::RegulatorChoice>(Nav::RegulatorChoice{"T009", "TOMASETTO"});
        });
        nav->add<Nav::EditCylinder>([this](const Nav::EditCylinder &r, QWidget *) {
            if (r.kind != QLatin1String("C"))
                return false;
            CylinderRow c = sampleOrder().cylinders.first();
            c.nroSerie = QStringLiteral("CIL%1").arg(++cylinderSerial);
            LocalTable &t = localStore().table(LocalTableId::Cylinders);
            CylinderWorkTable::Append(t, c);
            return true;
        });
        Clock::setToday(QDate(2026, 12, 9));
        Report::ReportForm::setPreviewHook([this](Report::PreviewDialog &p) {
            QHash<QString, QString> page;
            for (const Report::DisplayItem &i : p.displayList().items)
                page.insert(i.name, i.text);
            page.insert(QStringLiteral("pages"), QString::number(p.pageCount()));
            printed << page;
        });
    }
    void init()
    {
        prompter.log.clear();
        prompter.answers.clear();
        regulatorSearchCancelled = false;
        dialogs.clear();
        regulatorSearches.clear();
        printed.clear();
        Global = GlobalState{};
        Global.WorkshopCode = QStringLiteral("TDM0001");
        Global.PecName = QStringLiteral("PEC DEMO");
        for (const char *t : {"ott", "ott_reg", "ott_cil"})
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

    void newOrderIsCheckedStoredWhole()
    {
        TAsignarTallerForm f(nullptr, prompter);
        f.Prepare(QStringLiteral("TDM0001"), QDate(2026, 12, 9));
        show(f);
        QCOMPARE(control<QLineEdit>(f, "FechaEdit")->text(), QStringLiteral("09/12/2026"));
        control<QPushButton>(f, "BitBtn1")->click();
        QCOMPARE(prompter.log, QStringList{"warn: Hay errores. Completar los campos marcados"});
        for (QWidget *w : {static_cast<QWidget *>(control<QLineEdit>(f, "DominioEdit")),
                           static_cast<QWidget *>(control<QComboBox>(f, "DBLookupComboBox1")),
                           static_cast<QWidget *>(control<QComboBox>(f, "DBLookupComboBox2")),
                           static_cast<QWidget *>(control<QComboBox>(f, "DBLookupComboBox3")),
                           static_cast<QWidget *>(control<QLineEdit>(f, "PropietarioIdEdit"))})
            QVERIFY2(f.isMarked(w), qPrintable(w->objectName()));
        QCOMPARE(value("select count(*) from ott").toInt(), 0);

        control<QSpinBox>(f, "AnioSpinEdit")->setValue(2019);
        control<QComboBox>(f, "DBLookupComboBox1")->setCurrentText(QStringLiteral("FIAT"));
        QVERIFY(!f.isMarked(control<QComboBox>(f, "DBLookupComboBox1"))); // a change gives the colour back
        QCOMPARE(control<QComboBox>(f, "DBLookupComboBox2")->count(), 2); // the brand's models
        control<QComboBox>(f, "DBLookupComboBox2")->setCurrentText(QStringLiteral("UNO"));
        control<QComboBox>(f, "DBLookupComboBox3")->setCurrentText(QStringLiteral("OESTE MOTORS"));
        control<QLineEdit>(f, "DominioEdit")->setFocus();
        QTest::keyClicks(control<QLineEdit>(f, "DominioEdit"), QStringLiteral("ab123cd"));
        dialogs.answer([](QDialog &d) {
            auto &owners = static_cast<TPropietariosForm &>(d);
            control<QLineEdit>(owners, "Edit1")->setText(QStringLiteral("LUNA"));
            control<QPushButton>(owners, "BitBtnBuscar")->click();
            waitForReads(owners);
            return int(QDialog::Rejected);
        });
        control<QPushButton>(f, "BitBtnBuscarPropietario")->click();
        QCOMPARE(control<QLineEdit>(f, "PropietarioEdit")->text(), QStringLiteral("LUNA ESTEBAN"));
        QCOMPARE(control<QLineEdit>(f, "PropietarioIdEdit")->text(), QStringLiteral("7"));
        for (int i = 0; i < 4; ++i)
            control<QPushButton>(f, "BitBtnAgregarCilindro")->click();
        QCOMPARE(control<QTableView>(f, "DBGridCilindros")->model()->rowCount(), 4);
        prompter.answers = {true};
        control<QPushButton>(f, "BitBtnBorrarCilindro")->click(); // the last one, under the cursor
        QCOMPARE(column(control<QTableView>(f, "DBGridCilindros"), 1), QStringList({"CIL1", "CIL2", "CIL3"}));
        control<QPushButton>(f, "BitBtnAgregarCilindro")->click();
        control<QTabWidget>(f, "PageControl1")->setCurrentIndex(1);
        control<QLineEdit>(f, "CodigoRegularEdit")->setText(QStringLiteral("R001")); // in the operations catalogue
        leave(control<QLineEdit>(f, "CodigoRegularEdit"), control<QLineEdit>(f, "VinEdit"));
        QCOMPARE(control<QLineEdit>(f, "MarcaReguladorEdit")->text(), QStringLiteral("LOVATO"));
        control<QLineEdit>(f, "NroSerieReguladorEdit")->setText(QStringLiteral("RS-99"));
        Widgets::selectGridRow(control<QTableView>(f, "DBGridOperarios"), 1);
        control<QPushButton>(f, "BitBtnAsignarCunero")->click();
        QCOMPARE(control<QLineEdit>(f, "CuneroEdit")->text(), QStringLiteral("BRITEZ DAMIAN"));

        prompter.log.clear();
        control<QPushButton>(f, "BitBtn1")->click();
        QCOMPARE(prompter.log, QStringList());
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(value("select concat(taller, '|', ott_nro, '|', dominio, '|', marca, '|', modelo, '|', cliente, '|', "
                       "propietario_id, '|', barrio, '|', cunero, '|', anio) from ott")
                     .toString(),
                 QStringLiteral("TDM0001|1|AB123CD|FIAT|UNO|2|7|CENTRO|2|2019"));
        QCOMPARE(value("select concat(RCODREGH, '|', RNROSERIE, '|', RNUEVO) from ott_reg").toString(),
                 QStringLiteral("R001|RS-99|S"));
        QCOMPARE(value("select count(*) from ott_cil where OTT_ID = 1").toInt(), 4);

        // Printed on one page: three of the four cylinders, the mobile with
        // its area code, the consent line with the PEC's name.
        QCOMPARE(printed.size(), 1);
        const QHash<QString, QString> &sheet = printed.first();
        QCOMPARE(sheet.value("pages"), QStringLiteral("1"));
        QCOMPARE(sheet.value("QROtNro"), QStringLiteral("1"));
        QCOMPARE(sheet.value("QRTel"), QStringLiteral("11 54327788"));
        QCOMPARE(sheet.value("QRAutorizo"), QStringLiteral("Por la presente autorizo a personal de   PEC DEMO"));
        QCOMPARE(sheet.value("QRCil3Serie"), QStringLiteral("CIL3"));
        QVERIFY(!sheet.contains("QRCil4Serie"));
        QCOMPARE(sheet.value("QRRegNuevo"), QStringLiteral("X"));
        QCOMPARE(sheet.value("QRConces"), QStringLiteral("OESTE MOTORS"));
        QCOMPARE(sheet.value("QRCunero"), QStringLiteral("BRITEZ DAMIAN"));
    }

    void yearAndPlateChecks()
    {
        Orders::ConversionOrder other = sampleOrder(QStringLiteral("TAL0005"));
        other.dominio = QStringLiteral("ABC123");
        storeOrder(other);
        other.dominio = QStringLiteral("AAA000");
        storeOrder(other);

        TAsignarTallerForm f(nullptr, prompter);
        f.Prepare(QStringLiteral("TDM0001"), QDate(2026, 12, 9));
        show(f);
        control<QSpinBox>(f, "AnioSpinEdit")->setValue(1950);
        leave(control<QSpinBox>(f, "AnioSpinEdit"), control<QLineEdit>(f, "VinEdit"));
        QCOMPARE(prompter.log, QStringList{"alert: Año Invalido."});
        QCOMPARE(QApplication::focusWidget(), control<QSpinBox>(f, "AnioSpinEdit"));
        control<QSpinBox>(f, "AnioSpinEdit")->setValue(2027);
        leave(control<QSpinBox>(f, "AnioSpinEdit"), control<QLineEdit>(f, "VinEdit"));
        QCOMPARE(prompter.log.size(), 1);

        control<QSpinBox>(f, "AnioSpinEdit")->setValue(2010);
        control<QLineEdit>(f, "DominioEdit")->setFocus();
        QTest::keyClicks(control<QLineEdit>(f, "DominioEdit"), QStringLiteral("AAA000"));
        leave(control<QLineEdit>(f, "DominioEdit"), control<QLineEdit>(f, "VinEdit"));
        QCOMPARE(prompter.log.size(), 1); // no warning for AAA000
        control<QLineEdit>(f, "DominioEdit")->setFocus();
        control<QLineEdit>(f, "DominioEdit")->selectAll();
        QTest::keyClicks(control<QLineEdit>(f, "DominioEdit"), QStringLiteral("ABC123"));
        leave(control<QLineEdit>(f, "DominioEdit"), control<QLineEdit>(f, "VinEdit"));
        QCOMPARE(prompter.log.last(), QStringLiteral("info: El dominio indicado ya tiene una Orden de Conversión."));
        QCOMPARE(QApplication::focusWidget(), control<QLineEdit>(f, "DominioEdit"));
    }

    void regulatorLookUp()
    {
        TAsignarTallerForm f(nullptr, prompter);
        f.Prepare(QStringLiteral("TDM0001"), QDate(2026, 12, 9));
        show(f);
        control<QTabWidget>(f, "PageControl1")->setCurrentIndex(1);
        leave(control<QLineEdit>(f, "CodigoRegularEdit"), control<QLineEdit>(f, "VinEdit")); // empty: the search opens
        QCOMPARE(regulatorSearches, QStringList{QString()});
        QCOMPARE(control<QLineEdit>(f, "CodigoRegularEdit")->text(), QStringLiteral("T009"));
        control<QLineEdit>(f, "CodigoRegularEdit")->setText(QStringLiteral("ZZ"));
        leave(control<QLineEdit>(f, "CodigoRegularEdit"), control<QLineEdit>(f, "VinEdit"));
        QCOMPARE(prompter.log, QStringList{"error: Código de Regulador no encontrado."});
        QCOMPARE(regulatorSearches.last(), QStringLiteral("ZZ")); // opened already searched
        QCOMPARE(control<QLineEdit>(f, "MarcaReguladorEdit")->text(), QStringLiteral("TOMASETTO"));

        // Cancelled: from an empty code the focus goes on; from a code not
        // found it comes back to the code.
        regulatorSearchCancelled = true;
        control<QLineEdit>(f, "CodigoRegularEdit")->clear();
        leave(control<QLineEdit>(f, "CodigoRegularEdit"), control<QLineEdit>(f, "NroSerieReguladorEdit"));
        QTRY_VERIFY(control<QLineEdit>(f, "NroSerieReguladorEdit")->hasFocus());
        control<QLineEdit>(f, "CodigoRegularEdit")->setText(QStringLiteral("ZZ"));
        leave(control<QLineEdit>(f, "CodigoRegularEdit"), control<QLineEdit>(f, "NroSerieReguladorEdit"));
        QTRY_VERIFY(control<QLineEdit>(f, "CodigoRegularEdit")->hasFocus());
        regulatorSearchCancelled = false;
    }

    void viewingAndEditing()
    {
        Orders::ConversionOrder o = sampleOrder(QStringLiteral("TDM0001"), 2);
        o.dealer = 9;          // a dealer deleted since
        o.technicians[0] = 42; // and a technician
        storeOrder(o);

        TVerOTTForm f(nullptr, prompter);
        QVERIFY(f.Load(QStringLiteral("TDM0001"), 1));
        show(f);
        QCOMPARE(control<QComboBox>(f, "DBLookupComboBox3")->currentText(), QString());
        QCOMPARE(control<QLineEdit>(f, "ElectricistaEdit")->text(), QString());
        QCOMPARE(control<QLineEdit>(f, "InstaladorEdit")->text(), QStringLiteral("BRITEZ DAMIAN"));
        QCOMPARE(control<QLineEdit>(f, "BarrioEdit")->text(), QString()); // neither shown nor kept here
        QCOMPARE(control<QLineEdit>(f, "DominioEdit")->text(), QStringLiteral("AB123CD"));
        QCOMPARE(control<QTableView>(f, "DBGridCilindros")->model()->rowCount(), 2);
        QCOMPARE(control<QTableView>(f, "DBGridCilindros")->model()->index(1, 3).data().toString(),
                 QStringLiteral("DESMONTAJE"));
        QVERIFY(control<QLineEdit>(f, "VinEdit")->isReadOnly() &&
                !control<QPushButton>(f, "BitBtnAgregarCilindro")->isEnabled() &&
                !control<QPushButton>(f, "BitBtnAsignarElectricista")->isEnabled());
        QVERIFY(control<QPushButton>(f, "BitBtnEditar")->isVisible() &&
                !control<QPushButton>(f, "BitBtn1")->isVisible());

        Global.WorkshopCode = QStringLiteral("TAL0005"); // "Taller:" prints the logged-in workshop
        control<QPushButton>(f, "BitBtnReimprimir")->click();
        QVERIFY(printed[0].value("QRImageMembrete").isEmpty()); // the installation has no letterhead picture
        // ... until it puts one in its working directory.
        QTemporaryDir folder;
        const QString before = QDir::currentPath();
        QDir::setCurrent(folder.path());
        QImage picture(40, 10, QImage::Format_RGB32);
        picture.fill(Qt::darkBlue);
        QVERIFY(picture.save(folder.filePath("MembreteOrden.jpg")));
        printed.clear();
        control<QPushButton>(f, "BitBtnReimprimir")->click();
        QDir::setCurrent(before);
        QCOMPARE(printed[0].value("QRImageMembrete"),
                 QFileInfo(folder.filePath("MembreteOrden.jpg")).absoluteFilePath());
        QCOMPARE(printed.size(), 1);
        QCOMPARE(printed[0].value("QRTel"), QStringLiteral("54327788")); // the mobile alone
        QCOMPARE(printed[0].value("QRAutorizo"), QStringLiteral("Por la presente autorizo a personal de  "));
        QCOMPARE(printed[0].value("QRTaller"), QStringLiteral("TAL0005"));
        QCOMPARE(printed[0].value("QRElectricista"), QString());

        control<QPushButton>(f, "BitBtnEditar")->click();
        QVERIFY(!control<QLineEdit>(f, "VinEdit")->isReadOnly() &&
                control<QPushButton>(f, "BitBtnAgregarCilindro")->isEnabled() &&
                control<QPushButton>(f, "BitBtnAsignarElectricista")->isEnabled());
        QVERIFY(!control<QToolButton>(f, "SpeedButtonQuitarElectricista")->isEnabled());
        control<QLineEdit>(f, "VinEdit")->setText(QStringLiteral("NUEVO VIN"));
        control<QPushButton>(f, "BitBtnAgregarCilindro")->click();
        prompter.answers = {false}; // no print
        control<QPushButton>(f, "BitBtn1")->click();
        QCOMPARE(prompter.log, QStringList({"info: Se ha actualizado la Orden de Conversión.",
                                            "ask: Desea imprimir la Orden de Conversión?"}));
        QCOMPARE(f.result(), int(QDialog::Accepted));
        QCOMPARE(value("select concat(vin, '|', cliente, '|', electricista, '|', barrio) from ott").toString(),
                 QStringLiteral("NUEVO VIN|9|42|CENTRO"));
        QCOMPARE(value("select count(*) from ott_cil").toInt(), 3);
        QCOMPARE(value("select CCODGEST from ott_cil where CNROSERIE = 'SER2'").toString(), QStringLiteral("D"));

        TVerOTTForm missing(nullptr, prompter);
        QVERIFY(!missing.Load(QStringLiteral("TDM0001"), 99));
    }

    // A cylinder list that cannot be read stops the save with its error:
    // the order is never stored without its cylinders.
    void unreadableCylinderListStoresNothing()
    {
        storeOrder(sampleOrder(QStringLiteral("TDM0001"), 2));
        TVerOTTForm f(nullptr, prompter);
        QVERIFY(f.Load(QStringLiteral("TDM0001"), 1));
        show(f);
        control<QPushButton>(f, "BitBtnEditar")->click();
        control<QLineEdit>(f, "VinEdit")->setText(QStringLiteral("NUEVO VIN"));
        LocalTable &table = localStore().table(LocalTableId::Cylinders);
        table.close();
        {
            QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
            other.setDatabaseName(table.filePath());
            QVERIFY(other.open());
            QSqlQuery lock(other);
            QVERIFY(lock.exec(QStringLiteral("BEGIN EXCLUSIVE")));
            control<QPushButton>(f, "BitBtn1")->click();
            f.TAsignarTallerForm::BitBtn1Click(); // the new-order save of the same controls
            lock.exec(QStringLiteral("ROLLBACK"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("other"));
        QCOMPARE(prompter.log.size(), 2);
        QVERIFY(prompter.log[0].startsWith(QLatin1String("error: ")) && prompter.log[1] == prompter.log[0]);
        QCOMPARE(f.result(), int(QDialog::Rejected));
        QCOMPARE(value("select concat(count(*), '|', max(vin)) from ott").toString(),
                 QStringLiteral("1|") + sampleOrder().vin);
        QCOMPARE(value("select count(*) from ott_cil").toInt(), 2);
    }

    void orderList()
    {
        storeOrder(sampleOrder(QStringLiteral("TDM0001")));
        Orders::ConversionOrder other = sampleOrder(QStringLiteral("TAL0005"));
        other.owner.nombre = QStringLiteral("PEREZ JUAN");
        storeOrder(other);

        TConsultaOTTForm f(nullptr, prompter);
        show(f);
        QCOMPARE(control<QComboBox>(f, "ComboBoxTalleres")->count(), 2);
        control<QComboBox>(f, "ComboBox1")->setCurrentIndex(2); // "Nro de Orden"
        QCOMPARE(control<QLabel>(f, "LabelValor")->text(), QStringLiteral("Nro de Orden"));
        QTest::keyClicks(control<QLineEdit>(f, "Edit1"), QStringLiteral("uno"));
        control<QPushButton>(f, "BitBtn1")->click();
        QCOMPARE(prompter.log, QStringList{"error: El número de orden debe ser un número entero."});
        control<QLineEdit>(f, "Edit1")->setText(QStringLiteral("1"));
        control<QPushButton>(f, "BitBtn1")->click();
        waitForReads(f);
        QCOMPARE(column(control<QTableView>(f, "DBGrid1"), 6), QStringList({"TAL0005", "TDM0001"}));
        // Back from "Ver" the same search runs again, on the order just seen.
        f.selectRow(1);
        control<QLineEdit>(f, "Edit1")->setText(QStringLiteral("dos")); // typed since: not what is listed
        QString seen;
        dialogs.answer([&seen](QDialog &d) {
            seen = control<QLineEdit>(d, "TallerEdit")->text();
            return int(QDialog::Rejected);
        });
        control<QPushButton>(f, "BitBtnVer")->click();
        waitForReads(f);
        QCOMPARE(seen, QStringLiteral("TDM0001"));
        QCOMPARE(column(control<QTableView>(f, "DBGrid1"), 6), QStringList({"TAL0005", "TDM0001"}));
        QCOMPARE(f.selectedRow(), 1);
        control<QLineEdit>(f, "Edit1")->setText(QStringLiteral("1"));
        control<QCheckBox>(f, "CheckBoxTodos")->click();
        QVERIFY(control<QComboBox>(f, "ComboBoxTalleres")->isEnabled());
        QCOMPARE(control<QComboBox>(f, "ComboBoxTalleres")->currentText(), QStringLiteral("TAL0005"));
        control<QPushButton>(f, "BitBtn1")->click();
        waitForReads(f);
        QCOMPARE(column(control<QTableView>(f, "DBGrid1"), 1), QStringList{"PEREZ JUAN"});

        control<QComboBox>(f, "ComboBox1")->setCurrentIndex(3); // "Periodo": two dates instead of the entry
        QVERIFY(!control<QLineEdit>(f, "Edit1")->isVisible() && control<QDateEdit>(f, "DateTimePicker1")->isVisible());
        QCOMPARE(control<QDateEdit>(f, "DateTimePicker1")->date(), QDate(2026, 12, 9));

        // Selection mode: the chosen order's rows for "Traer desde OC".
        dialogs.answer([](QDialog &d) {
            auto &list = static_cast<TConsultaOTTForm &>(d);
            if (control<QPushButton>(list, "BitBtnVer")->isVisible() ||
                !control<QPushButton>(list, "BitBtnAceptar")->isVisible())
                return int(QDialog::Rejected);
            control<QComboBox>(list, "ComboBox1")->setCurrentIndex(1);
            control<QLineEdit>(list, "Edit1")->setText(QStringLiteral("LUNA"));
            control<QPushButton>(list, "BitBtn1")->click();
            waitForReads(list);
            control<QPushButton>(list, "BitBtnAceptar")->click();
            return list.result();
        });
        const std::optional<Orders::ConversionOrder> picked = TConsultaOTTForm::pick(nullptr, prompter);
        QVERIFY(picked);
        QCOMPARE(picked->owner.nombre, QStringLiteral("LUNA ESTEBAN"));
        QCOMPARE(picked->regulator.marca, QStringLiteral("TOMASETTO"));
        QCOMPARE(picked->cylinders.size(), 2);
    }

    // Look check: TARVIL_SCREENSHOT_DIR=/tmp/x writes the order forms.
    void screenshot()
    {
        const QString dir = qEnvironmentVariable("TARVIL_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TARVIL_SCREENSHOT_DIR not set");
        storeOrder(sampleOrder(QStringLiteral("TDM0001"), 3));
        TVerOTTForm f(nullptr, prompter);
        QVERIFY(f.Load(QStringLiteral("TDM0001"), 1));
        show(f);
        for (int tab = 0; tab < control<QTabWidget>(f, "PageControl1")->count(); ++tab) {
            control<QTabWidget>(f, "PageControl1")->setCurrentIndex(tab);
            QCoreApplication::processEvents();
            QVERIFY(f.grab().save(QDir(dir).filePath(QStringLiteral("orden-%1.png").arg(tab))));
        }
        Orders::PrintContext ctx;
        ctx.pecName = QStringLiteral("PEC DEMO");
        ctx.workshopCode = QStringLiteral("TDM0001");
        ctx.dealerName = QStringLiteral("OESTE MOTORS");
        ctx.technicianNames = {QStringLiteral("ACOSTA LEANDRO"), QStringLiteral("BRITEZ DAMIAN"), QString(),
                               QStringLiteral("CORIA MATIAS"), QString()};
        Orders::ConversionOrder printed = sampleOrder(QStringLiteral("TDM0001"), 4);
        printed.numero = 17;
        QVERIFY(Documents::MakeOrder(printed, ctx).exportPdf(QDir(dir).filePath(QStringLiteral("orden.pdf"))));
        TConsultaOTTForm list(nullptr, prompter);
        show(list);
        control<QComboBox>(list, "ComboBox1")->setCurrentIndex(1);
        control<QPushButton>(list, "BitBtn1")->click();
        waitForReads(list);
        QVERIFY(list.grab().save(QDir(dir).filePath(QStringLiteral("consulta.png"))));
    }
};

QTEST_MAIN(TstOrderForms)
#include "tst_orderforms.moc"
