#include "workshop/owners/ownersexport.h"

#include "core/prompter.h"
#include "documents/workshopdocuments.h"

#include <stdexcept>

namespace OwnersExport
{

void Preview(const QVector<Owners::Owner> &owners, QWidget *parent, Prompter &prompter)
{
    try {
        Report::ReportForm form = Documents::MakeOwnerList(owners);
        form.preview(parent);
    } catch (const std::runtime_error &e) {
        prompter.error(QString::fromUtf8(e.what()));
    }
}

} // namespace OwnersExport
