#include "app/daysummarypanel.h"

#include "app/navigator.h"
#include "core/clock.h"
#include "core/global.h"
#include "data/daysummaryrepository.h"
#include "data/dberror.h"
#include "data/localstore.h"
#include "data/outbox.h"
#include "data/reminderrepository.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTime>
#include <QVBoxLayout>
#include <algorithm>

namespace
{

DaySummaryPanel::OutboxHook &outboxHook()
{
    static DaySummaryPanel::OutboxHook hook;
    return hook;
}

bool hasOutbox()
{
    return outboxHook().count && outboxHook().open;
}

std::optional<WindowId> windowOf(DaySummary::LineId id)
{
    using L = DaySummary::LineId;
    switch (id) {
    case L::Pending:
    case L::Observed:
        return WindowId::PendingOperations;
    case L::Stickers:
        return WindowId::AssignedStickers;
    case L::Expiries:
        return WindowId::StickerReminder;
    case L::Appointments:
        return WindowId::Appointments;
    case L::Outbox:
        break;
    }
    return std::nullopt;
}

QString nameOf(DaySummary::LineId id)
{
    static const char *const names[] = {"Pendientes", "Observadas", "Obleas", "Vencimientos", "Turnos", "Envios"};
    return QStringLiteral("BitBtnResumen") + QLatin1String(names[static_cast<int>(id)]);
}

QString wrapped(const QString &text, const QFontMetrics &metrics, int width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(QLatin1Char(' '))) {
        const QString longer = line.isEmpty() ? word : line + QLatin1Char(' ') + word;
        if (!line.isEmpty() && metrics.horizontalAdvance(longer) > width) {
            lines << line;
            line = word;
        } else {
            line = longer;
        }
    }
    lines << line;
    return lines.join(QLatin1Char('\n'));
}

} // namespace

DaySummaryPanel::DaySummaryPanel(QWidget *parent) : QGroupBox(QString::fromUtf8("Resumen del día"), parent)
{
    setObjectName(QStringLiteral("GroupBoxResumen"));
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(2);
    m_linesLayout = new QVBoxLayout;
    m_linesLayout->setSpacing(0);
    layout->addLayout(m_linesLayout);
    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("LabelResumenEstado"));
    m_state->setWordWrap(true);
    QFont small = m_state->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    m_state->setFont(small);
    layout->addWidget(m_state);
    m_refresh = new QPushButton(QStringLiteral("Actualizar"), this);
    m_refresh->setObjectName(QStringLiteral("BitBtnActualizar"));
    m_refresh->setAutoDefault(false);
    layout->addWidget(m_refresh, 0, Qt::AlignRight);

    connect(m_refresh, &QPushButton::clicked, this, &DaySummaryPanel::refresh);
    connect(&m_query, &BackgroundQuery::failed, this, [this](const QString &text) {
        m_state->setText(QString::fromUtf8("No se pudo leer el resumen: ") + text);
        m_refresh->setEnabled(true);
        showOutbox(); // what waits here shows without the server
        emit refreshed();
    });
    connect(&Outbox::instance(), &Outbox::changed, this, &DaySummaryPanel::showOutbox);
}

void DaySummaryPanel::showOutbox()
{
    if (!hasOutbox())
        return;
    int count = 0;
    try {
        count = outboxHook().count();
    } catch (const DbError &e) {
        m_state->setText(e.text());
        return;
    }
    const DaySummary::Counts counts = [count] {
        DaySummary::Counts c;
        c.outbox = count;
        return c;
    }();
    DaySummary::Offered only;
    only.outbox = true;
    const DaySummary::Line line = DaySummary::Lines(counts, only).value(0);
    auto it = std::find_if(m_lines.begin(), m_lines.end(), [&line](const auto &l) { return l.id == line.id; });
    if (it != m_lines.end())
        *it = line;
    else
        m_lines << line;
    showLines();
}

void DaySummaryPanel::setOutboxHook(OutboxHook hook)
{
    outboxHook() = std::move(hook);
}

DaySummary::Offered DaySummaryPanel::offeredHere(bool obleasTabShown)
{
    const Navigator &nav = navigator();
    const auto opens = [&nav](WindowId id) { return nav.answers<Nav::Open>(id); };
    DaySummary::Offered o;
    o.pending = obleasTabShown && opens(WindowId::PendingOperations);
    o.stickers = obleasTabShown && opens(WindowId::AssignedStickers);
    o.reminders = obleasTabShown && opens(WindowId::StickerReminder);
    o.appointments = opens(WindowId::Appointments); // the "Turnos" menu, whatever the tabs
    o.outbox = hasOutbox();
    return o;
}

void DaySummaryPanel::setOffered(const DaySummary::Offered &offered)
{
    m_offered = offered;
}

void DaySummaryPanel::refresh()
{
    const QString workshop = Global.WorkshopCode;
    if (workshop.isEmpty())
        return;
    if (!m_seenAtLogin) {
        try {
            m_seenAtLogin =
                DaySummaryRepository::SeenObserved(localStore().table(LocalTableId::SeenObserved), workshop);
        } catch (const DbError &) {
            m_seenAtLogin = QSet<int>(); // held by another copy of the program: everything counts as new
        }
    }
    m_state->setText(QString::fromUtf8("Leyendo el resumen..."));
    m_refresh->setEnabled(false);
    const QDate today = Clock::today();
    m_query.start<DaySummary::Reading>(
        Conn::Operations, [workshop, today] { return DaySummaryRepository::Read(workshop, today); },
        [this](const DaySummary::Reading &reading) { arrived(reading); });
}

void DaySummaryPanel::arrived(const DaySummary::Reading &reading)
{
    QHash<QString, QDate> lastSent;
    try {
        LocalTable &log = localStore().table(LocalTableId::ReminderLog);
        log.open();
        lastSent = ReminderLog::LastSent(log, Reminders::Kind::Sticker);
        DaySummaryRepository::KeepObserved(localStore().table(LocalTableId::SeenObserved), Global.WorkshopCode,
                                           reading.verifiedWithObservations);
    } catch (const DbError &) {
        // A local table held elsewhere: the counts still show, without it.
    }
    DaySummary::Counts counts = DaySummary::CountsOf(reading, *m_seenAtLogin, lastSent);
    DaySummary::Offered offered = m_offered;
    offered.outbox = offered.outbox && hasOutbox();
    if (offered.outbox) {
        try {
            counts.outbox = outboxHook().count();
        } catch (const DbError &) {
            offered.outbox = false; // said when the outbox itself is opened
        }
    }
    m_lines = DaySummary::Lines(counts, offered);
    showLines();
    m_state->setText(
        QStringLiteral("Actualizado a las %1").arg(QTime::currentTime().toString(QStringLiteral("HH:mm"))));
    m_refresh->setEnabled(true);
    emit refreshed();
}

void DaySummaryPanel::showLines()
{
    qDeleteAll(m_buttons);
    m_buttons.clear();
    for (const DaySummary::Line &line : std::as_const(m_lines)) {
        auto *b = new QPushButton(this);
        b->setObjectName(nameOf(line.id));
        b->setFlat(true);
        b->setAutoDefault(false);
        b->setStyleSheet(QStringLiteral("text-align: left; padding: 2px 4px;"));
        b->setCursor(Qt::PointingHandCursor);
        if (line.count > 0) {
            QFont f = b->font();
            f.setBold(true);
            b->setFont(f);
        }
        // A line longer than the panel goes on in a second one: the count
        // at its end is never cut off.
        b->setText(wrapped(line.text, b->fontMetrics(), contentsRect().width() - 24));
        const DaySummary::LineId id = line.id;
        connect(b, &QPushButton::clicked, this, [this, id] { openLine(id); });
        m_linesLayout->addWidget(b);
        m_buttons << b;
    }
}

void DaySummaryPanel::openLine(DaySummary::LineId id)
{
    if (const std::optional<WindowId> w = windowOf(id))
        navigator().request(Nav::Open{*w}, window());
    else if (hasOutbox())
        outboxHook().open(window());
    // What the window did (a reminder sent, a booking) shows at once.
    refresh();
}
