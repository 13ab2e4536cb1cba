#pragma once

#include "core/daysummary.h"
#include "data/backgroundquery.h"

#include <QGroupBox>
#include <QSet>
#include <functional>
#include <optional>

class QLabel;
class QPushButton;
class QVBoxLayout;

// "Resumen del día": beside the main window's tree, what waits for the
// operator today, each count a button to the window that deals with it.
// The counts are read in one exchange off the window's thread, after the
// login and whenever "Actualizar" is pressed; the window never waits for them.
class DaySummaryPanel : public QGroupBox
{
    Q_OBJECT
public:
    explicit DaySummaryPanel(QWidget *parent = nullptr);

    // The operations waiting in this workstation's outbox, supplied by the
    // outbox itself: its count (read locally) and the window that lists them.
    // While none is set the line is not shown.
    struct OutboxHook {
        std::function<int()> count;
        std::function<void(QWidget *parent)> open;
    };
    static void setOutboxHook(OutboxHook hook);

    // Which functions this workstation offers; the main window decides it once.
    void setOffered(const DaySummary::Offered &offered);
    // The functions the navigator and the visible tabs offer.
    static DaySummary::Offered offeredHere(bool obleasTabShown);

    void refresh();
    bool isReading() const { return m_query.isRunning(); }
    const QVector<DaySummary::Line> &lines() const { return m_lines; }
    QPushButton *refreshButton() const { return m_refresh; }

signals:
    void refreshed(); // the counts are shown, or why they are not

private:
    void arrived(const DaySummary::Reading &reading);
    void showOutbox(); // the outbox's line as it is now, read locally
    void showLines();
    void openLine(DaySummary::LineId id);

    BackgroundQuery m_query;
    DaySummary::Offered m_offered;
    std::optional<QSet<int>> m_seenAtLogin; // read once per session
    QVector<DaySummary::Line> m_lines;
    QVBoxLayout *m_linesLayout = nullptr;
    QList<QPushButton *> m_buttons;
    QLabel *m_state = nullptr;
    QPushButton *m_refresh = nullptr;
};
