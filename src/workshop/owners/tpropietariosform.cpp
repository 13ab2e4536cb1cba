#include "workshop/owners/tpropietariosform.h"

#include "core/prompter.h"
#include "data/ownerstore.h"
#include "widgets/fieldrules.h"
#include "widgets/modalrun.h"
#include "workshop/common/gridrows.h"
#include "workshop/owners/ownersexport.h"
#include "workshop/owners/tpropietarioseditform.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{

Widgets::SearchDialog::Setup setup()
{
    Widgets::SearchDialog::Setup s;
    s.objectName = QStringLiteral("TPropietariosForm");
    s.caption = QStringLiteral("Propietarios");
    s.prompt = QStringLiteral("Filtrar por ");
    s.searchButton = QStringLiteral("Buscar");
    s.searchButtonName = QStringLiteral("BitBtnBuscar");
    s.columns = {{QStringLiteral("ID"), QStringLiteral("propietario_id"), 7, true},
                 {QStringLiteral("Propietario"), QStringLiteral("propietario"), 50},
                 {QStringLiteral("TipoDoc"), QStringLiteral("tipoDoc"), 4},
                 {QStringLiteral("NroDocumento"), QStringLiteral("nroDoc"), 13},
                 {QStringLiteral("Caracteristica"), QStringLiteral("celular_carac"), 5},
                 {QStringLiteral("Celular"), QStringLiteral("celular"), 10}};
    s.palette = Widgets::GridPalette::Green;
    s.size = {860, 480};
    return s;
}

} // namespace

TPropietariosForm::TPropietariosForm(QWidget *parent, Prompter &prompter)
    : Widgets::SearchDialog(setup(), parent, prompter)
{
    ComboBoxFiltro = new QComboBox(this);
    ComboBoxFiltro->setObjectName(QStringLiteral("ComboBoxFiltro"));
    ComboBoxFiltro->addItems({QStringLiteral("NOMBRE"), QStringLiteral("DNI")});
    // Between the prompt and the entry of the search row.
    if (auto *row = qobject_cast<QHBoxLayout *>(layout()->itemAt(0)->layout()))
        row->insertWidget(1, ComboBoxFiltro);
    // Typing a new search starts from an empty list.
    Widgets::FieldRules::of(this)->onEnter(Edit1, [this] { showOwners({}); });

    BitBtnBuscar = searchButton();
    BitBtnLimpiar = addButton(QStringLiteral("Limpiar Filtro"), QStringLiteral("BitBtnLimpiar"));
    BitBtnAgregar = addButton(QStringLiteral("Agregar"), QStringLiteral("BitBtnAgregar"));
    BitBtnEditar = addButton(QStringLiteral("Editar"), QStringLiteral("BitBtnEditar"));
    BitBtnVer = addButton(QStringLiteral("Ver"), QStringLiteral("BitBtnVer"));
    BitBtnExcel = addButton(QStringLiteral("Excel"), QStringLiteral("BitBtnExcel"));
    BitBtnCerrar = addButton(QStringLiteral("Cerrar"), QStringLiteral("BitBtnCerrar"));
    connect(BitBtnBuscar, &QPushButton::clicked, this, &TPropietariosForm::BitBtnBuscarClick);
    connect(BitBtnLimpiar, &QPushButton::clicked, this, &TPropietariosForm::BitBtnLimpiarClick);
    connect(BitBtnAgregar, &QPushButton::clicked, this, &TPropietariosForm::BitBtnAgregarClick);
    connect(BitBtnEditar, &QPushButton::clicked, this, &TPropietariosForm::BitBtnEditarClick);
    connect(BitBtnVer, &QPushButton::clicked, this, &TPropietariosForm::BitBtnVerClick);
    acceptOnDoubleClick(BitBtnVer);
    connect(BitBtnExcel, &QPushButton::clicked, this, &TPropietariosForm::BitBtnExcelClick);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
}

QVector<QSqlRecord> TPropietariosForm::records(const QVector<Owners::Owner> &owners)
{
    QVector<QSqlRecord> rows;
    rows.reserve(owners.size());
    for (const Owners::Owner &o : owners)
        rows << GridRows::record({{QStringLiteral("propietario_id"), o.id},
                                  {QStringLiteral("propietario"), o.fullName()},
                                  {QStringLiteral("tipoDoc"), o.tipoDoc},
                                  {QStringLiteral("nroDoc"), o.nroDoc},
                                  {QStringLiteral("celular_carac"), o.caracteristica},
                                  {QStringLiteral("celular"), o.celular}});
    return rows;
}

void TPropietariosForm::showOwners(const QVector<Owners::Owner> &owners)
{
    m_owners = owners;
    showRows(records(owners));
}

std::optional<Owners::Owner> TPropietariosForm::current() const
{
    const int row = selectedRow();
    if (row < 0 || row >= m_owners.size())
        return std::nullopt;
    return m_owners.at(row);
}

void TPropietariosForm::BitBtnBuscarClick()
{
    search(0);
}

void TPropietariosForm::search(int reselectId)
{
    const OwnerStore::By by = ComboBoxFiltro->currentIndex() == 1 ? OwnerStore::By::Document : OwnerStore::By::Name;
    const QString text = Edit1->text();
    m_owners.clear();
    // Each search its own holder: a cancelled one still finishing writes
    // only its own.
    auto found = std::make_shared<QVector<Owners::Owner>>();
    runSearchInBackground(
        Conn::PostVenta,
        [by, text, found] {
            *found = OwnerStore::Search(by, text);
            return records(*found);
        },
        [this, found, reselectId](int rows) {
            if (rows <= 0)
                return;
            m_owners = *found;
            for (int r = 0; reselectId != 0 && r < m_owners.size(); ++r)
                if (m_owners.at(r).id == reselectId) {
                    selectRow(r);
                    break;
                }
        });
}

void TPropietariosForm::BitBtnLimpiarClick()
{
    Edit1->clear();
}

int TPropietariosForm::openDialog(int mode, const std::optional<Owners::Owner> &owner, Owners::Owner *result)
{
    TPropietariosEditForm dlg(TPropietariosEditForm::Mode(mode), this, prompter());
    if (owner)
        dlg.setOwner(*owner);
    dlg.move(pos() + QPoint(50, 70));
    const int r = Widgets::runModal(dlg);
    if (result) {
        *result = dlg.owner();
        result->id = dlg.ownerId();
    }
    return r;
}

void TPropietariosForm::BitBtnAgregarClick()
{
    Owners::Owner added;
    if (openDialog(int(TPropietariosEditForm::Mode::Add), std::nullopt, &added) != QDialog::Accepted)
        return;
    // The new owner is one search away: its surname waits in the entry.
    Edit1->setText(added.apellido);
}

void TPropietariosForm::BitBtnEditarClick()
{
    const std::optional<Owners::Owner> owner = current();
    if (!owner)
        return;
    if (openDialog(int(TPropietariosEditForm::Mode::Edit), owner, nullptr) != QDialog::Accepted)
        return;
    // Read again, on the owner just edited.
    search(owner->id);
}

void TPropietariosForm::BitBtnVerClick()
{
    if (const std::optional<Owners::Owner> owner = current())
        openDialog(int(TPropietariosEditForm::Mode::View), owner, nullptr);
}

void TPropietariosForm::BitBtnExcelClick()
{
    OwnersExport::Preview(m_owners, this, prompter());
}

std::optional<Owners::Owner> TPropietariosForm::pick(QWidget *parent, Prompter &prompter)
{
    TPropietariosForm form(parent, prompter);
    Widgets::runModal(form);
    return form.current();
}
