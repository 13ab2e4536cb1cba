#include "operations/cylinders/cylinderactions.h"

#include "app/messages.h"
#include "app/tconfirmdlg.h"
#include "core/lookuprules.h"
#include "data/localstore.h"
#include "operations/cylinders/tdatoscilindroform.h"
#include "operations/cylinders/tremplazovalvulaform.h"
#include "operations/lookups/modalrun.h"

#include <QStandardItemModel>
#include <iterator>
#include <memory>

namespace Cylinders
{

namespace
{

// The context's prompter, or message boxes owned by the caller's frame.
struct PrompterRef {
    explicit PrompterRef(const EntryContext &c)
    {
        if (!c.prompter)
            own = std::make_unique<GuiPrompter>(c.parent);
        p = c.prompter ? c.prompter : own.get();
    }
    Prompter &get() { return *p; }
    std::unique_ptr<Prompter> own;
    Prompter *p;
};

bool runCylinderDialog(LocalTable &table, const EntryContext &c)
{
    TDatosCilindroForm dlg(table, c.kind, c.domain, c.parent, c.prompter);
    return Lookups::runModal(dlg) == QDialog::Accepted;
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
        PrompterRef(c).get().error(e.text());
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
                PrompterRef(c).get().error(QStringLiteral("Seleccione el cilindro a modificar."));
                return false;
            }
            table.edit();
        }
        return runCylinderDialog(table, c);
    } catch (const DbError &e) {
        table.cancel();
        PrompterRef(c).get().error(e.text());
        return false;
    }
}

bool DeleteCylinder(LocalTable &table, int row, const EntryContext &c)
{
    try {
        if (table.count() == 0) {
            PrompterRef(c).get().error(QStringLiteral("No hay cilindros cargados para borrar."));
            return false;
        }
        if (!table.moveTo(row)) {
            PrompterRef(c).get().error(QStringLiteral("Seleccione el cilindro a borrar."));
            return false;
        }
        if (!TConfirmDlg::ask(QStringLiteral("Confirmación"), QStringLiteral("Esta seguro de borrar este registro?")))
            return false;
        table.remove();
        return true;
    } catch (const DbError &e) {
        PrompterRef(c).get().error(e.text());
        return false;
    }
}

bool ReplaceValve(LocalTable &table, int row, const EntryContext &c)
{
    try {
        if (table.count() == 0) {
            PrompterRef(c).get().error(QStringLiteral("No hay cilindros cargados."));
            return false;
        }
        if (!table.moveTo(row)) {
            PrompterRef(c).get().error(QStringLiteral("Seleccione el cilindro cuya válvula se reemplaza."));
            return false;
        }
        table.edit();
        table.setText(QStringLiteral("VALGEST"), QStringLiteral("DESMONTAJE"));
        table.setText(QStringLiteral("RVALGEST"), QStringLiteral("MONTAJE"));
        TRemplazoValvulaForm dlg(table, c.parent, c.prompter);
        return Lookups::runModal(dlg) == QDialog::Accepted;
    } catch (const DbError &e) {
        table.cancel();
        PrompterRef(c).get().error(e.text());
        return false;
    }
}

void FillCylinderGrid(const LocalTable &table, QStandardItemModel *model)
{
    static const char *const columns[] = {"CODIGO",   "NROSERIE",  "CNUEVO",   "GESTION",  "CAPACIDAD",
                                          "FABRICAC", "UPHTALLER", "UPHFECHA", "UPHRESULT"};
    const int rows = table.count();
    model->setRowCount(rows);
    for (int c = 0; c < int(std::size(columns)); ++c) {
        const int field = table.fieldIndex(QLatin1String(columns[c]));
        for (int r = 0; r < rows; ++r) {
            auto *item = new QStandardItem(table.textAt(r, field));
            item->setEditable(false);
            model->setItem(r, c, item);
        }
    }
}

} // namespace Cylinders
