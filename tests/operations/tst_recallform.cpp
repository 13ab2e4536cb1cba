// The operation form filled from stored operations: a recall for a new
// operation, a failed recall, the consultation of an earlier operation, a
// pending operation loaded and saved again, and the hydraulic-test pass.
#include "app/navigator.h"
#include "controls.h"
#include "core/clock.h"
#include "core/editmask.h"
#include "core/global.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "operations/cylinders/cylinderlist.h"
#include "operations/linklabel.h"
#include "operations/lookups/domainsearchdialog.h"
#include "operations/save/formsave.h"
#include "operations/trevisionanualform.h"
#include "report/preview.h"
#include "report/reportform.h"
#include "scriptedprompter.h"
#include "testdb.h"
#include "widgets/formkit.h"
#include "widgets/modalrun.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QToolButton>
#include <QtTest>

namespace
{
const QString kCuit = QStringLiteral("30-70000000-1");
}

class TstRecallForm : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_recallform");
    QStringList previews; // sheets that reached the preview

    void exec(const QString &sql) { TestDb::exec(db, sql); }
    int count(const QString &sql)
    {
        QSqlQuery q(db);
        q.exec(sql);
        q.next();
        return q.value(0).toInt();
    }
    static QString text(QWidget &form, const char *name)
    {
        if (auto *e = form.findChild<QLineEdit *>(QLatin1String(name)))
            return e->text();
        if (auto *c = form.findChild<QComboBox *>(QLatin1String(name)))
            return c->currentText();
        return QStringLiteral("<missing %1>").arg(QLatin1String(name));
    }
    static LocalTable &workTable()
    {
        LocalTable &t = localStore().table(LocalTableId::Cylinders);
        if (!t.isOpen())
            t.open();
        return t;
    }
    static QStringList serials()
    {
        QStringList out;
        for (const QVariantMap &row : workTable().rows())
            out << row.value(QStringLiteral("NROSERIE")).toString();
        return out;
    }
    static void putCylinder(const QString &serial)
    {
        LocalTable &t = workTable();
        t.append();
        t.setText(QStringLiteral("NROSERIE"), serial);
        t.post();
    }
    void insertOperation(int number, const QString &kind, const QString &previous, const QString &sticker,
                         const QString &domain)
    {
        exec(QStringLiteral(
                 "insert into usr (peccod, codtal, talcuit, tnrointopr, udominio, ucodgest, uobleaant, uobleanew, "
                 "uobanonew, umarca, umodelo, uano, utipuso, uapeynom, utipdoc, unrodoc, ucalle, unro, ucodpostal, "
                 "ulocalidad, uprovincia, UCARACT, utelefono, te_tipo, ufecmont, ufechab, ufecvenhab, inyeccion, "
                 "uobservac) values ('0031', 'TDM0001', '%1', %2, '%3', '%4', '%5', '%6', '25', 'FIAT', 'SIENA', "
                 "'2018', '1', 'PEREZ JUAN', 'DNI', '20111222', 'SAN MARTIN', '120', '5500', 'MENDOZA', 'MENDOZA', "
                 "'261', '4001122', 'CELULAR', '2025-03-10', '2025-03-10', '2026-03-10', 'S', 'VIEJA')")
                 .arg(kCuit)
                 .arg(number)
                 .arg(domain, kind, previous, sticker));
        exec(QStringLiteral("insert into reg (peccod, talcuit, tnrointopr, udominio, rcodregh, rnroserie, rcodgest, "
                            "rnuevo) values ('0031', '%1', %2, '%3', 'R01', 'RS-%2', 'S', 'N')")
                 .arg(kCuit)
                 .arg(number)
                 .arg(domain));
    }
    void insertCylinder(int number, const QString &serial, const QString &gestion, const QString &testMonth,
                        const QString &testYear)
    {
        exec(QStringLiteral("insert into cil (peccod, talcuit, tnrointopr, cilcodh, cnroserie, ccodgest, ccapacidad, "
                            "cmesfabr, canofabr, cuphmes, cuphano, cuphcrpc, cuphresult, cnuevo, valcod, valnro, "
                            "valgest, nrocertif) values ('0031', '%1', %2, 'I060', '%3', '%4', 60, '01', '20', '%5', "
                            "'%6', 'CR01', 'A', 'N', 'V01', 'VN-%3', 'S', 'CR01000042')")
                 .arg(kCuit)
                 .arg(number)
                 .arg(serial, gestion, testMonth, testYear));
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), QString()});
        Clock::setToday(QDate(2026, 12, 9));
        exec(QStringLiteral("insert into tal (tcodigoint, TRAZSOC, TALCUIT, RMATRESHAB, TCALLE, TNUMERO, TLOCALIDAD) "
                            "values ('TDM0001', 'TALLER UNO', '30-71111111-1', 'M100', 'MITRE', '45', 'GODOY CRUZ')"));
        exec(QStringLiteral("insert into res (RMATRESHAB, RAPELLIDO, RNOMBRE) values ('M100', 'GOMEZ', 'ANA')"));
        exec(QStringLiteral("insert into codreg (CODIGO, MARCA) values ('R01', 'TOMASETTO')"));
        // An earlier renewal: one cylinder on the vehicle, one retired.
        insertOperation(10, QStringLiteral("R"), QStringLiteral("0000000100"), QStringLiteral("0000000200"),
                        QStringLiteral("AB123CD"));
        insertCylinder(10, QStringLiteral("CIL-A"), QStringLiteral("S"), QStringLiteral("06"), QStringLiteral("24"));
        insertCylinder(10, QStringLiteral("CIL-B"), QStringLiteral("B"), QStringLiteral("06"), QStringLiteral("24"));
        // Its cylinder tested 50 months ago.
        insertOperation(11, QStringLiteral("R"), QStringLiteral("0000000500"), QStringLiteral("0000000300"),
                        QStringLiteral("AC456EF"));
        insertCylinder(11, QStringLiteral("CIL-C"), QStringLiteral("S"), QStringLiteral("10"), QStringLiteral("22"));
        // One cylinder overdue (60 months), one recent.
        insertOperation(12, QStringLiteral("R"), QStringLiteral("0000000600"), QStringLiteral("0000000400"),
                        QStringLiteral("AE111AA"));
        insertCylinder(12, QStringLiteral("CIL-OLD"), QStringLiteral("S"), QStringLiteral("12"), QStringLiteral("21"));
        insertCylinder(12, QStringLiteral("CIL-NEW"), QStringLiteral("M"), QStringLiteral("06"), QStringLiteral("25"));
        // A conversion: no sticker before it.
        insertOperation(13, QStringLiteral("C"), QStringLiteral("0000000000"), QStringLiteral("0000000700"),
                        QStringLiteral("AF222BB"));
    }
    void init()
    {
        previews.clear();
        // Olive prints its pre-printed sheet after a save; no preview may block.
        Report::ReportForm::setPreviewHook(
            [this](Report::PreviewDialog &dlg) { previews << dlg.report().layout().name; });
        Global = GlobalState{};
        Global.InstallationId = QStringLiteral("OLIV01");
        Global.WorkshopCode = QStringLiteral("TDM0001");
        Global.WorkshopCuit = QStringLiteral("30-71111111-1");
        Global.PecCode = QStringLiteral("0031");
        workTable().empty();
    }
    void cleanupTestCase()
    {
        Report::ReportForm::setPreviewHook({});
        localStore().closeAll();
        dm1().closeAll();
        TestDb::drop(dbName);
    }

    void stickerRecallFillsANewRenewal()
    {
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("R"));
        putCylinder(QStringLiteral("TYPED-BEFORE"));

        control<QLineEdit>(form, "ObleaAntEdit")->setText(QStringLiteral("200"));
        control<QToolButton>(form, "SpeedButton1")->click();

        QVERIFY2(prompter.log.isEmpty(), qPrintable(prompter.log.join('|')));
        QCOMPARE(text(form, "ObleaAntEdit"), QStringLiteral("0000000200"));
        QCOMPARE(text(form, "AnioObleaAnteriorEdit"), QStringLiteral("25"));
        QCOMPARE(text(form, "MarcaEdit"), QStringLiteral("FIAT"));
        QCOMPARE(form.record().dominio, QStringLiteral("AB123CD"));
        QCOMPARE(text(form, "CalleEdit"), QStringLiteral("SAN MARTIN 120"));
        QCOMPARE(text(form, "ComboBoxTipoTE"), QStringLiteral("CELULAR"));
        QCOMPARE(text(form, "InyeccionComboEdit"), QStringLiteral("SI"));
        QCOMPARE(text(form, "EditObs"), QStringLiteral("VIEJA"));
        QCOMPARE(text(form, "MarcaReguladorEdit"), QStringLiteral("TOMASETTO"));
        QCOMPARE(text(form, "NroSerieReguladorEdit"), QStringLiteral("RS-10"));
        QCOMPARE(text(form, "RGestionComboBox"), QStringLiteral("SIN CAMBIOS"));
        QCOMPARE(text(form, "RNuevoComboBox"), QStringLiteral("NO"));
        QCOMPARE(control<QDateEdit>(form, "DateTimePickerMontaje")->date(), QDate(2026, 12, 9));
        QCOMPARE(control<QDateEdit>(form, "DateTimePickerHabilitacion")->date(), QDate(2026, 12, 9));
        QCOMPARE(control<QDateEdit>(form, "DateTimePickerVencimiento")->date(), QDate(2027, 12, 9));

        // The list is replaced; the retired cylinder stays behind.
        QCOMPARE(serials(), QStringList{QStringLiteral("CIL-A")});
        const QVariantMap row = workTable().rows().first();
        QCOMPARE(row.value(QStringLiteral("GESTION")).toString(), QStringLiteral("SIN CAMBIOS"));
        QCOMPARE(row.value(QStringLiteral("CNUEVO")).toString(), QStringLiteral("NO"));
        QCOMPARE(row.value(QStringLiteral("UPHFECHA")).toString(), QStringLiteral("06/2024"));
        QCOMPARE(form.cylinderList()->rowCount(), 1);
        QCOMPARE(form.record().cylinders.size(), 1);

        QCOMPARE(control<QPlainTextEdit>(form, "MemoTareas")->toPlainText().split('\n').mid(0, 3),
                 (QStringList{QStringLiteral("Buscando datos de USR..."), QStringLiteral("Buscando datos de REG..."),
                              QStringLiteral("Buscando datos de CIL...")}));
        QVERIFY(control<QFrame>(form, "PanelTareas")->isHidden());
        // The identity is read again as the login reads it.
        QCOMPARE(Global.WorkshopName, QStringLiteral("TALLER UNO"));
        QCOMPARE(Global.WorkshopAddress, QStringLiteral("MITRE 45 - GODOY CRUZ"));
        QCOMPARE(Global.RepName, QStringLiteral("ANA GOMEZ"));
        QVERIFY(!form.phRequired());
    }

    void failedOrEmptyRecallKeepsTheForm()
    {
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("R"));
        putCylinder(QStringLiteral("KEEP"));
        control<QLineEdit>(form, "MarcaEdit")->setText(QStringLiteral("TYPED"));

        control<QToolButton>(form, "SpeedButton1")->click(); // empty field: nothing at all
        QVERIFY(prompter.log.isEmpty());
        QCOMPARE(text(form, "ObleaAntEdit"), QString());

        control<QLineEdit>(form, "ObleaAntEdit")->setText(QStringLiteral("999"));
        control<QToolButton>(form, "SpeedButton1")->click();
        QCOMPARE(prompter.log, QStringList{QStringLiteral("warn: Oblea no encontrada.")});
        QCOMPARE(text(form, "MarcaEdit"), QStringLiteral("TYPED"));
        QCOMPARE(serials(), QStringList{QStringLiteral("KEEP")});
        // A zero sticker is no sticker, not the first operation without a previous one.
        control<QLineEdit>(form, "ObleaAntEdit")->setText(QStringLiteral("0"));
        control<QToolButton>(form, "SpeedButton1")->click();
        QCOMPARE(prompter.log.size(), 2);
        QCOMPARE(text(form, "MarcaEdit"), QStringLiteral("TYPED"));
        QCOMPARE(serials(), QStringList{QStringLiteral("KEEP")});
        QVERIFY(control<QFrame>(form, "PanelTareas")->isHidden());
    }

    void consultationShowsTheStoredOperation()
    {
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetRecallStickers(QStringLiteral("0000000200"), QString());
        form.SetShownKind(QStringLiteral("X"));
        form.SetOperationKind(QStringLiteral("#"));
        QVERIFY(form.RecallBySticker());

        QCOMPARE(form.shownKind(), QStringLiteral("R")); // the stored operation's, for the sheet
        QVERIFY(!control<QLineEdit>(form, "ObleaNewEdit")->isHidden());
        QCOMPARE(text(form, "ObleaNewEdit"), QStringLiteral("0000000200"));
        QCOMPARE(text(form, "ObleaAntEdit"), QStringLiteral("0000000100"));
        QCOMPARE(control<QLabel>(form, "LabelObleaAnt")->text(), QStringLiteral("Oblea Anterior"));
        QCOMPARE(text(form, "tallerEdit"), QStringLiteral("TDM0001"));
        QCOMPARE(control<QDateEdit>(form, "DateTimePickerMontaje")->date(), QDate(2025, 3, 10));
        QCOMPARE(control<QDateEdit>(form, "DateTimePickerVencimiento")->date(), QDate(2026, 3, 10));
        // Every stored cylinder, the retired one as a dismantling.
        QCOMPARE(serials(), (QStringList{QStringLiteral("CIL-A"), QStringLiteral("CIL-B")}));
        QCOMPARE(workTable().rows().at(1).value(QStringLiteral("GESTION")).toString(), QStringLiteral("DESMONTAJE"));
        QVERIFY(prompter.log.isEmpty());
    }

    void zeroStickerFindsTheOperationByItsPreviousSticker()
    {
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetRecallStickers(QStringLiteral("0000000000"), QStringLiteral("0000000500"));
        form.SetOperationKind(QStringLiteral("#"));
        QVERIFY(form.RecallBySticker());
        QCOMPARE(form.record().dominio, QStringLiteral("AC456EF"));
    }

    void fiftyMonthOldTestFramesTheExpiry()
    {
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("R"));
        QCOMPARE(control<QFrame>(form, "Shape1")->frameShape(), QFrame::NoFrame);
        QVERIFY(form.RecallByNumber(QStringLiteral("0031"), kCuit, 11));

        // October's last day has passed this year: next year's.
        QCOMPARE(control<QDateEdit>(form, "DateTimePickerVencimiento")->date(), QDate(2027, 10, 31));
        QCOMPARE(control<QFrame>(form, "Shape1")->frameShape(), QFrame::Box);
        QCOMPARE(prompter.log, QStringList{QStringLiteral("info: El vencimiento de la oblea operará el 31/10/2027")});

        // The same operation by its sticker changes the date but says nothing.
        ScriptedPrompter quiet;
        TRevisionAnualForm other(nullptr, quiet);
        other.SetOperationKind(QStringLiteral("R"));
        control<QLineEdit>(other, "ObleaAntEdit")->setText(QStringLiteral("0000000300"));
        control<QToolButton>(other, "SpeedButton1")->click();
        QCOMPARE(control<QDateEdit>(other, "DateTimePickerVencimiento")->date(), QDate(2027, 10, 31));
        QCOMPARE(control<QFrame>(other, "Shape1")->frameShape(), QFrame::NoFrame);
        QVERIFY(quiet.log.isEmpty());
    }

    void searchesRecallTheChosenOperation()
    {
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("R"));
        form.setDomainMask(QString());
        control<QLineEdit>(form, "DominioEdit")->setText(QStringLiteral("AC456EF"));
        QString searched;
        Widgets::setExecHook([&](QDialog &d) {
            auto &dlg = static_cast<Lookups::DomainSearchDialog &>(d);
            searched = dlg.domain();
            dlg.selectRow(0);
            return int(QDialog::Accepted);
        });
        control<QToolButton>(form, "SpeedButton2")->click();
        Widgets::setExecHook({});
        QCOMPARE(searched, QStringLiteral("AC456EF"));
        QCOMPARE(serials(), QStringList{QStringLiteral("CIL-C")});
        // A search is a recall by number: the expiry is announced.
        QCOMPARE(prompter.log, QStringList{QStringLiteral("info: El vencimiento de la oblea operará el 31/10/2027")});

        // The cylinder query hands its choice over; cancelling changes nothing.
        ScopedNavigator nav;
        std::optional<Nav::OperationKey> choice = Nav::OperationKey{QStringLiteral("0031"), kCuit, 10};
        nav->add<Nav::ChooseOperationByCylinder>(
            [&](const Nav::ChooseOperationByCylinder &, QWidget *) { return choice; });
        control<LinkLabel>(form, "Label36")->clicked();
        QCOMPARE(serials(), QStringList{QStringLiteral("CIL-A")});
        QCOMPARE(text(form, "ObleaAntEdit"), QStringLiteral("0000000200"));
        choice.reset();
        control<LinkLabel>(form, "Label36")->clicked();
        QCOMPARE(serials(), QStringList{QStringLiteral("CIL-A")});
    }

    void ownerAndConversionOrderFromTheWorkshopWindows()
    {
        ScopedNavigator nav;
        nav->add<Nav::PickOwner>([](const Nav::PickOwner &, QWidget *) {
            Owners::Owner o;
            o.apellido = QStringLiteral("LOPEZ");
            o.nombres = QStringLiteral("ANA");
            o.nroDoc = QStringLiteral("30111222");
            o.calle = QStringLiteral("LAVALLE 77");
            o.localidad = QStringLiteral("MAIPU");
            o.caracteristica = QStringLiteral("261");
            o.celular = QStringLiteral("5551234");
            return std::optional<Owners::Owner>(o);
        });
        nav->add<Nav::PickConversionOrder>([](const Nav::PickConversionOrder &, QWidget *) {
            // As the orders list reads it from the post-sales tables.
            return std::optional<Orders::ConversionOrder>(
                Orders::FromRows({{QStringLiteral("anio"), QStringLiteral("2015")},
                                  {QStringLiteral("dominio"), QStringLiteral("ABC123")},
                                  {QStringLiteral("marca"), QStringLiteral("FORD")},
                                  {QStringLiteral("propietario"), QStringLiteral("DIAZ LUIS")}},
                                 {{{QStringLiteral("rcodregh"), QStringLiteral("R01")},
                                   {QStringLiteral("marca"), QStringLiteral("TOMASETTO")},
                                   {QStringLiteral("rnroserie"), QStringLiteral("RS-9")},
                                   {QStringLiteral("rnuevo"), QStringLiteral("S")}}},
                                 {{{QStringLiteral("cilcodh"), QStringLiteral("I060")},
                                   {QStringLiteral("cnroserie"), QStringLiteral("CIL-OC")},
                                   {QStringLiteral("ccodgest"), QStringLiteral("M")}}}));
        });
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("C"));
        putCylinder(QStringLiteral("TYPED-BEFORE"));

        control<QToolButton>(form, "SpeedButton9")->click();
        QCOMPARE(text(form, "NombreEdit"), QStringLiteral("LOPEZ ANA"));
        QCOMPARE(text(form, "NroDocEdit"), QStringLiteral("30111222"));
        QCOMPARE(text(form, "CalleEdit"), QStringLiteral("LAVALLE 77"));
        QCOMPARE(text(form, "TelefonoEdit"), QStringLiteral("5551234"));
        QCOMPARE(text(form, "ComboBoxTipoTE"), QStringLiteral("CELULAR"));

        const QString gestion = text(form, "RGestionComboBox");
        control<LinkLabel>(form, "TraerDesdeOCLabel")->clicked();
        QCOMPARE(text(form, "NombreEdit"), QStringLiteral("DIAZ LUIS"));
        QCOMPARE(form.domainMask(), OperationMasks::DomainBefore2016);
        QCOMPARE(text(form, "DominioEdit"), QStringLiteral("ABC123"));
        QCOMPARE(text(form, "CodigoRegularEdit"), QStringLiteral("R01"));
        QCOMPARE(text(form, "RNuevoComboBox"), QStringLiteral("SI"));
        QCOMPARE(text(form, "RGestionComboBox"), gestion); // the kind's management stays
        // The order's cylinders join the listed ones.
        QCOMPARE(serials(), (QStringList{QStringLiteral("TYPED-BEFORE"), QStringLiteral("CIL-OC")}));
        QCOMPARE(form.cylinders().size(), 2);
        QVERIFY(prompter.log.isEmpty());
    }

    void overdueCylinderGoesToTheLetterList()
    {
        Global.InstallationId = QStringLiteral("LIND01"); // offers the commitment letter
        LocalTable &letter = localStore().table(LocalTableId::LetterCylinders);
        if (!letter.isOpen())
            letter.open();
        letter.append();
        letter.setText(QStringLiteral("numero_cil"), QStringLiteral("STALE"));
        letter.post();

        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("R"));
        QCOMPARE(letter.count(), 0); // a new form starts a new list
        QVERIFY(!control<QToolButton>(form, "SpeedButtonCC1")->isEnabled());

        control<QLineEdit>(form, "ObleaAntEdit")->setText(QStringLiteral("400"));
        control<QToolButton>(form, "SpeedButton1")->click();
        QCOMPARE(letter.count(), 1);
        QCOMPARE(letter.rows().first().value(QStringLiteral("numero_cil")).toString(), QStringLiteral("CIL-OLD"));
        QCOMPARE(letter.rows().first().value(QStringLiteral("fab_cil")).toString(), QStringLiteral("01/2020"));
        QVERIFY(control<QToolButton>(form, "SpeedButtonCC1")->isEnabled());
        QVERIFY(form.phRequired());
        QCOMPARE(control<QDateEdit>(form, "DateTimePickerVencimiento")->date(), QDate(2026, 12, 9));
        QCOMPARE(prompter.log, QStringList{QStringLiteral("warn: Este vehículo debe realizar Prueba Hidraulica.")});

        // A second recall in the same form adds to the list.
        control<QLineEdit>(form, "ObleaAntEdit")->setText(QStringLiteral("400"));
        control<QToolButton>(form, "SpeedButton1")->click();
        QCOMPARE(letter.count(), 2);
    }

    // A renewal recalled with an overdue cylinder has its expiry on the
    // recall's day: "Aceptar" stops at the expiry, on the expiry, and stores
    // nothing. The owner's area code comes back beside the number.
    void overdueRenewalStopsAtItsExpiry()
    {
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("R"));
        OperationSave::WireOperationForm(form);
        form.show();
        control<QLineEdit>(form, "ObleaAntEdit")->setText(QStringLiteral("400"));
        control<QToolButton>(form, "SpeedButton1")->click();
        QCOMPARE(text(form, "CaracteristicaEdit"), QStringLiteral("261"));
        QCOMPARE(text(form, "TelefonoEdit"), QStringLiteral("4001122"));
        QCOMPARE(control<QDateEdit>(form, "DateTimePickerVencimiento")->date(), QDate(2026, 12, 9));

        prompter.log.clear();
        const int stored = count(QStringLiteral("select count(*) from temp_usr"));
        control<QPushButton>(form, "BitBtn2")->click();
        QCOMPARE(prompter.log,
                 QStringList{QStringLiteral("error: El vencimiento no puede ser menor a la fecha de montaje.")});
        QVERIFY(Widgets::isMarkedFailed(control<QDateEdit>(form, "DateTimePickerVencimiento")));
        QVERIFY(!Widgets::isMarkedFailed(control<QDateEdit>(form, "DateTimePickerMontaje")));
        QVERIFY(!Widgets::isMarkedFailed(control<QDateEdit>(form, "DateTimePickerHabilitacion")));
        QCOMPARE(form.focusWidget(), control<QDateEdit>(form, "DateTimePickerVencimiento"));
        QCOMPARE(count(QStringLiteral("select count(*) from temp_usr")), stored);
        QVERIFY(form.isVisible());
    }

    // "Carta Compromiso" by hand: a cylinder due for its test joins at once,
    // any other only when the operator insists.
    void collectingTheChosenCylinder()
    {
        Global.InstallationId = QStringLiteral("LIND01");
        LocalTable &letter = localStore().table(LocalTableId::LetterCylinders);
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("R"));
        control<QDateEdit>(form, "DateTimePickerHabilitacion")->setDate(QDate(2026, 12, 9));
        CylinderRow due, valid;
        due.nroSerie = QStringLiteral("CIL-DUE");
        due.uphFecha = QStringLiteral("01/2021");
        due.capacidad = 60;
        valid.nroSerie = QStringLiteral("CIL-OK");
        valid.uphFecha = QStringLiteral("01/2025");
        form.cylinderList()->setRows({due, valid});

        control<QTableView>(form, "DBGrid1")->selectRow(0);
        control<QToolButton>(form, "SpeedButtonCC2")->click();
        QCOMPARE(letter.count(), 1);
        QVERIFY(prompter.log.isEmpty());
        QCOMPARE(letter.rows().first().value(QStringLiteral("capacidad_cil")).toDouble(), 60.0);

        control<QTableView>(form, "DBGrid1")->selectRow(1);
        prompter.answers = {false, true};
        control<QToolButton>(form, "SpeedButtonCC2")->click();
        QCOMPARE(letter.count(), 1);
        control<QToolButton>(form, "SpeedButtonCC2")->click();
        QCOMPARE(letter.count(), 2);
        QCOMPARE(letter.rows().last().value(QStringLiteral("numero_cil")).toString(), QStringLiteral("CIL-OK"));
        const QString question =
            QStringLiteral("askInfo: Según los datos, este cilindro no requiere PH. Continua de todos modos?");
        QCOMPARE(prompter.log, (QStringList{question, question}));
        QVERIFY(control<QToolButton>(form, "SpeedButtonCC1")->isEnabled());
    }

    // A complete pending operation of plate AD789GH with one regulator and
    // one cylinder; its id.
    int insertPending(const QString &kind, const QString &sticker)
    {
        QSqlQuery ins(db);
        if (!ins.exec(
                QStringLiteral(
                    "insert into temp_usr (peccod, codtal, talcuit, udominio, ucodgest, udescgest, uobleaant, "
                    "uobanoant, "
                    "umarca, umodelo, uano, utipuso, uapeynom, utipdoc, unrodoc, ucalle, unro, ucodpostal, ulocalidad, "
                    "uprovincia, UCARACT, utelefono, te_tipo, ufecmont, ufechab, ufecvenhab, inyeccion, uobservac) "
                    "values ('0031', 'TDM0001', '30-71111111-1', 'AD789GH', '%1', 'REVISION', '%2', '24', 'FORD', "
                    "'KA', '2019', '1', 'LOPEZ ANA', 'DNI', '30111222', 'BELGRANO', '50', '5501', 'GODOY CRUZ', "
                    "'MENDOZA', '261', '4112233', 'FIJO', '2026-12-08', '2026-12-08', '2027-12-01', 'N', 'REVISAR')")
                    .arg(kind, sticker)))
            qFatal("%s", qPrintable(ins.lastError().text()));
        const int id = ins.lastInsertId().toInt();
        exec(QStringLiteral("insert into temp_reg (id, peccod, talcuit, udominio, rcodregh, rnroserie, rcodgest, "
                            "rnuevo) values (%1, '0031', '30-71111111-1', 'AD789GH', 'R01', 'RS-P', 'S', 'N')")
                 .arg(id));
        exec(QStringLiteral("insert into temp_cil (id, peccod, talcuit, udominio, cilcodh, cnroserie, ccodgest, "
                            "ccapacidad, cmesfabr, canofabr, cuphmes, cuphano, cuphcrpc, cuphresult, cnuevo, "
                            "nrocertif) values (%1, '0031', '30-71111111-1', 'AD789GH', 'I060', 'CIL-P', 'S', 60, "
                            "'01', '21', '05', '25', 'CR01', 'A', 'N', 'CR01000099')")
                 .arg(id));
        return id;
    }
    // The operation form editing pending operation `id` of `kind`, wired as
    // the application wires it.
    static void openPending(TRevisionAnualForm &form, const QString &kind, int id)
    {
        form.SetOperationKind(kind);
        form.SetPendingId(id);
        form.setEditingPending(true);
        OperationSave::WireOperationForm(form);
        QVERIFY(form.LoadPendingOperation(id));
    }

    void pendingOperationLoadedAndSavedAgain()
    {
        const int id = insertPending(QStringLiteral("R"), QStringLiteral("0000000700"));
        ScriptedPrompter prompter;
        prompter.answers = {true, true, true};
        TRevisionAnualForm form(nullptr, prompter);
        openPending(form, QStringLiteral("R"), id);

        QCOMPARE(text(form, "ObleaAntEdit"), QStringLiteral("0000000700"));
        QCOMPARE(text(form, "CalleEdit"), QStringLiteral("BELGRANO 50"));
        QCOMPARE(control<QDateEdit>(form, "DateTimePickerMontaje")->date(), QDate(2026, 12, 8));
        QCOMPARE(control<QDateEdit>(form, "DateTimePickerVencimiento")->date(), QDate(2027, 12, 9));
        QCOMPARE(control<QLineEdit>(form, "EditObs")->palette().color(QPalette::Base), QColor(254, 173, 169));
        QCOMPARE(serials(), QStringList{QStringLiteral("CIL-P")});

        control<QPushButton>(form, "BitBtn2")->click();
        QVERIFY2(prompter.log.contains(QStringLiteral("info: La operación ha sido cargada.")),
                 qPrintable(prompter.log.join('|')));
        QCOMPARE(previews, QStringList{QStringLiteral("TQFichaCedarForm")});
        QCOMPARE(count(QStringLiteral("select count(*) from temp_usr where udominio = 'AD789GH'")), 1);
        QCOMPARE(count(QStringLiteral("select count(*) from temp_usr where udominio = 'AD789GH' and id <> %1").arg(id)),
                 1);
        QCOMPARE(count(QStringLiteral("select count(*) from temp_cil where cnroserie = 'CIL-P'")), 1);
        QCOMPARE(count(QStringLiteral("select count(*) from temp_reg where rnroserie = 'RS-P'")), 1);
    }

    // A pending valve replacement saved again keeps its sticker, whether or
    // not an earlier operation carries it.
    void pendingValveReplacementSavedAgainKeepsItsSticker()
    {
        for (const char *sticker : {"0000000200", "0000000300"}) { // 0000000300 has no earlier operation
            exec(QStringLiteral("delete from temp_usr where udominio = 'AD789GH'"));
            const int id = insertPending(QStringLiteral("H"), QString::fromLatin1(sticker));
            ScriptedPrompter prompter;
            prompter.answers = {true, true, true};
            TRevisionAnualForm form(nullptr, prompter);
            openPending(form, QStringLiteral("H"), id);
            control<QPushButton>(form, "BitBtn2")->click();
            QVERIFY2(prompter.log.contains(QStringLiteral("info: La operación ha sido cargada.")),
                     qPrintable(prompter.log.join('|')));
            QSqlQuery q(db);
            QVERIFY(q.exec(QStringLiteral("select uobleaant from temp_usr where udominio = 'AD789GH'")) && q.next());
            QCOMPARE(q.value(0).toString().trimmed(), QString::fromLatin1(sticker));
            QVERIFY(!q.next());
        }
    }

    void pendingValveReplacementTakesThePreviousStickerFromTheRegister()
    {
        QSqlQuery ins(db);
        QVERIFY(ins.exec(QStringLiteral(
            "insert into temp_usr (talcuit, udominio, ucodgest, uobleaant, uano, ufecmont, ufechab, ufecvenhab) "
            "values ('30-71111111-1', 'AB123CD', 'H', '0000000200', '2018', '2026-11-02', '2026-11-02', "
            "'2027-06-30')")));
        const int id = ins.lastInsertId().toInt();
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("H"));
        QVERIFY(form.LoadPendingOperation(id));
        QCOMPARE(form.shownKind(), QStringLiteral("H"));
        QCOMPARE(text(form, "ObleaNewEdit"), QStringLiteral("0000000200"));
        QCOMPARE(text(form, "ObleaAntEdit"), QStringLiteral("0000000100"));
        QVERIFY(control<QLineEdit>(form, "ObleaAntEdit")->isHidden());
        QVERIFY(control<QToolButton>(form, "SpeedButton1")->isHidden());
        // "H" keeps its stored dates; no observations, no pink.
        QCOMPARE(control<QDateEdit>(form, "DateTimePickerVencimiento")->date(), QDate(2027, 6, 30));
        QVERIFY(control<QLineEdit>(form, "EditObs")->palette().color(QPalette::Base) != QColor(254, 173, 169));
    }
};

QTEST_MAIN(TstRecallForm)
#include "tst_recallform.moc"
