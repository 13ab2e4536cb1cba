#include "workshop/workorders/topvnewform.h"

#include "core/installationprofile.h"
#include "core/prompter.h"
#include "data/dberror.h"
#include "data/masterfiles.h"
#include "data/workorderstore.h"
#include "widgets/fieldrules.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/modalrun.h"
#include "widgets/resultgrid.h"
#include "widgets/serverwait.h"
#include "workshop/common/gridrows.h"
#include "workshop/masters/tfallasform.h"
#include "workshop/masters/tmarcasform.h"
#include "workshop/owners/tpropietariosform.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace
{

// Selects `id` in a pick list that keeps ids as item data; none when absent.
void selectId(QComboBox *box, const QVariant &id)
{
    const QSignalBlocker block(box);
    box->setCurrentIndex(box->findData(id));
}

QDate dateOf(const QLineEdit *e)
{
    return QDate::fromString(e->text(), QStringLiteral("dd/MM/yyyy"));
}

double amountOf(const QLineEdit *e)
{
    QString t = e->text().trimmed();
    t.replace(QLatin1Char(','), QLatin1Char('.'));
    return t.toDouble();
}

QString amountText(double v)
{
    return WorkOrders::Amount(v);
}

int idOf(const QComboBox *box)
{
    return box->currentIndex() >= 0 ? box->currentData().toInt() : 0;
}

} // namespace

TOPVNewForm::TOPVNewForm(QWidget *parent, Prompter &prompter, const QString &faultsCaption)
    : QDialog(parent), m_prompter(prompter)
{
    m_faultRows =
        new Widgets::ResultGridModel({{faultsCaption, QStringLiteral("name"), 60}}, Widgets::GridPalette::Blue, this);
    m_jobRows = new Widgets::ResultGridModel({{QStringLiteral("Trabajo Realizado"), QStringLiteral("name"), 60},
                                              {QStringLiteral("Técnico"), QStringLiteral("tecnico"), 40}},
                                             Widgets::GridPalette::Blue, this);
    buildUi();
    loadLists();
    GarantiaComboBoxChange();
    const bool showsType = currentProfile().showsWorkOrderOperationType;
    LabelTipoOperacion->setVisible(showsType);
    DBLookupComboBoxTipoOperacion->setVisible(showsType);

    Widgets::FieldRules::of(this)->onExit(DominioEdit, [this] { dominioLeft(); });
    connect(DBLookupComboBoxMarca, &QComboBox::currentTextChanged, this, [this](const QString &brand) {
        if (brand != m_modelsOf)
            reloadModels();
    });
    connect(GarantiaComboBox, &QComboBox::currentIndexChanged, this, &TOPVNewForm::GarantiaComboBoxChange);
    connect(BitBtnBuscarCliente, &QPushButton::clicked, this, &TOPVNewForm::BitBtnBuscarClienteClick);
    connect(BitBtnMarcas, &QPushButton::clicked, this, &TOPVNewForm::BitBtnMarcasClick);
    connect(BitBtnAgregarFalla, &QPushButton::clicked, this, &TOPVNewForm::BitBtnAgregarFallaClick);
    connect(BitBtnSacarFalla, &QPushButton::clicked, this, &TOPVNewForm::BitBtnSacarFallaClick);
    connect(BitBtnAgregarTrabajo, &QPushButton::clicked, this, &TOPVNewForm::BitBtnAgregarTrabajoClick);
    connect(BitBtnSacarTrabajo, &QPushButton::clicked, this, &TOPVNewForm::BitBtnSacarTrabajoClick);
    connect(BitBtnCancelar, &QPushButton::clicked, new Widgets::DiscardGuard(this, m_prompter),
            &Widgets::DiscardGuard::cancel);
}

void TOPVNewForm::loadLists()
{
    try {
        const bool types = currentProfile().showsWorkOrderOperationType;
        const MasterFiles::OrderLists lists = Widgets::ServerWait::run<MasterFiles::OrderLists>(
            this, QStringLiteral("Leyendo las listas..."), Conn::PostVenta,
            [types] { return MasterFiles::ForOrders(types); });
        const QSignalBlocker b1(DBLookupComboBoxConcesionario), b2(DBLookupComboBoxRecepcionista),
            b3(DBLookupComboBoxMarca), b4(DBLookupComboBoxTipoOperacion);
        for (const MasterFiles::Item &d : lists.dealers)
            DBLookupComboBoxConcesionario->addItem(d.name, d.id);
        for (const MasterFiles::Item &t : lists.technicians)
            DBLookupComboBoxRecepcionista->addItem(t.name, t.id);
        DBLookupComboBoxMarca->addItems(lists.brands);
        for (const auto &[id, name] : lists.operationTypes)
            DBLookupComboBoxTipoOperacion->addItem(name, id);
        for (QComboBox *c : {DBLookupComboBoxConcesionario, DBLookupComboBoxRecepcionista, DBLookupComboBoxMarca,
                             DBLookupComboBoxTipoOperacion})
            c->setCurrentIndex(-1);
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
}

void TOPVNewForm::reloadModels(const QString &select)
{
    const QString brand = DBLookupComboBoxMarca->currentText();
    const QSignalBlocker block(DBLookupComboBoxModelo);
    DBLookupComboBoxModelo->clear();
    m_modelsOf = brand;
    if (!brand.isEmpty()) {
        try {
            DBLookupComboBoxModelo->addItems(
                Widgets::ServerWait::run<QStringList>(this, QStringLiteral("Leyendo los modelos..."), Conn::PostVenta,
                                                      [brand] { return MasterFiles::PickModels(brand); }));
        } catch (const DbError &e) {
            m_prompter.error(e.text());
        }
    }
    DBLookupComboBoxModelo->setCurrentIndex(-1);
    if (!select.isEmpty())
        Widgets::showListText(DBLookupComboBoxModelo, select);
}

void TOPVNewForm::GarantiaComboBoxChange()
{
    const bool running = GarantiaComboBox->currentText() == WorkOrders::kUnderWarranty;
    LabelEnGarantia->setVisible(running);
    if (!running)
        LabelVencimiento->clear();
}

void TOPVNewForm::showWarranty(bool running, const QString &expiryText)
{
    {
        const QSignalBlocker block(GarantiaComboBox);
        GarantiaComboBox->setCurrentText(running ? WorkOrders::kUnderWarranty : QStringLiteral("NO"));
    }
    LabelEnGarantia->setVisible(running);
    LabelVencimiento->setText(expiryText);
}

void TOPVNewForm::setOwner(int id, const QString &name)
{
    m_cliente = id;
    ClienteEdit->setText(name);
}

void TOPVNewForm::BitBtnBuscarClienteClick()
{
    const std::optional<Owners::Owner> owner = TPropietariosForm::pick(this, m_prompter);
    if (!owner)
        return;
    setOwner(owner->id, owner->fullName().trimmed());
    CelularEdit->setText(owner->celular.trimmed());
    CelularCaracEdit->setText(owner->caracteristica.trimmed());
    TipoDocEdit->setText(owner->tipoDoc.trimmed());
    NroDocEdit->setText(owner->nroDoc.trimmed());
}

void TOPVNewForm::BitBtnMarcasClick()
{
    const QString brand = DBLookupComboBoxMarca->currentText();
    const QString model = DBLookupComboBoxModelo->currentText();
    TMarcasForm form(this, m_prompter);
    Widgets::runModal(form);
    try {
        const QSignalBlocker block(DBLookupComboBoxMarca);
        DBLookupComboBoxMarca->clear();
        DBLookupComboBoxMarca->addItems(Widgets::ServerWait::run<QStringList>(
            this, QStringLiteral("Leyendo las marcas..."), Conn::PostVenta, [] { return MasterFiles::Brands(); }));
        DBLookupComboBoxMarca->setCurrentIndex(-1);
        Widgets::showListText(DBLookupComboBoxMarca, brand);
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
    reloadModels(model);
}

void TOPVNewForm::showFaults(const QVector<WorkOrders::Fault> &faults, int select)
{
    m_faults = faults;
    QVector<QSqlRecord> rows;
    for (const WorkOrders::Fault &f : faults)
        rows << GridRows::record({{QStringLiteral("id"), f.id}, {QStringLiteral("name"), f.desc}});
    m_faultRows->setRows(rows);
    Widgets::selectGridRow(DBGridFallas, select >= 0 && select < rows.size() ? select : int(rows.size()) - 1);
}

void TOPVNewForm::showJobs(const QVector<WorkOrders::Job> &jobs, int select)
{
    m_jobs = jobs;
    QVector<QSqlRecord> rows;
    for (const WorkOrders::Job &j : jobs)
        rows << GridRows::record({{QStringLiteral("name"), j.desc}, {QStringLiteral("tecnico"), j.technicianName}});
    m_jobRows->setRows(rows);
    Widgets::selectGridRow(DBGridTrabajos, select >= 0 && select < rows.size() ? select : int(rows.size()) - 1);
}

int TOPVNewForm::selectedFault() const
{
    const int row = Widgets::selectedGridRow(DBGridFallas);
    return row >= 0 && row < m_faults.size() ? row : -1;
}

int TOPVNewForm::selectedJob() const
{
    const int row = Widgets::selectedGridRow(DBGridTrabajos);
    return row >= 0 && row < m_jobs.size() ? row : -1;
}

std::optional<MasterFiles::Item> TOPVNewForm::chooseFault()
{
    TFallasForm form(this, m_prompter);
    form.setMode(1);
    if (Widgets::runModal(form) != QDialog::Accepted)
        return std::nullopt;
    return form.current();
}

std::optional<TTrabajosRealizadosForm::Choice> TOPVNewForm::chooseJob()
{
    return TTrabajosRealizadosForm::choose(this, m_prompter);
}

int TOPVNewForm::rowToRemove(int selected)
{
    if (selected < 0)
        m_prompter.warn(QStringLiteral("No hay registros para borrar."));
    return selected;
}

WorkOrders::WorkOrder TOPVNewForm::order() const
{
    WorkOrders::WorkOrder o = m_loaded;
    o.taller = TallerEdit->text().trimmed();
    o.numero = OrdenNroEdit->text().toInt();
    o.fecha = dateOf(FechaEdit);
    o.dominio = DominioEdit->text().trimmed();
    o.marca = DBLookupComboBoxMarca->currentText();
    o.modelo = DBLookupComboBoxModelo->currentText();
    o.anio = AnioEdit->text().toInt();
    o.vin = VinEdit->text().trimmed();
    o.km = KmEdit->text().toInt();
    o.cliente = m_cliente;
    o.clienteNombre = ClienteEdit->text();
    o.tipoDoc = TipoDocEdit->text();
    o.nroDoc = NroDocEdit->text();
    o.celular = CelularEdit->text().trimmed();
    o.celularCarac = CelularCaracEdit->text().trimmed();
    o.concesionario = idOf(DBLookupComboBoxConcesionario);
    o.concesionarioNombre = DBLookupComboBoxConcesionario->currentText();
    o.recepcionista = idOf(DBLookupComboBoxRecepcionista);
    o.recepcionistaNombre = DBLookupComboBoxRecepcionista->currentText();
    o.garantia = GarantiaComboBox->currentText();
    if (DBLookupComboBoxTipoOperacion->currentIndex() >= 0)
        o.tipoOperacion = DBLookupComboBoxTipoOperacion->currentData().toString();
    for (int i = 0; i < 2; ++i) {
        o.otrasFallas[i] = OtrasFallasEdits[i]->text().trimmed();
        o.diagnostico[i] = DiagnosticoEdits[i]->text().trimmed();
    }
    for (int i = 0; i < 3; ++i)
        o.presupuestoDesc[i] = PresupuestoEdits[i]->text().trimmed();
    o.presupuesto = amountOf(PresupuestoImporteEdit);
    o.entregaFecha = dateOf(EntregaFechaEdit);
    o.entregaHora = EntregaHoraComboBox->currentText();
    o.horasHombre = amountOf(HorasHombreEdit);
    o.abonadoImporte = amountOf(AbonadoImporteEdit);
    o.abonadoForma = AbonadoFormaComboBox->currentText();
    o.faults = m_faults;
    o.jobs = m_jobs;
    return o;
}

void TOPVNewForm::showOrder(const WorkOrders::WorkOrder &o)
{
    m_loaded = o;
    TallerEdit->setText(o.taller);
    OrdenNroEdit->setText(o.numero ? QString::number(o.numero) : QString());
    FechaEdit->setText(WorkOrders::DateText(o.fecha));
    DominioEdit->setText(o.dominio);
    {
        const QSignalBlocker block(DBLookupComboBoxMarca);
        Widgets::showListText(DBLookupComboBoxMarca, o.marca);
    }
    reloadModels(o.modelo);
    AnioEdit->setText(o.anio ? QString::number(o.anio) : QString());
    VinEdit->setText(o.vin);
    KmEdit->setText(QString::number(o.km));
    setOwner(o.cliente, o.clienteNombre);
    TipoDocEdit->setText(o.tipoDoc);
    NroDocEdit->setText(o.nroDoc);
    CelularEdit->setText(o.celular);
    CelularCaracEdit->setText(o.celularCarac);
    selectId(DBLookupComboBoxConcesionario, o.concesionario);
    selectId(DBLookupComboBoxRecepcionista, o.recepcionista);
    selectId(DBLookupComboBoxTipoOperacion, o.tipoOperacion);
    GarantiaComboBox->setCurrentText(o.garantia);
    GarantiaComboBoxChange();
    for (int i = 0; i < 2; ++i) {
        OtrasFallasEdits[i]->setText(o.otrasFallas[i]);
        DiagnosticoEdits[i]->setText(o.diagnostico[i]);
    }
    for (int i = 0; i < 3; ++i)
        PresupuestoEdits[i]->setText(o.presupuestoDesc[i]);
    PresupuestoImporteEdit->setText(amountText(o.presupuesto));
    EntregaFechaEdit->setText(WorkOrders::DateText(o.entregaFecha));
    EntregaHoraComboBox->setCurrentIndex(EntregaHoraComboBox->findText(o.entregaHora));
    HorasHombreEdit->setText(amountText(o.horasHombre));
    AbonadoImporteEdit->setText(amountText(o.abonadoImporte));
    AbonadoFormaComboBox->setCurrentIndex(AbonadoFormaComboBox->findText(o.abonadoForma));
    showFaults(o.faults, 0);
    showJobs(o.jobs, 0);
}

std::optional<WorkOrders::WorkOrder> TOPVNewForm::loadOrder(const QString &taller, int numero)
{
    std::optional<WorkOrders::WorkOrder> o;
    try {
        o = Widgets::ServerWait::run<std::optional<WorkOrders::WorkOrder>>(
            this, QStringLiteral("Leyendo la orden de trabajo..."), Conn::PostVenta,
            [taller, numero] { return WorkOrderStore::Load(taller, numero); });
    } catch (const DbError &e) {
        m_prompter.error(e.text());
        return std::nullopt;
    }
    if (!o) {
        m_prompter.error(WorkOrders::NotFound(taller, numero));
        return std::nullopt;
    }
    showOrder(*o);
    return o;
}

void TOPVNewForm::setReadOnly()
{
    for (QLineEdit *e : findChildren<QLineEdit *>())
        e->setReadOnly(true);
    for (QComboBox *c : findChildren<QComboBox *>())
        c->setEnabled(false);
    for (QPushButton *b : {BitBtnBuscarCliente, BitBtnMarcas, BitBtnAgregarFalla, BitBtnSacarFalla,
                           BitBtnAgregarTrabajo, BitBtnSacarTrabajo, BitBtnGuardar, BitBtnCancelar})
        b->hide();
}
