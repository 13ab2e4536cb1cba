#include "workshop/workorders/topvaltaform.h"

#include "core/clock.h"
#include "core/installationprofile.h"
#include "core/prompter.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "data/workorderstore.h"
#include "widgets/waitcursor.h"
#include "workshop/workorders/terroresingresoform.h"
#include "workshop/workorders/workorderprint.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TOPVAltaForm::TOPVAltaForm(QWidget *parent, Prompter &prompter)
    : TOPVNewForm(parent, prompter), m_faultTable(localStore().table(LocalTableId::Faults)),
      m_jobTable(localStore().table(LocalTableId::Jobs))
{
    setObjectName(QStringLiteral("TOPVAltaForm"));
    setWindowTitle(QStringLiteral("Alta de Orden de Trabajo"));
    OrdenNroEdit->hide();
    LabelOrdenNro->hide();
    TipoDocEdit->hide();
    NroDocEdit->hide();
    LabelDocumento->hide();
    connect(BitBtnGuardar, &QPushButton::clicked, this, &TOPVAltaForm::BitBtnGuardarClick);
    // The lists of a new order start empty.
    try {
        m_faultTable.open();
        m_faultTable.empty();
        m_jobTable.open();
        m_jobTable.empty();
    } catch (const DbError &e) {
        prompter.error(e.text());
    }
    KmEdit->setText(QStringLiteral("0"));
    refreshLists();
}

TOPVAltaForm::~TOPVAltaForm() = default;

void TOPVAltaForm::Prepare(const QString &workshopCode, const QDate &date)
{
    TallerEdit->setText(workshopCode);
    FechaEdit->setText(WorkOrders::DateText(date));
}

void TOPVAltaForm::refreshLists()
{
    QVector<WorkOrders::Fault> faultRows;
    QVector<WorkOrders::Job> jobRows;
    try {
        for (const QVariantMap &r : m_faultTable.rows())
            faultRows.push_back(
                {0, r.value(QStringLiteral("falla_id")).toInt(), r.value(QStringLiteral("falla_desc")).toString()});
        for (const QVariantMap &r : m_jobTable.rows())
            jobRows.push_back({0, r.value(QStringLiteral("trabajo_id")).toInt(),
                               r.value(QStringLiteral("trabajo_desc")).toString(),
                               r.value(QStringLiteral("trabajo_oper_id")).toInt(),
                               r.value(QStringLiteral("trabajo_oper_nombre")).toString()});
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
    showFaults(faultRows);
    showJobs(jobRows);
}

// --- leaving "Dominio": pre-fill and warranty ------------------------------------

void TOPVAltaForm::DominioEditExit()
{
    const QString plate = DominioEdit->text().trimmed();
    if (plate.isEmpty())
        return;
    try {
        Widgets::WaitCursor wait;
        prefill(plate);
        lookUpWarranty(plate);
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
}

void TOPVAltaForm::prefill(const QString &plate)
{
    const std::optional<WorkOrders::Prefill> p = WorkOrderStore::PrefillFor(plate);
    if (!p)
        return;
    {
        const QSignalBlocker block(DBLookupComboBoxMarca);
        DBLookupComboBoxMarca->setCurrentIndex(DBLookupComboBoxMarca->findText(p->marca));
        if (DBLookupComboBoxMarca->currentIndex() < 0 && !p->marca.isEmpty()) {
            DBLookupComboBoxMarca->addItem(p->marca);
            DBLookupComboBoxMarca->setCurrentIndex(DBLookupComboBoxMarca->count() - 1);
        }
    }
    reloadModels(p->modelo);
    // The name is shown only when the conversion order carries it.
    setOwner(p->cliente, p->fromConversionOrder ? p->ownerName : QString());
    VinEdit->setText(p->vin);
    CelularEdit->setText(p->celular);
    CelularCaracEdit->setText(p->celularCarac);
    const QSignalBlocker block(DBLookupComboBoxConcesionario);
    DBLookupComboBoxConcesionario->setCurrentIndex(DBLookupComboBoxConcesionario->findData(p->concesionario));
}

void TOPVAltaForm::lookUpWarranty(const QString &plate)
{
    const QDate today = Clock::today();
    WorkOrders::Warranty w = WorkOrders::WarrantyOf(WorkOrderStore::WarrantyConversion(Conn::Operations, plate), today);
    if (currentProfile().hasSisterDatabase()) {
        // The sister PEC's conversions give warranty too; neither finding
        // one leaves "Garantía" as the operator set it.
        if (!w.running) {
            try {
                w = WorkOrders::WarrantyOf(WorkOrderStore::WarrantyConversion(Conn::Sister, plate), today);
            } catch (const DbError &) {
                dm1().closeConnection(Conn::Sister);
                throw;
            }
            dm1().closeConnection(Conn::Sister);
        }
        if (!w.running)
            return;
    }
    m_conversionDate = w.conversionDate;
    showWarranty(w.running, w.expiryText);
}

// --- faults and jobs ----------------------------------------------------------------

void TOPVAltaForm::BitBtnAgregarFallaClick()
{
    const std::optional<MasterFiles::Item> fault = chooseFault();
    if (!fault)
        return;
    try {
        m_faultTable.append();
        m_faultTable.setInteger(QStringLiteral("falla_id"), fault->id);
        m_faultTable.setText(QStringLiteral("falla_desc"), fault->name);
        m_faultTable.post();
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
    refreshLists();
}

void TOPVAltaForm::BitBtnSacarFallaClick()
{
    const int row = rowToRemove(selectedFault());
    if (row < 0)
        return;
    try {
        if (m_faultTable.moveTo(row))
            m_faultTable.remove();
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
    refreshLists();
}

void TOPVAltaForm::BitBtnAgregarTrabajoClick()
{
    const auto choice = chooseJob();
    if (!choice)
        return;
    try {
        m_jobTable.append();
        m_jobTable.setInteger(QStringLiteral("trabajo_id"), choice->job.id);
        m_jobTable.setText(QStringLiteral("trabajo_desc"), choice->job.name);
        m_jobTable.setInteger(QStringLiteral("trabajo_oper_id"), choice->technician.id);
        m_jobTable.setText(QStringLiteral("trabajo_oper_nombre"), choice->technician.name);
        m_jobTable.post();
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
    refreshLists();
}

void TOPVAltaForm::BitBtnSacarTrabajoClick()
{
    const int row = rowToRemove(selectedJob());
    if (row < 0)
        return;
    try {
        if (m_jobTable.moveTo(row))
            m_jobTable.remove();
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
    refreshLists();
}

// --- saving ---------------------------------------------------------------------------

void TOPVAltaForm::BitBtnGuardarClick()
{
    WorkOrders::WorkOrder o = order();
    const QStringList lines = WorkOrders::CheckNewOrder(o);
    if (!lines.isEmpty()) {
        TErroresIngresoForm::show(this, lines);
        return;
    }
    std::optional<WorkOrders::WorkOrder> saved;
    try {
        Widgets::WaitCursor wait;
        WorkOrderStore::SaveNew(o, &saved);
    } catch (const DbError &e) {
        prompter().error(e.text());
        if (o.numero == 0)
            return; // nothing was written; otherwise only the reading back failed
    }
    OrdenNroEdit->setText(QString::number(o.numero));
    WorkOrderPrint::AfterSave(saved ? *saved : o, m_conversionDate, this, prompter());
    accept();
}
