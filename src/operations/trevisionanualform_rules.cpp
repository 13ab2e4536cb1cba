// Kind layout, key filters and the enter/leave rules of the operation form.
#include "operations/trevisionanualform.h"

#include "core/clock.h"
#include "core/global.h"
#include "core/helpers.h"
#include "core/operationkind.h"
#include "core/prompter.h"
#include "operations/linklabel.h"
#include "widgets/entermoves.h"
#include "widgets/fieldrules.h"
#include "widgets/formwindow.h"
#include "widgets/textfield.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

bool TRevisionAnualForm::isConsultation() const
{
    return m_kind == ConsultationKind;
}

void TRevisionAnualForm::SetOperationKind(const QString &code)
{
    m_kind = code.trimmed().toUpper();
    ObleaNewEdit->setVisible(false);
    LabelObleaNew->setVisible(false);
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
    RGestionComboBox->setCurrentText(k->regulatorGestion);
    RGestionComboBox->setEnabled(!k->regulatorGestionLocked);
    RNuevoComboBox->setCurrentText(k->regulatorNuevo);

    const KindDates dates = StandardDates(Clock::today());
    DateTimePickerMontaje->setDate(dates.mounting);
    DateTimePickerHabilitacion->setDate(dates.enabling);
    DateTimePickerVencimiento->setDate(dates.expiry);

    SpeedButton8->setVisible(!k->hidesValveReplacement);
    for (QWidget *w : std::initializer_list<QWidget *>{ObleaAntEdit, LabelObleaAnt, SpeedButton1})
        w->setVisible(!k->hidesPreviousSticker);
    AnioObleaAnteriorEdit->setVisible(false); // never shown
    for (QWidget *w : std::initializer_list<QWidget *>{DateTimePickerHabilitacion, LabelHabilitacion,
                                                       DateTimePickerVencimiento, LabelVencimiento, Shape1})
        w->setVisible(!k->hidesEnablingAndExpiry);
    LabelMontaje->setText(k->mountingDateLabel);
    LabelObleaAnt->setText(k->previousStickerLabel);
    setWindowTitle(k->caption);
}

void TRevisionAnualForm::applyConsultation()
{
    for (QWidget *w :
         std::initializer_list<QWidget *>{GroupBoxVehiculo, GroupBoxPropietario, GroupBoxRegulador,
                                          DateTimePickerMontaje, DateTimePickerHabilitacion, DateTimePickerVencimiento})
        w->setEnabled(false);
    for (QWidget *w : std::initializer_list<QWidget *>{Label35, Label36, Label37, LabelNombre})
        w->setVisible(false);
    for (QWidget *w : std::initializer_list<QWidget *>{SpeedButton9, SpeedButton3, SpeedButton1, SpeedButton4,
                                                       SpeedButton5, SpeedButton6, SpeedButton8, BitBtn1})
        w->setEnabled(false);
    // Nothing else may change what is viewed either: no other recall, no
    // order copied in, no letter; the accessories and the attached files
    // open read-only.
    for (QWidget *w : std::initializer_list<QWidget *>{SpeedButton2, TraerDesdeOCLabel, SpeedButtonCC1, SpeedButtonCC2})
        w->setEnabled(false);
    for (QLineEdit *e : {ObleaAntEdit, ObleaNewEdit, EditObs})
        e->setReadOnly(true);
    LabelObleaAnt->setText(QStringLiteral("Oblea"));
    LabelTaller->setVisible(true);
    tallerEdit->setVisible(true);
    tallerEdit->setEnabled(false);
    setWindowTitle(ConsultationCaption(m_shownKind));
}

void TRevisionAnualForm::SetRecallStickers(const QString &sticker, const QString &previousSticker)
{
    m_recallSticker = sticker;
    m_recallPreviousSticker = previousSticker;
}

void TRevisionAnualForm::SetPendingId(int id)
{
    m_pendingId = id;
}

// --- masks -------------------------------------------------------------------

namespace
{

// Puts `mask` on `edit` keeping what the field already stores; when the value
// does not fit the new mask the field is left without one, so nothing is cut.
EditMask remask(QLineEdit *edit, const EditMask &current, const QString &mask, bool upper, int unmaskedMaxLength)
{
    const QString value = current.storedValue(edit->displayText());
    EditMask next = TranslateEditMask(mask, upper);
    if (!value.isEmpty() && !next.fits(value))
        next = TranslateEditMask(QString(), upper);
    edit->setInputMask(next.qtMask);
    if (next.isEmpty())
        edit->setMaxLength(unmaskedMaxLength);
    edit->setText(value);
    return next;
}

} // namespace

void TRevisionAnualForm::setDomainMask(const QString &mask)
{
    m_domainMask = remask(DominioEdit, m_domainMask, mask, true, 9); // udominio is char(9)
}

void TRevisionAnualForm::setDocumentMask(const QString &mask)
{
    // Switching between CUIT and the other types re-places the digits only.
    QString digits;
    for (const QChar c : m_documentMask.storedValue(NroDocEdit->displayText()))
        if (c.isDigit())
            digits += c;
    NroDocEdit->setInputMask(QString());
    NroDocEdit->setText(digits);
    m_documentMask = EditMask{};
    m_documentMask = remask(NroDocEdit, m_documentMask, mask, false, 20); // unrodoc varchar(20)
}

// --- key filters ---------------------------------------------------------------

namespace
{

bool asciiDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

bool asciiLetterOrDigit(char32_t c)
{
    return asciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool nameChar(char32_t c)
{
    return asciiLetterOrDigit(c) || c == ' ' || c == U'Ñ' || c == U'ñ';
}

bool streetChar(char32_t c)
{
    return nameChar(c) || c == '(' || c == ')' || c == '-';
}

} // namespace

// The characters each filtered field takes; none for the others.
Widgets::CharacterSet TRevisionAnualForm::characterSet(Keys keys)
{
    switch (keys) {
    case Keys::Name:
        return nameChar;
    case Keys::Street:
        return streetChar;
    case Keys::Domain:
        return asciiLetterOrDigit;
    case Keys::Digits:
        return asciiDigit;
    default:
        return {};
    }
}

void TRevisionAnualForm::watch(QWidget *w, Keys keys)
{
    m_keys.insert(w, keys);
    w->installEventFilter(this);
    // Text pasted into a name or an address loses what could not be typed
    // (an emoji). A pasted sticker keeps its text: the zero fill reports it
    // rather than let a letter O vanish from the number.
    if (keys != Keys::Name && keys != Keys::Street)
        return;
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        Widgets::filterInsertedText(edit, characterSet(keys), [this] { refuseKey(); });
}

void TRevisionAnualForm::refuseKey()
{
    QApplication::beep();
    emit keyRefused();
}

bool TRevisionAnualForm::filterKey(QWidget *w, Keys keys, QKeyEvent *ke)
{
    const bool enter = ke->key() == Qt::Key_Return || ke->key() == Qt::Key_Enter;
    if (w == CaracteristicaEdit && ComboBoxTipoTE->currentText() != QLatin1String("CELULAR"))
        return false; // a landline's area code is left alone, Enter included
    if (enter) {
        if (keys == Keys::None)
            return false;
        Widgets::focusNextField(w, !(ke->modifiers() & Qt::ShiftModifier));
        return keys != Keys::EnterKeepsKey;
    }
    // Only typed characters are filtered: navigation keys, Backspace and
    // shortcuts pass. An emoji arrives as one key with two UTF-16 units.
    const QString text = ke->text();
    if (text.isEmpty() || (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (text.size() == 1 && (text.at(0).unicode() < 32 || text.at(0).unicode() == 127))
        return false;
    if (keys == Keys::AreaCode) {
        // Discarded quietly: the area code goes without its 0.
        return text == QLatin1String("0") && CaracteristicaEdit->text().isEmpty();
    }
    const Widgets::CharacterSet allowed = characterSet(keys);
    if (!allowed || Widgets::allAllowed(text, allowed))
        return false;
    refuseKey();
    return true;
}

bool TRevisionAnualForm::eventFilter(QObject *watched, QEvent *event)
{
    auto *w = qobject_cast<QWidget *>(watched);
    const auto it = w ? m_keys.constFind(w) : m_keys.constEnd();
    if (it == m_keys.constEnd())
        return QDialog::eventFilter(watched, event);

    if (event->type() == QEvent::KeyPress && filterKey(w, it.value(), static_cast<QKeyEvent *>(event)))
        return true;
    return QDialog::eventFilter(watched, event);
}

// Back to a field whose rule refused (the form's field rules know it was
// not left).
void TRevisionAnualForm::refocus(QWidget *w)
{
    Widgets::FieldRules::of(this)->refocus(w);
}

// --- enter / leave rules ------------------------------------------------------

void TRevisionAnualForm::fillSticker(QLineEdit *edit)
{
    const StickerFill f = ZeroFillSticker(edit->text());
    if (f.ok) {
        edit->setText(f.text);
        return;
    }
    prompter().error(f.message);
    refocus(edit);
}

void TRevisionAnualForm::ObleaAntEditExit()
{
    fillSticker(ObleaAntEdit);
}

void TRevisionAnualForm::ObleaNewEditExit()
{
    fillSticker(ObleaNewEdit);
}

void TRevisionAnualForm::DominioEditEnter()
{
    SpeedButtonClear->setEnabled(true);
    setDomainMask(OperationMasks::DomainOnEntering(AnioSpinEdit->value()));
}

void TRevisionAnualForm::DominioEditExit()
{
    SpeedButtonClear->setEnabled(false);
}

void TRevisionAnualForm::SpeedButtonClearClick()
{
    setDomainMask(QString());
}

void TRevisionAnualForm::NroDocEditEnter()
{
    setDocumentMask(OperationMasks::DocumentFor(DNIComboBox->currentText()));
}

void TRevisionAnualForm::LocalidadEditEnter()
{
    if (LocalidadEdit->text().isEmpty())
        LocalidadEdit->setText(Global.WorkshopLocality);
}

void TRevisionAnualForm::ProvinciaComboBoxExit()
{
    if (IsKnownProvince(ProvinciaComboBox->currentText()))
        return;
    prompter().error(QStringLiteral("Provincia invalida."));
    refocus(ProvinciaComboBox);
}

void TRevisionAnualForm::TelefonoEditExit()
{
    if (!CheckBoxFormatoTE->isChecked())
        return;
    const QString problem = TelephoneProblem(TelefonoEdit->text());
    if (problem.isEmpty())
        return;
    prompter().info(problem);
    refocus(TelefonoEdit);
}

void TRevisionAnualForm::CaracteristicaEditExit()
{
    if (!CheckBoxFormatoTE->isChecked())
        return;
    const QString problem = AreaCodeProblem(CaracteristicaEdit->text());
    if (problem.isEmpty())
        return;
    prompter().info(problem);
    refocus(CaracteristicaEdit);
}

void TRevisionAnualForm::CheckBoxFormatoTEClick()
{
    ComboBoxTipoTE->setEnabled(!CheckBoxFormatoTE->isChecked());
}

void TRevisionAnualForm::AnioSpinEditExit()
{
    const int year = AnioSpinEdit->value();
    if (year >= MinModelYear && year <= m_maxModelYear)
        return;
    prompter().alert(QStringLiteral("Año Invalido."));
    refocus(AnioSpinEdit);
}

void TRevisionAnualForm::DateTimePickerVencimientoExit()
{
    if (IsExpiryWithinLimit(DateTimePickerVencimiento->date(), DateTimePickerHabilitacion->date()))
        return;
    prompter().error(QStringLiteral("Fecha de Vencimiento Invalida."));
    refocus(DateTimePickerVencimiento);
}

void TRevisionAnualForm::BitBtn2Click()
{
    if (isConsultation()) {
        accept();
        return;
    }
    emit acceptRequested();
}

void TRevisionAnualForm::BitBtn1Click()
{
    if (auto *guard = static_cast<Widgets::DiscardGuard *>(
            findChild<QObject *>(QStringLiteral("DiscardGuard"), Qt::FindDirectChildrenOnly)))
        guard->cancel();
    else
        reject();
}

// --- the record ------------------------------------------------------------------

OperationRecord TRevisionAnualForm::record() const
{
    OperationRecord r;
    r.kind = m_kind;
    r.description = m_operationDescription;
    r.obleaAnt = ObleaAntEdit->text();
    r.anioObleaAnt = AnioObleaAnteriorEdit->text();
    r.obleaNew = ObleaNewEdit->text();
    r.marca = MarcaEdit->text();
    r.modelo = ModeloEdit->text();
    r.anio = AnioSpinEdit->value();
    r.inyeccion = InyeccionComboEdit->currentText();
    r.tipoUso = TipoComboEdit->currentText();
    r.dominio = m_domainMask.storedValue(DominioEdit->displayText());
    r.vin = VINEdit->text();
    r.nombre = NombreEdit->text();
    r.tipoDoc = DNIComboBox->currentText();
    r.nroDoc = m_documentMask.storedValue(NroDocEdit->displayText());
    r.calle = CalleEdit->text();
    r.barrio = BarrioEdit->text();
    r.codigoPostal = CodigoEdit->text();
    r.localidad = LocalidadEdit->text();
    r.provincia = ProvinciaComboBox->currentText();
    r.tipoTelefono = ComboBoxTipoTE->currentText();
    r.caracteristica = CaracteristicaEdit->text();
    r.telefono = TelefonoEdit->text();
    r.email = emailEdit->text();
    r.regulador = {CodigoRegularEdit->text(), MarcaReguladorEdit->text(), NroSerieReguladorEdit->text(),
                   RGestionComboBox->currentText(), RNuevoComboBox->currentText()};
    r.hasSecondRegulator = !CodigoReguladorNuevoEdit->isHidden();
    r.reguladorNuevo = {CodigoReguladorNuevoEdit->text(), MarcaReguladorNuevoEdit->text(),
                        NroSerieReguladorNuevoEdit->text(), RGestionNuevoComboBox->currentText(),
                        RNuevoNuevoComboBox->currentText()};
    r.fechaMontaje = DateTimePickerMontaje->date();
    r.fechaHabilitacion = DateTimePickerHabilitacion->date();
    r.fechaVencimiento = DateTimePickerVencimiento->date();
    r.observaciones = EditObs->text();
    r.accesorios = m_accessories;
    r.attachmentPaths = m_attachmentPaths;
    r.estado = ComboBoxEstado->currentIndex();
    r.cylinders = cylinders();
    return r;
}
