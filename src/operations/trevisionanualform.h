#pragma once

#include "app/requests.h"
#include "core/editmask.h"
#include "core/operationrecord.h"
#include "widgets/messages.h"
#include "widgets/textfield.h"
#include "widgets/waitcursor.h"

#include <QDialog>
#include <QHash>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableView;
class QToolButton;
class CylinderList;
class LinkLabel;
namespace RecallRepository
{
struct WorkshopIdentity;
}
namespace Recall
{
struct Copied;
}

// The operation form: one window for every operation kind and for the
// consultation of an earlier operation. Controls keep their designer names
// as objectName. Recall, the cylinder dialogs, look-ups, checks, save and
// printing hang on the buttons and are wired in by their own code.
class TRevisionAnualForm : public QDialog
{
    Q_OBJECT
public:
    // Builds the form as the main window does, without showing it. Every
    // question and notice of the form and of its dialogs goes to `prompter`.
    explicit TRevisionAnualForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());
    ~TRevisionAnualForm() override;

    Prompter &prompter() const { return m_prompter; }

    // The navigator's requests this window answers (operations/windows.cpp):
    // a new operation, a pending one for editing, an earlier one read-only.
    // Each runs the form modally and returns the dialog result.
    static int openNew(const Nav::OpenOperation &request, QWidget *parent);
    static int editPending(const Nav::EditPending &request, QWidget *parent);
    static int view(const Nav::ViewOperation &request, QWidget *parent);
    // An operation of the outbox, to be corrected and sent.
    static bool openWaiting(const Nav::OpenWaiting &request, QWidget *parent);

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
    void SetPendingId(int id);
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

    // The operation as shown, with the domain and document number in their
    // stored form.
    OperationRecord record() const;

    // Masks of the two masked fields (recall and owner look-up set them too).
    // A value already in the field that does not fit the new mask leaves the
    // field unmasked instead of being cut.
    void setDomainMask(const QString &mask);
    void setDocumentMask(const QString &mask);
    QString domainMask() const { return m_domainMask.source; }
    QString documentMask() const { return m_documentMask.source; }

    // The cylinders of the operation on screen: the work table behind the
    // grid and the details below it. setCylinders refills it.
    void setCylinders(const QVector<CylinderRow> &rows);
    QVector<CylinderRow> cylinders() const;
    CylinderList *cylinderList() const { return m_cylinders; }

    // Progress panel shown over the form during recalls and saves.
    void showProgress(int steps);
    void addProgressStep(const QString &line);
    void hideProgress();

public slots:
    // Enter/leave rules, named after the control and event.
    void ObleaAntEditExit();
    void ObleaNewEditExit();
    void DominioEditEnter();
    void DominioEditExit();
    void NroDocEditEnter();
    void LocalidadEditEnter();
    void ProvinciaComboBoxExit();
    void TelefonoEditExit();
    void CaracteristicaEditExit();
    void CheckBoxFormatoTEClick();
    void AnioSpinEditExit();
    void DateTimePickerVencimientoExit();
    void SpeedButtonClearClick();
    void BitBtn2Click();
    void BitBtn1Click();
    void SpeedButton1Click(); // recall by the previous sticker
    void SpeedButton2Click(); // "Buscar por Dominio"
    void Label35Click();      // "Buscar por Propietario"
    void Label36Click();      // "Buscar por Cilindro"
    void Label37Click();      // "Buscar por Regulador"
    void TraerDesdeOCLabelClick();
    void SpeedButton9Click();   // "Buscar por Documento"; also the owner group's "Buscar por Propietario"
    void SpeedButtonCC1Click(); // "Carta Compromiso"
    void SpeedButtonCC2Click(); // collects the selected cylinder for the letter

signals:
    void keyRefused();      // a key a field does not accept (after the beep)
    void acceptRequested(); // "Aceptar" outside consultation: checks and save

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    enum class Keys { None, Name, Street, Domain, Digits, AreaCode, EnterOnly, EnterKeepsKey };

    void buildUi();
    QWidget *buildTopRow();
    QGroupBox *buildVehicle();
    QGroupBox *buildOwner();
    QGroupBox *buildRegulator();
    QGroupBox *buildCylinders();
    QWidget *buildDatesAndObservations();
    QWidget *buildButtons();
    void buildProgressPanel();
    void runCreationSteps();
    void loadWorkshopList();
    void applyKindLayout(const QString &code);
    void applyConsultation();
    void setUpperCase(QLineEdit *edit);
    static Widgets::CharacterSet characterSet(Keys keys);
    void watch(QWidget *w, Keys keys);
    bool filterKey(QWidget *w, Keys keys, class QKeyEvent *ke);
    void refocus(QWidget *w);
    void refuseKey();
    void fillSticker(QLineEdit *edit);
    void wireRecall();
    enum class Source { Sticker, Number, AllPecs };
    bool runRecall(Source source, const QString &peccod, const QString &talcuit, qint64 tnrointopr);
    void rereadWorkshopIdentity(const RecallRepository::WorkshopIdentity &identity);
    void afterSearch(const std::optional<Nav::OperationKey> &keys, bool allPecs);
    void wireHandOvers();
    void copyOwner(const Owners::Owner &owner);
    void copyConversionOrder(const Orders::ConversionOrder &order);
    static void showText(QComboBox *box, const QString &text);

    Prompter &m_prompter;

    // Form fields.
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

    EditMask m_domainMask, m_documentMask;
    QHash<QWidget *, Keys> m_keys;
    bool m_activated = false;
    // The hourglass from creation until the form first shows.
    std::optional<Widgets::WaitCursor> m_creating;

public:
    // Controls (designer names in objectName).
    QLabel *Image1 = nullptr;
    QLabel *LabelObleaAnt = nullptr, *LabelObleaNew = nullptr, *LabelTaller = nullptr;
    QLineEdit *ObleaAntEdit = nullptr, *AnioObleaAnteriorEdit = nullptr, *ObleaNewEdit = nullptr;
    QComboBox *tallerEdit = nullptr;
    QToolButton *SpeedButton1 = nullptr, *SpeedButton2 = nullptr;
    LinkLabel *Label35 = nullptr, *Label36 = nullptr, *Label37 = nullptr, *TraerDesdeOCLabel = nullptr;

    QGroupBox *GroupBoxVehiculo = nullptr;
    QLineEdit *MarcaEdit = nullptr, *ModeloEdit = nullptr;
    QSpinBox *AnioSpinEdit = nullptr;
    QComboBox *InyeccionComboEdit = nullptr, *TipoComboEdit = nullptr;
    QLineEdit *DominioEdit = nullptr, *VINEdit = nullptr;
    QToolButton *SpeedButtonClear = nullptr;

    QGroupBox *GroupBoxPropietario = nullptr;
    QLabel *LabelNombre = nullptr;
    QLineEdit *NombreEdit = nullptr;
    QComboBox *DNIComboBox = nullptr;
    QLineEdit *NroDocEdit = nullptr;
    QToolButton *SpeedButton9 = nullptr, *SpeedButtonPropietarios = nullptr;
    QLineEdit *CalleEdit = nullptr, *BarrioEdit = nullptr, *CodigoEdit = nullptr, *LocalidadEdit = nullptr;
    QComboBox *ProvinciaComboBox = nullptr, *ComboBoxTipoTE = nullptr;
    QLineEdit *CaracteristicaEdit = nullptr, *TelefonoEdit = nullptr, *emailEdit = nullptr;
    QCheckBox *CheckBoxFormatoTE = nullptr;

    QGroupBox *GroupBoxRegulador = nullptr;
    QLineEdit *CodigoRegularEdit = nullptr, *MarcaReguladorEdit = nullptr, *NroSerieReguladorEdit = nullptr;
    QComboBox *RGestionComboBox = nullptr, *RNuevoComboBox = nullptr;
    QToolButton *SpeedButton3 = nullptr, *SpeedButton7 = nullptr;
    QLabel *LabelReguladorNuevo = nullptr;
    QLineEdit *CodigoReguladorNuevoEdit = nullptr, *MarcaReguladorNuevoEdit = nullptr,
              *NroSerieReguladorNuevoEdit = nullptr;
    QComboBox *RGestionNuevoComboBox = nullptr, *RNuevoNuevoComboBox = nullptr;

    QGroupBox *GroupBoxCilindros = nullptr;
    QTableView *DBGrid1 = nullptr;
    QToolButton *SpeedButton4 = nullptr, *SpeedButton5 = nullptr, *SpeedButton6 = nullptr, *SpeedButton8 = nullptr,
                *SpeedButtonCC1 = nullptr, *SpeedButtonCC2 = nullptr;
    QToolButton *SpeedButtonVida = nullptr; // the selected cylinder's whole life, in every mode
    QLineEdit *DBEditValCod = nullptr, *DBEditValNro = nullptr, *DBEditValGest = nullptr, *DBEditNroCertif = nullptr,
              *DBEditRValCod = nullptr, *DBEditRValNro = nullptr, *DBEditRValGest = nullptr;

    QLabel *LabelMontaje = nullptr, *LabelHabilitacion = nullptr, *LabelVencimiento = nullptr;
    QDateEdit *DateTimePickerMontaje = nullptr, *DateTimePickerHabilitacion = nullptr,
              *DateTimePickerVencimiento = nullptr;
    QFrame *Shape1 = nullptr;
    QLineEdit *EditObs = nullptr;

    QPushButton *BitBtnAccesorios = nullptr, *BitBtnAdjuntar = nullptr;
    QLabel *LabelEstado = nullptr;
    QComboBox *ComboBoxEstado = nullptr;
    QPushButton *BitBtnCambiarEstado = nullptr;
    LinkLabel *Label40 = nullptr;
    QCheckBox *CheckBoxDirectPrint = nullptr; // always hidden and off: every document goes through the preview
    QPushButton *BitBtn5 = nullptr, *BitBtn3 = nullptr, *BitBtn2 = nullptr, *BitBtn1 = nullptr;

    QFrame *PanelTareas = nullptr;
    QProgressBar *ProgressBarTareas = nullptr;
    QPlainTextEdit *MemoTareas = nullptr;

private:
    CylinderList *m_cylinders = nullptr;
    void showCylinderDetails();
};
