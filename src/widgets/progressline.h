#pragma once

#include "core/prompter.h"
#include "data/backgroundquery.h"

#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace Widgets
{

// What a window shows while a list is read off its thread: the line of what
// is being done with the seconds gone, a busy bar and "Cancelar". Hidden
// while idle; the window stays usable meanwhile (it may close, which cancels).
class ProgressLine : public QWidget
{
    Q_OBJECT
public:
    explicit ProgressLine(QWidget *parent = nullptr);

    // Runs the reading `work` (a repository's list, a report's data) on the
    // worker of `conn`: it must use only what it captured by value, never a
    // widget. `done` gets its result on the window's thread when it arrives,
    // `failed` the client's text of an error. A cancelled read calls
    // neither. A read still going is cancelled first.
    template <class T>
    void run(const QString &text, Conn conn, std::function<T()> work, std::function<void(T)> done,
             const std::function<void(const QString &)> &failed)
    {
        begin(text, failed, [&] { m_query.start<T>(conn, std::move(work), std::move(done)); });
    }
    // The same with an error shown by `prompter`.
    template <class T>
    void run(const QString &text, Conn conn, std::function<T()> work, std::function<void(T)> done, Prompter &prompter)
    {
        run<T>(text, conn, std::move(work), std::move(done), [&prompter](const QString &e) { prompter.error(e); });
    }

    // Controls that wait while a read runs (the button that starts it, the
    // prints of the last list): disabled at the start, given back as they
    // were when it stops, whichever way.
    void holdWhileRunning(const QList<QWidget *> &widgets);
    void cancel();
    bool isRunning() const { return m_query.isRunning(); }

    QPushButton *cancelButton() const { return m_cancel; }

signals:
    void started();
    void stopped(); // rows, error or cancel

private:
    void begin(const QString &text, std::function<void(const QString &)> failed, const std::function<void()> &start);
    void stop();

    BackgroundQuery m_query;
    QLabel *m_text = nullptr;
    QProgressBar *m_bar = nullptr;
    QPushButton *m_cancel = nullptr;
    QTimer m_clock;
    QElapsedTimer m_since;
    QString m_what;
    std::function<void(const QString &)> m_failed;
    QList<QPointer<QWidget>> m_held;
    QList<QPointer<QWidget>> m_heldEnabled; // of m_held, those enabled before the run
};

} // namespace Widgets
