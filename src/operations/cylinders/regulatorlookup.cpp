#include "operations/cylinders/regulatorlookup.h"

#include "core/lookuprules.h"
#include "core/prompter.h"
#include "data/fieldlookups.h"
#include "operations/lookups/tbuscarreguladorform.h"
#include "widgets/modalrun.h"
#include "widgets/serverwait.h"

#include <QComboBox>
#include <QLineEdit>
#include <QSignalBlocker>

namespace Cylinders
{

namespace
{

bool choose(const RegulatorLineWidgets &line, QWidget *parent, Prompter &prompter, bool preSearch)
{
    TBuscarReguladorForm dlg(parent, prompter);
    if (preSearch)
        dlg.preSearch(line.code->text().trimmed());
    if (Widgets::runModal(dlg) == QDialog::Accepted && dlg.hasSelection()) {
        line.code->setText(dlg.selectedText(QStringLiteral("codigo")));
        line.brand->setText(dlg.selectedText(QStringLiteral("Marca")));
        line.serial->setFocus();
        return true;
    }
    line.code->setFocus();
    return false;
}

} // namespace

bool LookUpRegulator(const RegulatorLineWidgets &line, QWidget *parent, Prompter &prompter)
{
    const QString code = line.code->text().trimmed();
    try {
        if (code.isEmpty())
            return choose(line, parent, prompter, false);
        if (const std::optional<QString> brand = Widgets::ServerWait::lookUp<std::optional<QString>>(
                parent, [code] { return FieldLookups::RegulatorBrand(code); })) {
            line.brand->setText(*brand);
            line.serial->setFocus();
            return true;
        }
        prompter.error(QStringLiteral("Código de Regulador no encontrado."));
        return choose(line, parent, prompter, true);
    } catch (const DbError &e) {
        prompter.error(e.text());
        line.code->setFocus();
        return false;
    }
}

void RegulatorGestionChanged(QComboBox *gestion, const QString &kind, bool forbidsMountInModification,
                             const SecondRegulatorLine &second, Prompter &prompter)
{
    const RegulatorGestionOutcome out =
        Cylinders::RegulatorGestionChanged(kind, gestion->currentText(), forbidsMountInModification);
    if (out.showSecondLine) {
        if (second.gestion)
            second.gestion->setCurrentIndex(second.gestion->findText(QStringLiteral("MONTAJE")));
        if (second.nuevo)
            second.nuevo->setCurrentIndex(second.nuevo->findText(QStringLiteral("SI")));
        for (QWidget *w : second.widgets)
            w->setVisible(true);
        if (second.code)
            second.code->setFocus();
    } else if (out.refused) {
        prompter.error(out.message);
        const QSignalBlocker block(gestion);
        gestion->setCurrentIndex(gestion->findText(out.resetTo));
    }
}

} // namespace Cylinders
