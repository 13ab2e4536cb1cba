#include "workshop/masters/simplemasterform.h"

#include "core/prompter.h"
#include "data/dberror.h"
#include "workshop/common/gridrows.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>

namespace
{

const QString kFiltrar = QStringLiteral("Filtrar");
const QString kCancelarFiltro = QStringLiteral("Cancelar Filtro");

Widgets::SearchDialog::Setup listSetup(const SimpleMasterForm::Setup &s)
{
    Widgets::SearchDialog::Setup list = s.list;
    if (s.filter != SimpleMasterForm::Filter::None) {
        list.prompt = QStringLiteral("Filtro");
        list.searchButton = kFiltrar;
        list.searchButtonName = QStringLiteral("BitBtnFiltrar");
    }
    return list;
}

} // namespace

SimpleMasterForm::SimpleMasterForm(const Setup &setup, QWidget *parent, Prompter &prompter)
    : Widgets::SearchDialog(listSetup(setup), parent, prompter), m_setup(setup)
{
    BitBtnFiltrar = searchButton();
    if (setup.filter == Filter::Separate) {
        BitBtnCancelarFiltro = new QPushButton(kCancelarFiltro, this);
        BitBtnCancelarFiltro->setObjectName(QStringLiteral("BitBtnCancelarFiltro"));
        BitBtnCancelarFiltro->setAutoDefault(false);
        addToButtonRow(BitBtnCancelarFiltro);
        connect(BitBtnCancelarFiltro, &QPushButton::clicked, this, &SimpleMasterForm::BitBtnCancelarFiltroClick);
    }
    if (BitBtnFiltrar)
        connect(BitBtnFiltrar, &QPushButton::clicked, this, &SimpleMasterForm::BitBtnFiltrarClick);

    BitBtnAgregar = addButton(QStringLiteral("Agregar"), QStringLiteral("BitBtnAgregar"));
    BitBtnEditar = addButton(QStringLiteral("Editar"), QStringLiteral("BitBtnEditar"));
    BitBtnBorrar = addButton(QStringLiteral("Borrar"), QStringLiteral("BitBtnBorrar"));
    BitBtnCerrar = addButton(QStringLiteral("Cerrar"), QStringLiteral("BitBtnCerrar"));
    connect(BitBtnAgregar, &QPushButton::clicked, this, &SimpleMasterForm::BitBtnAgregarClick);
    connect(BitBtnEditar, &QPushButton::clicked, this, &SimpleMasterForm::BitBtnEditarClick);
    connect(BitBtnBorrar, &QPushButton::clicked, this, &SimpleMasterForm::BitBtnBorrarClick);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    connect(gridModel(), &QAbstractItemModel::modelReset, this, &SimpleMasterForm::updateButtons);
    updateButtons();
}

void SimpleMasterForm::showEvent(QShowEvent *event)
{
    Widgets::SearchDialog::showEvent(event);
    if (!m_loaded) {
        m_loaded = true;
        reload();
    }
}

std::optional<MasterFiles::Item> SimpleMasterForm::current() const
{
    const int row = selectedRow();
    if (row < 0)
        return std::nullopt;
    return MasterFiles::Item{gridModel()->value(row, QStringLiteral("id")).toInt(),
                             gridModel()->text(row, QStringLiteral("name"))};
}

void SimpleMasterForm::reload(int id)
{
    m_loaded = true;
    const int found = runSearch(Conn::PostVenta, [table = m_setup.table, filter = m_filter, picking = m_picking] {
        return GridRows::items(picking && filter.isEmpty() ? MasterFiles::PickList(table)
                                                           : MasterFiles::List(table, filter));
    });
    for (int r = 0; id != 0 && r < found; ++r) {
        if (gridModel()->value(r, QStringLiteral("id")).toInt() == id) {
            selectRow(r);
            break;
        }
    }
    updateButtons();
}

void SimpleMasterForm::updateButtons()
{
    const bool rows = gridModel()->rowCount() > 0;
    BitBtnEditar->setEnabled(rows);
    BitBtnBorrar->setEnabled(rows);
}

void SimpleMasterForm::BitBtnAgregarClick()
{
    const std::optional<QString> name = TextEntryDialog::ask(m_setup.dialog, QString(), this, prompter());
    if (!name)
        return;
    int id = 0;
    try {
        id = m_writes.run<int>(
            this, QStringLiteral("Guardando..."), Conn::PostVenta,
            [table = m_setup.table, text = *name](WriteOnce::Ticket *t) { return MasterFiles::Add(table, text, t); });
        if (id == 0)
            prompter().warn(m_setup.duplicate.arg(name->trimmed()));
    } catch (const DbError &e) {
        prompter().error(
            Widgets::WindowWrites::failure(QStringLiteral("No se guardó el cambio: puede intentarlo de nuevo."), e));
    }
    reload(id);
}

void SimpleMasterForm::BitBtnEditarClick()
{
    const std::optional<MasterFiles::Item> item = current();
    if (!item)
        return;
    const std::optional<QString> name = TextEntryDialog::ask(m_setup.dialog, item->name, this, prompter());
    if (!name)
        return;
    try {
        const bool renamed =
            m_writes.run<bool>(this, QStringLiteral("Guardando..."), Conn::PostVenta,
                               [table = m_setup.table, id = item->id, text = *name](WriteOnce::Ticket *t) {
                                   return MasterFiles::Rename(table, id, text, t);
                               });
        if (!renamed)
            prompter().warn(m_setup.duplicate.arg(name->trimmed()));
    } catch (const DbError &e) {
        prompter().error(
            Widgets::WindowWrites::failure(QStringLiteral("No se guardó el cambio: puede intentarlo de nuevo."), e));
    }
    reload(item->id);
}

void SimpleMasterForm::BitBtnBorrarClick()
{
    const std::optional<MasterFiles::Item> item = current();
    if (!item || !prompter().question(m_setup.confirmDelete))
        return;
    try {
        m_writes.run(
            this, QStringLiteral("Borrando..."), Conn::PostVenta,
            [table = m_setup.table, id = item->id](WriteOnce::Ticket *t) { MasterFiles::Remove(table, id, t); });
    } catch (const DbError &e) {
        prompter().error(
            Widgets::WindowWrites::failure(QStringLiteral("No se guardó el cambio: puede intentarlo de nuevo."), e));
    }
    reload();
}

void SimpleMasterForm::BitBtnFiltrarClick()
{
    if (m_setup.filter == Filter::Toggle && BitBtnFiltrar->text() == kCancelarFiltro) {
        BitBtnCancelarFiltroClick();
        return;
    }
    m_filter = Edit1->text().trimmed();
    reload();
    if (m_setup.filter == Filter::Toggle)
        BitBtnFiltrar->setText(kCancelarFiltro);
}

void SimpleMasterForm::BitBtnCancelarFiltroClick()
{
    m_filter.clear();
    Edit1->clear();
    if (m_setup.filter == Filter::Toggle)
        BitBtnFiltrar->setText(kFiltrar);
    reload();
}
