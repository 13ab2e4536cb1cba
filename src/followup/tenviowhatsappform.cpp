#include "followup/tenviowhatsappform.h"

#include "core/clock.h"
#include "core/global.h"
#include "data/dberror.h"
#include "data/localstore.h"
#include "data/reminderrepository.h"
#include "followup/formparts.h"
#include "followup/linkopener.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/progressline.h"
#include "widgets/waitcursor.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSqlField>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

const QString kLastSentField = QStringLiteral("ultimo_envio");

QVector<Widgets::GridColumn> gridColumns(Reminders::Kind kind)
{
    using C = Widgets::GridColumn;
    const C vencimiento =
        kind == Reminders::Kind::Sticker
            ? C{QStringLiteral("Vencimiento"), QStringLiteral("Vencimiento"), 10, false, C::Kind::Date}
            : C{QStringLiteral("Vencimiento"), QStringLiteral("Vencimiento"), 7};
    QVector<C> c = {
        {QStringLiteral("Dominio"), QStringLiteral("Dominio"), 9, true},
        {QStringLiteral("Auto"), QStringLiteral("Auto"), 31},
        {QStringLiteral("Modelo"), QStringLiteral("Modelo"), 4},
        {QStringLiteral("Propietario"), QStringLiteral("Propietario"), 34},
    };
    const C celular{QStringLiteral("Celular"), QStringLiteral("Celular"), 18, true};
    if (kind == Reminders::Kind::Sticker)
        c << vencimiento << celular;
    else
        c << celular << vencimiento;
    c << C{QStringLiteral("Último envío"), kLastSentField, 10, false, C::Kind::Date};
    return c;
}

LocalTable &reminderLog()
{
    return localStore().table(LocalTableId::ReminderLog);
}

} // namespace

TEnvioWhatsappForm::TEnvioWhatsappForm(QWidget *parent, Prompter &prompter)
    : TEnvioWhatsappForm(parent, prompter, Reminders::Kind::Sticker)
{
}

TEnvioWhatsappForm::TEnvioWhatsappForm(QWidget *parent, Prompter &prompter, Reminders::Kind kind)
    : QDialog(parent), m_prompter(prompter), m_kind(kind)
{
    build();
    loadMessage();
}

void TEnvioWhatsappForm::build()
{
    const bool sticker = m_kind == Reminders::Kind::Sticker;
    setObjectName(sticker ? QStringLiteral("EnvioWhatsappForm") : QStringLiteral("EnvioWhatsappPHForm"));
    setWindowTitle(sticker ? QStringLiteral("Envio de WhatsApp")
                           : QStringLiteral("Envío de WhatsApp para Renovación de PH"));
    resize(980, 600);

    m_desde = Widgets::datePicker(QStringLiteral("DateTimePicker1"), this, Clock::today());
    m_hasta = Widgets::datePicker(QStringLiteral("DateTimePicker2"), this, Clock::today());
    auto *period = new QGroupBox(QStringLiteral("Vencimientos de Obleas"), this);
    period->setLayout(Followup::periodRow(m_desde, m_hasta, period));
    auto *ver = Widgets::button(QStringLiteral("BitBtn2"),
                                QStringLiteral("Ver vehículos con vencimiento en el periodo indicado"), this);

    m_model = new Widgets::ResultGridModel(gridColumns(m_kind), Widgets::GridPalette::Blue, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    Widgets::setUpResultGrid(m_grid, m_model);

    m_notice = new QLabel(this);
    m_notice->setObjectName(QStringLiteral("LabelUltimoEnvio"));
    m_notice->setStyleSheet(QStringLiteral("QLabel { color: #a04000; font-weight: bold; }"));

    auto *memoBox = new QGroupBox(QStringLiteral("Mensaje a Enviar"), this);
    m_memo = new QPlainTextEdit(memoBox);
    m_memo->setObjectName(QStringLiteral("Memo1"));
    m_memo->setTabChangesFocus(true);
    m_memo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff); // lines wrap
    auto *countCaption = new QLabel(QStringLiteral("Cantidad de Caracteres del Mensaje:"), memoBox);
    m_countLabel = new QLabel(QStringLiteral("0"), memoBox);
    m_countLabel->setObjectName(QStringLiteral("LabelCount"));
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(countCaption);
    countRow->addWidget(m_countLabel);
    countRow->addStretch();
    auto *memoLayout = new QVBoxLayout(memoBox);
    memoLayout->addWidget(m_memo);
    memoLayout->addLayout(countRow);

    m_enviar = Widgets::button(QStringLiteral("BitBtn1"), QStringLiteral("Enviar"), this);
    m_enviar->setEnabled(false);

    connect(ver, &QPushButton::clicked, this, &TEnvioWhatsappForm::BitBtn2Click);
    connect(m_enviar, &QPushButton::clicked, this, &TEnvioWhatsappForm::BitBtn1Click);
    connect(m_memo, &QPlainTextEdit::textChanged, this, &TEnvioWhatsappForm::Memo1Change);
    // The row the cursor moved to: a mouse click selects it only after this signal.
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { showRecentNotice(current.isValid() ? current.row() : -1); });

    auto *top = new QHBoxLayout;
    top->addWidget(period);
    top->addWidget(ver, 0, Qt::AlignBottom);
    top->addStretch();
    auto *send = new QHBoxLayout;
    send->addWidget(m_notice, 1);
    send->addWidget(m_enviar);
    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 3);
    m_progress = new Widgets::ProgressLine(this);
    m_progress->holdWhileRunning({ver});
    layout->addWidget(m_progress);
    layout->addLayout(send);
    layout->addWidget(memoBox, 2);
}

void TEnvioWhatsappForm::loadMessage()
{
    try {
        m_memo->setPlainText(Widgets::ServerWait::run<QString>(
            this, QStringLiteral("Leyendo el mensaje..."), Conn::Operations,
            [kind = m_kind, workshop = Global.WorkshopCode] { return ReminderRepository::Message(kind, workshop); }));
        m_messageLoaded = true;
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
    m_messageEdited = false;
    Memo1Change();
    m_messageEdited = false;
}

void TEnvioWhatsappForm::Memo1Change()
{
    m_messageEdited = true;
    m_countLabel->setText(QString::number(Reminders::CharacterCount(m_memo->toPlainText())));
}

void TEnvioWhatsappForm::done(int result)
{
    // A text that could not be read is not overwritten with an empty one.
    if (m_messageLoaded || m_messageEdited) {
        try {
            m_saveMessage.run(this, QStringLiteral("Guardando el mensaje..."), Conn::Operations,
                              [kind = m_kind, workshop = Global.WorkshopCode, text = m_memo->toPlainText()](
                                  WriteOnce::Ticket *t) { ReminderRepository::WriteMessage(kind, workshop, text, t); });
        } catch (const DbError &e) {
            // Closing throws the edited text away: "No" is what Enter answers.
            if (!m_prompter.question(
                    QStringLiteral("No se pudo guardar el mensaje:\n%1\n\n¿Cerrar de todos modos?").arg(e.text())))
                return;
        }
    }
    QDialog::done(result);
}

QDate TEnvioWhatsappForm::lastSent(int row) const
{
    return m_model->value(row, kLastSentField).toDate();
}

void TEnvioWhatsappForm::showRows(int selectRow)
{
    m_model->setRows(m_rows);
    if (m_model->rowCount() > 0)
        Widgets::selectGridRow(m_grid, qBound(0, selectRow, m_model->rowCount() - 1));
    showRecentNotice(Widgets::selectedGridRow(m_grid));
}

void TEnvioWhatsappForm::showRecentNotice(int row)
{
    m_notice->setText(row < 0 ? QString() : Reminders::RecentNotice(lastSent(row), Clock::today()));
}

void TEnvioWhatsappForm::BitBtn2Click()
{
    const Reminders::Kind kind = m_kind;
    const QString workshop = Global.WorkshopCode;
    const QDate from = m_desde->date(), to = m_hasta->date();
    m_rows.clear();
    showRows(-1);
    m_progress->run<QVector<QSqlRecord>>(
        QStringLiteral("Leyendo los vencimientos..."), Conn::Operations,
        [kind, workshop, from, to] { return ReminderRepository::ReminderList(kind, workshop, from, to); },
        [this](QVector<QSqlRecord> rows) { showList(std::move(rows)); }, m_prompter);
}

void TEnvioWhatsappForm::showList(QVector<QSqlRecord> rows)
{
    m_rows = std::move(rows);
    // The log is this workstation's own; without it the list still serves.
    QHash<QString, QDate> lastSent;
    try {
        lastSent = ReminderLog::LastSent(reminderLog(), m_kind);
    } catch (const DbError &) {
    }
    for (QSqlRecord &r : m_rows) {
        r.append(QSqlField(kLastSentField, QMetaType(QMetaType::QDate)));
        r.setValue(kLastSentField,
                   lastSent.value(ReminderLog::PlateKey(r.value(QStringLiteral("Dominio")).toString())));
    }
    showRows(0);
    if (!m_rows.isEmpty())
        m_enviar->setEnabled(true);
}

void TEnvioWhatsappForm::BitBtn1Click()
{
    const int row = Widgets::selectedGridRow(m_grid);
    const QString mobile = row < 0 ? QString() : m_model->text(row, QStringLiteral("Celular"));
    const QString number = row < 0 ? QString() : m_model->text(row, QStringLiteral("telefono"));
    QString logProblem;
    if (!Reminders::HasMobile(mobile, number)) {
        m_prompter.error(QStringLiteral("Sin número de celular"));
    } else {
        if (!Followup::openLink(Reminders::ChatLink(mobile, m_memo->toPlainText()))) {
            m_prompter.error(QStringLiteral("No se pudo abrir WhatsApp con el número %1.").arg(mobile));
            return;
        }
        const QString plate = m_model->text(row, QStringLiteral("Dominio"));
        const QDate today = Clock::today();
        try {
            ReminderLog::Record(reminderLog(), today, plate, mobile, m_kind);
        } catch (const DbError &e) {
            logProblem = QStringLiteral("El envío no quedó registrado: %1").arg(e.text());
        }
        // Every row of the vehicle shows the reminder just sent.
        for (QSqlRecord &r : m_rows)
            if (ReminderLog::PlateKey(r.value(QStringLiteral("Dominio")).toString()) == ReminderLog::PlateKey(plate))
                r.setValue(kLastSentField, today);
    }
    // Walks the list to its end; there the last row stays selected.
    if (row >= 0)
        showRows(row + 1);
    if (!logProblem.isEmpty())
        m_notice->setText(logProblem);
}
