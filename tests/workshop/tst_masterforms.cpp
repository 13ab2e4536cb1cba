// The master-file windows of the "Taller" tab as an operator uses them:
// lists, the one-field dialogs, filters, the owners list and its dialog.
#include "controls.h"
#include "core/global.h"
#include "data/dm1.h"
#include "gridcolumn.h"
#include "postsalesdb.h"
#include "reads.h"
#include "report/preview.h"
#include "report/reportform.h"
#include "sampleorder.h"
#include "scripteddialogs.h"
#include "scriptedprompter.h"
#include "widgets/modalrun.h"
#include "workshop/masters/tclientesform.h"
#include "workshop/masters/tfallasform.h"
#include "workshop/masters/tmarcasform.h"
#include "workshop/masters/tmarcasmantenimientoform.h"
#include "workshop/masters/toperariosform.h"
#include "workshop/masters/ttrabajosform.h"
#include "workshop/masters/ttrabajosrealizadosform.h"
#include "workshop/owners/tpropietarioseditform.h"
#include "workshop/owners/tpropietariosform.h"

#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>
#include <functional>

namespace
{

const QString kOps = QStringLiteral("t_masterforms_ops");
const QString kPv = QStringLiteral("t_masterforms_pv");

} // namespace

class TstMasterForms : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    ScriptedPrompter prompter;
    ScriptedDialogs dialogs;

    void answer(std::function<int(QDialog &)> f) { dialogs.answer(std::move(f)); }
    // A one-field dialog: types `text` and presses "Aceptar".
    void type(const QString &text)
    {
        answer([text](QDialog &d) {
            auto *edit = d.findChild<QLineEdit *>(QStringLiteral("Edit1"));
            edit->clear();
            QTest::keyClicks(edit, text);
            d.findChild<QPushButton *>(QStringLiteral("BitBtnAceptar"))->click();
            return d.result();
        });
    }
    QVariant value(const QString &sql)
    {
        QSqlQuery q(db);
        return q.exec(sql) && q.next() ? q.value(0) : QVariant();
    }

private slots:
    void initTestCase()
    {
        db = PostSalesDb::createAndConnect(kOps, kPv);
        dialogs.install();
    }
    void init()
    {
        prompter.log.clear();
        prompter.answers.clear();
        dialogs.clear();
    }
    void cleanup() { QVERIFY(dialogs.empty()); }
    void cleanupTestCase()
    {
        ScriptedDialogs::uninstall();
        dm1().closeAll();
        PostSalesDb::drop(kOps, kPv);
    }

    void technicians()
    {
        TOperariosForm f(nullptr, prompter);
        f.show();
        QCOMPARE(column(control<QTableView>(f, "DBGrid1"), 1),
                 QStringList({"ACOSTA LEANDRO", "BRITEZ DAMIAN", "CORIA MATIAS"}));
        QCOMPARE(control<QTableView>(f, "DBGrid1")->model()->headerData(1, Qt::Horizontal).toString(),
                 QStringLiteral("TECNICO"));

        type(QStringLiteral("duarte facundo")); // upper case as typed
        control<QPushButton>(f, "BitBtnAgregar")->click();
        QCOMPARE(column(control<QTableView>(f, "DBGrid1"), 1).last(), QStringLiteral("DUARTE FACUNDO"));
        QCOMPARE(f.current()->name, QStringLiteral("DUARTE FACUNDO")); // the cursor on the new row

        type(QStringLiteral("DUARTE F."));
        control<QPushButton>(f, "BitBtnEditar")->click();
        QCOMPARE(value("select nombre from operarios where id = 4").toString(), QStringLiteral("DUARTE F."));

        prompter.answers = {true};
        control<QPushButton>(f, "BitBtnBorrar")->click();
        QCOMPARE(prompter.log, QStringList{"question: Esta seguro de borrar este técnico?"});
        QCOMPARE(value("select count(*) from operarios").toInt(), 3);
    }

    void faultsFilterAndSelection()
    {
        TFallasForm f(nullptr, prompter);
        f.show();
        QVERIFY(!control<QPushButton>(f, "BitBtnAceptar")->isVisible());
        // An empty description is refused and the dialog stays open.
        answer([this](QDialog &d) {
            d.findChild<QPushButton *>(QStringLiteral("BitBtnAceptar"))->click();
            const bool open = d.isVisible() && d.result() != QDialog::Accepted;
            prompter.log << (open ? "still open" : "closed");
            return int(QDialog::Rejected);
        });
        control<QPushButton>(f, "BitBtnAgregar")->click();
        QCOMPARE(prompter.log, QStringList({"error: Se debe ingresar una descripción.", "still open"}));

        QTest::keyClicks(control<QLineEdit>(f, "Edit1"), QStringLiteral("gas"));
        control<QPushButton>(f, "BitBtnFiltrar")->click();
        QCOMPARE(column(control<QTableView>(f, "DBGrid1"), 0), QStringList({"NO PASA A GAS", "PIERDE GAS"}));
        QCOMPARE(control<QPushButton>(f, "BitBtnFiltrar")->text(), QStringLiteral("Cancelar Filtro"));
        control<QPushButton>(f, "BitBtnFiltrar")->click();
        QCOMPARE(control<QTableView>(f, "DBGrid1")->model()->rowCount(), 3);
        QCOMPARE(control<QLineEdit>(f, "Edit1")->text(), QString());
        QCOMPARE(control<QPushButton>(f, "BitBtnFiltrar")->text(), QStringLiteral("Filtrar"));

        TFallasForm pick(nullptr, prompter);
        pick.setMode(1);
        pick.show();
        QVERIFY(control<QPushButton>(pick, "BitBtnAceptar")->isVisible() &&
                !control<QPushButton>(pick, "BitBtnAgregar")->isVisible() &&
                !control<QPushButton>(pick, "BitBtnCerrar")->isVisible());
        pick.selectRow(2);
        control<QPushButton>(pick, "BitBtnAceptar")->click();
        QCOMPARE(pick.result(), int(QDialog::Accepted));
        QCOMPARE(pick.current()->name, QStringLiteral("TIRONEA EN GNC"));
    }

    void jobsAndJobsDone()
    {
        TTrabajosForm f(nullptr, prompter);
        f.show();
        QTest::keyClicks(control<QLineEdit>(f, "Edit1"), QStringLiteral("FILTRO"));
        control<QPushButton>(f, "BitBtnFiltrar")->click();
        QCOMPARE(column(control<QTableView>(f, "DBGrid1"), 0), QStringList{"CAMBIO DE FILTRO DE GAS"});
        control<QPushButton>(f, "BitBtnCancelarFiltro")->click();
        QCOMPARE(control<QTableView>(f, "DBGrid1")->model()->rowCount(), 2);

        TTrabajosRealizadosForm done(nullptr, prompter);
        done.show();
        QVERIFY(!control<QPushButton>(done, "BitBtnCerrar")->isVisible());
        QCOMPARE(done.windowTitle(), QStringLiteral("Trabajos Realizados"));
        done.selectRow(1);
        Widgets::selectGridRow(control<QTableView>(done, "DBGridTecnicos"), 2);
        control<QPushButton>(done, "BitBtnAceptar")->click();
        QCOMPARE(done.result(), int(QDialog::Accepted));
        QCOMPARE(done.choice()->job.name, QStringLiteral("CAMBIO DE FILTRO DE GAS"));
        QCOMPARE(done.choice()->technician.name, QStringLiteral("CORIA MATIAS"));
    }

    void dealers()
    {
        TClientesForm f(nullptr, prompter);
        f.show();
        QVERIFY(!control<QPushButton>(f, "BitBtnAgregar")->isEnabled() &&
                !control<QPushButton>(f, "BitBtnEditar")->isEnabled());
        QTest::keyClicks(control<QLineEdit>(f, "EditCliente"), QStringLiteral("rivadavia autos"));
        QVERIFY(control<QPushButton>(f, "BitBtnAgregar")->isEnabled() &&
                control<QPushButton>(f, "BitBtnEditar")->isEnabled());
        control<QPushButton>(f, "BitBtnAgregar")->click();
        QCOMPARE(column(control<QTableView>(f, "DBGrid1"), 0),
                 QStringList({"OESTE MOTORS", "PARTICULAR", "RIVADAVIA AUTOS"}));
        QCOMPARE(control<QLineEdit>(f, "EditCliente")->text(), QString());

        f.selectRow(0);
        QTest::keyClicks(control<QLineEdit>(f, "EditCliente"), QStringLiteral("OESTE MOTORS S.A."));
        control<QPushButton>(f, "BitBtnEditar")->click();
        QCOMPARE(value("select cliente from clientes where id = 2").toString(), QStringLiteral("OESTE MOTORS S.A."));
        QTest::keyClicks(control<QLineEdit>(f, "EditCliente"), QStringLiteral("PARTICULAR")); // another dealer's name
        control<QPushButton>(f, "BitBtnAgregar")->click();
        QCOMPARE(prompter.log, QStringList{"warn: El concesionario PARTICULAR ya está cargado."});
        QCOMPARE(control<QLineEdit>(f, "EditCliente")->text(), QStringLiteral("PARTICULAR"));
        control<QLineEdit>(f, "EditCliente")->clear();

        prompter.log.clear();
        prompter.answers = {false};
        control<QPushButton>(f, "BitBtnBorrar")->click();
        QCOMPARE(prompter.log, QStringList{"question: Esta seguro de borrar este concesionario?"});
        QCOMPARE(control<QTableView>(f, "DBGrid1")->model()->rowCount(), 3);
    }

    void brandsAndModels()
    {
        TMarcasForm f(nullptr, prompter);
        f.show();
        QCOMPARE(column(control<QTableView>(f, "DBGridMarcas"), 0), QStringList({"FIAT", "FORD"}));
        QCOMPARE(column(control<QTableView>(f, "DBGridModelos"), 0), QStringList({"SIENA", "UNO"}));
        Widgets::selectGridRow(control<QTableView>(f, "DBGridMarcas"), 1);
        QCOMPARE(column(control<QTableView>(f, "DBGridModelos"), 0), QStringList{"FOCUS"});

        type(QStringLiteral("KA"));
        control<QPushButton>(f, "BitBtnAgregarModelo")->click();
        QCOMPARE(column(control<QTableView>(f, "DBGridModelos"), 0), QStringList({"FOCUS", "KA"}));
        QCOMPARE(f.currentModel(), QStringLiteral("KA"));
        prompter.answers = {true};
        control<QPushButton>(f, "BitBtnBorrarModelo")->click();
        QCOMPARE(prompter.log, QStringList{"question: Esta seguro de eliminar este modelo?"});
        QCOMPARE(column(control<QTableView>(f, "DBGridModelos"), 0), QStringList{"FOCUS"});

        type(QStringLiteral("FIAT")); // already there: said, nothing added
        control<QPushButton>(f, "BitBtnAgregarMarca")->click();
        QCOMPARE(prompter.log.last(), QStringLiteral("info: La marca FIAT ya está cargada."));
        QCOMPARE(column(control<QTableView>(f, "DBGridMarcas"), 0), QStringList({"FIAT", "FORD"}));

        TMarcasMantenimientoForm n(nullptr, prompter);
        n.show();
        QCOMPARE(control<QListWidget>(n, "ListBoxOrigen")->count(), 2);
        QVERIFY(!control<QPushButton>(n, "BitBtnAgregarMarca")->isVisible() &&
                !control<QPushButton>(n, "BitBtnBorrarModelo")->isVisible());
        control<QPushButton>(n, "BitBtnPasarComo")->click();
        QCOMPARE(prompter.log.last(), QStringLiteral("info: En construcción."));
    }

    void ownerDialogChecks()
    {
        Global.WorkshopLocality = QStringLiteral("MORON");
        Global.WorkshopProvince = QStringLiteral("BUENOS AIRES");
        TPropietariosEditForm d(TPropietariosEditForm::Mode::Add, nullptr, prompter);
        d.show();
        d.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&d));
        QCOMPARE(control<QLineEdit>(d, "EditLocalidad")->text(), QStringLiteral("MORON"));
        QTest::keyClicks(control<QLineEdit>(d, "EditApellido"), QStringLiteral("gomez"));
        QTest::keyClicks(control<QLineEdit>(d, "EditEmail"), QStringLiteral("Ana@Correo"));
        d.BitBtnAceptarClick();
        QCOMPARE(prompter.log, QStringList({"warn: El email ingresado no es valido",
                                            "info: Hay datos que no han sido completados."}));
        QVERIFY(d.isMarked(control<QLineEdit>(d, "EditNombres")) && d.isMarked(control<QLineEdit>(d, "EditCelular")) &&
                d.isMarked(control<QLineEdit>(d, "EditEmail")));
        QVERIFY(!d.isMarked(control<QLineEdit>(d, "EditApellido")));
        QCOMPARE(control<QLineEdit>(d, "EditEmail")->text(), QStringLiteral("ana@correo")); // lower case as typed

        control<QLineEdit>(d, "EditEmail")->clear(); // an empty e-mail is fine
        QTest::keyClicks(control<QLineEdit>(d, "EditNombres"), QStringLiteral("ANA"));
        QTest::keyClicks(control<QLineEdit>(d, "EditCaracteristica"), QStringLiteral("11a2")); // digits only
        QTest::keyClicks(control<QLineEdit>(d, "EditCelular"), QStringLiteral("44556677"));
        control<QLineEdit>(d, "EditNroDoc")->setFocus();
        QTest::keyClicks(control<QLineEdit>(d, "EditNroDoc"), QStringLiteral("30111222"));
        prompter.log.clear();
        d.BitBtnAceptarClick();
        QCOMPARE(prompter.log, QStringList());
        QCOMPARE(d.result(), int(QDialog::Accepted));
        QVERIFY(d.ownerId() > 0);
        QCOMPARE(value(QStringLiteral("select concat(propietario, '|', celular_carac, '|', nroDoc, '|', localidad) "
                                      "from propietarios where propietario_id = %1")
                           .arg(d.ownerId()))
                     .toString(),
                 QStringLiteral("GOMEZ ANA|112|30111222|MORON"));

        // A second owner with that document is refused; any address is kept whole.
        TPropietariosEditForm twin(TPropietariosEditForm::Mode::Add, nullptr, prompter);
        twin.show();
        twin.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&twin));
        for (auto [e, text] : {std::pair{control<QLineEdit>(twin, "EditApellido"), "perez"},
                               {control<QLineEdit>(twin, "EditNombres"), "luis"},
                               {control<QLineEdit>(twin, "EditCaracteristica"), "11"},
                               {control<QLineEdit>(twin, "EditCelular"), "1234"},
                               {control<QLineEdit>(twin, "EditNroDoc"), "30111222"}}) {
            e->setFocus();
            QTest::keyClicks(e, QString::fromLatin1(text));
        }
        control<QLineEdit>(twin, "EditDireccion")->setText(QStringLiteral("PASAJE \U0001F697 12"));
        twin.BitBtnAceptarClick();
        QCOMPARE(prompter.log, QStringList{"warn: El documento DNI 30111222 ya está cargado para GOMEZ ANA."});
        QVERIFY(twin.result() != QDialog::Accepted && twin.isMarked(control<QLineEdit>(twin, "EditNroDoc")));
        control<QLineEdit>(twin, "EditNroDoc")->setFocus();
        QTest::keyClick(control<QLineEdit>(twin, "EditNroDoc"), Qt::Key_Backspace);
        QTest::keyClicks(control<QLineEdit>(twin, "EditNroDoc"), QStringLiteral("3"));
        twin.BitBtnAceptarClick();
        QCOMPARE(twin.result(), int(QDialog::Accepted));
        QCOMPARE(value(QStringLiteral("select calle from propietarios where propietario_id = %1").arg(twin.ownerId()))
                     .toString(),
                 QStringLiteral("PASAJE \U0001F697 12"));
    }

    void ownersList()
    {
        TestDb::exec(db, QStringLiteral("DELETE FROM propietarios"));
        TestDb::exec(
            db, QStringLiteral("INSERT INTO propietarios (propietario_id, propietario, apellido_propietario, "
                               "nombre_propietario, tipoDoc, nroDoc, celular, celular_carac, localidad, provincia) "
                               "VALUES (10, 'PEREZ JUAN', 'PEREZ', 'JUAN', 'DNI', '20111222', '5551234', '351', "
                               "'CORDOBA', 'CAPITAL FEDERAL'), (11, 'LOPEZ PEREZ ANA', 'LOPEZ PEREZ', 'ANA', 'DNI', "
                               "'201112229', '5559999', '11', 'MORON', 'BUENOS AIRES')"));
        TPropietariosForm f(nullptr, prompter);
        f.show();
        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QTest::keyClicks(control<QLineEdit>(f, "Edit1"), QStringLiteral("perez"));
        control<QPushButton>(f, "BitBtnBuscar")->click();
        waitForReads(f);
        QCOMPARE(column(control<QTableView>(f, "DBGrid1"), 1), QStringList({"LOPEZ PEREZ ANA", "PEREZ JUAN"}));
        QCOMPARE(control<QTableView>(f, "DBGrid1")->model()->index(1, 4).data().toString(), QStringLiteral("351"));

        // Editing keeps the stored locality and a province the list lacks.
        QString shownLocality;
        answer([&shownLocality](QDialog &d) {
            auto &e = static_cast<TPropietariosEditForm &>(d);
            shownLocality = control<QLineEdit>(e, "EditLocalidad")->text();
            control<QLineEdit>(e, "EditNombres")->setText(QStringLiteral("JUAN CARLOS"));
            e.BitBtnAceptarClick();
            return e.result();
        });
        f.selectRow(1);
        control<QPushButton>(f, "BitBtnEditar")->click();
        waitForReads(f);
        QCOMPARE(shownLocality, QStringLiteral("CORDOBA"));
        QCOMPARE(value("select concat(propietario, '|', localidad, '|', provincia) from propietarios where "
                       "propietario_id = 10")
                     .toString(),
                 QStringLiteral("PEREZ JUAN CARLOS|CORDOBA|CAPITAL FEDERAL"));
        // Read again, still on the owner just edited.
        QCOMPARE(column(control<QTableView>(f, "DBGrid1"), 1), QStringList({"LOPEZ PEREZ ANA", "PEREZ JUAN CARLOS"}));
        QCOMPARE(f.selectedRow(), 1);

        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        control<QComboBox>(f, "ComboBoxFiltro")->setFocus();
        control<QComboBox>(f, "ComboBoxFiltro")->setCurrentIndex(1);
        control<QLineEdit>(f, "Edit1")->setFocus(); // entering the box empties the list
        QCOMPARE(control<QTableView>(f, "DBGrid1")->model()->rowCount(), 0);
        control<QLineEdit>(f, "Edit1")->setText(QStringLiteral("20111222"));
        control<QPushButton>(f, "BitBtnBuscar")->click();
        waitForReads(f);
        QCOMPARE(column(control<QTableView>(f, "DBGrid1"), 1), QStringList{"PEREZ JUAN CARLOS"});

        // "Excel": the listed owners in the list's preview, whose spreadsheet
        // export writes a real workbook.
        QTemporaryDir tmp;
        const QString book = tmp.filePath(QStringLiteral("propietarios.xlsx"));
        QString error;
        Report::ReportForm::setPreviewHook([&](Report::PreviewDialog &p) { p.exportXlsxTo(book, &error); });
        control<QPushButton>(f, "BitBtnExcel")->click();
        Report::ReportForm::setPreviewHook({});
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QProcess unzip;
        unzip.start(QStringLiteral("unzip"), {QStringLiteral("-p"), book, QStringLiteral("xl/worksheets/sheet1.xml")});
        QVERIFY(unzip.waitForFinished());
        const QString sheet = QString::fromUtf8(unzip.readAllStandardOutput());
        QVERIFY(sheet.contains(QStringLiteral("<t>teléfono</t>")));
        QVERIFY(sheet.contains(QStringLiteral("<t>PEREZ JUAN CARLOS</t>")));
        QVERIFY(sheet.contains(QStringLiteral("<t>CORDOBA</t>")));

        // As a picker: the owner under the cursor when it closes.
        answer([](QDialog &d) {
            auto &list = static_cast<TPropietariosForm &>(d);
            control<QLineEdit>(list, "Edit1")->setText(QStringLiteral("LOPEZ"));
            control<QPushButton>(list, "BitBtnBuscar")->click();
            waitForReads(list);
            control<QPushButton>(list, "BitBtnCerrar")->click();
            return list.result();
        });
        const std::optional<Owners::Owner> picked = TPropietariosForm::pick(nullptr, prompter);
        QVERIFY(picked);
        QCOMPARE(picked->fullName(), QStringLiteral("LOPEZ PEREZ ANA"));
        QCOMPARE(picked->id, 11);
        QCOMPARE(picked->caracteristica, QStringLiteral("11"));
        answer([](QDialog &d) { return int(d.result()); }); // closed with nothing listed
        QVERIFY(!TPropietariosForm::pick(nullptr, prompter));
    }

    // Look check: TARVIL_SCREENSHOT_DIR=/tmp/x writes each window.
    void screenshot()
    {
        const QString dir = qEnvironmentVariable("TARVIL_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TARVIL_SCREENSHOT_DIR not set");
        auto save = [&](QWidget &w, const char *name) {
            w.show();
            QCoreApplication::processEvents();
            QVERIFY(w.grab().save(QDir(dir).filePath(QLatin1String(name) + QStringLiteral(".png"))));
        };
        TOperariosForm tech(nullptr, prompter);
        save(tech, "tecnicos");
        TFallasForm faults(nullptr, prompter);
        save(faults, "fallas");
        TTrabajosRealizadosForm done(nullptr, prompter);
        save(done, "trabajosrealizados");
        TClientesForm dealers(nullptr, prompter);
        save(dealers, "concesionarias");
        TMarcasForm brands(nullptr, prompter);
        save(brands, "marcas");
        TMarcasMantenimientoForm norm(nullptr, prompter);
        save(norm, "normalizacion");
        TPropietariosForm owners(nullptr, prompter);
        owners.show();
        QCoreApplication::processEvents();
        control<QLineEdit>(owners, "Edit1")->setText(QStringLiteral("E"));
        control<QPushButton>(owners, "BitBtnBuscar")->click();
        waitForReads(owners);
        save(owners, "propietarios");
        TPropietariosEditForm edit(TPropietariosEditForm::Mode::Add, nullptr, prompter);
        save(edit, "propietario");
    }
};

QTEST_MAIN(TstMasterForms)
#include "tst_masterforms.moc"
