#include "operations/cylinders/formwiring.h"

#include "core/global.h"
#include "core/installationprofile.h"
#include "data/localstore.h"
#include "operations/cylinders/cylinderactions.h"
#include "operations/cylinders/cylinderlist.h"
#include "operations/cylinders/regulatorlookup.h"
#include "operations/trevisionanualform.h"
#include "widgets/resultgrid.h"

#include <QApplication>
#include <QComboBox>
#include <QFocusEvent>
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
        : QObject(&form), m_form(form), m_table(form.cylinderList()->table()), m_prompter(form.prompter())
    {
        TRevisionAnualForm *f = &form;
        f->CodigoRegularEdit->installEventFilter(this);
        f->CodigoReguladorNuevoEdit->installEventFilter(this);
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

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::FocusOut || m_busy)
            return false;
        const auto reason = static_cast<QFocusEvent *>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        if (QApplication::focusWidget() == m_form.BitBtn1) // leaving through "Cancelar"
            return false;
        const RegulatorLineWidgets line = watched == m_form.CodigoRegularEdit ? current() : second();
        QMetaObject::invokeMethod(
            this, [this, line] { lookUp(line); }, Qt::QueuedConnection);
        return false;
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
        ++m_busy;
        LookUpRegulator(line, &m_form, m_prompter);
        --m_busy;
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
    int m_busy = 0;
};

} // namespace

void WireOperationForm(TRevisionAnualForm &form)
{
    new Wiring(form);
}

} // namespace Cylinders
