// Controls and layout of the work-order forms.
#include "core/workorder.h"
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

template <typename W> W *named(W *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}

QLineEdit *edit(QWidget *parent, const QString &name, int maxLength, bool upper = true)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setMaxLength(maxLength);
    if (upper)
        e->setValidator(new Widgets::UpperCaseValidator(e));
    return e;
}

QLineEdit *readOnly(QWidget *parent, const QString &name)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setReadOnly(true);
    e->setFocusPolicy(Qt::ClickFocus);
    return e;
}

QLineEdit *pattern(QWidget *parent, const QString &name, const QString &re, int maxLength)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setMaxLength(maxLength);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(re), e));
    return e;
}

QLineEdit *dateEdit(QWidget *parent, const QString &name)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setInputMask(QStringLiteral("99/99/9999;_"));
    e->setMaximumWidth(100);
    return e;
}

QPushButton *button(QWidget *parent, const QString &name, const QString &caption)
{
    auto *b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false);
    return b;
}

QComboBox *pickList(QWidget *parent, const QString &name)
{
    auto *c = named(new QComboBox(parent), name);
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
    TallerEdit = readOnly(this, QStringLiteral("TallerEdit"));
    TallerEdit->setMaximumWidth(90);
    OrdenNroEdit = readOnly(this, QStringLiteral("OrdenNroEdit"));
    OrdenNroEdit->setMaximumWidth(80);
    LabelOrdenNro = new QLabel(QStringLiteral("Orden Nro"), this);
    FechaEdit = dateEdit(this, QStringLiteral("FechaEdit"));
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
    auto *data = named(new QGroupBox(this), QStringLiteral("GroupBoxDatos"));
    auto *g = new QGridLayout(data);
    ClienteEdit = readOnly(data, QStringLiteral("ClienteEdit"));
    BitBtnBuscarCliente = button(data, QStringLiteral("BitBtnBuscarCliente"), QStringLiteral("..."));
    BitBtnBuscarCliente->setToolTip(QStringLiteral("Buscar Cliente"));
    BitBtnBuscarCliente->setMaximumWidth(32);
    TipoDocEdit = readOnly(data, QStringLiteral("TipoDocEdit"));
    TipoDocEdit->setMaximumWidth(60);
    NroDocEdit = readOnly(data, QStringLiteral("NroDocEdit"));
    NroDocEdit->setMaximumWidth(120);
    LabelDocumento = new QLabel(QStringLiteral("Documento"), data);
    CelularCaracEdit = pattern(data, QStringLiteral("CelularCaracEdit"), QStringLiteral("\\d{0,5}"), 5);
    CelularCaracEdit->setMaximumWidth(60);
    CelularEdit = edit(data, QStringLiteral("CelularEdit"), 20, false);
    DominioEdit = edit(data, QStringLiteral("DominioEdit"), 7);
    DominioEdit->setMaximumWidth(100);
    DBLookupComboBoxMarca = pickList(data, QStringLiteral("DBLookupComboBoxMarca"));
    DBLookupComboBoxModelo = pickList(data, QStringLiteral("DBLookupComboBoxModelo"));
    BitBtnMarcas = button(data, QStringLiteral("BitBtnMarcas"), QStringLiteral("Marcas y Modelos"));
    AnioEdit = pattern(data, QStringLiteral("AnioEdit"), QStringLiteral("\\d{0,4}"), 4);
    AnioEdit->setMaximumWidth(60);
    VinEdit = edit(data, QStringLiteral("VinEdit"), 20);
    KmEdit = pattern(data, QStringLiteral("KmEdit"), QStringLiteral("\\d{0,9}"), 9);
    KmEdit->setMaximumWidth(100);
    DBLookupComboBoxConcesionario = pickList(data, QStringLiteral("DBLookupComboBoxConcesionario"));
    DBLookupComboBoxRecepcionista = pickList(data, QStringLiteral("DBLookupComboBoxRecepcionista"));
    GarantiaComboBox = named(new QComboBox(data), QStringLiteral("GarantiaComboBox"));
    GarantiaComboBox->addItems(WorkOrders::WarrantyValues());
    LabelEnGarantia = named(new QLabel(QStringLiteral("EN GARANTIA"), data), QStringLiteral("LabelEnGarantia"));
    QFont bold = LabelEnGarantia->font();
    bold.setBold(true);
    LabelEnGarantia->setFont(bold);
    LabelEnGarantia->setStyleSheet(QStringLiteral("color: red;"));
    LabelEnGarantia->hide();
    LabelVencimiento = named(new QLabel(data), QStringLiteral("LabelVencimiento"));
    LabelTipoOperacion = new QLabel(QStringLiteral("Tipo de Operación"), data);
    DBLookupComboBoxTipoOperacion = pickList(data, QStringLiteral("DBLookupComboBoxTipoOperacion"));
    LabelTipoOperacion->hide();
    DBLookupComboBoxTipoOperacion->hide();
    EntregaFechaEdit = dateEdit(data, QStringLiteral("EntregaFechaEdit"));
    EntregaHoraComboBox = named(new QComboBox(data), QStringLiteral("EntregaHoraComboBox"));
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
    auto *faultsBox = named(new QGroupBox(QStringLiteral("Fallas"), this), QStringLiteral("GroupBoxFallas"));
    DBGridFallas = named(new QTableView(faultsBox), QStringLiteral("DBGridFallas"));
    Widgets::setUpResultGrid(DBGridFallas, m_faultRows);
    DBGridFallas->setMinimumHeight(90);
    BitBtnAgregarFalla = button(faultsBox, QStringLiteral("BitBtnAgregarFalla"), QStringLiteral("Agregar"));
    BitBtnSacarFalla = button(faultsBox, QStringLiteral("BitBtnSacarFalla"), QStringLiteral("Sacar"));
    for (int i = 0; i < 2; ++i) {
        OtrasFallasEdits[i] = edit(faultsBox, QStringLiteral("OtrasFallas%1Edit").arg(i + 1), 128);
        DiagnosticoEdits[i] = edit(faultsBox, QStringLiteral("Diagnostico%1Edit").arg(i + 1), 128);
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
    auto *jobsBox =
        named(new QGroupBox(QStringLiteral("Presupuesto y Trabajos"), this), QStringLiteral("GroupBoxTrabajos"));
    for (int i = 0; i < 3; ++i)
        PresupuestoEdits[i] = edit(jobsBox, QStringLiteral("Presupuesto%1Edit").arg(i + 1), 128);
    PresupuestoImporteEdit = pattern(jobsBox, QStringLiteral("PresupuestoImporteEdit"), kAmount, 13);
    PresupuestoImporteEdit->setMaximumWidth(110);
    DBGridTrabajos = named(new QTableView(jobsBox), QStringLiteral("DBGridTrabajos"));
    Widgets::setUpResultGrid(DBGridTrabajos, m_jobRows);
    DBGridTrabajos->setMinimumHeight(90);
    BitBtnAgregarTrabajo = button(jobsBox, QStringLiteral("BitBtnAgregarTrabajo"), QStringLiteral("Agregar"));
    BitBtnSacarTrabajo = button(jobsBox, QStringLiteral("BitBtnSacarTrabajo"), QStringLiteral("Sacar"));
    HorasHombreEdit = pattern(jobsBox, QStringLiteral("HorasHombreEdit"), kAmount, 13);
    HorasHombreEdit->setMaximumWidth(110);
    AbonadoImporteEdit = pattern(jobsBox, QStringLiteral("AbonadoImporteEdit"), kAmount, 13);
    AbonadoImporteEdit->setMaximumWidth(110);
    AbonadoFormaComboBox = named(new QComboBox(jobsBox), QStringLiteral("AbonadoFormaComboBox"));
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

    BitBtnGuardar = button(this, QStringLiteral("BitBtnGuardar"), QStringLiteral("Guardar Orden de Trabajo"));
    BitBtnCancelar = button(this, QStringLiteral("BitBtnCancelar"), QStringLiteral("Cancelar"));
    m_buttons = new QHBoxLayout;
    m_buttons->addStretch(1);
    m_buttons->addWidget(BitBtnGuardar);
    m_buttons->addWidget(BitBtnCancelar);

    auto *v = new QVBoxLayout(this);
    v->addLayout(header);
    v->addWidget(data);
    v->addWidget(faultsBox, 1);
    v->addWidget(jobsBox, 1);
    v->addLayout(m_buttons);
}
