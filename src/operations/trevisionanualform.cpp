#include "operations/trevisionanualform.h"

#include "core/clock.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "core/operationkind.h"
#include "core/recall.h"
#include "data/catalogue.h"
#include "operations/form/actionrow.h"
#include "operations/form/cylindergroup.h"
#include "operations/form/datesgroup.h"
#include "operations/form/fieldkeys.h"
#include "operations/form/ownergroup.h"
#include "operations/form/reflow.h"
#include "operations/form/regulatorgroup.h"
#include "operations/form/stickerrow.h"
#include "operations/form/vehiclegroup.h"
#include "widgets/fieldrules.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/serverwait.h"

#include <QVBoxLayout>

using namespace OperationForm;

TRevisionAnualForm::TRevisionAnualForm(QWidget *parent, Prompter &prompter) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("RevisionAnualForm"));
    setWindowTitle(DefaultFormCaption);
    m_maxModelYear = MaxModelYear(Clock::today());
    const InstallationProfile *profile = profileById(Global.InstallationId);
    m_offersCommitmentLetter = profile && profile->offersCommitmentLetter;
    buildUi();
    (new Widgets::DiscardGuard(this, m_prompter))->setObjectName(QStringLiteral("DiscardGuard"));

    m_creating.emplace();
    m_cylinders->showLetterButtons(m_offersCommitmentLetter);
    loadWorkshopList();
    m_actions->setUpForWorkshop(profile && profile->recordsAccessories);
    m_stickers->showOrderLink(Global.ManagesWorkshop == 1);
    wireHandOvers();
}

TRevisionAnualForm::~TRevisionAnualForm() = default;

void TRevisionAnualForm::buildUi()
{
    m_keys = new FieldKeys(this);
    connect(m_keys, &FieldKeys::refused, this, &TRevisionAnualForm::keyRefused);
    const Context context{this, m_prompter, *m_keys, *Widgets::FieldRules::of(this)};

    // The upper blocks as wide as the window lets them be, the cylinders
    // across the whole width below them, whatever buttons the profile adds.
    auto *root = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    root->setContentsMargins(8, 6, 8, 6);
    root->setSpacing(4);
    m_stickers = new StickerRow(context);
    root->addWidget(m_stickers);
    m_vehicle = new VehicleGroup(context, m_maxModelYear);
    m_regulator = new RegulatorGroup(context);
    m_owner = new OwnerGroup(context);
    root->addWidget(new UpperBlocks(m_vehicle, m_regulator, m_owner));
    // The valve check of a modification looks at the plate as typed.
    m_cylinders = new CylinderGroup(context, [this] { return m_vehicle->typedDomain(); });
    root->addWidget(m_cylinders, 1);
    m_dates = new DatesGroup(context);
    root->addWidget(m_dates);
    m_actions = new ActionRow(context);
    root->addWidget(m_actions);
    m_progress = new ProgressPanel(this);
    resize(1330, 690); // a 1366x768 screen, below the taskbar, with the window frame

    connect(m_actions, &ActionRow::acceptClicked, this, &TRevisionAnualForm::acceptClicked);
    connect(m_actions, &ActionRow::cancelClicked, this, &TRevisionAnualForm::cancelClicked);
    connect(m_actions, &ActionRow::sheetWanted, this, &TRevisionAnualForm::sheetRequested);
    connect(m_actions, &ActionRow::printerWanted, this, &TRevisionAnualForm::printerRequested);
    connect(m_actions, &ActionRow::accessoriesWanted, this, &TRevisionAnualForm::accessoriesRequested);
    connect(m_actions, &ActionRow::attachmentsWanted, this, &TRevisionAnualForm::attachmentsRequested);
}

void TRevisionAnualForm::loadWorkshopList()
{
    try {
        m_stickers->setWorkshops(Widgets::ServerWait::run<QStringList>( // read once per session
            this, QStringLiteral("Leyendo los talleres..."), Conn::Operations,
            [] { return Catalogue::WorkshopCodes(); }));
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
}

void TRevisionAnualForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_activated)
        return;
    m_activated = true;
    const InstallationProfile *profile = profileById(Global.InstallationId);
    m_owner->showOwnerListButton(profile && profile->showsOwnerListButton);
    if (isConsultation())
        m_actions->focusAccept();
    m_creating.reset();
}

// --- kinds ---------------------------------------------------------------------

bool TRevisionAnualForm::isConsultation() const
{
    return m_kind == ConsultationKind;
}

void TRevisionAnualForm::SetOperationKind(const QString &code)
{
    m_kind = code.trimmed().toUpper();
    m_regulator->setKind(m_kind);
    m_cylinders->setKind(m_kind);
    m_stickers->hideAssignedSticker();
    if (isConsultation())
        applyConsultation();
    else
        applyKindLayout(m_kind);
}

void TRevisionAnualForm::applyKindLayout(const QString &code)
{
    const std::optional<OperationKindLayout> k = LayoutForKind(code);
    if (!k)
        return; // an unknown code changes nothing
    m_operationDescription = k->description;
    m_regulator->applyKind(*k);
    m_dates->applyKind(*k);
    m_cylinders->showValveReplacement(!k->hidesValveReplacement);
    m_stickers->applyKind(*k);
    setWindowTitle(k->caption);
}

void TRevisionAnualForm::applyConsultation()
{
    for (QWidget *w : std::initializer_list<QWidget *>{m_vehicle, m_owner, m_regulator})
        w->setEnabled(false);
    m_dates->lock();
    m_owner->hideNameCaption();
    m_owner->lockDocumentSearch();
    m_regulator->lockLookUp();
    m_actions->lockCancel();
    // Nothing else may change what is viewed either: no other recall, no
    // order copied in, no letter; the accessories and the attached files
    // open read-only.
    m_cylinders->lockChanges();
    m_stickers->showConsultation();
    setWindowTitle(ConsultationCaption(m_shownKind));
}

void TRevisionAnualForm::SetRecallStickers(const QString &sticker, const QString &previousSticker)
{
    m_recallSticker = sticker;
    m_recallPreviousSticker = previousSticker;
}

// --- buttons --------------------------------------------------------------------

void TRevisionAnualForm::acceptClicked()
{
    if (isConsultation()) {
        accept();
        return;
    }
    emit acceptRequested();
}

void TRevisionAnualForm::cancelClicked()
{
    if (auto *guard = static_cast<Widgets::DiscardGuard *>(
            findChild<QObject *>(QStringLiteral("DiscardGuard"), Qt::FindDirectChildrenOnly)))
        guard->cancel();
    else
        reject();
}

// --- the record -------------------------------------------------------------------

OperationRecord TRevisionAnualForm::record() const
{
    OperationRecord r;
    r.kind = m_kind;
    r.description = m_operationDescription;
    m_stickers->read(r);
    m_vehicle->read(r);
    m_owner->read(r);
    m_regulator->read(r);
    m_dates->read(r);
    r.accesorios = m_accessories;
    r.attachmentPaths = m_attachmentPaths;
    m_actions->read(r);
    r.cylinders = cylinders();
    return r;
}

void TRevisionAnualForm::applyRecord(const OperationRecord &r, const Recall::Copied *copied)
{
    m_stickers->fill(r, copied ? copied->workshopCode : QString());
    m_vehicle->fill(r, copied ? &copied->domainMask : nullptr);
    m_owner->fill(r);
    m_accessories = r.accesorios;
    for (int i = 0; i < 3; ++i)
        if (!r.attachmentPaths[i].isEmpty())
            m_attachmentPaths[i] = r.attachmentPaths[i];
    m_regulator->fill(r);
    m_dates->fill(r);
    m_actions->fill(r);
}

bool TRevisionAnualForm::showsPreviousSticker() const
{
    return m_stickers->showsPreviousSticker();
}

QString TRevisionAnualForm::consultedWorkshop() const
{
    return m_stickers->workshop();
}

void TRevisionAnualForm::setDomainMask(const QString &mask)
{
    m_vehicle->setDomainMask(mask);
}

void TRevisionAnualForm::setDocumentMask(const QString &mask)
{
    m_owner->setDocumentMask(mask);
}

QString TRevisionAnualForm::domainMask() const
{
    return m_vehicle->domainMask();
}

QString TRevisionAnualForm::documentMask() const
{
    return m_owner->documentMask();
}

void TRevisionAnualForm::setCylinders(const QVector<CylinderRow> &rows)
{
    m_cylinders->setCylinders(rows);
}

QVector<CylinderRow> TRevisionAnualForm::cylinders() const
{
    return m_cylinders->cylinders();
}

CylinderList *TRevisionAnualForm::cylinderList() const
{
    return m_cylinders->list();
}

void TRevisionAnualForm::markFailed(const QStringList &fields)
{
    for (const QString &name : fields)
        if (QWidget *w = findChild<QWidget *>(name))
            Widgets::markFailed(w);
}

void TRevisionAnualForm::setExpiry(const QDate &date)
{
    m_dates->setExpiry(date);
}

void TRevisionAnualForm::focusField(const QString &field)
{
    if (QWidget *w = findChild<QWidget *>(field))
        w->setFocus();
}

void TRevisionAnualForm::showProgress(int steps)
{
    m_progress->start(steps);
}

void TRevisionAnualForm::addProgressStep(const QString &line)
{
    m_progress->step(line);
}

void TRevisionAnualForm::hideProgress()
{
    m_progress->setVisible(false);
}
