// Filling the operation form from stored operations: the recalls, the
// consultation of an earlier operation and the pending load.
#include "operations/trevisionanualform.h"

#include "core/clock.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "core/login.h"
#include "core/operationkind.h"
#include "core/prompter.h"
#include "core/recall.h"
#include "data/cylinderworktable.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "data/recallrepository.h"
#include "operations/form/cylindergroup.h"
#include "operations/form/datesgroup.h"
#include "operations/form/stickerrow.h"
#include "operations/form/vehiclegroup.h"
#include "operations/lookups/tbuscarpatenteform.h"
#include "operations/lookups/tbuscarpatentefullform.h"
#include "operations/lookups/tbusquedaporapellidoform.h"
#include "widgets/modalrun.h"
#include "widgets/serverwait.h"

namespace
{

bool keepsObservations()
{
    const InstallationProfile *p = profileById(Global.InstallationId);
    return !p || p->keepsObservationsOnRecall;
}

} // namespace

void TRevisionAnualForm::rereadWorkshopIdentity(const RecallRepository::WorkshopIdentity &t)
{
    Global.WorkshopCuit = t.cuit;
    Global.RepMatricula = t.repMatricula;
    Global.WorkshopName = t.name;
    Global.WorkshopName2 = Global.WorkshopName;
    Global.WorkshopAddress = Login::workshopAddress(t.street, t.number, t.town);
    Global.WorkshopAddress2 = Global.WorkshopAddress;
    if (t.repFound)
        Global.RepName = Login::representativeName(t.repFirstName, t.repSurname);
}

bool TRevisionAnualForm::RecallBySticker()
{
    return runRecall(Source::Sticker, {}, {}, 0);
}

bool TRevisionAnualForm::RecallByNumber(const QString &peccod, const QString &talcuit, qint64 tnrointopr)
{
    return runRecall(Source::Number, peccod, talcuit, tnrointopr);
}

bool TRevisionAnualForm::RecallByNumberAllPecs(const QString &peccod, const QString &talcuit, qint64 tnrointopr)
{
    return runRecall(Source::AllPecs, peccod, talcuit, tnrointopr);
}

bool TRevisionAnualForm::runRecall(Source source, const QString &peccod, const QString &talcuit, qint64 tnrointopr)
{
    const Recall::Mode mode = isConsultation() ? Recall::Mode::Consultation : Recall::Mode::NewOperation;
    const QDate today = Clock::today();
    try {
        showProgress(4);
        addProgressStep(QStringLiteral("Buscando datos de USR..."));
        // The operation, its regulators and cylinders in one exchange, off
        // the window's thread.
        const RecallRepository::Found found = Widgets::ServerWait::run<RecallRepository::Found>(
            this, QStringLiteral("Buscando la operación..."), Conn::Operations,
            [source, sticker = m_recallSticker, previous = m_recallPreviousSticker, workshop = Global.WorkshopCode,
             peccod, talcuit, tnrointopr] {
                return source == Source::Sticker ? RecallRepository::BySticker(sticker, previous, workshop)
                                                 : RecallRepository::ByNumber(peccod, talcuit, tnrointopr,
                                                                              source == Source::AllPecs, workshop);
            });
        if (!found.usr) {
            hideProgress();
            prompter().warn(QStringLiteral("Oblea no encontrada."));
            m_vehicle->focusDomain();
            return false;
        }
        const Recall::Row &u = *found.usr;

        OperationRecord r = record();
        // The regulator lines of a new operation keep what its kind set.
        const RegulatorLine kindSet = r.regulador;
        r.regulador = {};
        r.reguladorNuevo = {};
        r.hasSecondRegulator = false;
        Recall::Copied copied = Recall::CopyOperation(u, mode, m_kind, today, keepsObservations(), r);
        if (mode == Recall::Mode::Consultation) {
            m_shownKind = r.kind;
            copied.assignedSticker = m_recallSticker;
            r.obleaNew = m_recallSticker;
            m_stickers->showRecalled();
        }
        if (found.identity)
            rereadWorkshopIdentity(*found.identity);

        addProgressStep(QStringLiteral("Buscando datos de REG..."));
        addProgressStep(QStringLiteral("Buscando datos de CIL..."));
        const QList<Recall::Row> &regs = found.regs;
        const QList<Recall::Row> &cils = found.cils;
        if (mode == Recall::Mode::NewOperation) {
            r.regulador.gestion = kindSet.gestion;
            r.regulador.nuevo = kindSet.nuevo;
        }
        Recall::CopyRegulators(
            regs, mode, m_kind, [&](const QString &code) { return found.brandOf(code); }, r);
        r.cylinders = Recall::CopyCylinders(cils, mode, m_kind);

        applyRecord(r, &copied);
        setCylinders(r.cylinders);
        const QVector<CylinderRow> stored = cylinders();
        addProgressStep(QString());
        hideProgress();

        if (mode == Recall::Mode::NewOperation)
            applyHydraulicPass(stored, source != Source::Sticker);
        return true;
    } catch (const Widgets::ServerWait::Cancelled &) {
        hideProgress(); // the operator stopped it: nothing to say
        return false;
    } catch (const DbError &e) {
        hideProgress();
        prompter().error(e.text());
        return false;
    }
}

// The hydraulic tests of the recalled cylinders: the letter's cylinders, the
// expiry they limit, the warnings.
void TRevisionAnualForm::applyHydraulicPass(const QVector<CylinderRow> &stored, bool searched)
{
    const Recall::HydraulicPass pass = Recall::RunHydraulicPass(stored, m_kind, m_dates->enabling(), m_dates->expiry(),
                                                                Clock::today(), m_offersCommitmentLetter, searched);
    for (const CylinderRow &c : pass.letterRows)
        CylinderWorkTable::AppendLetterLine(localStore().table(LocalTableId::LetterCylinders), c);
    if (pass.enablesLetterButton)
        m_cylinders->enableLetter();
    if (pass.phRequired)
        setPhRequired();
    if (pass.expiryChanged)
        m_dates->setExpiry(pass.expiry);
    if (pass.frameExpiry)
        m_dates->frameExpiry();
    if (!pass.warning.isEmpty())
        prompter().warn(pass.warning);
    if (!pass.information.isEmpty())
        prompter().info(pass.information);
}

bool TRevisionAnualForm::LoadPendingOperation(int id)
{
    try {
        const RecallRepository::Found found = Widgets::ServerWait::run<RecallRepository::Found>(
            this, QStringLiteral("Buscando la operación pendiente..."), Conn::Operations,
            [id] { return RecallRepository::Pending(id); });
        if (!found.usr) {
            prompter().warn(QStringLiteral("Oblea no encontrada."));
            return false;
        }
        const Recall::Row &u = *found.usr;
        const QList<Recall::Row> &regs = found.regs;
        const QList<Recall::Row> &cils = found.cils;
        const QString previousOfAssigned =
            Recall::Text(u, QStringLiteral("ucodgest")) == QLatin1String("H") ? found.previousOfAssigned : QString();

        OperationRecord r = record();
        r.regulador = {{}, {}, {}, r.regulador.gestion, r.regulador.nuevo};
        r.reguladorNuevo = {};
        r.hasSecondRegulator = false;
        r.cylinders.clear();
        const Recall::PendingLoad load = Recall::LoadPending(
            u, regs, cils, previousOfAssigned, keepsObservations(), Clock::today(),
            [&](const QString &code) { return found.brandOf(code); }, r);
        m_shownKind = load.kind;
        m_pendingValveSticker = load.hidesPreviousSticker ? load.assignedSticker : QString();
        if (load.hidesPreviousSticker)
            m_stickers->hidePreviousSticker();

        Recall::Copied copied;
        copied.domainMask = OperationMasks::DomainOnRecall(r.anio, r.dominio);
        copied.assignedSticker = load.assignedSticker;
        applyRecord(r, &copied);
        m_dates->markObservations();

        setCylinders(r.cylinders);
        return true;
    } catch (const DbError &e) {
        prompter().error(e.text());
        return false;
    }
}

void TRevisionAnualForm::recallByPreviousSticker()
{
    if (m_stickers->previousSticker().trimmed().isEmpty())
        return;
    const StickerFill f = ZeroFillSticker(m_stickers->previousSticker());
    if (!f.ok) {
        prompter().error(f.message);
        return;
    }
    m_stickers->setPreviousSticker(f.text);
    if (f.text == QLatin1String("0000000000")) {
        // No sticker: looking it up would bring any operation that had none before it.
        prompter().warn(QStringLiteral("Oblea no encontrada."));
    } else {
        SetRecallStickers(f.text, f.text);
        RecallBySticker();
    }
    if (m_kind != QLatin1String("H"))
        m_vehicle->focusDomain();
}

void TRevisionAnualForm::afterSearch(const std::optional<Nav::OperationKey> &keys, bool allPecs)
{
    if (!keys)
        return;
    if (allPecs)
        RecallByNumberAllPecs(keys->peccod, keys->talcuit, keys->tnrointopr);
    else
        RecallByNumber(keys->peccod, keys->talcuit, keys->tnrointopr);
}

namespace
{

template <typename Dialog> std::optional<Nav::OperationKey> chosenKeys(Dialog &dialog)
{
    if (Widgets::runModal(dialog) != QDialog::Accepted || !dialog.hasSelection())
        return std::nullopt;
    return Nav::OperationKey{dialog.selectedText(QStringLiteral("peccod")),
                             dialog.selectedText(QStringLiteral("talcuit")),
                             dialog.selectedText(QStringLiteral("tnrointopr")).toLongLong()};
}

} // namespace

void TRevisionAnualForm::searchByDomain()
{
    const InstallationProfile *profile = profileById(Global.InstallationId);
    const bool allPecs = profile && profile->searchesAllPecs;
    const QString domain = m_vehicle->domain().trimmed();
    std::optional<Nav::OperationKey> keys;
    if (allPecs) {
        TBuscarPatenteFullForm dialog(this, m_prompter);
        dialog.setDomain(domain);
        keys = chosenKeys(dialog);
    } else {
        TBuscarPatenteForm dialog(this, m_prompter);
        dialog.setDomain(domain);
        keys = chosenKeys(dialog);
    }
    afterSearch(keys, allPecs);
}

void TRevisionAnualForm::searchByOwner()
{
    TBusquedaPorApellidoForm dialog(this, m_prompter);
    afterSearch(chosenKeys(dialog), false);
}
