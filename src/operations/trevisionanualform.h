#pragma once

#include "app/requests.h"
#include "core/operationrecord.h"
#include "widgets/messages.h"
#include "widgets/waitcursor.h"

#include <QDialog>
#include <array>
#include <optional>

class CylinderList;
namespace RecallRepository
{
struct WorkshopIdentity;
}
namespace Recall
{
struct Copied;
}
namespace OperationForm
{
class ActionRow;
class CylinderGroup;
class DatesGroup;
class FieldKeys;
class OwnerGroup;
class ProgressPanel;
class RegulatorGroup;
class StickerRow;
class VehicleGroup;
} // namespace OperationForm

// The operation form: one window for every operation kind and for the
// consultation of an earlier operation, made of its groups (stickers,
// vehicle, owner, regulator, cylinders, dates, actions). Each group keeps its
// controls, with their designer names as objectName, and reads into and
// fills from its part of the operation's record. The form lays the groups
// out for the kind, runs the recalls and the hand-overs with other windows;
// checks, save and printing hang on its signals.
class TRevisionAnualForm : public QDialog
{
    Q_OBJECT
public:
    // Builds the form as the main window does, without showing it. Every
    // question and notice of the form and of its dialogs goes to `prompter`.
    explicit TRevisionAnualForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());
    ~TRevisionAnualForm() override;

    Prompter &prompter() const { return m_prompter; }

    // The operation as shown, with the domain and document number in their
    // stored form.
    OperationRecord record() const;
    // Shows `r` in the controls: the inverse of record(). `copied` adds the
    // recall's domain mask, workshop code and assigned sticker.
    void applyRecord(const OperationRecord &r, const Recall::Copied *copied = nullptr);

    // Recalls fill the form from a stored operation; false when nothing was
    // found (the form keeps what it had). Database failures are shown.
    bool RecallBySticker();
    bool RecallByNumber(const QString &peccod, const QString &talcuit, qint64 tnrointopr);
    bool RecallByNumberAllPecs(const QString &peccod, const QString &talcuit, qint64 tnrointopr);
    // The pending operation `id` (temp_usr, temp_reg, temp_cil) for editing.
    bool LoadPendingOperation(int id);

    // Lays the form out for a kind ("C", "M", "R", "B", "D", "X", "H") or for
    // consultation ("#").
    void SetOperationKind(const QString &code);
    void SetRecallStickers(const QString &sticker, const QString &previousSticker);
    // The kind of the operation shown read-only or loaded from the pending
    // tables; the caption of the consultation and the sheet print it.
    void SetShownKind(const QString &kind) { m_shownKind = kind; }
    void SetPendingId(int id) { m_pendingId = id; }
    void setEditingPending(bool on) { m_editingPending = on; }

    QString kind() const { return m_kind; }
    // The kind the operation on screen has: the form's own, or the one set by
    // SetShownKind (never the consultation mode "#").
    QString shownKind() const { return m_shownKind.isEmpty() ? m_kind : m_shownKind; }
    bool isConsultation() const;
    QString operationDescription() const { return m_operationDescription; }
    QString recallSticker() const { return m_recallSticker; }
    QString recallPreviousSticker() const { return m_recallPreviousSticker; }
    int pendingId() const { return m_pendingId; }
    bool editingPending() const { return m_editingPending; }
    // The sticker a pending valve replacement was stored with: saved again
    // as it was, while the hidden previous-sticker field holds the one before.
    QString pendingValveSticker() const { return m_pendingValveSticker; }
    bool phRequired() const { return m_phRequired; }
    void setPhRequired() { m_phRequired = true; } // never cleared while the form lives
    bool offersCommitmentLetter() const { return m_offersCommitmentLetter; }
    int maxModelYear() const { return m_maxModelYear; }
    const std::array<QString, 3> &attachmentPaths() const { return m_attachmentPaths; }
    void setAttachmentPaths(const std::array<QString, 3> &paths) { m_attachmentPaths = paths; }
    const std::array<QString, 24> &accessories() const { return m_accessories; }
    void setAccessories(const std::array<QString, 24> &values) { m_accessories = values; }
    bool showsPreviousSticker() const;
    // The workshop of the operation viewed (consultation).
    QString consultedWorkshop() const;

    // Masks of the two masked fields (recall and owner look-up set them too).
    // A value already in the field that does not fit the new mask leaves the
    // field unmasked instead of being cut.
    void setDomainMask(const QString &mask);
    void setDocumentMask(const QString &mask);
    QString domainMask() const;
    QString documentMask() const;

    // The cylinders of the operation on screen: the work table behind the
    // grid and the details below it. setCylinders refills it.
    void setCylinders(const QVector<CylinderRow> &rows);
    QVector<CylinderRow> cylinders() const;
    CylinderList *cylinderList() const;

    // What the checks found, shown: the fields that failed turn light red,
    // the expiry they set, the field to go back to. Fields are named by their
    // designer names.
    void markFailed(const QStringList &fields);
    void setExpiry(const QDate &date);
    void focusField(const QString &field);

    // Progress panel shown over the form during recalls and saves.
    void showProgress(int steps);
    void addProgressStep(const QString &line);
    void hideProgress();

signals:
    void keyRefused();      // a key a field does not accept (after the beep)
    void acceptRequested(); // "Aceptar" outside consultation: checks and save
    void sheetRequested();  // "Ficha"
    void printerRequested();
    void accessoriesRequested();
    void attachmentsRequested();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildUi();
    void loadWorkshopList();
    void applyKindLayout(const QString &code);
    void applyConsultation();
    void acceptClicked();
    void cancelClicked();

    // Recall (trevisionanualform_recall.cpp).
    enum class Source { Sticker, Number, AllPecs };
    bool runRecall(Source source, const QString &peccod, const QString &talcuit, qint64 tnrointopr);
    void rereadWorkshopIdentity(const RecallRepository::WorkshopIdentity &identity);
    void recallByPreviousSticker();
    void afterSearch(const std::optional<Nav::OperationKey> &keys, bool allPecs);
    void searchByDomain();
    void searchByOwner();
    void applyHydraulicPass(const QVector<CylinderRow> &stored, bool searched);

    // Hand-overs (trevisionanualform_handover.cpp).
    void wireHandOvers();
    void copyConversionOrder(const Orders::ConversionOrder &order);
    void collectForLetter();

    Prompter &m_prompter;

    QString m_kind;
    QString m_shownKind;
    QString m_operationDescription;
    QString m_recallSticker, m_recallPreviousSticker;
    int m_pendingId = 0;
    bool m_editingPending = false;
    QString m_pendingValveSticker;
    bool m_phRequired = false;
    bool m_offersCommitmentLetter = false;
    int m_maxModelYear = 0;
    std::array<QString, 24> m_accessories;
    std::array<QString, 3> m_attachmentPaths;
    bool m_activated = false;
    // The hourglass from creation until the form first shows.
    std::optional<Widgets::WaitCursor> m_creating;

    OperationForm::FieldKeys *m_keys = nullptr;
    OperationForm::StickerRow *m_stickers = nullptr;
    OperationForm::VehicleGroup *m_vehicle = nullptr;
    OperationForm::OwnerGroup *m_owner = nullptr;
    OperationForm::RegulatorGroup *m_regulator = nullptr;
    OperationForm::CylinderGroup *m_cylinders = nullptr;
    OperationForm::DatesGroup *m_dates = nullptr;
    OperationForm::ActionRow *m_actions = nullptr;
    OperationForm::ProgressPanel *m_progress = nullptr;
};
