#include "workshop/masters/tclientesform.h"

#include "core/prompter.h"
#include "data/dberror.h"
#include "data/masterfiles.h"
#include "widgets/uppercasevalidator.h"
#include "workshop/common/gridrows.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

Widgets::SearchDialog::Setup setup()
{
    Widgets::SearchDialog::Setup s;
    s.objectName = QStringLiteral("TClientesForm");
    s.caption = QStringLiteral("Concesionarias");
    s.columns = {{QStringLiteral("Nombre / Razón Social"), QStringLiteral("name"), 45}};
    s.palette = Widgets::GridPalette::Green;
    s.size = {520, 460};
    return s;
}

using MasterFiles::Table;

QString duplicateText(const QString &name)
{
    return QStringLiteral("El concesionario %1 ya está cargado.").arg(name);
}

} // namespace

TClientesForm::TClientesForm(QWidget *parent, Prompter &prompter) : Widgets::SearchDialog(setup(), parent, prompter)
{
    EditCliente = new QLineEdit(this);
    EditCliente->setObjectName(QStringLiteral("EditCliente"));
    EditCliente->setMaxLength(45);
    EditCliente->setValidator(new Widgets::UpperCaseValidator(EditCliente));
    auto *layout = qobject_cast<QVBoxLayout *>(this->layout());
    layout->insertWidget(layout->count() - 1, EditCliente);

    BitBtnAgregar = addButton(QStringLiteral("Agregar"), QStringLiteral("BitBtnAgregar"));
    BitBtnEditar = addButton(QStringLiteral("Editar"), QStringLiteral("BitBtnEditar"));
    BitBtnBorrar = addButton(QStringLiteral("Borrar"), QStringLiteral("BitBtnBorrar"));
    BitBtnCerrar = addButton(QStringLiteral("Cerrar"), QStringLiteral("BitBtnCerrar"));
    connect(BitBtnAgregar, &QPushButton::clicked, this, &TClientesForm::BitBtnAgregarClick);
    connect(BitBtnEditar, &QPushButton::clicked, this, &TClientesForm::BitBtnEditarClick);
    connect(BitBtnBorrar, &QPushButton::clicked, this, &TClientesForm::BitBtnBorrarClick);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
    connect(EditCliente, &QLineEdit::textChanged, this, &TClientesForm::updateButtons);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);
    connect(gridModel(), &QAbstractItemModel::modelReset, this, &TClientesForm::updateButtons);
    updateButtons();
}

void TClientesForm::showEvent(QShowEvent *event)
{
    Widgets::SearchDialog::showEvent(event);
    if (!m_loaded)
        reload();
}

void TClientesForm::reload(int id)
{
    m_loaded = true;
    const int found = runSearch(Conn::PostVenta, [] { return GridRows::items(MasterFiles::List(Table::Dealers)); });
    for (int r = 0; id != 0 && r < found; ++r)
        if (gridModel()->value(r, QStringLiteral("id")).toInt() == id)
            selectRow(r);
    EditCliente->setFocus();
}

int TClientesForm::currentId() const
{
    return hasSelection() ? selectedValue(QStringLiteral("id")).toInt() : 0;
}

void TClientesForm::updateButtons()
{
    const bool typed = !EditCliente->text().trimmed().isEmpty();
    BitBtnAgregar->setEnabled(typed);
    BitBtnEditar->setEnabled(typed && gridModel()->rowCount() > 0);
    BitBtnBorrar->setEnabled(gridModel()->rowCount() > 0);
}

void TClientesForm::BitBtnAgregarClick()
{
    int id = 0;
    const QString name = EditCliente->text().trimmed();
    try {
        id = m_writes.run<int>(this, QStringLiteral("Guardando..."), Conn::PostVenta,
                               [name](WriteOnce::Ticket *t) { return MasterFiles::Add(Table::Dealers, name, t); });
    } catch (const DbError &e) {
        prompter().error(
            Widgets::WindowWrites::failure(QStringLiteral("No se guardó el cambio: puede intentarlo de nuevo."), e));
        return;
    }
    if (id == 0) {
        prompter().warn(duplicateText(name));
        return; // the entry stays, to be corrected
    }
    EditCliente->clear();
    reload(id);
}

void TClientesForm::BitBtnEditarClick()
{
    const int id = currentId();
    if (id == 0)
        return;
    const QString name = EditCliente->text().trimmed();
    try {
        const bool renamed =
            m_writes.run<bool>(this, QStringLiteral("Guardando..."), Conn::PostVenta, [id, name](WriteOnce::Ticket *t) {
                return MasterFiles::Rename(Table::Dealers, id, name, t);
            });
        if (!renamed) {
            prompter().warn(duplicateText(name));
            return;
        }
    } catch (const DbError &e) {
        prompter().error(
            Widgets::WindowWrites::failure(QStringLiteral("No se guardó el cambio: puede intentarlo de nuevo."), e));
        return;
    }
    EditCliente->clear();
    reload(id);
}

void TClientesForm::BitBtnBorrarClick()
{
    const int id = currentId();
    if (id == 0 || !prompter().question(QStringLiteral("Esta seguro de borrar este concesionario?")))
        return;
    try {
        m_writes.run(this, QStringLiteral("Borrando..."), Conn::PostVenta,
                     [id](WriteOnce::Ticket *t) { MasterFiles::Remove(Table::Dealers, id, t); });
    } catch (const DbError &e) {
        prompter().error(
            Widgets::WindowWrites::failure(QStringLiteral("No se guardó el cambio: puede intentarlo de nuevo."), e));
    }
    reload();
}
