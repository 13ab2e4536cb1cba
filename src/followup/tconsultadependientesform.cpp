#include "followup/tconsultadependientesform.h"

#include "app/messages.h"
#include "app/navigator.h"
#include "core/global.h"
#include "data/dm1.h"
#include "data/pendingstore.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

// Only the listed columns: the attached documents stored in the same rows
// would otherwise travel with every reading.
const char *const kListSql = "select id, estado, ucodgest, udescgest, uapeynom, umarca, umodelo, uano, udominio, "
                             "vin, hora from temp_usr where codtal = :ct order by id";
const char *const kStateSql = "select estado from temp_usr where id = :id";

QVector<GridColumn> listColumns(bool withVin)
{
    using K = GridColumn::Kind;
    QVector<GridColumn> c = {
        {QStringLiteral("ID"), QStringLiteral("id"), K::Text, 6},
        {QString::fromUtf8("Operación"), QStringLiteral("udescgest"), K::Text, 12},
        {QStringLiteral("Propietario"), QStringLiteral("uapeynom"), K::Text, 28},
    };
    if (withVin)
        c.append({QStringLiteral("VIN"), QStringLiteral("vin"), K::Text, 18});
    c += {
        {QStringLiteral("Marca"), QStringLiteral("umarca"), K::Text, 10},
        {QStringLiteral("Modelo"), QStringLiteral("umodelo"), K::Text, 16},
        {QString::fromUtf8("Año"), QStringLiteral("uano"), K::Text, 4},
        {QStringLiteral("Dominio"), QStringLiteral("udominio"), K::Text, 9},
        {QStringLiteral("Subido"), QStringLiteral("hora"), K::DateTime, 16},
    };
    return c;
}

// "OK"/"No" warning; through the message hook when tests hold it.
bool askWarning(QWidget *parent, const QString &text)
{
    if (Msg::hasHook())
        return Msg::confirm(parent, text);
    QMessageBox box(parent);
    box.setWindowTitle(Msg::caption(Msg::Kind::Warning));
    box.setIcon(QMessageBox::Warning);
    box.setText(text);
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *no = box.addButton(QStringLiteral("No"), QMessageBox::RejectRole);
    box.setDefaultButton(no);
    box.exec();
    return box.clickedButton() == ok;
}

} // namespace

TConsultaDePendientesForm::TConsultaDePendientesForm(QWidget *parent) : TConsultaDePendientesForm(parent, false) {}

TConsultaDePendientesForm::TConsultaDePendientesForm(QWidget *parent, bool withVin)
    : QDialog(parent), m_list(std::make_unique<NamedQuery>(QStringLiteral("SQLQueryPendientes"), Conn::Operations,
                                                           QString::fromUtf8(kListSql))),
      m_state(std::make_unique<NamedQuery>(QStringLiteral("SQLQueryEstadoPendiente"), Conn::Operations,
                                           QString::fromUtf8(kStateSql)))
{
    setObjectName(QStringLiteral("ConsultaDePendientesForm"));
    build(withVin);
}

TConsultaDePendientesForm::~TConsultaDePendientesForm() = default;

void TConsultaDePendientesForm::build(bool withVin)
{
    setWindowTitle(QString::fromUtf8("Consulta de Trámites Pendientes de Asignación de Obleas"));
    resize(withVin ? 1000 : 860, 480);

    m_model = new ResultGridModel(listColumns(withVin), GridPalette::Blue, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    setUpResultGrid(m_grid, m_model);

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
    layout->addWidget(m_grid, 1);
    layout->addLayout(countRow);
    layout->addLayout(buttons);
}

int TConsultaDePendientesForm::pendingIdAt(int row) const
{
    if (row < 0 || row >= m_list->rowCount())
        return 0;
    return m_list->rows().at(row).value(QStringLiteral("id")).toInt();
}

int TConsultaDePendientesForm::estadoAt(int row) const
{
    if (row < 0 || row >= m_list->rowCount())
        return 0;
    return m_list->rows().at(row).value(QStringLiteral("estado")).toInt(); // NULL reads 0
}

void TConsultaDePendientesForm::readList()
{
    WaitCursor wait;
    m_list->close();
    m_model->clear();
    m_list->setParam(QStringLiteral("ct"), Global.WorkshopCode);
    m_list->open();
    m_model->setRows(m_list->rows());
    // The count and the buttons follow every reading, an empty one included,
    // so they never speak of rows that are no longer listed.
    const int rows = m_list->rowCount();
    m_count->setText(QString::number(rows));
    m_eliminar->setEnabled(rows > 0);
    m_editar->setEnabled(rows > 0);
    selectGridRow(m_grid, 0);
}

int TConsultaDePendientesForm::currentEstado(int id)
{
    m_state->close();
    m_state->setParam(QStringLiteral("id"), id);
    m_state->open();
    if (!m_state->first())
        return -1;
    return m_state->integer(QStringLiteral("estado"));
}

void TConsultaDePendientesForm::BitBtn2Click()
{
    readList();
}

void TConsultaDePendientesForm::BitBtn3Click()
{
    const int row = selectedGridRow(m_grid);
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
            Msg::info(this, QString::fromUtf8("La operación ya fue verificada y no puede eliminarse."));
            return;
        }
        if (askWarning(this, QString::fromUtf8("Esta seguro de eliminar esta operación?"))) {
            // The PEC may have verified it while the question was up.
            const int now = currentEstado(id);
            if (now > 0) {
                Msg::info(this, QString::fromUtf8("La operación ya fue verificada y no puede eliminarse."));
            } else if (now == 0) {
                WaitCursor wait;
                try {
                    PendingStore::Delete(id); // refuses if it stopped being pending meanwhile
                } catch (const PendingStore::NotPending &e) {
                    Msg::info(this, e.text());
                }
            }
        }
        readList();
    } catch (const DbError &e) {
        Msg::error(this, e.text());
    }
}

void TConsultaDePendientesForm::BitBtn4Click()
{
    const int row = selectedGridRow(m_grid);
    if (row < 0)
        return;
    const int id = pendingIdAt(row);
    const QString kind = m_list->rows().at(row).value(QStringLiteral("ucodgest")).toString().trimmed();
    const int stored = currentEstado(id);
    if (estadoAt(row) > 0 || stored > 0)
        Msg::info(this, QString::fromUtf8("La operación ya fue verificada y no puede modificarse."));
    else if (stored == 0) // a row the PEC moved out since the reading has nothing left to edit
        navigator().request(Nav::EditPending{id, kind}, this);
    readList();
}
