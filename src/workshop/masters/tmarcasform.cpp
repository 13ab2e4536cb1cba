#include "workshop/masters/tmarcasform.h"

#include "core/prompter.h"
#include "data/dberror.h"
#include "data/masterfiles.h"
#include "widgets/formwindow.h"
#include "widgets/serverwait.h"
#include "widgets/waitcursor.h"
#include "workshop/common/gridrows.h"
#include "workshop/masters/textentrydialog.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

const QString kBrand = QStringLiteral("marca");
const QString kModel = QStringLiteral("modelo_m");

} // namespace

TMarcasForm::TMarcasForm(QWidget *parent, Prompter &prompter)
    : TMarcasForm(QStringLiteral("TMarcasForm"), parent, prompter)
{
}

TMarcasForm::TMarcasForm(const QString &objectName, QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(objectName);
    setWindowTitle(QStringLiteral("Marcas y Modelos de Vehículos"));
    setModal(true);
    resize(640, 480);

    m_brands = new Widgets::ResultGridModel({{QStringLiteral("Marca"), kBrand, 20}}, Widgets::GridPalette::Blue, this);
    m_models = new Widgets::ResultGridModel({{QStringLiteral("Modelo"), kModel, 20}}, Widgets::GridPalette::Blue, this);
    DBGridMarcas = new QTableView(this);
    DBGridMarcas->setObjectName(QStringLiteral("DBGridMarcas"));
    Widgets::setUpResultGrid(DBGridMarcas, m_brands);
    DBGridModelos = new QTableView(this);
    DBGridModelos->setObjectName(QStringLiteral("DBGridModelos"));
    Widgets::setUpResultGrid(DBGridModelos, m_models);
    for (QTableView *grid : {DBGridMarcas, DBGridModelos})
        grid->horizontalHeader()->setStretchLastSection(true);

    auto add = [this](const QString &text, const QString &name) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    BitBtnAgregarMarca = add(QStringLiteral("Agregar Marca"), QStringLiteral("BitBtnAgregarMarca"));
    BitBtnAgregarModelo = add(QStringLiteral("Agregar Modelo"), QStringLiteral("BitBtnAgregarModelo"));
    BitBtnBorrarModelo = add(QStringLiteral("Borrar Modelo"), QStringLiteral("BitBtnBorrarModelo"));
    BitBtnCerrar = add(QStringLiteral("Cerrar"), QStringLiteral("BitBtnCerrar"));

    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    m_grids = new QHBoxLayout;
    m_grids->addWidget(DBGridMarcas, 1);
    m_grids->addWidget(DBGridModelos, 1);
    layout->addLayout(m_grids, 1);
    m_buttons = new QHBoxLayout;
    m_buttons->addWidget(BitBtnAgregarMarca);
    m_buttons->addWidget(BitBtnAgregarModelo);
    m_buttons->addWidget(BitBtnBorrarModelo);
    m_buttons->addStretch(1);
    m_buttons->addWidget(BitBtnCerrar);
    layout->addLayout(m_buttons);

    connect(BitBtnAgregarMarca, &QPushButton::clicked, this, &TMarcasForm::BitBtnAgregarMarcaClick);
    connect(BitBtnAgregarModelo, &QPushButton::clicked, this, &TMarcasForm::BitBtnAgregarModeloClick);
    connect(BitBtnBorrarModelo, &QPushButton::clicked, this, &TMarcasForm::BitBtnBorrarModeloClick);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGridMarcas->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { reloadModels(); });
}

void TMarcasForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        reloadBrands();
    }
}

QString TMarcasForm::currentBrand() const
{
    const int row = Widgets::selectedGridRow(DBGridMarcas);
    return row >= 0 && row < m_brands->rowCount() ? m_brands->text(row, kBrand) : QString();
}

QString TMarcasForm::currentModel() const
{
    const int row = Widgets::selectedGridRow(DBGridModelos);
    return row >= 0 && row < m_models->rowCount() ? m_models->text(row, kModel) : QString();
}

void TMarcasForm::reloadBrands(const QString &select)
{
    try {
        Widgets::WaitCursor wait;
        m_brands->setRows(GridRows::texts(
            Widgets::ServerWait::run<QStringList>(this, QStringLiteral("Leyendo las marcas..."), Conn::PostVenta,
                                                  [] { return MasterFiles::Brands(); }),
            kBrand));
    } catch (const DbError &e) {
        m_prompter.error(e.text());
        return;
    }
    int row = 0;
    for (int r = 0; r < m_brands->rowCount(); ++r)
        if (m_brands->text(r, kBrand) == select)
            row = r;
    Widgets::selectGridRow(DBGridMarcas, row);
    reloadModels();
}

void TMarcasForm::reloadModels(const QString &select)
{
    const QString brand = currentBrand();
    QStringList models;
    try {
        Widgets::WaitCursor wait;
        if (!brand.isEmpty())
            models =
                Widgets::ServerWait::run<QStringList>(this, QStringLiteral("Leyendo los modelos..."), Conn::PostVenta,
                                                      [brand] { return MasterFiles::Models(brand); });
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
    m_models->setRows(GridRows::texts(models, kModel));
    const int row = int(models.indexOf(select));
    Widgets::selectGridRow(DBGridModelos, row < 0 ? 0 : row);
    modelsShown(models);
}

void TMarcasForm::modelsShown(const QStringList &) {}

void TMarcasForm::BitBtnAgregarMarcaClick()
{
    const std::optional<QString> brand = TextEntryDialog::ask(
        {QStringLiteral("TMarcaEditForm"), windowTitle(), QStringLiteral("Marca a Ingresar"), 20, true, {}}, QString(),
        this, m_prompter);
    if (!brand)
        return;
    try {
        const bool added =
            m_writes.run<bool>(this, QStringLiteral("Guardando..."), Conn::PostVenta,
                               [b = *brand](WriteOnce::Ticket *t) { return MasterFiles::AddBrand(b, t); });
        if (!added)
            m_prompter.info(QStringLiteral("La marca %1 ya está cargada.").arg(*brand));
    } catch (const DbError &e) {
        m_prompter.error(
            Widgets::WindowWrites::failure(QStringLiteral("No se guardó el cambio: puede intentarlo de nuevo."), e));
    }
    reloadBrands(*brand);
}

void TMarcasForm::BitBtnAgregarModeloClick()
{
    const QString brand = currentBrand();
    if (brand.isEmpty())
        return;
    const std::optional<QString> model = TextEntryDialog::ask(
        {QStringLiteral("TModeloEditForm"), windowTitle(), QStringLiteral("Modelo a Ingresar"), 20, true, {}},
        QString(), this, m_prompter);
    if (!model)
        return;
    try {
        const bool added = m_writes.run<bool>(
            this, QStringLiteral("Guardando..."), Conn::PostVenta,
            [brand, m = *model](WriteOnce::Ticket *t) { return MasterFiles::AddModel(brand, m, t); });
        if (!added)
            m_prompter.info(QStringLiteral("El modelo %1 ya está cargado para %2.").arg(*model, brand));
    } catch (const DbError &e) {
        m_prompter.error(
            Widgets::WindowWrites::failure(QStringLiteral("No se guardó el cambio: puede intentarlo de nuevo."), e));
    }
    reloadModels(*model);
}

void TMarcasForm::BitBtnBorrarModeloClick()
{
    const QString brand = currentBrand();
    if (brand.isEmpty() || m_models->rowCount() == 0)
        return;
    const QString model = currentModel();
    if (!m_prompter.question(QStringLiteral("Esta seguro de eliminar este modelo?")))
        return;
    try {
        m_writes.run(this, QStringLiteral("Borrando..."), Conn::PostVenta,
                     [brand, model](WriteOnce::Ticket *t) { MasterFiles::RemoveModel(brand, model, t); });
    } catch (const DbError &e) {
        m_prompter.error(
            Widgets::WindowWrites::failure(QStringLiteral("No se guardó el cambio: puede intentarlo de nuevo."), e));
    }
    reloadModels();
}
