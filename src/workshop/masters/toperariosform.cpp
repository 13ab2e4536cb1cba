#include "workshop/masters/toperariosform.h"

namespace
{

SimpleMasterForm::Setup setup()
{
    SimpleMasterForm::Setup s;
    s.list.objectName = QStringLiteral("TOperariosForm");
    s.list.caption = QStringLiteral("Técnicos");
    s.list.columns = {{QStringLiteral("ID"), QStringLiteral("id"), 6, true},
                      {QStringLiteral("TECNICO"), QStringLiteral("name"), 50}};
    s.list.palette = Widgets::GridPalette::Green;
    s.list.size = {520, 420};
    s.table = MasterFiles::Table::Technicians;
    s.confirmDelete = QStringLiteral("Esta seguro de borrar este técnico?");
    s.duplicate = QStringLiteral("El técnico %1 ya está cargado.");
    s.dialog = {
        QStringLiteral("TOperariosEditForm"), QStringLiteral("Técnicos"), QStringLiteral("Técnico"), 50, true, {}};
    return s;
}

} // namespace

TOperariosForm::TOperariosForm(QWidget *parent, Prompter &prompter) : SimpleMasterForm(setup(), parent, prompter) {}
