// Controls and layout of the work-order forms.
#include "core/workorder.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/resultgrid.h"
#include "widgets/uppercasevalidator.h"
#include "workshop/workorders/topvnewform.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

// The master-file lists: wide enough for their longest names.
QComboBox *wideList(const QString &name, QWidget *parent)
{
    auto *c = Widgets::pickList(name, {}, {}, parent);
    c->setMinimumWidth(150);
    return c;
}

const QString kAmount = QStringLiteral("\\d{0,10}([.,]\\d{0,2})?");

} // namespace

void TOPVNewForm::buildUi()
{
    setModal(true);
    resize(1000, 760);

    // Header: workshop, number, date.
    TallerEdit = Widgets::readOnlyField(QStringLiteral("TallerEdit"), this);
    TallerEdit->setMaximumWidth(90);
    OrdenNroEdit = Widgets::readOnlyField(QStringLiteral("OrdenNroEdit"), this);
    OrdenNroEdit->setMaximumWidth(80);
    LabelOrdenNro = new QLabel(QStringLiteral("Orden Nro"), this);
    FechaEdit = Widgets::maskedDateField(QStringLiteral("FechaEdit"), this);
    auto *header = new QHBoxLayout;
    header->addWidget(new QLabel(QStringLiteral("Taller "), this));
    header->addWidget(TallerEdit);
    header->addSpacing(16);
    header->addWidget(LabelOrdenNro);
    header->addWidget(OrdenNroEdit);
    header->addSpacing(16);
    header->addWidget(new QLabel(QStringLiteral("Fecha"), this));
    header->addWidget(FechaEdit);
    header->addStretch(1);

    // Customer and vehicle.
    auto *data = Widgets::named(new QGroupBox(this), QStringLiteral("GroupBoxDatos"));
    auto *g = new QGridLayout(data);
    ClienteEdit = Widgets::readOnlyField(QStringLiteral("ClienteEdit"), data);
    BitBtnBuscarCliente = Widgets::button(QStringLiteral("BitBtnBuscarCliente"), QStringLiteral("..."), data);
    BitBtnBuscarCliente->setToolTip(QStringLiteral("Buscar Cliente"));
    BitBtnBuscarCliente->setMaximumWidth(32);
    TipoDocEdit = Widgets::readOnlyField(QStringLiteral("TipoDocEdit"), data);
    TipoDocEdit->setMaximumWidth(60);
    NroDocEdit = Widgets::readOnlyField(QStringLiteral("NroDocEdit"), data);
    NroDocEdit->setMaximumWidth(120);
    LabelDocumento = new QLabel(QStringLiteral("Documento"), data);
    CelularCaracEdit = Widgets::patternField(QStringLiteral("CelularCaracEdit"), QStringLiteral("\\d{0,5}"), 5, data);
    CelularCaracEdit->setMaximumWidth(60);
    CelularEdit = Widgets::textField(QStringLiteral("CelularEdit"), 20, false, data);
    DominioEdit = Widgets::textField(QStringLiteral("DominioEdit"), 7, true, data);
    DominioEdit->setMaximumWidth(100);
    DBLookupComboBoxMarca = wideList(QStringLiteral("DBLookupComboBoxMarca"), data);
    DBLookupComboBoxModelo = wideList(QStringLiteral("DBLookupComboBoxModelo"), data);
    BitBtnMarcas = Widgets::button(QStringLiteral("BitBtnMarcas"), QStringLiteral("Marcas y Modelos"), data);
    AnioEdit = Widgets::patternField(QStringLiteral("AnioEdit"), QStringLiteral("\\d{0,4}"), 4, data);
    AnioEdit->setMaximumWidth(60);
    VinEdit = Widgets::textField(QStringLiteral("VinEdit"), 20, true, data);
    KmEdit = Widgets::patternField(QStringLiteral("KmEdit"), QStringLiteral("\\d{0,9}"), 9, data);
    KmEdit->setMaximumWidth(100);
    DBLookupComboBoxConcesionario = wideList(QStringLiteral("DBLookupComboBoxConcesionario"), data);
    DBLookupComboBoxRecepcionista = wideList(QStringLiteral("DBLookupComboBoxRecepcionista"), data);
    GarantiaComboBox = Widgets::named(new QComboBox(data), QStringLiteral("GarantiaComboBox"));
    GarantiaComboBox->addItems(WorkOrders::WarrantyValues());
    LabelEnGarantia =
        Widgets::named(new QLabel(QStringLiteral("EN GARANTIA"), data), QStringLiteral("LabelEnGarantia"));
    QFont bold = LabelEnGarantia->font();
    bold.setBold(true);
    LabelEnGarantia->setFont(bold);
    LabelEnGarantia->setStyleSheet(QStringLiteral("color: red;"));
    LabelEnGarantia->hide();
    LabelVencimiento = Widgets::named(new QLabel(data), QStringLiteral("LabelVencimiento"));
    LabelTipoOperacion = new QLabel(QStringLiteral("Tipo de Operación"), data);
    DBLookupComboBoxTipoOperacion = wideList(QStringLiteral("DBLookupComboBoxTipoOperacion"), data);
    LabelTipoOperacion->hide();
    DBLookupComboBoxTipoOperacion->hide();
    EntregaFechaEdit = Widgets::maskedDateField(QStringLiteral("EntregaFechaEdit"), data);
    EntregaHoraComboBox = Widgets::named(new QComboBox(data), QStringLiteral("EntregaHoraComboBox"));
    EntregaHoraComboBox->addItems(WorkOrders::DeliveryHours());
    EntregaHoraComboBox->setCurrentIndex(-1);

    auto cell = [&](int row, int col, const QString &caption, QWidget *w, int span = 1) {
        auto *l = new QLabel(caption, data);
        l->setBuddy(w);
        g->addWidget(l, row, col);
        g->addWidget(w, row, col + 1, 1, span);
        return l;
    };
    auto *client = new QHBoxLayout;
    client->addWidget(ClienteEdit, 1);
    client->addWidget(BitBtnBuscarCliente);
    g->addWidget(new QLabel(QStringLiteral("Cliente"), data), 0, 0);
    g->addLayout(client, 0, 1, 1, 3);
    auto *doc = new QHBoxLayout;
    doc->addWidget(TipoDocEdit);
    doc->addWidget(NroDocEdit);
    doc->addStretch(1);
    g->addWidget(LabelDocumento, 0, 4);
    g->addLayout(doc, 0, 5);
    auto *phone = new QHBoxLayout;
    phone->addWidget(new QLabel(QStringLiteral("("), data));
    phone->addWidget(CelularCaracEdit);
    phone->addWidget(new QLabel(QStringLiteral(")"), data));
    phone->addWidget(CelularEdit, 1);
    g->addWidget(new QLabel(QStringLiteral("Celular"), data), 1, 0);
    g->addLayout(phone, 1, 1, 1, 3);
    cell(1, 4, QStringLiteral("Dominio"), DominioEdit);
    cell(2, 0, QStringLiteral("Marca"), DBLookupComboBoxMarca);
    cell(2, 2, QStringLiteral("Modelo"), DBLookupComboBoxModelo);
    g->addWidget(BitBtnMarcas, 2, 4, 1, 2, Qt::AlignLeft);
    cell(3, 0, QStringLiteral("Año"), AnioEdit);
    cell(3, 2, QStringLiteral("VIN"), VinEdit);
    cell(3, 4, QStringLiteral("Kilometraje"), KmEdit);
    cell(4, 0, QStringLiteral("Concesionario"), DBLookupComboBoxConcesionario);
    cell(4, 2, QStringLiteral("Recepcionista"), DBLookupComboBoxRecepcionista);
    g->addWidget(LabelTipoOperacion, 4, 4);
    g->addWidget(DBLookupComboBoxTipoOperacion, 4, 5);
    auto *warranty = new QHBoxLayout;
    warranty->addWidget(GarantiaComboBox);
    warranty->addWidget(LabelEnGarantia);
    warranty->addWidget(LabelVencimiento);
    warranty->addStretch(1);
    g->addWidget(new QLabel(QStringLiteral("Garantía"), data), 5, 0);
    g->addLayout(warranty, 5, 1, 1, 3);
    auto *delivery = new QHBoxLayout;
    delivery->addWidget(EntregaFechaEdit);
    delivery->addWidget(new QLabel(QStringLiteral("Hora"), data));
    delivery->addWidget(EntregaHoraComboBox);
    delivery->addStretch(1);
    g->addWidget(new QLabel(QStringLiteral("Entrega Estimada"), data), 5, 4);
    g->addLayout(delivery, 5, 5);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setColumnStretch(5, 1);

    // Faults.
    auto *faultsBox = Widgets::named(new QGroupBox(QStringLiteral("Fallas"), this), QStringLiteral("GroupBoxFallas"));
    DBGridFallas = Widgets::named(new QTableView(faultsBox), QStringLiteral("DBGridFallas"));
    Widgets::setUpResultGrid(DBGridFallas, m_faultRows);
    DBGridFallas->setMinimumHeight(90);
    BitBtnAgregarFalla = Widgets::button(QStringLiteral("BitBtnAgregarFalla"), QStringLiteral("Agregar"), faultsBox);
    BitBtnSacarFalla = Widgets::button(QStringLiteral("BitBtnSacarFalla"), QStringLiteral("Sacar"), faultsBox);
    for (int i = 0; i < 2; ++i) {
        OtrasFallasEdits[i] = Widgets::textField(QStringLiteral("OtrasFallas%1Edit").arg(i + 1), 128, true, faultsBox);
        DiagnosticoEdits[i] = Widgets::textField(QStringLiteral("Diagnostico%1Edit").arg(i + 1), 128, true, faultsBox);
    }
    auto *fg = new QGridLayout(faultsBox);
    fg->addWidget(DBGridFallas, 0, 0, 2, 2);
    fg->addWidget(BitBtnAgregarFalla, 0, 2);
    fg->addWidget(BitBtnSacarFalla, 1, 2, Qt::AlignTop);
    fg->addWidget(new QLabel(QStringLiteral("Otras Fallas"), faultsBox), 2, 0);
    fg->addWidget(OtrasFallasEdits[0], 2, 1, 1, 2);
    fg->addWidget(OtrasFallasEdits[1], 3, 1, 1, 2);
    fg->addWidget(new QLabel(QStringLiteral("Diagnostico"), faultsBox), 4, 0);
    fg->addWidget(DiagnosticoEdits[0], 4, 1, 1, 2);
    fg->addWidget(DiagnosticoEdits[1], 5, 1, 1, 2);
    fg->setColumnStretch(1, 1);

    // Budget and jobs.
    auto *jobsBox = Widgets::named(new QGroupBox(QStringLiteral("Presupuesto y Trabajos"), this),
                                   QStringLiteral("GroupBoxTrabajos"));
    for (int i = 0; i < 3; ++i)
        PresupuestoEdits[i] = Widgets::textField(QStringLiteral("Presupuesto%1Edit").arg(i + 1), 128, true, jobsBox);
    PresupuestoImporteEdit = Widgets::patternField(QStringLiteral("PresupuestoImporteEdit"), kAmount, 13, jobsBox);
    PresupuestoImporteEdit->setMaximumWidth(110);
    DBGridTrabajos = Widgets::named(new QTableView(jobsBox), QStringLiteral("DBGridTrabajos"));
    Widgets::setUpResultGrid(DBGridTrabajos, m_jobRows);
    DBGridTrabajos->setMinimumHeight(90);
    BitBtnAgregarTrabajo = Widgets::button(QStringLiteral("BitBtnAgregarTrabajo"), QStringLiteral("Agregar"), jobsBox);
    BitBtnSacarTrabajo = Widgets::button(QStringLiteral("BitBtnSacarTrabajo"), QStringLiteral("Sacar"), jobsBox);
    HorasHombreEdit = Widgets::patternField(QStringLiteral("HorasHombreEdit"), kAmount, 13, jobsBox);
    HorasHombreEdit->setMaximumWidth(110);
    AbonadoImporteEdit = Widgets::patternField(QStringLiteral("AbonadoImporteEdit"), kAmount, 13, jobsBox);
    AbonadoImporteEdit->setMaximumWidth(110);
    AbonadoFormaComboBox = Widgets::named(new QComboBox(jobsBox), QStringLiteral("AbonadoFormaComboBox"));
    AbonadoFormaComboBox->addItems(WorkOrders::PaymentForms());
    AbonadoFormaComboBox->setCurrentIndex(-1);
    auto *jg = new QGridLayout(jobsBox);
    jg->addWidget(new QLabel(QStringLiteral("Presupuesto"), jobsBox), 0, 0);
    jg->addWidget(PresupuestoEdits[0], 0, 1);
    jg->addWidget(new QLabel(QStringLiteral("Importe"), jobsBox), 0, 2);
    jg->addWidget(PresupuestoImporteEdit, 0, 3);
    jg->addWidget(PresupuestoEdits[1], 1, 1);
    jg->addWidget(PresupuestoEdits[2], 2, 1);
    jg->addWidget(DBGridTrabajos, 3, 0, 2, 3);
    jg->addWidget(BitBtnAgregarTrabajo, 3, 3);
    jg->addWidget(BitBtnSacarTrabajo, 4, 3, Qt::AlignTop);
    auto *paid = new QHBoxLayout;
    paid->addWidget(new QLabel(QStringLiteral("Horas Hompre imputadas a esta Orden"), jobsBox));
    paid->addWidget(HorasHombreEdit);
    paid->addSpacing(20);
    paid->addWidget(new QLabel(QStringLiteral("Importe Abonado"), jobsBox));
    paid->addWidget(AbonadoImporteEdit);
    paid->addSpacing(20);
    paid->addWidget(new QLabel(QStringLiteral("Forma de Pago"), jobsBox));
    paid->addWidget(AbonadoFormaComboBox);
    paid->addStretch(1);
    jg->addLayout(paid, 5, 0, 1, 4);
    jg->setColumnStretch(1, 1);

    BitBtnGuardar = Widgets::button(QStringLiteral("BitBtnGuardar"), QStringLiteral("Guardar Orden de Trabajo"), this);
    BitBtnCancelar = Widgets::button(QStringLiteral("BitBtnCancelar"), QStringLiteral("Cancelar"), this);
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    m_buttons->addWidget(BitBtnGuardar);
    m_buttons->addWidget(BitBtnCancelar);

    auto *v = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    v->addLayout(header);
    v->addWidget(data);
    v->addWidget(faultsBox, 1);
    v->addWidget(jobsBox, 1);
    v->addLayout(m_buttons);
}
