#include "workshop/workorders/topveditform.h"

#include "core/installationprofile.h"

#include "core/prompter.h"
#include "data/dberror.h"
#include "data/workorderstore.h"
#include "widgets/serverwait.h"
#include "workshop/workorders/workorderprint.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TOPVEditForm::TOPVEditForm(QWidget *parent, Prompter &prompter) : TOPVNewForm(parent, prompter, QStringLiteral("Falla"))
{
    setObjectName(QStringLiteral("TOPVEditForm"));
    setWindowTitle(QStringLiteral("Corrección de Orden de Trabajo"));
    BitBtnGuardar->hide();
    auto button = [this](const QString &name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        m_buttons->insertWidget(1, b);
        return b;
    };
    BitBtnImprimir = button(QStringLiteral("BitBtnImprimir"), QStringLiteral("Imprimir Orden"));
    BitBtnGuardarCambios = button(QStringLiteral("BitBtnGuardarCambios"), QStringLiteral("Guardar Cambios"));
    connect(BitBtnGuardarCambios, &QPushButton::clicked, this, &TOPVEditForm::BitBtnGuardarCambiosClick);
    connect(BitBtnImprimir, &QPushButton::clicked, this, &TOPVEditForm::BitBtnImprimirClick);
}

bool TOPVEditForm::Load(const QString &taller, int numero)
{
    if (!loadOrder(taller, numero))
        return false;
    setWindowTitle(QStringLiteral("Orden de Trabajo %1 - %2").arg(numero).arg(taller));
    return true;
}

void TOPVEditForm::reloadFaults(int select)
{
    try {
        showFaults(Widgets::ServerWait::run<QVector<WorkOrders::Fault>>(
                       this, QStringLiteral("Leyendo las fallas..."), Conn::PostVenta,
                       [taller = m_loaded.taller, numero = m_loaded.numero] {
                           return WorkOrderStore::Faults(taller, numero);
                       }),
                   select);
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
}

void TOPVEditForm::reloadJobs(int select)
{
    try {
        showJobs(
            Widgets::ServerWait::run<QVector<WorkOrders::Job>>(
                this, QStringLiteral("Leyendo los trabajos..."), Conn::PostVenta,
                [taller = m_loaded.taller, numero = m_loaded.numero] { return WorkOrderStore::Jobs(taller, numero); }),
            select);
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
}

void TOPVEditForm::BitBtnAgregarFallaClick()
{
    const std::optional<MasterFiles::Item> fault = chooseFault();
    if (!fault)
        return;
    try {
        m_edits.run(this, QStringLiteral("Agregando la falla..."), Conn::PostVenta,
                    [taller = m_loaded.taller, numero = m_loaded.numero, id = fault->id](WriteOnce::Ticket *t) {
                        WorkOrderStore::AddFault(taller, numero, id, t);
                    });
    } catch (const DbError &e) {
        prompter().error(
            Widgets::WindowWrites::failure(QStringLiteral("No se agregó la falla: puede intentarlo de nuevo."), e));
    }
    reloadFaults(); // on the last row, the one just added
}

void TOPVEditForm::BitBtnSacarFallaClick()
{
    const int row = rowToRemove(selectedFault());
    if (row < 0)
        return;
    if (!prompter().question(QStringLiteral("Esta seguro de eliminar esta falla.")))
        return;
    try {
        m_edits.run(this, QStringLiteral("Eliminando la falla..."), Conn::PostVenta,
                    [id = faults()[row].rowId](WriteOnce::Ticket *t) { WorkOrderStore::RemoveFault(id, t); });
    } catch (const DbError &e) {
        prompter().error(
            Widgets::WindowWrites::failure(QStringLiteral("No se eliminó la falla: puede intentarlo de nuevo."), e));
        return;
    }
    reloadFaults(row);
    prompter().info(QStringLiteral("Se eliminó la falla de la Orden de Trabajo"));
}

void TOPVEditForm::BitBtnAgregarTrabajoClick()
{
    const auto choice = chooseJob();
    if (!choice)
        return;
    try {
        m_edits.run(this, QStringLiteral("Agregando el trabajo..."), Conn::PostVenta,
                    [taller = m_loaded.taller, numero = m_loaded.numero, job = choice->job.id,
                     technician = choice->technician.id](WriteOnce::Ticket *t) {
                        WorkOrderStore::AddJob(taller, numero, job, technician, t);
                    });
    } catch (const DbError &e) {
        prompter().error(
            Widgets::WindowWrites::failure(QStringLiteral("No se agregó el trabajo: puede intentarlo de nuevo."), e));
    }
    reloadJobs();
}

void TOPVEditForm::BitBtnSacarTrabajoClick()
{
    const int row = rowToRemove(selectedJob());
    if (row < 0)
        return;
    if (!prompter().question(QStringLiteral("Esta seguro de eliminar este trabajo.")))
        return;
    try {
        m_edits.run(this, QStringLiteral("Eliminando el trabajo..."), Conn::PostVenta,
                    [id = jobs()[row].rowId](WriteOnce::Ticket *t) { WorkOrderStore::RemoveJob(id, t); });
    } catch (const DbError &e) {
        prompter().error(
            Widgets::WindowWrites::failure(QStringLiteral("No se eliminó el trabajo: puede intentarlo de nuevo."), e));
        return;
    }
    reloadJobs(row);
    prompter().info(QStringLiteral("Se eliminó el trabajo realizado en la orden de trabajo"));
}

void TOPVEditForm::BitBtnGuardarCambiosClick()
{
    WorkOrders::WorkOrder o = order();
    // The key is the one read; the area code is not rewritten.
    o.taller = m_loaded.taller;
    o.numero = m_loaded.numero;
    try {
        m_save.run(this, QStringLiteral("Guardando los cambios de la orden..."), Conn::PostVenta,
                   [o](WriteOnce::Ticket *t) { WorkOrderStore::SaveEdit(o, t); });
    } catch (const DbError &e) {
        prompter().error(Widgets::WindowWrites::failure(
            QStringLiteral("No se guardaron los cambios de la orden de trabajo: puede intentarlo de nuevo."), e));
        return;
    }
    // The form goes on showing what is stored now (the area code as it was).
    o.celularCarac = m_loaded.celularCarac;
    m_loaded = o;
    CelularCaracEdit->setText(o.celularCarac);
    prompter().info(QStringLiteral("Se actualizó la Orden de Trabajo"));
}

void TOPVEditForm::BitBtnImprimirClick()
{
    WorkOrders::WorkOrder o = order();
    o.taller = m_loaded.taller;
    o.numero = m_loaded.numero;
    // The names, the owner's document and the warranty as stored now (or,
    // where the profile says so, the names as the pick lists show them); the
    // faults and jobs as listed.
    try {
        if (const auto stored = Widgets::ServerWait::run<std::optional<WorkOrders::WorkOrder>>(
                this, QStringLiteral("Leyendo la orden..."), Conn::PostVenta,
                [taller = o.taller, numero = o.numero] { return WorkOrderStore::Load(taller, numero); })) {
            if (!currentProfile().workOrderReprintNamesFromForm) {
                o.clienteNombre = stored->clienteNombre;
                o.concesionarioNombre = stored->concesionarioNombre;
                o.recepcionistaNombre = stored->recepcionistaNombre;
            }
            o.tipoDoc = stored->tipoDoc;
            o.nroDoc = stored->nroDoc;
            o.garantia = stored->garantia;
        }
    } catch (const DbError &e) {
        prompter().error(e.text());
        return;
    }
    WorkOrderPrint::Reprint(o, this, prompter());
}
