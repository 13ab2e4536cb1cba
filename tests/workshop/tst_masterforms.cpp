// The master-file windows of the "Taller" tab as an operator uses them:
// lists, the one-field dialogs, filters, the owners list and its dialog.
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
        QCOMPARE(column(f.DBGrid1, 1), QStringList({"ACOSTA LEANDRO", "BRITEZ DAMIAN", "CORIA MATIAS"}));
        QCOMPARE(f.DBGrid1->model()->headerData(1, Qt::Horizontal).toString(), QStringLiteral("TECNICO"));

        type(QStringLiteral("duarte facundo")); // upper case as typed
        f.BitBtnAgregar->click();
        QCOMPARE(column(f.DBGrid1, 1).last(), QStringLiteral("DUARTE FACUNDO"));
        QCOMPARE(f.current()->name, QStringLiteral("DUARTE FACUNDO")); // the cursor on the new row

        type(QStringLiteral("DUARTE F."));
        f.BitBtnEditar->click();
        QCOMPARE(value("select nombre from operarios where id = 4").toString(), QStringLiteral("DUARTE F."));

        prompter.answers = {true};
        f.BitBtnBorrar->click();
        QCOMPARE(prompter.log, QStringList{"question: Esta seguro de borrar este técnico?"});
        QCOMPARE(value("select count(*) from operarios").toInt(), 3);
    }

    void faultsFilterAndSelection()
    {
        TFallasForm f(nullptr, prompter);
        f.show();
        QVERIFY(!f.BitBtnAceptar->isVisible());
        // An empty description is refused and the dialog stays open.
        answer([this](QDialog &d) {
            d.findChild<QPushButton *>(QStringLiteral("BitBtnAceptar"))->click();
            const bool open = d.isVisible() && d.result() != QDialog::Accepted;
            prompter.log << (open ? "still open" : "closed");
            return int(QDialog::Rejected);
        });
        f.BitBtnAgregar->click();
        QCOMPARE(prompter.log, QStringList({"error: Se debe ingresar una descripción.", "still open"}));

        QTest::keyClicks(f.Edit1, QStringLiteral("gas"));
        f.BitBtnFiltrar->click();
        QCOMPARE(column(f.DBGrid1, 0), QStringList({"NO PASA A GAS", "PIERDE GAS"}));
        QCOMPARE(f.BitBtnFiltrar->text(), QStringLiteral("Cancelar Filtro"));
        f.BitBtnFiltrar->click();
        QCOMPARE(f.DBGrid1->model()->rowCount(), 3);
        QCOMPARE(f.Edit1->text(), QString());
        QCOMPARE(f.BitBtnFiltrar->text(), QStringLiteral("Filtrar"));

        TFallasForm pick(nullptr, prompter);
        pick.setMode(1);
        pick.show();
        QVERIFY(pick.BitBtnAceptar->isVisible() && !pick.BitBtnAgregar->isVisible() && !pick.BitBtnCerrar->isVisible());
        pick.selectRow(2);
        pick.BitBtnAceptar->click();
        QCOMPARE(pick.result(), int(QDialog::Accepted));
        QCOMPARE(pick.current()->name, QStringLiteral("TIRONEA EN GNC"));
    }

    void jobsAndJobsDone()
    {
        TTrabajosForm f(nullptr, prompter);
        f.show();
        QTest::keyClicks(f.Edit1, QStringLiteral("FILTRO"));
        f.BitBtnFiltrar->click();
        QCOMPARE(column(f.DBGrid1, 0), QStringList{"CAMBIO DE FILTRO DE GAS"});
        f.BitBtnCancelarFiltro->click();
        QCOMPARE(f.DBGrid1->model()->rowCount(), 2);

        TTrabajosRealizadosForm done(nullptr, prompter);
        done.show();
        QVERIFY(!done.BitBtnCerrar->isVisible());
        QCOMPARE(done.windowTitle(), QStringLiteral("Trabajos Realizados"));
        done.selectRow(1);
        Widgets::selectGridRow(done.DBGridTecnicos, 2);
        done.BitBtnAceptar->click();
        QCOMPARE(done.result(), int(QDialog::Accepted));
        QCOMPARE(done.choice()->job.name, QStringLiteral("CAMBIO DE FILTRO DE GAS"));
        QCOMPARE(done.choice()->technician.name, QStringLiteral("CORIA MATIAS"));
    }

    void dealers()
    {
        TClientesForm f(nullptr, prompter);
        f.show();
        QVERIFY(!f.BitBtnAgregar->isEnabled() && !f.BitBtnEditar->isEnabled());
        QTest::keyClicks(f.EditCliente, QStringLiteral("rivadavia autos"));
        QVERIFY(f.BitBtnAgregar->isEnabled() && f.BitBtnEditar->isEnabled());
        f.BitBtnAgregar->click();
        QCOMPARE(column(f.DBGrid1, 0), QStringList({"OESTE MOTORS", "PARTICULAR", "RIVADAVIA AUTOS"}));
        QCOMPARE(f.EditCliente->text(), QString());

        f.selectRow(0);
        QTest::keyClicks(f.EditCliente, QStringLiteral("OESTE MOTORS S.A."));
        f.BitBtnEditar->click();
        QCOMPARE(value("select cliente from clientes where id = 2").toString(), QStringLiteral("OESTE MOTORS S.A."));
        QTest::keyClicks(f.EditCliente, QStringLiteral("PARTICULAR")); // another dealer's name
        f.BitBtnAgregar->click();
        QCOMPARE(prompter.log, QStringList{"warn: El concesionario PARTICULAR ya está cargado."});
        QCOMPARE(f.EditCliente->text(), QStringLiteral("PARTICULAR"));
        f.EditCliente->clear();

        prompter.log.clear();
        prompter.answers = {false};
        f.BitBtnBorrar->click();
        QCOMPARE(prompter.log, QStringList{"question: Esta seguro de borrar este concesionario?"});
        QCOMPARE(f.DBGrid1->model()->rowCount(), 3);
    }

    void brandsAndModels()
    {
        TMarcasForm f(nullptr, prompter);
        f.show();
        QCOMPARE(column(f.DBGridMarcas, 0), QStringList({"FIAT", "FORD"}));
        QCOMPARE(column(f.DBGridModelos, 0), QStringList({"SIENA", "UNO"}));
        Widgets::selectGridRow(f.DBGridMarcas, 1);
        QCOMPARE(column(f.DBGridModelos, 0), QStringList{"FOCUS"});

        type(QStringLiteral("KA"));
        f.BitBtnAgregarModelo->click();
        QCOMPARE(column(f.DBGridModelos, 0), QStringList({"FOCUS", "KA"}));
        QCOMPARE(f.currentModel(), QStringLiteral("KA"));
        prompter.answers = {true};
        f.BitBtnBorrarModelo->click();
        QCOMPARE(prompter.log, QStringList{"question: Esta seguro de eliminar este modelo?"});
        QCOMPARE(column(f.DBGridModelos, 0), QStringList{"FOCUS"});

        type(QStringLiteral("FIAT")); // already there: said, nothing added
        f.BitBtnAgregarMarca->click();
        QCOMPARE(prompter.log.last(), QStringLiteral("info: La marca FIAT ya está cargada."));
        QCOMPARE(column(f.DBGridMarcas, 0), QStringList({"FIAT", "FORD"}));

        TMarcasMantenimientoForm n(nullptr, prompter);
        n.show();
        QCOMPARE(n.ListBoxOrigen->count(), 2);
        QVERIFY(!n.BitBtnAgregarMarca->isVisible() && !n.BitBtnBorrarModelo->isVisible());
        n.BitBtnPasarComo->click();
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
        QCOMPARE(d.EditLocalidad->text(), QStringLiteral("MORON"));
        QTest::keyClicks(d.EditApellido, QStringLiteral("gomez"));
        QTest::keyClicks(d.EditEmail, QStringLiteral("Ana@Correo"));
        d.BitBtnAceptarClick();
        QCOMPARE(prompter.log, QStringList({"warn: El email ingresado no es valido",
                                            "info: Hay datos que no han sido completados."}));
        QVERIFY(d.isMarked(d.EditNombres) && d.isMarked(d.EditCelular) && d.isMarked(d.EditEmail));
        QVERIFY(!d.isMarked(d.EditApellido));
        QCOMPARE(d.EditEmail->text(), QStringLiteral("ana@correo")); // lower case as typed

        d.EditEmail->clear(); // an empty e-mail is fine
        QTest::keyClicks(d.EditNombres, QStringLiteral("ANA"));
        QTest::keyClicks(d.EditCaracteristica, QStringLiteral("11a2")); // digits only
        QTest::keyClicks(d.EditCelular, QStringLiteral("44556677"));
        d.EditNroDoc->setFocus();
        QTest::keyClicks(d.EditNroDoc, QStringLiteral("30111222"));
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
        for (auto [e, text] : {std::pair{twin.EditApellido, "perez"},
                               {twin.EditNombres, "luis"},
                               {twin.EditCaracteristica, "11"},
                               {twin.EditCelular, "1234"},
                               {twin.EditNroDoc, "30111222"}}) {
            e->setFocus();
            QTest::keyClicks(e, QString::fromLatin1(text));
        }
        twin.EditDireccion->setText(QStringLiteral("PASAJE \U0001F697 12"));
        twin.BitBtnAceptarClick();
        QCOMPARE(prompter.log, QStringList{"warn: El documento DNI 30111222 ya está cargado para GOMEZ ANA."});
        QVERIFY(twin.result() != QDialog::Accepted && twin.isMarked(twin.EditNroDoc));
        twin.EditNroDoc->setFocus();
        QTest::keyClick(twin.EditNroDoc, Qt::Key_Backspace);
        QTest::keyClicks(twin.EditNroDoc, QStringLiteral("3"));
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
        QTest::keyClicks(f.Edit1, QStringLiteral("perez"));
        f.BitBtnBuscar->click();
        waitForReads(f);
        QCOMPARE(column(f.DBGrid1, 1), QStringList({"LOPEZ PEREZ ANA", "PEREZ JUAN"}));
        QCOMPARE(f.DBGrid1->model()->index(1, 4).data().toString(), QStringLiteral("351"));

        // Editing keeps the stored locality and a province the list lacks.
        QString shownLocality;
        answer([&shownLocality](QDialog &d) {
            auto &e = static_cast<TPropietariosEditForm &>(d);
            shownLocality = e.EditLocalidad->text();
            e.EditNombres->setText(QStringLiteral("JUAN CARLOS"));
            e.BitBtnAceptarClick();
            return e.result();
        });
        f.selectRow(1);
        f.BitBtnEditar->click();
        waitForReads(f);
        QCOMPARE(shownLocality, QStringLiteral("CORDOBA"));
        QCOMPARE(value("select concat(propietario, '|', localidad, '|', provincia) from propietarios where "
                       "propietario_id = 10")
                     .toString(),
                 QStringLiteral("PEREZ JUAN CARLOS|CORDOBA|CAPITAL FEDERAL"));
        // Read again, still on the owner just edited.
        QCOMPARE(column(f.DBGrid1, 1), QStringList({"LOPEZ PEREZ ANA", "PEREZ JUAN CARLOS"}));
        QCOMPARE(f.selectedRow(), 1);

        f.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.ComboBoxFiltro->setFocus();
        f.ComboBoxFiltro->setCurrentIndex(1);
        f.Edit1->setFocus(); // entering the box empties the list
        QCOMPARE(f.DBGrid1->model()->rowCount(), 0);
        f.Edit1->setText(QStringLiteral("20111222"));
        f.BitBtnBuscar->click();
        waitForReads(f);
        QCOMPARE(column(f.DBGrid1, 1), QStringList{"PEREZ JUAN CARLOS"});

        // "Excel": the listed owners in the list's preview, whose spreadsheet
        // export writes a real workbook.
        QTemporaryDir tmp;
        const QString book = tmp.filePath(QStringLiteral("propietarios.xlsx"));
        QString error;
        Report::ReportForm::setPreviewHook([&](Report::PreviewDialog &p) { p.exportXlsxTo(book, &error); });
        f.BitBtnExcel->click();
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
            list.Edit1->setText(QStringLiteral("LOPEZ"));
            list.BitBtnBuscar->click();
            waitForReads(list);
            list.BitBtnCerrar->click();
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
        owners.Edit1->setText(QStringLiteral("E"));
        owners.BitBtnBuscar->click();
        waitForReads(owners);
        save(owners, "propietarios");
        TPropietariosEditForm edit(TPropietariosEditForm::Mode::Add, nullptr, prompter);
        save(edit, "propietario");
    }
};

QTEST_MAIN(TstMasterForms)
#include "tst_masterforms.moc"
