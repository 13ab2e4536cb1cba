#include "operations/outbox/tenesperaform.h"

#include "app/navigator.h"
#include "core/operationkind.h"
#include "data/dberror.h"
#include "data/outbox.h"
#include "operations/save/outboxsend.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/resultgrid.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSqlField>
#include <QSqlRecord>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

using Widgets::GridColumn;

const QVector<GridColumn> &columns()
{
    static const QVector<GridColumn> c = {
        {QStringLiteral("Operación"), QStringLiteral("tipo"), 14},
        {QStringLiteral("Dominio"), QStringLiteral("dominio"), 9, true},
        {QStringLiteral("Titular"), QStringLiteral("titular"), 30},
        {QStringLiteral("Guardada"), QStringLiteral("fecha"), 16, false, GridColumn::Kind::DateTime},
        {QStringLiteral("Intentos"), QStringLiteral("intentos"), 8},
        {QStringLiteral("Último error"), QStringLiteral("error"), 60},
    };
    return c;
}

QSqlRecord rowOf(const OutboxEntry &e)
{
    QSqlRecord r;
    const auto add = [&r](const char *name, const QVariant &value) {
        QSqlField f(QLatin1String(name), value.metaType());
        f.setValue(value);
        r.append(f);
    };
    add("id", e.id);
    add("tipo", e.record.description.isEmpty() ? OperationKindName(e.record.kind) : e.record.description);
    add("dominio", e.record.dominio);
    add("titular", e.record.nombre);
    add("fecha", e.storedAt);
    add("intentos", e.attempts);
    add("error", e.refused ? QStringLiteral("Rechazada: ") + e.lastError : e.lastError);
    return r;
}

} // namespace

TEnEsperaForm::TEnEsperaForm(QWidget *parent, Prompter &prompter) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TEnEsperaForm"));
    setWindowTitle(QString::fromUtf8("Operaciones en espera de envío"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QString::fromUtf8("Operaciones guardadas en este equipo mientras no se pudo llegar al "
                                               "servidor del PEC. Se envían solas cuando el servidor responde; una "
                                               "rechazada espera que la corrija con \"Ver\" o la borre."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGridEspera"));
    m_model = new Widgets::ResultGridModel(columns(), Widgets::GridPalette::Blue, this);
    Widgets::setUpResultGrid(m_grid, m_model);
    m_grid->setMinimumSize(720, 220);
    layout->addWidget(m_grid, 1);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("LabelEstado"));
    m_state->setWordWrap(true);
    layout->addWidget(m_state);

    auto *row = new QHBoxLayout;
    m_view = Widgets::button(QStringLiteral("BitBtnVer"), QStringLiteral("&Ver"), this);
    m_send = Widgets::button(QStringLiteral("BitBtnEnviar"), QStringLiteral("&Enviar ahora"), this);
    m_delete = Widgets::button(QStringLiteral("BitBtnBorrar"), QStringLiteral("&Borrar"), this);
    QPushButton *close = Widgets::button(QStringLiteral("BitBtnCerrar"), QStringLiteral("&Cerrar"), this);
    row->addWidget(m_view);
    row->addWidget(m_send);
    row->addWidget(m_delete);
    row->addStretch(1);
    row->addWidget(close);
    layout->addLayout(row);

    connect(m_view, &QPushButton::clicked, this, &TEnEsperaForm::viewSelected);
    Widgets::opensRowsWith(m_grid, m_view); // Enter or a double click on a row
    connect(m_send, &QPushButton::clicked, this, &TEnEsperaForm::sendSelected);
    connect(m_delete, &QPushButton::clicked, this, &TEnEsperaForm::deleteSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    connect(&Outbox::instance(), &Outbox::changed, this, &TEnEsperaForm::reload);
    connect(&OutboxSender::instance(), &OutboxSender::roundDone, this, [this](int stored, const QString &problem) {
        if (!problem.isEmpty())
            m_state->setText(QString::fromUtf8("No se pudo enviar: ") + problem);
        else if (stored > 0)
            m_state->setText(QString::fromUtf8("Enviadas: %1.").arg(stored));
    });
    Widgets::setUpWindow(this);
    reload();
}

void TEnEsperaForm::reload()
{
    const qint64 selected = selectedId();
    QVector<QSqlRecord> rows;
    try {
        for (const OutboxEntry &e : Outbox::instance().list())
            rows << rowOf(e);
    } catch (const DbError &e) {
        m_state->setText(e.text());
    }
    m_model->setRows(rows);
    int at = 0;
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].value(QStringLiteral("id")).toLongLong() == selected)
            at = i;
    if (!rows.isEmpty())
        Widgets::selectGridRow(m_grid, at);
    else
        m_state->setText(QString::fromUtf8("No hay operaciones en espera de envío."));
    for (QPushButton *b : {m_view, m_send, m_delete})
        b->setEnabled(!rows.isEmpty());
}

qint64 TEnEsperaForm::selectedId() const
{
    const int row = Widgets::selectedGridRow(m_grid);
    return row < 0 ? 0 : m_model->value(row, QStringLiteral("id")).toLongLong();
}

void TEnEsperaForm::viewSelected()
{
    if (const qint64 id = selectedId())
        navigator().request(Nav::OpenWaiting{id}, this);
    reload();
}

void TEnEsperaForm::sendSelected()
{
    const qint64 id = selectedId();
    if (!id)
        return;
    if (OutboxSender::instance().isSending()) {
        m_state->setText(QString::fromUtf8("Ya se están enviando las operaciones en espera."));
        return;
    }
    m_state->setText(QString::fromUtf8("Enviando..."));
    OutboxSender::instance().sendNow(id);
}

void TEnEsperaForm::deleteSelected()
{
    const qint64 id = selectedId();
    if (!id || !m_prompter.question(QString::fromUtf8("La operación se borra de este equipo y no se enviará al PEC. "
                                                      "Borra la operación en espera?")))
        return;
    try {
        Outbox::instance().remove(id);
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
}
