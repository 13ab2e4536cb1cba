#include "followup/tconsultadependientesform.h"

#include "app/navigator.h"
#include "core/global.h"
#include "data/pendingstore.h"
#include "widgets/formwindow.h"
#include "widgets/serverwait.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

QVector<Widgets::GridColumn> listColumns(bool withVin)
{
    using C = Widgets::GridColumn;
    QVector<C> c = {
        {QStringLiteral("ID"), QStringLiteral("id"), 6},
        {QString::fromUtf8("Operación"), QStringLiteral("udescgest"), 12, true},
        {QStringLiteral("Propietario"), QStringLiteral("uapeynom"), 34, true},
    };
    if (withVin)
        c.append({QStringLiteral("VIN"), QStringLiteral("vin"), 30});
    c += {
        {QStringLiteral("Marca"), QStringLiteral("umarca"), 10},
        {QStringLiteral("Modelo"), QStringLiteral("umodelo"), 20},
        {QString::fromUtf8("Año"), QStringLiteral("uano"), 4},
        {QStringLiteral("Dominio"), QStringLiteral("udominio"), 9, true},
        {QStringLiteral("Subido"), QStringLiteral("hora"), 16, false, C::Kind::DateTime},
    };
    return c;
}

} // namespace

TConsultaDePendientesForm::TConsultaDePendientesForm(QWidget *parent, Prompter &prompter)
    : TConsultaDePendientesForm(parent, prompter, false)
{
}

TConsultaDePendientesForm::TConsultaDePendientesForm(QWidget *parent, Prompter &prompter, bool withVin)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("ConsultaDePendientesForm"));
    build(withVin);
}

void TConsultaDePendientesForm::build(bool withVin)
{
    setWindowTitle(QString::fromUtf8("Consulta de Trámites Pendientes de Asignación de Obleas"));
    resize(withVin ? 1000 : 860, 480);

    m_model = new Widgets::ResultGridModel(listColumns(withVin), Widgets::GridPalette::Blue, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    Widgets::setUpResultGrid(m_grid, m_model);

    auto *label1 = new QLabel(QString::fromUtf8("Cantidad de trámites pendientes de aprobación:"), this);
    label1->setObjectName(QStringLiteral("Label1"));
    m_count = new QLabel(QStringLiteral("0"), this);
    m_count->setObjectName(QStringLiteral("Label2"));

    auto *ver = new QPushButton(QStringLiteral("Ver"), this);
    ver->setObjectName(QStringLiteral("BitBtn2"));
    m_eliminar = new QPushButton(QStringLiteral("Eliminar"), this);
    m_eliminar->setObjectName(QStringLiteral("BitBtn3"));
    m_editar = new QPushButton(QStringLiteral("Editar"), this);
    m_editar->setObjectName(QStringLiteral("BitBtn4"));
    auto *cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    cerrar->setObjectName(QStringLiteral("BitBtn1"));
    for (QPushButton *b : {ver, m_eliminar, m_editar, cerrar})
        b->setAutoDefault(false);
    m_eliminar->setEnabled(false);
    m_editar->setEnabled(false);

    connect(ver, &QPushButton::clicked, this, &TConsultaDePendientesForm::BitBtn2Click);
    connect(m_eliminar, &QPushButton::clicked, this, &TConsultaDePendientesForm::BitBtn3Click);
    connect(m_editar, &QPushButton::clicked, this, &TConsultaDePendientesForm::BitBtn4Click);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::reject);
    Widgets::opensRowsWith(m_grid, m_editar);

    auto *countRow = new QHBoxLayout;
    countRow->addWidget(label1);
    countRow->addWidget(m_count);
    countRow->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(ver);
    buttons->addWidget(m_eliminar);
    buttons->addWidget(m_editar);
    buttons->addStretch();
    buttons->addWidget(cerrar);
    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addWidget(m_grid, 1);
    layout->addLayout(countRow);
    layout->addLayout(buttons);
}

int TConsultaDePendientesForm::pendingIdAt(int row) const
{
    return m_model->value(row, QStringLiteral("id")).toInt();
}

int TConsultaDePendientesForm::estadoAt(int row) const
{
    return m_model->value(row, QStringLiteral("estado")).toInt(); // NULL reads 0
}

void TConsultaDePendientesForm::readList()
{
    m_model->clear();
    const QString workshop = Global.WorkshopCode;
    QVector<QSqlRecord> read;
    try {
        // Off the window's thread: a slow link never freezes it.
        read = Widgets::ServerWait::run<QVector<QSqlRecord>>(
            this, QStringLiteral("Leyendo las operaciones pendientes..."), Conn::Operations,
            [workshop] { return PendingStore::List(workshop); });
    } catch (const Widgets::ServerWait::Cancelled &) {
        // The list stays empty; "Actualizar" reads it again.
    }
    m_model->setRows(read);
    // The count and the buttons follow every reading, an empty one included,
    // so they never speak of rows that are no longer listed.
    const int rows = m_model->rowCount();
    m_count->setText(QString::number(rows));
    m_eliminar->setEnabled(rows > 0);
    m_editar->setEnabled(rows > 0);
    Widgets::selectGridRow(m_grid, 0);
}

int TConsultaDePendientesForm::currentEstado(int id)
{
    return Widgets::ServerWait::run<int>(this, QStringLiteral("Consultando la operación pendiente..."),
                                         Conn::Operations, [id] { return PendingStore::State(id); });
}

void TConsultaDePendientesForm::BitBtn2Click()
{
    readList();
}

void TConsultaDePendientesForm::BitBtn3Click()
{
    const int row = Widgets::selectedGridRow(m_grid);
    if (row < 0)
        return;
    const int id = pendingIdAt(row);
    try {
        const int stored = currentEstado(id);
        if (stored < 0) { // moved out by the PEC since the reading
            readList();
            return;
        }
        if (estadoAt(row) > 0 || stored > 0) {
            m_prompter.info(QString::fromUtf8("La operación ya fue verificada y no puede eliminarse."));
            return;
        }
        if (m_prompter.askWarning(QString::fromUtf8("Esta seguro de eliminar esta operación?"))) {
            // The PEC may have verified it while the question was up.
            const int now = currentEstado(id);
            if (now > 0) {
                m_prompter.info(QString::fromUtf8("La operación ya fue verificada y no puede eliminarse."));
            } else if (now == 0) {
                try {
                    // Refused if it stopped being pending meanwhile.
                    Widgets::ServerWait::run<bool>(this, QStringLiteral("Eliminando la operación pendiente..."),
                                                   Conn::Operations, [id] {
                                                       PendingStore::Delete(id);
                                                       return true;
                                                   });
                } catch (const PendingStore::NotPending &e) {
                    m_prompter.info(e.text());
                }
            }
        }
        readList();
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
}

void TConsultaDePendientesForm::BitBtn4Click()
{
    const int row = Widgets::selectedGridRow(m_grid);
    if (row < 0)
        return;
    const int id = pendingIdAt(row);
    const QString kind = m_model->text(row, QStringLiteral("ucodgest")).trimmed();
    int stored = -1;
    try {
        stored = currentEstado(id);
    } catch (const DbError &e) {
        m_prompter.error(e.text());
        return;
    }
    if (estadoAt(row) > 0 || stored > 0)
        m_prompter.info(QString::fromUtf8("La operación ya fue verificada y no puede modificarse."));
    else if (stored == 0) // a row the PEC moved out since the reading has nothing left to edit
        navigator().request(Nav::EditPending{id, kind}, this);
    readList();
}
