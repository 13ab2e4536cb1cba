#include "operations/form/ownergroup.h"

#include "core/editmask.h"
#include "core/global.h"
#include "core/helpers.h"
#include "core/operationrecord.h"
#include "core/prompter.h"
#include "core/recall.h"
#include "operations/form/fieldkeys.h"
#include "widgets/fieldrules.h"
#include "widgets/formkit.h"
#include "widgets/textfield.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace OperationForm
{

OwnerGroup::OwnerGroup(const Context &context)
    : QGroupBox(QStringLiteral("Propietario")), m_context(context),
      LabelNombre(Widgets::named(new QLabel(QStringLiteral("Apellido y Nombre")), "LabelNombre")),
      NombreEdit(Widgets::columnField("NombreEdit", 34)),
      SpeedButtonPropietarios(Widgets::toolButton("SpeedButtonPropietarios", QStringLiteral("Buscar por Propietario"),
                                                  QStyle::SP_DirOpenIcon)),
      DNIComboBox(Widgets::pickList("DNIComboBox",
                                    {QStringLiteral("DNI"), QStringLiteral("CUIT"), QStringLiteral("CI"),
                                     QStringLiteral("LC"), QStringLiteral("LE")},
                                    QStringLiteral("DNI"))),
      NroDocEdit(Widgets::columnField("NroDocEdit")),
      SpeedButton9(Widgets::toolButton("SpeedButton9", QStringLiteral("Buscar por Documento"),
                                       QStyle::SP_FileDialogContentsView)),
      CalleEdit(Widgets::columnField("CalleEdit", 43)), BarrioEdit(Widgets::columnField("BarrioEdit", 17)),
      CodigoEdit(Widgets::columnField("CodigoEdit", 4)), LocalidadEdit(Widgets::columnField("LocalidadEdit", 18)),
      ProvinciaComboBox(Widgets::pickList("ProvinciaComboBox", KnownProvinces(), QString())),
      ComboBoxTipoTE(Widgets::pickList("ComboBoxTipoTE", {QStringLiteral("CELULAR"), QStringLiteral("FIJO")},
                                       QStringLiteral("CELULAR"))),
      CaracteristicaEdit(Widgets::columnField("CaracteristicaEdit", 4)),
      TelefonoEdit(Widgets::columnField("TelefonoEdit", 10)),
      CheckBoxFormatoTE(Widgets::named(new QCheckBox, "CheckBoxFormatoTE")),
      emailEdit(Widgets::columnField("emailEdit", 50)), m_document(NroDocEdit, false, 20) // unrodoc varchar(20)
{
    setObjectName(QStringLiteral("GroupBoxPropietario"));
    auto *g = new QGridLayout(this);
    g->setVerticalSpacing(3);

    SpeedButtonPropietarios->setVisible(false);
    DNIComboBox->setEditable(true); // other document types may be typed
    DNIComboBox->setInsertPolicy(QComboBox::NoInsert);
    Widgets::limitText(DNIComboBox, 10, true); // utipdoc
    DNIComboBox->setCurrentText(QStringLiteral("DNI"));
    Widgets::reserveChars(NroDocEdit, 20); // unrodoc, when a stored number fits no mask
    ProvinciaComboBox->setEditable(true);  // free text, checked on leaving
    ProvinciaComboBox->setInsertPolicy(QComboBox::NoInsert);
    Widgets::limitText(ProvinciaComboBox, 20, true);
    CaracteristicaEdit->setMaximumWidth(CaracteristicaEdit->minimumWidth() + 12);
    CaracteristicaEdit->setPlaceholderText(QStringLiteral("Sin 0 "));
    CaracteristicaEdit->setToolTip(QStringLiteral("Sin 0 "));
    CheckBoxFormatoTE->setToolTip(QStringLiteral("Controlar Formato TE"));
    CheckBoxFormatoTE->setText(QStringLiteral("Controlar Formato TE"));
    CheckBoxFormatoTE->setChecked(true);
    ComboBoxTipoTE->setEnabled(false); // only while the format check is off

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(NombreEdit, 1);
    nameRow->addWidget(SpeedButtonPropietarios);
    g->addWidget(LabelNombre, 0, 0);
    g->addLayout(nameRow, 0, 1, 1, 3);

    auto *docRow = new QHBoxLayout;
    docRow->addWidget(DNIComboBox);
    docRow->addSpacing(6);
    docRow->addWidget(new QLabel(QStringLiteral("Nro. Documento")));
    docRow->addWidget(NroDocEdit, 1);
    docRow->addWidget(SpeedButton9);
    g->addWidget(new QLabel(QStringLiteral("Tipo")), 1, 0);
    g->addLayout(docRow, 1, 1, 1, 3);

    g->addWidget(new QLabel(QStringLiteral("Calle y Número")), 2, 0);
    g->addWidget(CalleEdit, 2, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Barrio")), 3, 0);
    g->addWidget(BarrioEdit, 3, 1);
    g->addWidget(new QLabel(QStringLiteral("CPA")), 3, 2);
    g->addWidget(CodigoEdit, 3, 3);
    g->addWidget(new QLabel(QStringLiteral("Localidad")), 4, 0);
    g->addWidget(LocalidadEdit, 4, 1);
    g->addWidget(new QLabel(QStringLiteral("Provincia")), 4, 2);
    g->addWidget(ProvinciaComboBox, 4, 3);

    auto *typeRow = new QHBoxLayout;
    typeRow->addWidget(ComboBoxTipoTE);
    typeRow->addWidget(CheckBoxFormatoTE);
    typeRow->addStretch(1);
    g->addWidget(new QLabel(QStringLiteral("Tipo Teléfono")), 5, 0);
    g->addLayout(typeRow, 5, 1, 1, 3);
    auto *phoneRow = new QHBoxLayout;
    phoneRow->addWidget(CaracteristicaEdit);
    phoneRow->addWidget(TelefonoEdit, 1);
    g->addWidget(new QLabel(QStringLiteral("Caracteristica y Número")), 6, 0);
    g->addLayout(phoneRow, 6, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("e-mail:")), 7, 0);
    g->addWidget(emailEdit, 7, 1, 1, 3);
    g->setColumnStretch(1, 3);
    g->setColumnStretch(3, 2);

    ProvinciaComboBox->setCurrentText(Global.WorkshopProvince);
    setDocumentMask(OperationMasks::DocumentOnOpening);
    for (QLineEdit *e : {NombreEdit, CalleEdit, BarrioEdit, LocalidadEdit})
        setUpperCase(e);
    FieldKeys &keys = context.keys;
    keys.watch(NombreEdit, FieldKeys::Keys::Name);
    keys.watch(BarrioEdit, FieldKeys::Keys::Name);
    keys.watch(CalleEdit, FieldKeys::Keys::Street);
    keys.watch(CaracteristicaEdit, FieldKeys::Keys::AreaCode);
    // A landline's area code is left alone, Enter included.
    keys.passWhile(CaracteristicaEdit, [this] { return ComboBoxTipoTE->currentText() != QLatin1String("CELULAR"); });
    for (QWidget *w : std::initializer_list<QWidget *>{DNIComboBox, NroDocEdit, CodigoEdit, LocalidadEdit,
                                                       ProvinciaComboBox, ComboBoxTipoTE, TelefonoEdit, emailEdit})
        keys.watch(w, FieldKeys::Keys::EnterOnly);

    Widgets::FieldRules &rules = context.rules;
    rules.onEnter(NroDocEdit, [this] { setDocumentMask(OperationMasks::DocumentFor(DNIComboBox->currentText())); });
    rules.onEnter(LocalidadEdit, [this] {
        if (LocalidadEdit->text().isEmpty())
            LocalidadEdit->setText(Global.WorkshopLocality);
    });
    rules.onExit(ProvinciaComboBox, [this] { provinceLeft(); });
    rules.onExit(TelefonoEdit, [this] { checkPhone(TelefonoEdit, TelephoneProblem); });
    rules.onExit(CaracteristicaEdit, [this] { checkPhone(CaracteristicaEdit, AreaCodeProblem); });
    connect(CheckBoxFormatoTE, &QCheckBox::clicked, this,
            [this] { ComboBoxTipoTE->setEnabled(!CheckBoxFormatoTE->isChecked()); });
    connect(SpeedButton9, &QToolButton::clicked, this, &OwnerGroup::ownerWanted);
    connect(SpeedButtonPropietarios, &QToolButton::clicked, this, &OwnerGroup::ownerWanted);
}

void OwnerGroup::read(OperationRecord &r) const
{
    r.nombre = NombreEdit->text();
    r.tipoDoc = DNIComboBox->currentText();
    r.nroDoc = m_document.value();
    r.calle = CalleEdit->text();
    r.barrio = BarrioEdit->text();
    r.codigoPostal = CodigoEdit->text();
    r.localidad = LocalidadEdit->text();
    r.provincia = ProvinciaComboBox->currentText();
    r.tipoTelefono = ComboBoxTipoTE->currentText();
    r.caracteristica = CaracteristicaEdit->text();
    r.telefono = TelefonoEdit->text();
    r.email = emailEdit->text();
}

void OwnerGroup::fill(const OperationRecord &r)
{
    fillParty(r);
    emailEdit->setText(r.email);
}

void OwnerGroup::copyOwner(const Owners::Owner &owner)
{
    OperationRecord r;
    Recall::CopyOwner(owner, r);
    fillParty(r);
}

void OwnerGroup::fillParty(const OperationRecord &r)
{
    NombreEdit->setText(r.nombre);
    showText(DNIComboBox, r.tipoDoc);
    NroDocEdit->clear(); // the mask first, so the number is not cut by the old one
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
}

void OwnerGroup::setDocumentMask(const QString &mask)
{
    m_document.keepDigitsOnly();
    m_document.setMask(mask);
}

void OwnerGroup::showOwnerListButton(bool shown)
{
    SpeedButtonPropietarios->setVisible(shown);
}

void OwnerGroup::hideNameCaption()
{
    LabelNombre->setVisible(false);
}

void OwnerGroup::lockDocumentSearch()
{
    SpeedButton9->setEnabled(false);
}

void OwnerGroup::provinceLeft()
{
    if (IsKnownProvince(ProvinciaComboBox->currentText()))
        return;
    m_context.prompter.error(QStringLiteral("Provincia invalida."));
    m_context.rules.refocus(ProvinciaComboBox);
}

void OwnerGroup::checkPhone(QLineEdit *field, QString (*problem)(const QString &))
{
    if (!CheckBoxFormatoTE->isChecked())
        return;
    const QString found = problem(field->text());
    if (found.isEmpty())
        return;
    m_context.prompter.info(found);
    m_context.rules.refocus(field);
}

} // namespace OperationForm
