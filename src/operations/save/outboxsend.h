#pragma once

#include "core/prompter.h"
#include "data/backgroundquery.h"
#include "data/outbox.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QTimer>
#include <QVector>

namespace OutboxSend
{

// Passes every question and notice of "Aceptar" on to the operator and
// keeps the answers given, for a later send from the outbox.
class AnswerLog : public Prompter
{
public:
    explicit AnswerLog(Prompter &shown) : m_shown(shown) {}
    void warn(const QString &text) override { m_shown.warn(text); }
    void error(const QString &text) override { m_shown.error(text); }
    void info(const QString &text) override { m_shown.info(text); }
    void alert(const QString &text) override { m_shown.alert(text); }
    bool ask(const QString &text) override { return keep(text, m_shown.ask(text)); }
    bool askWarning(const QString &text) override { return keep(text, m_shown.askWarning(text)); }
    bool question(const QString &text) override { return keep(text, m_shown.question(text)); }
    bool confirm(const QString &text) override { return keep(text, m_shown.confirm(text)); }
    bool askInfo(const QString &text) override { return keep(text, m_shown.askInfo(text)); }
    const QHash<QString, bool> &answers() const { return m_answers; }

private:
    bool keep(const QString &text, bool answer)
    {
        m_answers.insert(text, answer);
        return answer;
    }
    Prompter &m_shown;
    QHash<QString, bool> m_answers;
};

struct Result {
    enum Kind {
        Stored,      // it is a pending operation now (`pendingId`)
        Refused,     // a check or the server refused it: `reason`
        Unreachable, // not sent: the server did not answer
        Unknown,     // sent, the answer lost: the ticket finds out next time
    } kind = Unreachable;
    int pendingId = 0;
    QString reason;
    WriteOnce::Ticket ticket; // as the send left it
};

// Sends `entry` as "Aceptar" would, with no one to ask: the operator's
// earlier answers are given again, and a question never answered, or an
// error of the checks, refuses it with its text. Blocks; runs on a data
// module's worker as well as on the window's thread.
Result Send(OutboxEntry entry, const QDate &today);

// A one-line reason for the list.
QString FirstLine(const QString &text);

} // namespace OutboxSend

// Sends the outbox in the background: after the login, every minute while
// the program runs, and when the operator asks. One operation at a time;
// a round ends at the first one the server does not answer for.
class OutboxSender : public QObject
{
    Q_OBJECT
public:
    static OutboxSender &instance();

    void start(int intervalMs = 60 * 1000);
    // The operations not refused, or only `id` (refused or not).
    void sendNow(qint64 id = 0);
    bool isSending() const { return m_query.isRunning(); }

signals:
    void roundDone(int stored, const QString &problem);

private:
    OutboxSender();
    void next();
    void arrived(qint64 id, const OutboxSend::Result &r);

    BackgroundQuery m_query;
    QTimer m_timer;
    QVector<qint64> m_queue;
    int m_stored = 0;
    QString m_problem;
};
