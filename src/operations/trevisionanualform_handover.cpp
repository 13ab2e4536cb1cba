// The operation form's dealings with other windows: what it asks of the
// follow-up and workshop windows (an operation chosen by cylinder or
// regulator, an owner, a conversion order, the letter).
#include "operations/trevisionanualform.h"

#include "app/navigator.h"
#include "core/commitmentletter.h"
#include "core/operationkind.h"
#include "core/recall.h"
#include "data/cylinderworktable.h"
#include "data/dberror.h"
#include "data/localstore.h"
#include "operations/form/cylindergroup.h"
#include "operations/form/datesgroup.h"
#include "operations/form/ownergroup.h"
#include "operations/form/stickerrow.h"
#include "operations/print/fichaprint.h"

void TRevisionAnualForm::wireHandOvers()
{
    using namespace OperationForm;
    connect(m_stickers, &StickerRow::recallWanted, this, &TRevisionAnualForm::recallByPreviousSticker);
    connect(m_stickers, &StickerRow::searchByDomain, this, &TRevisionAnualForm::searchByDomain);
    connect(m_stickers, &StickerRow::searchByOwner, this, &TRevisionAnualForm::searchByOwner);
    connect(m_stickers, &StickerRow::searchByCylinder, this,
            [this] { afterSearch(navigator().request(Nav::ChooseOperationByCylinder{}, this), false); });
    connect(m_stickers, &StickerRow::searchByRegulator, this,
            [this] { afterSearch(navigator().request(Nav::ChooseOperationByRegulator{}, this), false); });
    connect(m_stickers, &StickerRow::orderWanted, this, [this] {
        if (const auto order = navigator().request(Nav::PickConversionOrder{}, this))
            copyConversionOrder(*order);
    });
    // The owners list gives its current row however it is closed.
    connect(m_owner, &OwnerGroup::ownerWanted, this, [this] {
        if (const auto owner = navigator().request(Nav::PickOwner{}, this))
            m_owner->copyOwner(*owner);
    });
    connect(m_cylinders, &CylinderGroup::letterWanted, this,
            [this] { navigator().request(FichaPrint::LetterRequest(record()), this); });
    connect(m_cylinders, &CylinderGroup::collectWanted, this, &TRevisionAnualForm::collectForLetter);
    if (m_offersCommitmentLetter) {
        // Several recalls in one form add to the letter list.
        try {
            LocalTable &letter = localStore().table(LocalTableId::LetterCylinders);
            if (!letter.isOpen())
                letter.open();
            letter.empty();
        } catch (const DbError &e) {
            prompter().error(e.text());
        }
    }
}

void TRevisionAnualForm::collectForLetter()
{
    const std::optional<CylinderRow> cylinder = m_cylinders->selected();
    if (!cylinder)
        return; // no cylinder chosen: nothing to collect
    if (!Letter::CollectsSilently(*cylinder, m_dates->enabling()) && !prompter().askInfo(Letter::kNotDueQuestion))
        return;
    CylinderWorkTable::AppendLetterLine(localStore().table(LocalTableId::LetterCylinders), *cylinder);
    // Whatever its test, a collected cylinder is on a letter the operator can open.
    m_cylinders->enableLetter();
}

void TRevisionAnualForm::copyConversionOrder(const Orders::ConversionOrder &order)
{
    OperationRecord r = record();
    r.cylinders.clear();
    Recall::Copied copied;
    Recall::CopyConversionOrder(order, r, &copied.domainMask);
    applyRecord(r, &copied);
    // The order's cylinders join the ones already listed.
    setCylinders(cylinders() + r.cylinders);
}
