#include "operations/form/regulatorgroup.h"

#include "core/global.h"
#include "core/installationprofile.h"
#include "core/operationkind.h"
#include "core/operationrecord.h"
#include "operations/cylinders/regulatorlookup.h"
#include "operations/form/fieldkeys.h"
#include "widgets/fieldrules.h"
#include "widgets/formkit.h"
#include "widgets/textfield.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace OperationForm
{

namespace
{

QLineEdit *brandField(const char *name)
{
    QLineEdit *e = Widgets::readOnlyField(QString::fromLatin1(name), nullptr, Qt::NoFocus);
    Widgets::reserveChars(e, 20);
    return e;
}

QComboBox *yesNo(const char *name, const QString &current)
{
    return Widgets::pickList(QString::fromLatin1(name), {QStringLiteral("NO"), QStringLiteral("SI")}, current);
}

QToolButton *lookUpButton(const char *name)
{
    return Widgets::toolButton(QString::fromLatin1(name), QStringLiteral("Buscar Regulador"),
                               QStyle::SP_FileDialogContentsView);
}

} // namespace

RegulatorGroup::RegulatorGroup(const Context &context)
    : QGroupBox(QStringLiteral("Regulador")), m_context(context),
      CodigoRegularEdit(Widgets::columnField("CodigoRegularEdit", 4)), // widths of temp_reg
      MarcaReguladorEdit(brandField("MarcaReguladorEdit")),
      NroSerieReguladorEdit(Widgets::columnField("NroSerieReguladorEdit", 25)),
      RGestionComboBox(Widgets::pickList("RGestionComboBox", RegulatorGestionTexts(), QStringLiteral("SIN CAMBIOS"))),
      RNuevoComboBox(yesNo("RNuevoComboBox", QStringLiteral("NO"))), SpeedButton3(lookUpButton("SpeedButton3")),
      LabelReguladorNuevo(Widgets::named(new QLabel(QStringLiteral("Nuevo")), "LabelReguladorNuevo")),
      CodigoReguladorNuevoEdit(Widgets::columnField("CodigoReguladorNuevoEdit", 4)),
      MarcaReguladorNuevoEdit(brandField("MarcaReguladorNuevoEdit")),
      NroSerieReguladorNuevoEdit(Widgets::columnField("NroSerieReguladorNuevoEdit", 25)),
      RGestionNuevoComboBox(
          Widgets::pickList("RGestionNuevoComboBox", RegulatorGestionTexts(), QStringLiteral("MONTAJE"))),
      RNuevoNuevoComboBox(yesNo("RNuevoNuevoComboBox", QStringLiteral("SI"))),
      SpeedButton7(lookUpButton("SpeedButton7")), m_current{CodigoRegularEdit, MarcaReguladorEdit,
                                                            NroSerieReguladorEdit, RGestionComboBox, RNuevoComboBox},
      m_second{CodigoReguladorNuevoEdit, MarcaReguladorNuevoEdit, NroSerieReguladorNuevoEdit, RGestionNuevoComboBox,
               RNuevoNuevoComboBox}
{
    setObjectName(QStringLiteral("GroupBoxRegulador"));
    auto *g = new QGridLayout(this);
    g->setVerticalSpacing(3);
    const QStringList titles = {QStringLiteral("Código"),
                                QString(),
                                QStringLiteral("Marca "),
                                QStringLiteral("Nro. de Serie"),
                                QStringLiteral("Código de Gestión"),
                                QStringLiteral("Nuevo")};
    for (int c = 0; c < titles.size(); ++c)
        g->addWidget(new QLabel(titles.at(c)), 0, c + 1);
    g->addWidget(new QLabel(QStringLiteral("Actual")), 1, 0);
    const QList<QWidget *> first = {CodigoRegularEdit,     SpeedButton3,     MarcaReguladorEdit,
                                    NroSerieReguladorEdit, RGestionComboBox, RNuevoComboBox};
    for (int c = 0; c < first.size(); ++c)
        g->addWidget(first.at(c), 1, c + 1);
    RGestionNuevoComboBox->setEnabled(false);
    const QList<QWidget *> second = secondLine();
    for (int c = 0; c < second.size(); ++c) {
        g->addWidget(second.at(c), 2, c);
        second.at(c)->setVisible(false); // until a modification retires the regulator
    }
    g->setColumnStretch(3, 1);
    g->setColumnStretch(4, 1);

    for (QLineEdit *e :
         {CodigoRegularEdit, NroSerieReguladorEdit, CodigoReguladorNuevoEdit, NroSerieReguladorNuevoEdit})
        setUpperCase(e);
    for (QWidget *w : std::initializer_list<QWidget *>{
             CodigoRegularEdit, NroSerieReguladorEdit, MarcaReguladorEdit, RGestionComboBox, RNuevoComboBox,
             CodigoReguladorNuevoEdit, NroSerieReguladorNuevoEdit, RGestionNuevoComboBox, RNuevoNuevoComboBox})
        context.keys.watch(w, FieldKeys::Keys::EnterOnly);

    // Leaving a regulator code looks it up; leaving through "Cancelar" does not.
    context.rules.onExit(CodigoRegularEdit, [this] { lookUp(m_current); });
    context.rules.onExit(CodigoReguladorNuevoEdit, [this] { lookUp(m_second); });
    // A brand belongs to the code it was looked up for: a changed code
    // shows none until the catalogue gives its own.
    for (const Line &line : {m_current, m_second})
        connect(line.code, &QLineEdit::textChanged, line.brand, [brand = line.brand] { brand->clear(); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] { lookUp(m_current); });
    connect(SpeedButton7, &QToolButton::clicked, this, [this] { lookUp(m_second); });
    connect(RGestionComboBox, &QComboBox::activated, this, [this] { gestionChanged(); });
}

QList<QWidget *> RegulatorGroup::secondLine() const
{
    return {LabelReguladorNuevo,        CodigoReguladorNuevoEdit, SpeedButton7,       MarcaReguladorNuevoEdit,
            NroSerieReguladorNuevoEdit, RGestionNuevoComboBox,    RNuevoNuevoComboBox};
}

void RegulatorGroup::readLine(const Line &line, RegulatorLine &into)
{
    into = {line.code->text(), line.brand->text(), line.serial->text(), line.gestion->currentText(),
            line.nuevo->currentText()};
}

void RegulatorGroup::fillLine(const Line &line, const RegulatorLine &from)
{
    line.code->setText(from.codigo);
    line.brand->setText(from.marca);
    line.serial->setText(from.nroSerie);
    if (!from.gestion.isEmpty())
        showText(line.gestion, from.gestion);
    if (!from.nuevo.isEmpty())
        showText(line.nuevo, from.nuevo);
}

void RegulatorGroup::read(OperationRecord &r) const
{
    readLine(m_current, r.regulador);
    r.hasSecondRegulator = !CodigoReguladorNuevoEdit->isHidden();
    readLine(m_second, r.reguladorNuevo);
}

void RegulatorGroup::fill(const OperationRecord &r)
{
    fillLine(m_current, r.regulador);
    if (!r.hasSecondRegulator)
        return;
    fillLine(m_second, r.reguladorNuevo);
    for (QWidget *w : secondLine())
        w->setVisible(true);
}

void RegulatorGroup::applyKind(const OperationKindLayout &k)
{
    RGestionComboBox->setCurrentText(k.regulatorGestion);
    RGestionComboBox->setEnabled(!k.regulatorGestionLocked);
    RNuevoComboBox->setCurrentText(k.regulatorNuevo);
}

void RegulatorGroup::lockLookUp()
{
    SpeedButton3->setEnabled(false);
}

void RegulatorGroup::lookUp(const Line &line)
{
    const Widgets::FieldRules::Busy busy(m_context.rules); // the look-up moves the focus
    Cylinders::LookUpRegulator({line.code, line.brand, line.serial}, m_context.form, m_context.prompter);
}

void RegulatorGroup::gestionChanged()
{
    const InstallationProfile *profile = profileById(Global.InstallationId);
    const bool forbids = profile ? profile->forbidsRegulatorMountInModification
                                 : InstallationProfile{}.forbidsRegulatorMountInModification;
    Cylinders::SecondRegulatorLine line;
    line.widgets = secondLine();
    line.code = CodigoReguladorNuevoEdit;
    line.gestion = RGestionNuevoComboBox;
    line.nuevo = RNuevoNuevoComboBox;
    Cylinders::RegulatorGestionChanged(RGestionComboBox, m_kind, forbids, line, m_context.prompter);
}

} // namespace OperationForm
