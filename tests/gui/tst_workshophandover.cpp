// The operation form and the workshop windows together: "Traer desde OC"
// copies a conversion order into a new conversion, "Buscar por Documento"
// an owner of the owners file, and the order form enters its cylinders with
// the operation form's cylinder dialog.
#include "app/navigator.h"
#include "controls.h"
#include "core/global.h"
#include "data/conversionorderstore.h"
#include "data/dm1.h"
#include "guardedmain.h"
#include "operations/cylinders/cylinderlist.h"
#include "operations/cylinders/tdatoscilindroform.h"
#include "operations/linklabel.h"
#include "operations/trevisionanualform.h"
#include "operations/windows.h"
#include "postsalesdb.h"
#include "reads.h"
#include "sampleorder.h"
#include "scripteddialogs.h"
#include "widgets/messages.h"
#include "widgets/modalrun.h"
#include "workshop/orders/tasignartallerform.h"
#include "workshop/orders/tconsultaottform.h"
#include "workshop/owners/tpropietariosform.h"
#include "workshop/windows.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <deque>
#include <functional>

namespace
{

const QString kOps = QStringLiteral("t_handover_ops");
const QString kPv = QStringLiteral("t_handover_pv");

} // namespace

class TstWorkshopHandover : public QObject
{
    Q_OBJECT
    ScopedNavigator nav;
    QSqlDatabase db;
    ScriptedDialogs dialogs;

private slots:
    void initTestCase()
    {
        db = PostSalesDb::createAndConnect(kOps, kPv);
        Operations::registerWindows(nav.get());
        Workshop::registerWindows(nav.get());
        dialogs.install();
        Msg::setHook([](Msg::Kind, const QString &) { return false; });
    }
    void init()
    {
        Global = GlobalState{};
        Global.WorkshopCode = QStringLiteral("TDM0001");
        Global.InstallationId = QStringLiteral("LIND01");
        Global.ManagesWorkshop = 1;
    }
    void cleanup() { QVERIFY(dialogs.empty()); }
    void cleanupTestCase()
    {
        Msg::setHook({});
        ScriptedDialogs::uninstall();
        dm1().closeAll();
        PostSalesDb::drop(kOps, kPv);
    }

    void conversionOrderIntoANewConversion()
    {
        Orders::ConversionOrder o = sampleOrder(QStringLiteral("TAL0005"), 2);
        o.anio = 2015;
        o.dominio = QStringLiteral("ABC123");
        ConversionOrderStore::SaveNew(o);

        TRevisionAnualForm form;
        form.SetOperationKind(QStringLiteral("C"));
        form.show();
        dialogs.answer([](QDialog &d) {
            auto &list = static_cast<TConsultaOTTForm &>(d);
            control<QLineEdit>(list, "Edit1")->setText(QStringLiteral("ABC123"));
            control<QPushButton>(list, "BitBtn1")->click();
            waitForReads(list);
            control<QPushButton>(list, "BitBtnAceptar")->click();
            return list.result();
        });
        control<LinkLabel>(form, "TraerDesdeOCLabel")->clicked();
        QCOMPARE(control<QLineEdit>(form, "NombreEdit")->text(), QStringLiteral("LUNA ESTEBAN"));
        QCOMPARE(control<QLineEdit>(form, "DominioEdit")->text(), QStringLiteral("ABC123"));
        QCOMPARE(control<QLineEdit>(form, "MarcaEdit")->text(), QStringLiteral("CHEVROLET"));
        QCOMPARE(control<QLineEdit>(form, "BarrioEdit")->text(), QStringLiteral("CENTRO"));
        QCOMPARE(control<QLineEdit>(form, "CaracteristicaEdit")->text(), QStringLiteral("11"));
        QCOMPARE(control<QLineEdit>(form, "CodigoRegularEdit")->text(), QStringLiteral("T009"));
        QCOMPARE(control<QLineEdit>(form, "MarcaReguladorEdit")->text(), QStringLiteral("TOMASETTO"));
        const QVector<CylinderRow> cylinders = form.cylinderList()->rows();
        QCOMPARE(cylinders.size(), 2);
        QCOMPARE(cylinders[1].gestion, QStringLiteral("DESMONTAJE")); // stored "B"
        QCOMPARE(cylinders[0].fabricac, QStringLiteral("11/1987"));
    }

    void ownerByDocument()
    {
        TestDb::exec(db, QStringLiteral("INSERT INTO propietarios (propietario, tipoDoc, nroDoc, calle, barrio, "
                                        "celular, celular_carac, localidad, provincia) VALUES ('PEREZ JUAN', "
                                        "'CUIT', '20-12345678-3', 'SAN MARTIN 55', 'NORTE', '5551234', '351', "
                                        "'CORDOBA', 'CORDOBA')"));
        TRevisionAnualForm form;
        form.SetOperationKind(QStringLiteral("C"));
        form.show();
        dialogs.answer([](QDialog &d) {
            auto &list = static_cast<TPropietariosForm &>(d);
            control<QLineEdit>(list, "Edit1")->setText(QStringLiteral("PEREZ"));
            control<QPushButton>(list, "BitBtnBuscar")->click();
            waitForReads(list);
            return int(QDialog::Rejected); // closed however: the owner is copied
        });
        control<QToolButton>(form, "SpeedButton9")->click();
        QCOMPARE(control<QLineEdit>(form, "NombreEdit")->text(), QStringLiteral("PEREZ JUAN"));
        QCOMPARE(control<QComboBox>(form, "DNIComboBox")->currentText(), QStringLiteral("CUIT"));
        QCOMPARE(control<QLineEdit>(form, "NroDocEdit")->text(), QStringLiteral("20-12345678-3"));
        QCOMPARE(control<QLineEdit>(form, "TelefonoEdit")->text(), QStringLiteral("5551234"));
        QCOMPARE(control<QComboBox>(form, "ComboBoxTipoTE")->currentText(), QStringLiteral("CELULAR"));
    }

    // The order form asks the operations folder for its cylinder dialog, in
    // the conversion mode, over the same work table.
    void orderCylindersThroughTheCylinderDialog()
    {
        TAsignarTallerForm f(nullptr, guiPrompter());
        f.Prepare(QStringLiteral("TDM0001"), QDate(2026, 12, 9));
        f.show();
        QString gestion;
        dialogs.answer([&gestion](QDialog &d) {
            auto &c = dynamic_cast<TDatosCilindroForm &>(d);
            gestion = control<QComboBox>(c, "ComboGESTION")->currentText();
            return int(QDialog::Rejected); // abandoned: the new row goes
        });
        control<QPushButton>(f, "BitBtnAgregarCilindro")->click();
        QCOMPARE(gestion, QStringLiteral("MONTAJE"));
        QCOMPARE(control<QTableView>(f, "DBGridCilindros")->model()->rowCount(), 0);
    }
};

TARVIL_GUARDED_TEST_MAIN(TstWorkshopHandover)
#include "tst_workshophandover.moc"
