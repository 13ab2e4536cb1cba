// The operation form's dealings with other windows: how the navigator opens
// it, and what it asks of the follow-up and workshop windows (an operation
// chosen by cylinder or regulator, an owner, a conversion order, the letter).
#include "operations/trevisionanualform.h"

#include "app/navigator.h"
#include "core/commitmentletter.h"
#include "core/operationkind.h"
#include "core/recall.h"
#include "data/cylinderworktable.h"
#include "data/dberror.h"
#include "data/localstore.h"
#include "data/outbox.h"
#include "operations/cylinders/cylinderlist.h"
#include "operations/cylinders/formwiring.h"
#include "operations/linklabel.h"
#include "operations/print/fichaprint.h"
#include "operations/save/formsave.h"
#include "widgets/resultgrid.h"

#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QToolButton>

int TRevisionAnualForm::openNew(const Nav::OpenOperation &request, QWidget *parent)
{
    TRevisionAnualForm form(parent);
    form.SetOperationKind(request.kind);
    form.setCylinders({}); // a new operation starts without cylinders
    Cylinders::WireOperationForm(form);
    OperationSave::WireOperationForm(form);
    FichaPrint::WireFichaButton(form);
    return form.exec();
}

bool TRevisionAnualForm::openWaiting(const Nav::OpenWaiting &request, QWidget *parent)
{
    std::optional<OutboxEntry> entry;
    try {
        entry = Outbox::instance().entry(request.outboxId);
    } catch (const DbError &e) {
        guiPrompter().error(e.text());
        return false;
    }
    if (!entry)
        return false;
    // The attachments are the outbox's copies, in files of their own while
    // the form is open.
    QTemporaryDir files;
    OperationRecord r = entry->record;
    for (int i = 0; i < 3; ++i) {
        QString &path = r.attachmentPaths[size_t(i)];
        if (path.isEmpty())
            continue;
        path = files.filePath(QStringLiteral("%1-%2").arg(i).arg(entry->fileNames[size_t(i)]));
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly) || f.write(entry->files[size_t(i)]) != entry->files[size_t(i)].size()) {
            guiPrompter().error(
                QStringLiteral("No se pudo preparar el archivo adjunto %1 de la operación.").arg(i + 1));
            return false;
        }
    }
    TRevisionAnualForm form(parent);
    form.SetOperationKind(r.kind);
    form.setCylinders(r.cylinders);
    form.applyRecord(r);
    Cylinders::WireOperationForm(form);
    OperationSave::WireOperationForm(form, &*entry);
    FichaPrint::WireFichaButton(form);
    return form.exec() == QDialog::Accepted;
}

int TRevisionAnualForm::view(const Nav::ViewOperation &request, QWidget *parent)
{
    TRevisionAnualForm form(parent);
    form.SetRecallStickers(request.sticker, request.previousSticker);
    form.SetShownKind(request.kind);
    form.SetOperationKind(ConsultationKind);
    Cylinders::WireOperationForm(form);
    FichaPrint::WireFichaButton(form);
    if (!form.RecallBySticker())
        return QDialog::Rejected;
    return form.exec();
}

int TRevisionAnualForm::editPending(const Nav::EditPending &request, QWidget *parent)
{
    TRevisionAnualForm form(parent);
    form.SetOperationKind(request.kind);
    form.SetShownKind(request.kind);
    form.SetPendingId(request.pendingId);
    form.setEditingPending(true);
    Cylinders::WireOperationForm(form);
    OperationSave::WireOperationForm(form);
    FichaPrint::WireFichaButton(form);
    if (!form.LoadPendingOperation(request.pendingId))
        return QDialog::Rejected;
    return form.exec();
}

void TRevisionAnualForm::wireHandOvers()
{
    connect(TraerDesdeOCLabel, &LinkLabel::clicked, this, &TRevisionAnualForm::TraerDesdeOCLabelClick);
    connect(SpeedButton9, &QToolButton::clicked, this, &TRevisionAnualForm::SpeedButton9Click);
    connect(SpeedButtonPropietarios, &QToolButton::clicked, this, &TRevisionAnualForm::SpeedButton9Click);
    connect(SpeedButtonCC1, &QToolButton::clicked, this, &TRevisionAnualForm::SpeedButtonCC1Click);
    connect(SpeedButtonCC2, &QToolButton::clicked, this, &TRevisionAnualForm::SpeedButtonCC2Click);
}

void TRevisionAnualForm::Label36Click()
{
    afterSearch(navigator().request(Nav::ChooseOperationByCylinder{}, this), false);
}

void TRevisionAnualForm::Label37Click()
{
    afterSearch(navigator().request(Nav::ChooseOperationByRegulator{}, this), false);
}

void TRevisionAnualForm::SpeedButton9Click()
{
    // The owners list gives its current row however it is closed.
    if (const auto owner = navigator().request(Nav::PickOwner{}, this))
        copyOwner(*owner);
}

void TRevisionAnualForm::TraerDesdeOCLabelClick()
{
    if (const auto order = navigator().request(Nav::PickConversionOrder{}, this))
        copyConversionOrder(*order);
}

void TRevisionAnualForm::SpeedButtonCC1Click()
{
    navigator().request(FichaPrint::LetterRequest(record()), this);
}

void TRevisionAnualForm::SpeedButtonCC2Click()
{
    const int row = Widgets::selectedGridRow(DBGrid1);
    if (row < 0 || row >= m_cylinders->rowCount())
        return; // no cylinder chosen: nothing to collect
    const CylinderRow cylinder = m_cylinders->row(row);
    if (!Letter::CollectsSilently(cylinder, DateTimePickerHabilitacion->date()) &&
        !prompter().askInfo(Letter::kNotDueQuestion))
        return;
    CylinderWorkTable::AppendLetterLine(localStore().table(LocalTableId::LetterCylinders), cylinder);
    // Whatever its test, a collected cylinder is on a letter the operator can open.
    SpeedButtonCC1->setEnabled(true);
}

void TRevisionAnualForm::copyOwner(const Owners::Owner &owner)
{
    OperationRecord r;
    Recall::CopyOwner(owner, r);
    NombreEdit->setText(r.nombre);
    showText(DNIComboBox, r.tipoDoc);
    NroDocEdit->clear(); // the mask first, so the number is not cut by the old one
    setDocumentMask(OperationMasks::DocumentFor(r.tipoDoc));
    NroDocEdit->setText(r.nroDoc);
    CalleEdit->setText(r.calle);
    CodigoEdit->setText(r.codigoPostal);
    BarrioEdit->setText(r.barrio);
    LocalidadEdit->setText(r.localidad);
    showText(ProvinciaComboBox, r.provincia);
    CaracteristicaEdit->setText(r.caracteristica);
    TelefonoEdit->setText(r.telefono);
    showText(ComboBoxTipoTE, r.tipoTelefono);
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

void TRevisionAnualForm::showText(QComboBox *box, const QString &text)
{
    // A combo box shows a stored text even when its list does not hold it.
    const int i = box->findText(text);
    if (i >= 0)
        box->setCurrentIndex(i);
    else if (box->isEditable())
        box->setCurrentText(text);
}
