#include "workshop/masters/ttrabajosform.h"

namespace
{

SimpleMasterForm::Setup setup(const QString &objectName, const QString &caption)
{
    SimpleMasterForm::Setup s;
    s.list.objectName = objectName;
    s.list.caption = caption;
    s.list.columns = {{QStringLiteral("Descripción del Trabajo a Realizar"), QStringLiteral("name"), 80}};
    s.list.palette = Widgets::GridPalette::Blue;
    s.list.size = {600, 460};
    s.table = MasterFiles::Table::Jobs;
    s.confirmDelete = QStringLiteral("Esta seguro de borrar este registro?");
    s.duplicate = QStringLiteral("El trabajo %1 ya está cargado.");
    s.dialog = {QStringLiteral("TTrabajosEditForm"),
                QStringLiteral("Trabajos"),
                QStringLiteral("Descripción del Trabajo Realizado"),
                80,
                true,
                {}};
    s.filter = SimpleMasterForm::Filter::Separate;
    return s;
}

} // namespace

TTrabajosForm::TTrabajosForm(QWidget *parent, Prompter &prompter)
    : TTrabajosForm(QStringLiteral("TTrabajosForm"), QStringLiteral("Descripción de Trabajos a Realizar"), parent,
                    prompter)
{
}

TTrabajosForm::TTrabajosForm(const QString &objectName, const QString &caption, QWidget *parent, Prompter &prompter)
    : SimpleMasterForm(setup(objectName, caption), parent, prompter)
{
}
