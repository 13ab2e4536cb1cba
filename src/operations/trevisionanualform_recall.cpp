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
#include "operations/cylinders/formwiring.h"
#include "operations/linklabel.h"
#include "operations/lookups/tbuscarpatenteform.h"
#include "operations/lookups/tbuscarpatentefullform.h"
#include "operations/lookups/tbusquedaporapellidoform.h"
#include "operations/print/fichaprint.h"
#include "operations/save/formsave.h"
#include "widgets/modalrun.h"
#include "widgets/serverwait.h"

#include "widgets/messages.h"

#include <QColor>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QSpinBox>
#include <QSqlField>
#include <QSqlRecord>
#include <QToolButton>

namespace
{

LocalTable &openTable(LocalTableId id)
{
    LocalTable &t = localStore().table(id);
    if (!t.isOpen())
        t.open();
    return t;
}

bool keepsObservations()
{
    const InstallationProfile *p = profileById(Global.InstallationId);
    return !p || p->keepsObservationsOnRecall;
}

} // namespace

void TRevisionAnualForm::wireRecall()
{
    connect(SpeedButton1, &QToolButton::clicked, this, &TRevisionAnualForm::SpeedButton1Click);
    connect(SpeedButton2, &QToolButton::clicked, this, &TRevisionAnualForm::SpeedButton2Click);
    connect(Label35, &LinkLabel::clicked, this, &TRevisionAnualForm::Label35Click);
    connect(Label36, &LinkLabel::clicked, this, &TRevisionAnualForm::Label36Click);
    connect(Label37, &LinkLabel::clicked, this, &TRevisionAnualForm::Label37Click);
    if (m_offersCommitmentLetter) {
        // Several recalls in one form add to the letter list.
        try {
            openTable(LocalTableId::LetterCylinders).empty();
        } catch (const DbError &e) {
            prompter().error(e.text());
        }
    }
}

void TRevisionAnualForm::applyRecord(const OperationRecord &r, const Recall::Copied *copied)
{
    ObleaAntEdit->setText(r.obleaAnt);
    AnioObleaAnteriorEdit->setText(r.anioObleaAnt);
    if (!r.obleaNew.isEmpty())
        ObleaNewEdit->setText(r.obleaNew);
    MarcaEdit->setText(r.marca);
    ModeloEdit->setText(r.modelo);
    AnioSpinEdit->setValue(r.anio);
    showText(InyeccionComboEdit, r.inyeccion);
    showText(TipoComboEdit, r.tipoUso);
    // The mask first, so that the stored domain is not cut by the old one.
    DominioEdit->clear();
    if (copied)
        setDomainMask(copied->domainMask);
    DominioEdit->setText(r.dominio);
    VINEdit->setText(r.vin);
    NombreEdit->setText(r.nombre);
    showText(DNIComboBox, r.tipoDoc);
    NroDocEdit->clear();
    setDocumentMask(OperationMasks::DocumentFor(r.tipoDoc));
    NroDocEdit->setText(r.nroDoc);
    CalleEdit->setText(r.calle);
    BarrioEdit->setText(r.barrio);
    CodigoEdit->setText(r.codigoPostal);
    LocalidadEdit->setText(r.localidad);
    showText(ProvinciaComboBox, r.provincia);
    showText(ComboBoxTipoTE, r.tipoTelefono);
    CaracteristicaEdit->setText(r.caracteristica);
    TelefonoEdit->setText(r.telefono);
    emailEdit->setText(r.email);
    m_accessories = r.accesorios;
    for (int i = 0; i < 3; ++i)
        if (!r.attachmentPaths[i].isEmpty())
            m_attachmentPaths[i] = r.attachmentPaths[i];

    auto applyLine = [](const RegulatorLine &line, QLineEdit *code, QLineEdit *brand, QLineEdit *serial,
                        QComboBox *gestion, QComboBox *nuevo) {
        code->setText(line.codigo);
        brand->setText(line.marca);
        serial->setText(line.nroSerie);
        if (!line.gestion.isEmpty())
            showText(gestion, line.gestion);
        if (!line.nuevo.isEmpty())
            showText(nuevo, line.nuevo);
    };
    applyLine(r.regulador, CodigoRegularEdit, MarcaReguladorEdit, NroSerieReguladorEdit, RGestionComboBox,
              RNuevoComboBox);
    if (r.hasSecondRegulator) {
        applyLine(r.reguladorNuevo, CodigoReguladorNuevoEdit, MarcaReguladorNuevoEdit, NroSerieReguladorNuevoEdit,
                  RGestionNuevoComboBox, RNuevoNuevoComboBox);
        for (QWidget *w : std::initializer_list<QWidget *>{LabelReguladorNuevo, CodigoReguladorNuevoEdit,
                                                           MarcaReguladorNuevoEdit, NroSerieReguladorNuevoEdit,
                                                           RGestionNuevoComboBox, RNuevoNuevoComboBox, SpeedButton7})
            w->setVisible(true);
    }

    // A null stored date leaves the picker as it was.
    if (r.fechaMontaje.isValid())
        DateTimePickerMontaje->setDate(r.fechaMontaje);
    if (r.fechaHabilitacion.isValid())
        DateTimePickerHabilitacion->setDate(r.fechaHabilitacion);
    if (r.fechaVencimiento.isValid())
        DateTimePickerVencimiento->setDate(r.fechaVencimiento);
    EditObs->setText(r.observaciones);
    if (r.estado >= 0 && r.estado < ComboBoxEstado->count())
        ComboBoxEstado->setCurrentIndex(r.estado);

    if (copied && !copied->workshopCode.isEmpty())
        showText(tallerEdit, copied->workshopCode);
}

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
            DominioEdit->setFocus();
            return false;
        }
        const Recall::Row &u = *found.usr;

        OperationRecord r = record();
        r.regulador = {};
        r.reguladorNuevo = {};
        r.hasSecondRegulator = false;
        Recall::Copied copied = Recall::CopyOperation(u, mode, m_kind, today, keepsObservations(), r);
        if (mode == Recall::Mode::Consultation) {
            m_shownKind = r.kind;
            copied.assignedSticker = m_recallSticker;
            r.obleaNew = m_recallSticker;
            ObleaNewEdit->setVisible(true);
            LabelObleaNew->setVisible(true);
            LabelObleaAnt->setText(QStringLiteral("Oblea Anterior"));
            LabelTaller->setVisible(true);
            tallerEdit->setVisible(true);
        }
        if (found.identity)
            rereadWorkshopIdentity(*found.identity);

        addProgressStep(QStringLiteral("Buscando datos de REG..."));
        addProgressStep(QStringLiteral("Buscando datos de CIL..."));
        const QList<Recall::Row> &regs = found.regs;
        const QList<Recall::Row> &cils = found.cils;
        // The regulator lines of a new operation keep what its kind set.
        if (mode == Recall::Mode::NewOperation) {
            r.regulador.gestion = RGestionComboBox->currentText();
            r.regulador.nuevo = RNuevoComboBox->currentText();
        }
        Recall::CopyRegulators(
            regs, mode, m_kind, [&](const QString &code) { return found.brandOf(code); }, r);
        r.cylinders = Recall::CopyCylinders(cils, mode, m_kind);

        applyRecord(r, &copied);
        setCylinders(r.cylinders);
        const QVector<CylinderRow> stored = cylinders();
        addProgressStep(QString());
        hideProgress();

        if (mode == Recall::Mode::NewOperation) {
            const Recall::HydraulicPass pass = Recall::RunHydraulicPass(
                stored, m_kind, DateTimePickerHabilitacion->date(), DateTimePickerVencimiento->date(), today,
                m_offersCommitmentLetter, source != Source::Sticker);
            for (const CylinderRow &c : pass.letterRows)
                CylinderWorkTable::AppendLetterLine(localStore().table(LocalTableId::LetterCylinders), c);
            if (pass.enablesLetterButton)
                SpeedButtonCC1->setEnabled(true);
            if (pass.phRequired)
                setPhRequired();
            if (pass.expiryChanged)
                DateTimePickerVencimiento->setDate(pass.expiry);
            if (pass.frameExpiry) {
                Shape1->setFrameShape(QFrame::Box);
                Shape1->setStyleSheet(QStringLiteral("#Shape1 { border: 2px solid red; }"));
            }
            if (!pass.warning.isEmpty())
                prompter().warn(pass.warning);
            if (!pass.information.isEmpty())
                prompter().info(pass.information);
        }
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
        r.regulador = {};
        r.regulador.gestion = RGestionComboBox->currentText();
        r.regulador.nuevo = RNuevoComboBox->currentText();
        r.reguladorNuevo = {};
        r.hasSecondRegulator = false;
        r.cylinders.clear();
        const Recall::PendingLoad load = Recall::LoadPending(
            u, regs, cils, previousOfAssigned, keepsObservations(), Clock::today(),
            [&](const QString &code) { return found.brandOf(code); }, r);
        m_shownKind = load.kind;
        m_pendingValveSticker = load.hidesPreviousSticker ? load.assignedSticker : QString();
        if (load.hidesPreviousSticker)
            for (QWidget *w : std::initializer_list<QWidget *>{ObleaAntEdit, LabelObleaAnt, SpeedButton1})
                w->setVisible(false);

        Recall::Copied copied;
        copied.domainMask = OperationMasks::DomainOnRecall(r.anio, r.dominio);
        copied.assignedSticker = load.assignedSticker;
        applyRecord(r, &copied);
        QPalette pal = EditObs->palette();
        pal.setColor(QPalette::Base,
                     EditObs->text().isEmpty() ? palette().color(QPalette::Base) : QColor(254, 173, 169));
        EditObs->setPalette(pal);

        setCylinders(r.cylinders);
        return true;
    } catch (const DbError &e) {
        prompter().error(e.text());
        return false;
    }
}

void TRevisionAnualForm::SpeedButton1Click()
{
    if (ObleaAntEdit->text().trimmed().isEmpty())
        return;
    const StickerFill f = ZeroFillSticker(ObleaAntEdit->text());
    if (!f.ok) {
        prompter().error(f.message);
        return;
    }
    ObleaAntEdit->setText(f.text);
    if (f.text == QLatin1String("0000000000")) {
        // No sticker: looking it up would bring any operation that had none before it.
        prompter().warn(QStringLiteral("Oblea no encontrada."));
    } else {
        SetRecallStickers(f.text, f.text);
        RecallBySticker();
    }
    if (m_kind != QLatin1String("H"))
        DominioEdit->setFocus();
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

void TRevisionAnualForm::SpeedButton2Click()
{
    const InstallationProfile *profile = profileById(Global.InstallationId);
    const bool allPecs = profile && profile->searchesAllPecs;
    const QString domain = m_domainMask.storedValue(DominioEdit->displayText()).trimmed();
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

void TRevisionAnualForm::Label35Click()
{
    TBusquedaPorApellidoForm dialog(this, m_prompter);
    afterSearch(chosenKeys(dialog), false);
}
