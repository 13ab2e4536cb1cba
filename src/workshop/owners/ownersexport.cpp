#include "workshop/owners/ownersexport.h"

#include "core/prompter.h"

namespace OwnersExport
{

void Preview(const QVector<Owners::Owner> &, QWidget *, Prompter &prompter)
{
    // The layout comes with the report engine.
    prompter.info(QStringLiteral("En construcción."));
}

} // namespace OwnersExport
