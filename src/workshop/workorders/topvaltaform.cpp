#include "workshop/workorders/topvaltaform.h"

#include "core/clock.h"
#include "core/installationprofile.h"
#include "core/prompter.h"
#include "data/backgroundquery.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "data/workorderstore.h"
#include "widgets/serverwait.h"
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
    // What the post-sales database knows of the plate and the conversions
    // that give it warranty, read off the window's thread and side by side
    // (one round trip of waiting). The sister database is asked at once
    // too; its answer counts only when the central one gives no warranty.
    struct Found {
        std::optional<WorkOrders::Prefill> prefill;
        std::optional<WorkOrders::Conversion> central, sister;
        std::optional<DbError> centralError, sisterError; // the pre-fill still applies
    };
    auto read = std::make_shared<Found>();
    const bool sister = currentProfile().hasSisterDatabase();
    std::vector<Widgets::ServerWait::Work> works = {
        {Conn::PostVenta, [plate, read] { read->prefill = WorkOrderStore::PrefillFor(plate); }},
        {Conn::Operations, [plate, read] {
             try {
                 read->central = WorkOrderStore::WarrantyConversion(Conn::Operations, plate);
             } catch (const DbError &e) {
                 read->centralError = e;
             }
         }}};
    if (sister)
        works.push_back({Conn::Sister, [plate, read] {
                             try {
                                 read->sister = WorkOrderStore::WarrantyConversion(Conn::Sister, plate);
                             } catch (const DbError &e) {
                                 read->sisterError = e;
                             }
                             dm1().closeConnection(Conn::Sister);
                         }});
    try {
        Widgets::ServerWait::waitAll(this, QStringLiteral("Buscando el vehículo..."), works);
    } catch (const DbError &e) {
        prompter().error(e.text());
        return;
    }
    if (sister) // closed after each use; open again for the next plate
        BackgroundQuery::openAhead(Conn::Sister);
    Found found = *read;
    std::optional<DbError> warrantyError = found.centralError;
    if (!warrantyError && WorkOrders::WarrantyOf(found.central, Clock::today()).running)
        found.sister.reset();
    else if (!warrantyError)
        warrantyError = found.sisterError;
    if (warrantyError)
        found.sister.reset();
    if (found.prefill)
        prefill(*found.prefill);
    if (warrantyError)
        prompter().error(warrantyError->text());
    else
        showWarrantyOf(found.central, found.sister);
}

void TOPVAltaForm::prefill(const WorkOrders::Prefill &p)
{
    {
        const QSignalBlocker block(DBLookupComboBoxMarca);
        DBLookupComboBoxMarca->setCurrentIndex(DBLookupComboBoxMarca->findText(p.marca));
        if (DBLookupComboBoxMarca->currentIndex() < 0 && !p.marca.isEmpty()) {
            DBLookupComboBoxMarca->addItem(p.marca);
            DBLookupComboBoxMarca->setCurrentIndex(DBLookupComboBoxMarca->count() - 1);
        }
    }
    reloadModels(p.modelo);
    // The name is shown only when the conversion order carries it.
    setOwner(p.cliente, p.fromConversionOrder ? p.ownerName : QString());
    VinEdit->setText(p.vin);
    CelularEdit->setText(p.celular);
    CelularCaracEdit->setText(p.celularCarac);
    const QSignalBlocker block(DBLookupComboBoxConcesionario);
    DBLookupComboBoxConcesionario->setCurrentIndex(DBLookupComboBoxConcesionario->findData(p.concesionario));
}

void TOPVAltaForm::showWarrantyOf(const std::optional<WorkOrders::Conversion> &central,
                                  const std::optional<WorkOrders::Conversion> &sister)
{
    const QDate today = Clock::today();
    WorkOrders::Warranty w = WorkOrders::WarrantyOf(central, today);
    if (currentProfile().hasSisterDatabase()) {
        // The sister PEC's conversions give warranty too; neither finding
        // one leaves "Garantía" as the operator set it.
        if (!w.running)
            w = WorkOrders::WarrantyOf(sister, today);
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
        using Saved = std::pair<WorkOrders::WorkOrder, std::optional<WorkOrders::WorkOrder>>;
        std::tie(o, saved) = m_save.run<Saved>(this, QStringLiteral("Guardando la orden de trabajo..."),
                                               Conn::PostVenta, [o](WriteOnce::Ticket *t) mutable {
                                                   std::optional<WorkOrders::WorkOrder> read;
                                                   WorkOrderStore::SaveNew(o, &read, t);
                                                   return Saved{o, read};
                                               });
    } catch (const DbError &e) {
        prompter().error(Widgets::WindowWrites::failure(
            QStringLiteral("No se guardó la orden de trabajo: puede intentarlo de nuevo."), e));
        return;
    }
    OrdenNroEdit->setText(QString::number(o.numero));
    WorkOrderPrint::AfterSave(saved ? *saved : o, m_conversionDate, this, prompter());
    accept();
}
