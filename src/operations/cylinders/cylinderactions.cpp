#include "operations/cylinders/cylinderactions.h"

#include "core/lookuprules.h"
#include "core/prompter.h"
#include "data/localstore.h"
#include "operations/cylinders/tdatoscilindroform.h"
#include "operations/cylinders/tremplazovalvulaform.h"
#include "widgets/modalrun.h"
#include "widgets/tconfirmdlg.h"

namespace Cylinders
{

namespace
{

bool runCylinderDialog(LocalTable &table, const EntryContext &c)
{
    TDatosCilindroForm dlg(table, c.kind, c.domain, c.parent, c.prompter);
    return Widgets::runModal(dlg) == QDialog::Accepted;
}

} // namespace

bool AddCylinder(LocalTable &table, const EntryContext &c)
{
    try {
        table.append();
        for (const Preset &p : NewRowPresets(c.kind))
            table.setText(p.field, p.value);
        return runCylinderDialog(table, c);
    } catch (const DbError &e) {
        table.cancel();
        c.prompter.error(e.text());
        return false;
    }
}

bool ModifyCylinder(LocalTable &table, int row, const EntryContext &c)
{
    try {
        if (table.count() == 0) {
            table.append();
        } else {
            if (!table.moveTo(row)) {
                c.prompter.error(QStringLiteral("Seleccione el cilindro a modificar."));
                return false;
            }
            table.edit();
        }
        return runCylinderDialog(table, c);
    } catch (const DbError &e) {
        table.cancel();
        c.prompter.error(e.text());
        return false;
    }
}

bool DeleteCylinder(LocalTable &table, int row, const EntryContext &c)
{
    try {
        if (table.count() == 0) {
            c.prompter.error(QStringLiteral("No hay cilindros cargados para borrar."));
            return false;
        }
        if (!table.moveTo(row)) {
            c.prompter.error(QStringLiteral("Seleccione el cilindro a borrar."));
            return false;
        }
        const TConfirmDlg::NoByDefault deletes; // Enter keeps the row
        if (!c.prompter.confirm(QStringLiteral("Esta seguro de borrar este registro?")))
            return false;
        table.remove();
        return true;
    } catch (const DbError &e) {
        c.prompter.error(e.text());
        return false;
    }
}

bool ReplaceValve(LocalTable &table, int row, const EntryContext &c)
{
    try {
        if (table.count() == 0) {
            c.prompter.error(QStringLiteral("No hay cilindros cargados."));
            return false;
        }
        if (!table.moveTo(row)) {
            c.prompter.error(QStringLiteral("Seleccione el cilindro cuya válvula se reemplaza."));
            return false;
        }
        table.edit();
        table.setText(QStringLiteral("VALGEST"), QStringLiteral("DESMONTAJE"));
        table.setText(QStringLiteral("RVALGEST"), QStringLiteral("MONTAJE"));
        TRemplazoValvulaForm dlg(table, c.parent, c.prompter);
        return Widgets::runModal(dlg) == QDialog::Accepted;
    } catch (const DbError &e) {
        table.cancel();
        c.prompter.error(e.text());
        return false;
    }
}

} // namespace Cylinders
