#include "workshop/orders/tasignartallerform.h"

#include "app/navigator.h"
#include "core/clock.h"
#include "core/editmask.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "core/prompter.h"
#include "data/conversionorderstore.h"
#include "data/cylinderworktable.h"
#include "data/fieldlookups.h"
#include "data/localstore.h"
#include "data/masterfiles.h"
#include "widgets/fieldrules.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/modalrun.h"
#include "widgets/resultgrid.h"
#include "widgets/serverwait.h"
#include "widgets/tconfirmdlg.h"
#include "workshop/common/gridrows.h"
#include "workshop/masters/toperariosform.h"
#include "workshop/orders/orderprint.h"
#include "workshop/owners/tpropietariosform.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace
{

int number(const QLineEdit *e)
{
    return e->text().trimmed().toInt();
}

} // namespace

TAsignarTallerForm::TAsignarTallerForm(QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_prompter(prompter), m_cylinders(localStore().table(LocalTableId::Cylinders))
{
    m_cylinderRows = new Widgets::ResultGridModel({{QStringLiteral("Código"), QStringLiteral("CODIGO"), 4, true},
                                                   {QStringLiteral("Nro Serie"), QStringLiteral("NROSERIE"), 25},
                                                   {QStringLiteral("Nuevo"), QStringLiteral("CNUEVO"), 2},
                                                   {QStringLiteral("Gestión"), QStringLiteral("GESTION"), 11},
                                                   {QStringLiteral("Capacidad"), QStringLiteral("CAPACIDAD"), 4},
                                                   {QStringLiteral("Fabricación"), QStringLiteral("FABRICAC"), 7},
                                                   {QStringLiteral("Ultima PH"), QStringLiteral("UPHTALLER"), 4},
                                                   {QStringLiteral("PH Fecha"), QStringLiteral("UPHFECHA"), 7},
                                                   {QStringLiteral("Resultado PH"), QStringLiteral("UPHRESULT"), 9}},
                                                  Widgets::GridPalette::Blue, this);
    m_technicianRows = new Widgets::ResultGridModel({{QStringLiteral("ID"), QStringLiteral("id"), 6, true},
                                                     {QStringLiteral("TECNICO"), QStringLiteral("name"), 40}},
                                                    Widgets::GridPalette::Green, this);
    buildUi();
    m_plate = std::make_unique<MaskedField>(DominioEdit, true, 7);

    m_rules = Widgets::FieldRules::of(this);
    // Entering a painted control gives it its colour back.
    for (QWidget *w : {static_cast<QWidget *>(AnioSpinEdit), static_cast<QWidget *>(DominioEdit),
                       static_cast<QWidget *>(DBLookupComboBox1), static_cast<QWidget *>(CodigoRegularEdit),
                       static_cast<QWidget *>(DBLookupComboBox2), static_cast<QWidget *>(DBLookupComboBox3)})
        m_rules->onEnter(w, [this, w] {
            mark(w, false);
            if (w == DominioEdit && isEditable())
                DominioEditEnter();
        });
    // The view form shows a stored order: nothing it leaves is checked.
    const auto onExit = [this](QWidget *w, void (TAsignarTallerForm::*rule)()) {
        m_rules->onExit(w, [this, rule] {
            if (isEditable())
                (this->*rule)();
        });
    };
    onExit(AnioSpinEdit, &TAsignarTallerForm::AnioSpinEditExit);
    onExit(DominioEdit, &TAsignarTallerForm::DominioEditExit);
    onExit(DBLookupComboBox1, &TAsignarTallerForm::DBLookupComboBox1Exit);
    onExit(CodigoRegularEdit, &TAsignarTallerForm::CodigoRegularEditExit);
    connect(DBLookupComboBox1, &QComboBox::currentTextChanged, this, [this] {
        mark(DBLookupComboBox1, false);
        DBLookupComboBox1Exit();
    });
    connect(DBLookupComboBox2, &QComboBox::currentTextChanged, this, [this] { mark(DBLookupComboBox2, false); });
    connect(DBLookupComboBox3, &QComboBox::currentIndexChanged, this, [this](int i) {
        mark(DBLookupComboBox3, false);
        if (i >= 0)
            m_dealer = DBLookupComboBox3->itemData(i).toInt();
    });
    connect(DominioEdit, &QLineEdit::textEdited, this, [this] { mark(DominioEdit, false); });
    connect(SpeedButtonRegulador, &QToolButton::clicked, this, &TAsignarTallerForm::SpeedButtonReguladorClick);
    connect(BitBtnBuscarPropietario, &QPushButton::clicked, this, &TAsignarTallerForm::BitBtnBuscarPropietarioClick);
    connect(BitBtnAgregarCilindro, &QPushButton::clicked, this, &TAsignarTallerForm::BitBtnAgregarCilindroClick);
    connect(BitBtnModificarCilindro, &QPushButton::clicked, this, &TAsignarTallerForm::BitBtnModificarCilindroClick);
    connect(BitBtnBorrarCilindro, &QPushButton::clicked, this, &TAsignarTallerForm::BitBtnBorrarCilindroClick);
    connect(DBGridCilindros->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TAsignarTallerForm::showSelectedCylinder);
    for (int i = 0; i < Orders::kRoleCount; ++i) {
        connect(AsignarButtons[i], &QPushButton::clicked, this, [this, i] { assignRole(i); });
        connect(QuitarButtons[i], &QToolButton::clicked, this, [this, i] { clearRole(i); });
    }
    connect(LinkTecnicos, &QPushButton::clicked, this, &TAsignarTallerForm::LinkTecnicosClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TAsignarTallerForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, new Widgets::DiscardGuard(this, m_prompter),
            &Widgets::DiscardGuard::cancel);

    // The order's cylinders start from an empty work table.
    try {
        m_cylinders.open();
        m_cylinders.empty();
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
    loadLists();
    refreshCylinders();
}

TAsignarTallerForm::~TAsignarTallerForm() = default;

void TAsignarTallerForm::Prepare(const QString &workshopCode, const QDate &date)
{
    m_workshop = workshopCode;
    m_date = date;
    TallerEdit->setText(workshopCode);
    FechaEdit->setText(date.toString(Widgets::DateFormat));
}

void TAsignarTallerForm::loadLists()
{
    try {
        const MasterFiles::OrderLists lists = Widgets::ServerWait::run<MasterFiles::OrderLists>(
            this, QStringLiteral("Leyendo las listas..."), Conn::PostVenta,
            [] { return MasterFiles::ForOrders(false); });
        const QSignalBlocker blockDealers(DBLookupComboBox3), blockBrands(DBLookupComboBox1);
        for (const MasterFiles::Item &d : lists.dealers)
            DBLookupComboBox3->addItem(d.name, d.id);
        DBLookupComboBox3->setCurrentIndex(-1);
        DBLookupComboBox1->addItems(lists.brands);
        DBLookupComboBox1->setCurrentIndex(-1);
        m_technicianRows->setRows(GridRows::items(lists.technicians));
        Widgets::selectGridRow(DBGridOperarios, 0);
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
}

void TAsignarTallerForm::loadTechnicians()
{
    try {
        m_technicianRows->setRows(GridRows::items(Widgets::ServerWait::run<QVector<MasterFiles::Item>>(
            this, QStringLiteral("Leyendo los operarios..."), Conn::PostVenta,
            [] { return MasterFiles::PickList(MasterFiles::Table::Technicians); })));
        Widgets::selectGridRow(DBGridOperarios, 0);
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
}

void TAsignarTallerForm::reloadModels(const QString &select)
{
    const QString brand = DBLookupComboBox1->currentText();
    const QSignalBlocker block(DBLookupComboBox2);
    DBLookupComboBox2->clear();
    m_modelsOf = brand;
    if (!brand.isEmpty()) {
        try {
            DBLookupComboBox2->addItems(
                Widgets::ServerWait::run<QStringList>(this, QStringLiteral("Leyendo los modelos..."), Conn::PostVenta,
                                                      [brand] { return MasterFiles::PickModels(brand); }));
        } catch (const DbError &e) {
            m_prompter.error(e.text());
        }
    }
    DBLookupComboBox2->setCurrentIndex(-1);
    if (!select.isEmpty())
        Widgets::showListText(DBLookupComboBox2, select);
}

// --- enter / leave rules ------------------------------------------------------

void TAsignarTallerForm::AnioSpinEditExit()
{
    if (Orders::IsAcceptedYear(AnioSpinEdit->value(), Clock::today()))
        return;
    m_prompter.alert(Orders::kInvalidYear);
    m_rules->refocus(AnioSpinEdit);
}

void TAsignarTallerForm::DominioEditEnter()
{
    m_plate->setMask(OperationMasks::DomainOnEntering(AnioSpinEdit->value()));
}

void TAsignarTallerForm::DominioEditExit()
{
    const QString plate = m_plate->value();
    // Warned once per plate: leaving it again with the same plate goes on.
    if (!Orders::ChecksDuplicatePlate(plate) || plate == m_warnedPlate)
        return;
    try {
        if (!Widgets::ServerWait::run<bool>(this, QStringLiteral("Buscando el dominio..."), Conn::PostVenta,
                                            [plate] { return ConversionOrderStore::PlateHasOrders(plate); }))
            return;
    } catch (const DbError &e) {
        m_prompter.error(e.text());
        return;
    }
    m_warnedPlate = plate;
    m_prompter.info(Orders::kDuplicatePlate);
    m_rules->refocus(DominioEdit);
}

void TAsignarTallerForm::DBLookupComboBox1Exit()
{
    if (DBLookupComboBox1->currentText() != m_modelsOf)
        reloadModels();
}

void TAsignarTallerForm::pickRegulator(bool preSearch)
{
    const Nav::PickRegulator request{preSearch ? CodigoRegularEdit->text().trimmed() : QString()};
    if (const auto choice = navigator().request(request, this)) {
        CodigoRegularEdit->setText(choice->codigo);
        MarcaReguladorEdit->setText(choice->marca);
        NroSerieReguladorEdit->setFocus();
        return;
    }
    // Only a code that was not found takes the focus back: from an empty code
    // the operator leaves freely (or every exit would open the search again).
    if (preSearch)
        m_rules->refocus(CodigoRegularEdit);
}

void TAsignarTallerForm::CodigoRegularEditExit()
{
    const QString code = CodigoRegularEdit->text().trimmed();
    if (code.isEmpty()) {
        pickRegulator(false);
        return;
    }
    try {
        if (const std::optional<QString> brand = Widgets::ServerWait::lookUp<std::optional<QString>>(
                this, [code] { return FieldLookups::RegulatorBrand(code); })) {
            MarcaReguladorEdit->setText(*brand);
            NroSerieReguladorEdit->setFocus();
            return;
        }
    } catch (const DbError &e) {
        m_prompter.error(e.text());
        m_rules->refocus(CodigoRegularEdit);
        return;
    }
    m_prompter.error(QStringLiteral("Código de Regulador no encontrado."));
    pickRegulator(true);
}

void TAsignarTallerForm::SpeedButtonReguladorClick()
{
    CodigoRegularEditExit();
}

// --- owner, cylinders, technicians --------------------------------------------

void TAsignarTallerForm::showOwner(const Orders::OrderOwner &o, bool withExtras)
{
    m_owner = o;
    PropietarioIdEdit->setText(o.id ? QString::number(o.id) : QString());
    PropietarioEdit->setText(o.nombre);
    EmailEdit->setText(o.email);
    CaracteristicaEdit->setText(withExtras ? o.caracteristica : QString());
    CelularEdit->setText(o.celular);
    DireccionEdit->setText(o.calle);
    BarrioEdit->setText(withExtras ? o.barrio : QString());
    LocalidadEdit->setText(o.localidad);
    CPAEdit->setText(o.codigoPostal);
    ProvinciaEdit->setText(o.provincia);
    Widgets::showListText(TipoDocComboBox, o.tipoDoc);
    NroDocEdit->setText(o.nroDoc);
    mark(PropietarioIdEdit, false);
}

void TAsignarTallerForm::BitBtnBuscarPropietarioClick()
{
    if (const std::optional<Owners::Owner> owner = TPropietariosForm::pick(this, m_prompter))
        showOwner(Orders::OwnerOf(*owner), m_showsOwnerExtras);
}

void TAsignarTallerForm::refreshCylinders(int select)
{
    QVector<QSqlRecord> rows;
    try {
        for (const CylinderRow &c : CylinderWorkTable::Read(m_cylinders))
            rows << GridRows::record({{QStringLiteral("CODIGO"), c.codigo},
                                      {QStringLiteral("NROSERIE"), c.nroSerie},
                                      {QStringLiteral("CNUEVO"), c.cNuevo},
                                      {QStringLiteral("GESTION"), c.gestion},
                                      {QStringLiteral("CAPACIDAD"), c.capacidad},
                                      {QStringLiteral("FABRICAC"), c.fabricac},
                                      {QStringLiteral("UPHTALLER"), c.uphTaller},
                                      {QStringLiteral("UPHFECHA"), c.uphFecha},
                                      {QStringLiteral("UPHRESULT"), c.uphResult},
                                      {QStringLiteral("VALCOD"), c.valCod},
                                      {QStringLiteral("VALNRO"), c.valNro},
                                      {QStringLiteral("VALGEST"), c.valGest},
                                      {QStringLiteral("NROCERTIF"), c.nroCertif}});
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
    m_cylinderRows->setRows(rows);
    Widgets::selectGridRow(DBGridCilindros, select >= 0 && select < rows.size() ? select : int(rows.size()) - 1);
    showSelectedCylinder();
}

void TAsignarTallerForm::showSelectedCylinder()
{
    const int row = Widgets::selectedGridRow(DBGridCilindros);
    auto text = [&](const char *field) {
        return row >= 0 && row < m_cylinderRows->rowCount() ? m_cylinderRows->text(row, QLatin1String(field))
                                                            : QString();
    };
    ValCodEdit->setText(text("VALCOD"));
    ValNroEdit->setText(text("VALNRO"));
    ValGestEdit->setText(text("VALGEST"));
    NroCertifEdit->setText(text("NROCERTIF"));
}

void TAsignarTallerForm::editCylinder(int row)
{
    const Nav::EditCylinder request{QStringLiteral("C"), m_plate->value(), row};
    if (navigator().request(request, this))
        refreshCylinders(row);
}

void TAsignarTallerForm::BitBtnAgregarCilindroClick()
{
    editCylinder(-1);
}

void TAsignarTallerForm::BitBtnModificarCilindroClick()
{
    const int row = Widgets::selectedGridRow(DBGridCilindros);
    editCylinder(m_cylinderRows->rowCount() == 0 ? -1 : std::max(row, 0));
}

void TAsignarTallerForm::BitBtnBorrarCilindroClick()
{
    const int row = Widgets::selectedGridRow(DBGridCilindros);
    if (row < 0 || row >= m_cylinderRows->rowCount())
        return;
    const TConfirmDlg::NoByDefault deletes; // Enter keeps the row
    if (!m_prompter.confirm(QStringLiteral("Esta seguro de borrar este registro?")))
        return;
    try {
        if (m_cylinders.moveTo(row))
            m_cylinders.remove();
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
    refreshCylinders(row);
}

void TAsignarTallerForm::assignRole(int role)
{
    const int row = Widgets::selectedGridRow(DBGridOperarios);
    if (row < 0 || row >= m_technicianRows->rowCount())
        return;
    m_technicians[role] = m_technicianRows->value(row, QStringLiteral("id")).toInt();
    RoleEdits[role]->setText(m_technicianRows->text(row, QStringLiteral("name")));
}

void TAsignarTallerForm::clearRole(int role)
{
    m_technicians[role] = 0;
    RoleEdits[role]->clear();
}

void TAsignarTallerForm::setRoleButtonsEnabled(bool assign, bool clear)
{
    for (int i = 0; i < Orders::kRoleCount; ++i) {
        AsignarButtons[i]->setEnabled(assign);
        QuitarButtons[i]->setEnabled(clear);
    }
}

void TAsignarTallerForm::LinkTecnicosClick()
{
    TOperariosForm form(this, m_prompter);
    Widgets::runModal(form);
    loadTechnicians();
}

// --- the order ------------------------------------------------------------------

Orders::ConversionOrder TAsignarTallerForm::order() const
{
    Orders::ConversionOrder o;
    o.taller = m_workshop;
    o.numero = OrdenNroEdit->text().toInt();
    o.fecha = m_date;
    o.dominio = m_plate->value();
    o.vin = VinEdit->text().trimmed();
    o.km = number(kmEdit);
    o.marca = DBLookupComboBox1->currentText();
    o.modelo = DBLookupComboBox2->currentText();
    o.anio = AnioSpinEdit->value();
    o.cilindro = CilindroEdit->text().trimmed();
    o.electronica = ElectronicaEdit->text().trimmed();
    o.flexxus = number(FlexxusEdit);
    o.dealer = m_dealer;
    o.owner = m_owner;
    o.owner.tipoDoc = TipoDocComboBox->currentText();
    o.technicians = m_technicians;
    for (int i = 0; i < 3; ++i)
        o.obs[i] = ObsEdits[i]->text().trimmed();
    o.regulator = {CodigoRegularEdit->text().trimmed(), MarcaReguladorEdit->text(),
                   NroSerieReguladorEdit->text().trimmed(), RNuevoComboBox->currentText()};
    // A list that cannot be read throws: an order must never go without its cylinders.
    o.cylinders = CylinderWorkTable::Read(m_cylinders);
    return o;
}

void TAsignarTallerForm::showOrder(const Orders::ConversionOrder &o, bool withOwnerExtras)
{
    m_workshop = o.taller;
    m_date = o.fecha;
    TallerEdit->setText(o.taller);
    FechaEdit->setText(o.fecha.toString(Widgets::DateFormat));
    OrdenNroEdit->setText(QString::number(o.numero));
    AnioSpinEdit->setValue(o.anio);
    m_plate->setMask(OperationMasks::DomainOnEntering(o.anio));
    m_plate->setValue(o.dominio);
    m_warnedPlate = o.dominio; // its own orders are no news
    m_dealer = o.dealer;
    {
        const QSignalBlocker block(DBLookupComboBox3);
        DBLookupComboBox3->setCurrentIndex(DBLookupComboBox3->findData(o.dealer)); // a deleted dealer shows empty
    }
    {
        const QSignalBlocker block(DBLookupComboBox1);
        Widgets::showListText(DBLookupComboBox1, o.marca);
    }
    reloadModels(o.modelo);
    VinEdit->setText(o.vin);
    kmEdit->setText(QString::number(o.km));
    CilindroEdit->setText(o.cilindro);
    ElectronicaEdit->setText(o.electronica);
    FlexxusEdit->setText(o.flexxus ? QString::number(o.flexxus) : QString());
    showOwner(o.owner, withOwnerExtras);
    m_technicians = o.technicians;
    // The roles' names from one reading of the technicians, off the window's
    // thread; a deleted technician shows empty.
    QVector<MasterFiles::Item> technicians;
    try {
        technicians = Widgets::ServerWait::run<QVector<MasterFiles::Item>>(
            this, QStringLiteral("Leyendo los operarios..."), Conn::PostVenta,
            [] { return MasterFiles::List(MasterFiles::Table::Technicians); });
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
    for (int i = 0; i < Orders::kRoleCount; ++i) {
        QString name;
        for (const MasterFiles::Item &t : technicians)
            if (t.id == o.technicians[i] && t.id != 0)
                name = t.name;
        RoleEdits[i]->setText(name);
    }
    for (int i = 0; i < 3; ++i)
        ObsEdits[i]->setText(o.obs[i]);
    CodigoRegularEdit->setText(o.regulator.codigo);
    MarcaReguladorEdit->setText(o.regulator.marca);
    NroSerieReguladorEdit->setText(o.regulator.nroSerie);
    RNuevoComboBox->setCurrentText(o.regulator.codigo.isEmpty() ? QStringLiteral("SI") : o.regulator.nuevo);
    try {
        m_cylinders.empty();
        for (const CylinderRow &c : o.cylinders)
            CylinderWorkTable::Append(m_cylinders, c);
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
    refreshCylinders(0);
}

QWidget *TAsignarTallerForm::controlOf(Orders::Required field) const
{
    switch (field) {
    case Orders::Required::Dominio:
        return DominioEdit;
    case Orders::Required::Marca:
        return DBLookupComboBox1;
    case Orders::Required::Modelo:
        return DBLookupComboBox2;
    case Orders::Required::Concesionario:
        return DBLookupComboBox3;
    case Orders::Required::Propietario:
        break;
    }
    return PropietarioIdEdit;
}

void TAsignarTallerForm::mark(QWidget *control, bool failed)
{
    Widgets::markFailed(control, failed);
}

bool TAsignarTallerForm::isMarked(QWidget *control) const
{
    return Widgets::isMarkedFailed(control);
}

Orders::PrintContext TAsignarTallerForm::printContext(bool reprint) const
{
    Orders::PrintContext ctx;
    ctx.reprint = reprint;
    ctx.pecName = Global.PecName;
    ctx.workshopCode = Global.WorkshopCode;
    ctx.dealerName = DBLookupComboBox3->currentText();
    // The installation's own letterhead picture, when it has put one in the
    // working directory.
    const QString letterhead = currentProfile().conversionOrderLetterhead;
    const QFileInfo picture(QDir::current(), letterhead);
    if (!letterhead.isEmpty() && picture.exists())
        ctx.letterhead = picture.absoluteFilePath();
    for (int i = 0; i < Orders::kRoleCount; ++i)
        ctx.technicianNames[i] = RoleEdits[i]->text();
    return ctx;
}

void TAsignarTallerForm::printOrder(const Orders::ConversionOrder &o, bool reprint)
{
    OrderPrint::Preview(o, printContext(reprint), this, m_prompter);
}

void TAsignarTallerForm::BitBtn1Click()
{
    Orders::ConversionOrder o;
    try {
        o = order();
    } catch (const DbError &e) {
        m_prompter.error(e.text());
        return;
    }
    const QList<Orders::Required> missing = Orders::MissingForNewOrder(o);
    for (Orders::Required f : {Orders::Required::Dominio, Orders::Required::Marca, Orders::Required::Modelo,
                               Orders::Required::Concesionario, Orders::Required::Propietario})
        mark(controlOf(f), missing.contains(f));
    if (!missing.isEmpty()) {
        m_prompter.warn(Orders::kMissingFields);
        return;
    }
    try {
        o.numero = m_save.run<int>(this, QStringLiteral("Guardando la orden de conversión..."), Conn::PostVenta,
                                   [o](WriteOnce::Ticket *t) mutable { return ConversionOrderStore::SaveNew(o, t); });
    } catch (const DbError &e) {
        m_prompter.error(Widgets::WindowWrites::failure(
            QStringLiteral("No se guardó la orden de conversión: puede intentarlo de nuevo."), e));
        return;
    }
    OrdenNroEdit->setText(QString::number(o.numero));
    printOrder(o, false);
    accept();
}
