#include "operations/cylinders/formwiring.h"

#include "core/global.h"
#include "core/installationprofile.h"
#include "data/localstore.h"
#include "operations/cylinders/cylinderactions.h"
#include "operations/cylinders/cylinderlist.h"
#include "operations/cylinders/regulatorlookup.h"
#include "operations/trevisionanualform.h"
#include "widgets/fieldrules.h"
#include "widgets/resultgrid.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>

namespace Cylinders
{

namespace
{

class Wiring : public QObject
{
public:
    explicit Wiring(TRevisionAnualForm &form)
        : QObject(&form), m_form(form), m_table(form.cylinderList()->table()), m_prompter(form.prompter()),
          m_rules(Widgets::FieldRules::of(&form))
    {
        TRevisionAnualForm *f = &form;
        // Leaving a regulator code looks it up; leaving through "Cancelar" does not.
        m_rules->onExit(f->CodigoRegularEdit, [this] { lookUp(current()); });
        m_rules->onExit(f->CodigoReguladorNuevoEdit, [this] { lookUp(second()); });
        m_rules->exitsFreelyThrough(f->BitBtn1);
        // A brand belongs to the code it was looked up for: a changed code
        // shows none until the catalogue gives its own.
        for (const RegulatorLineWidgets &line : {current(), second()})
            connect(line.code, &QLineEdit::textChanged, line.brand, [brand = line.brand] { brand->clear(); });
        connect(f->SpeedButton3, &QToolButton::clicked, this, [this] { lookUp(current()); });
        connect(f->SpeedButton7, &QToolButton::clicked, this, [this] { lookUp(second()); });
        connect(f->RGestionComboBox, &QComboBox::activated, this, [this] {
            const InstallationProfile *profile = profileById(Global.InstallationId);
            const bool forbids = profile ? profile->forbidsRegulatorMountInModification
                                         : InstallationProfile{}.forbidsRegulatorMountInModification;
            SecondRegulatorLine line;
            line.widgets = {m_form.LabelReguladorNuevo,
                            m_form.CodigoReguladorNuevoEdit,
                            m_form.MarcaReguladorNuevoEdit,
                            m_form.NroSerieReguladorNuevoEdit,
                            m_form.RGestionNuevoComboBox,
                            m_form.RNuevoNuevoComboBox,
                            m_form.SpeedButton7};
            line.code = m_form.CodigoReguladorNuevoEdit;
            line.gestion = m_form.RGestionNuevoComboBox;
            line.nuevo = m_form.RNuevoNuevoComboBox;
            RegulatorGestionChanged(m_form.RGestionComboBox, m_form.kind(), forbids, line, m_prompter);
        });
        connect(f->SpeedButton4, &QToolButton::clicked, this, [this] { after(AddCylinder(m_table, context())); });
        connect(f->SpeedButton5, &QToolButton::clicked, this,
                [this] { after(ModifyCylinder(m_table, selectedRow(), context())); });
        connect(f->SpeedButton6, &QToolButton::clicked, this,
                [this] { after(DeleteCylinder(m_table, selectedRow(), context())); });
        connect(f->SpeedButton8, &QToolButton::clicked, this,
                [this] { after(ReplaceValve(m_table, selectedRow(), context())); });
    }

private:
    RegulatorLineWidgets current() const
    {
        return {m_form.CodigoRegularEdit, m_form.MarcaReguladorEdit, m_form.NroSerieReguladorEdit};
    }
    RegulatorLineWidgets second() const
    {
        return {m_form.CodigoReguladorNuevoEdit, m_form.MarcaReguladorNuevoEdit, m_form.NroSerieReguladorNuevoEdit};
    }
    void lookUp(const RegulatorLineWidgets &line)
    {
        const Widgets::FieldRules::Busy busy(*m_rules); // the look-up moves the focus
        LookUpRegulator(line, &m_form, m_prompter);
    }
    EntryContext context() const { return {m_form.kind(), m_form.DominioEdit->text().trimmed(), &m_form, m_prompter}; }
    int selectedRow() const
    {
        const QModelIndex i = m_form.DBGrid1->currentIndex();
        return i.isValid() ? i.row() : -1;
    }
    // The grid goes to the row the dialog worked on (the list itself shows
    // every change of the table already).
    void after(bool changed)
    {
        if (changed)
            Widgets::selectGridRow(m_form.DBGrid1, m_table.recNo());
    }

    TRevisionAnualForm &m_form;
    LocalTable &m_table;
    Prompter &m_prompter;
    Widgets::FieldRules *m_rules;
};

} // namespace

void WireOperationForm(TRevisionAnualForm &form)
{
    new Wiring(form);
}

} // namespace Cylinders
