#include "operations/form/vehiclegroup.h"

#include "core/editmask.h"
#include "core/operationkind.h"
#include "core/operationrecord.h"
#include "core/prompter.h"
#include "operations/form/fieldkeys.h"
#include "widgets/fieldrules.h"
#include "widgets/formkit.h"
#include "widgets/textfield.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>

namespace OperationForm
{

VehicleGroup::VehicleGroup(const Context &context, int maxModelYear)
    : QGroupBox(QStringLiteral("Vehículo")), m_context(context), m_maxModelYear(maxModelYear),
      MarcaEdit(Widgets::columnField("MarcaEdit", 10)), ModeloEdit(Widgets::columnField("ModeloEdit", 20)),
      AnioSpinEdit(Widgets::named(new QSpinBox, "AnioSpinEdit")),
      InyeccionComboEdit(
          Widgets::pickList("InyeccionComboEdit", {QStringLiteral("SI"), QStringLiteral("NO")}, QStringLiteral("NO"))),
      TipoComboEdit(Widgets::pickList("TipoComboEdit", VehicleUseTexts(), QStringLiteral("PARTICULAR"))),
      DominioEdit(Widgets::columnField("DominioEdit")), VINEdit(Widgets::columnField("VINEdit", 30)),
      SpeedButtonClear(Widgets::toolButton("SpeedButtonClear", QStringLiteral("Limpiar Formato Dominio"),
                                           QStyle::SP_DialogResetButton)),
      m_domain(DominioEdit, true, 9) // udominio is char(9)
{
    setObjectName(QStringLiteral("GroupBoxVehiculo"));
    auto *g = new QGridLayout(this);
    g->setVerticalSpacing(3);

    AnioSpinEdit->setRange(0, 9999); // out-of-range years reach the leave check and its message
    AnioSpinEdit->setValue(2000);
    Widgets::reserveChars(DominioEdit, 9); // udominio, unmasked
    // Only of use while the plate has the focus: Tab never takes it there.
    SpeedButtonClear->setFocusPolicy(Qt::NoFocus);
    SpeedButtonClear->setEnabled(false);

    auto *domainRow = new QHBoxLayout;
    domainRow->setSpacing(2);
    domainRow->addWidget(DominioEdit, 1);
    domainRow->addWidget(SpeedButtonClear);
    g->addWidget(new QLabel(QStringLiteral("Marca")), 0, 0);
    g->addWidget(MarcaEdit, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Modelo")), 0, 2);
    g->addWidget(ModeloEdit, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("Año")), 1, 0);
    g->addWidget(AnioSpinEdit, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Inyección")), 1, 2);
    g->addWidget(InyeccionComboEdit, 1, 3, Qt::AlignLeft);
    g->addWidget(new QLabel(QStringLiteral("Tipo de Vehículo")), 2, 0);
    g->addWidget(TipoComboEdit, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Dominio")), 2, 2);
    g->addLayout(domainRow, 2, 3);
    g->addWidget(new QLabel(QStringLiteral("VIN")), 3, 0);
    g->addWidget(VINEdit, 3, 1, 1, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 2);

    setDomainMask(OperationMasks::DomainOnOpening);
    for (QLineEdit *e : {MarcaEdit, ModeloEdit, DominioEdit}) // the plate also without a mask
        setUpperCase(e);
    FieldKeys &keys = context.keys;
    keys.watch(MarcaEdit, FieldKeys::Keys::Name);
    keys.watch(ModeloEdit, FieldKeys::Keys::Name);
    keys.watch(DominioEdit, FieldKeys::Keys::Domain);
    for (QWidget *w : std::initializer_list<QWidget *>{InyeccionComboEdit, TipoComboEdit, VINEdit})
        keys.watch(w, FieldKeys::Keys::EnterOnly);
    keys.watch(AnioSpinEdit, FieldKeys::Keys::EnterKeepsKey);

    // The clear button of the plate is usable while the plate is being typed.
    context.rules.onEnter(DominioEdit, [this] { domainEntered(); });
    context.rules.onExit(DominioEdit, [this] { SpeedButtonClear->setEnabled(false); });
    context.rules.onExit(AnioSpinEdit, [this] { yearLeft(); });
    connect(SpeedButtonClear, &QToolButton::clicked, this, [this] { setDomainMask(QString()); });
}

void VehicleGroup::read(OperationRecord &r) const
{
    r.marca = MarcaEdit->text();
    r.modelo = ModeloEdit->text();
    r.anio = AnioSpinEdit->value();
    r.inyeccion = InyeccionComboEdit->currentText();
    r.tipoUso = TipoComboEdit->currentText();
    r.dominio = domain();
    r.vin = VINEdit->text();
}

void VehicleGroup::fill(const OperationRecord &r, const QString *domainMask)
{
    MarcaEdit->setText(r.marca);
    ModeloEdit->setText(r.modelo);
    AnioSpinEdit->setValue(r.anio);
    showText(InyeccionComboEdit, r.inyeccion);
    showText(TipoComboEdit, r.tipoUso);
    DominioEdit->clear();
    if (domainMask)
        setDomainMask(*domainMask);
    DominioEdit->setText(r.dominio);
    VINEdit->setText(r.vin);
}

QString VehicleGroup::typedDomain() const
{
    return DominioEdit->text().trimmed();
}

void VehicleGroup::focusDomain()
{
    DominioEdit->setFocus();
}

void VehicleGroup::domainEntered()
{
    SpeedButtonClear->setEnabled(true);
    setDomainMask(OperationMasks::DomainOnEntering(AnioSpinEdit->value()));
}

void VehicleGroup::yearLeft()
{
    const int year = AnioSpinEdit->value();
    if (year >= MinModelYear && year <= m_maxModelYear)
        return;
    m_context.prompter.alert(QStringLiteral("Año Invalido."));
    m_context.rules.refocus(AnioSpinEdit);
}

} // namespace OperationForm
