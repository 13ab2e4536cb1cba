#include "operations/save/outboxsend.h"

#include "core/clock.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/errordetails.h"
#include "data/pendingstore.h"
#include "operations/save/saveoperation.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace OutboxSend
{

namespace
{

// "Aceptar" without anyone in front: answers from before, or a refusal.
class Unattended : public Prompter
{
public:
    explicit Unattended(const QHash<QString, bool> &answers) : m_answers(answers) {}
    void warn(const QString &) override {}
    void info(const QString &) override {}
    void error(const QString &text) override { refuse(text); }
    void alert(const QString &text) override { refuse(text); }
    bool ask(const QString &text) override { return answer(text); }
    bool askWarning(const QString &text) override { return answer(text); }
    bool question(const QString &text) override { return answer(text); }
    bool confirm(const QString &text) override { return answer(text); }
    bool askInfo(const QString &text) override { return answer(text); }
    const QString &reason() const { return m_reason; }

private:
    bool answer(const QString &text)
    {
        if (m_answers.contains(text))
            return m_answers.value(text);
        refuse(text);
        return false;
    }
    void refuse(const QString &text)
    {
        if (m_reason.isEmpty())
            m_reason = text;
    }
    QHash<QString, bool> m_answers;
    QString m_reason;
};

} // namespace

QString FirstLine(const QString &text)
{
    return text.section(QLatin1Char('\n'), 0, 0).trimmed();
}

Result Send(OutboxEntry entry, const QDate &today)
{
    Result out;
    out.ticket = entry.ticket;
    // The attachments go from the outbox's copies, as they were attached.
    QTemporaryDir files;
    for (int i = 0; i < 3; ++i) {
        const QByteArray &bytes = entry.files[size_t(i)];
        QString &path = entry.record.attachmentPaths[size_t(i)];
        if (path.isEmpty())
            continue;
        path = files.filePath(QStringLiteral("%1-%2").arg(i).arg(entry.fileNames[size_t(i)]));
        QFile f(path);
        if (!files.isValid() || !f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size()) {
            out.kind = Result::Unreachable;
            out.reason = QStringLiteral("No se pudo preparar el archivo adjunto %1 para el envío.").arg(i + 1);
            return out;
        }
    }
    Unattended prompter(entry.answers);
    NoProgress progress;
    try {
        const SaveOutcome saved = SaveOperation(entry.record, profileById(Global.InstallationId), prompter, progress,
                                                today, std::nullopt, &out.ticket);
        if (saved.saved) {
            out.kind = Result::Stored;
            out.pendingId = saved.id;
        } else {
            out.kind = Result::Refused;
            out.reason = prompter.reason().isEmpty()
                             ? QStringLiteral("Los controles de la operación no pasaron: ábrala con \"Ver\".")
                             : prompter.reason();
        }
    } catch (const WriteOnce::UnknownOutcome &e) {
        out.kind = Result::Unknown;
        out.reason = e.text();
    } catch (const DbError &e) {
        out.kind = ErrorDetails::unreachable(e.code()) ? Result::Unreachable : Result::Refused;
        out.reason = e.text();
    } catch (const PendingStore::AttachmentError &e) {
        out.kind = Result::Refused;
        out.reason = e.text();
    }
    return out;
}

} // namespace OutboxSend

OutboxSender &OutboxSender::instance()
{
    static OutboxSender sender;
    return sender;
}

OutboxSender::OutboxSender()
{
    connect(&m_timer, &QTimer::timeout, this, [this] { sendNow(); });
    connect(&m_query, &BackgroundQuery::failed, this, [this](const QString &text) {
        m_queue.clear();
        m_problem = text;
        emit roundDone(m_stored, m_problem);
    });
}

void OutboxSender::start(int intervalMs)
{
    m_timer.start(intervalMs);
    QTimer::singleShot(0, this, [this] { sendNow(); });
}

void OutboxSender::sendNow(qint64 id)
{
    if (isSending() || !m_queue.isEmpty())
        return; // a round is going: it takes them all
    m_stored = 0;
    m_problem.clear();
    try {
        if (id > 0) {
            m_queue << id;
        } else {
            for (const OutboxEntry &e : Outbox::instance().list())
                if (!e.refused)
                    m_queue << e.id;
        }
    } catch (const DbError &e) {
        m_problem = e.text();
    }
    next();
}

void OutboxSender::next()
{
    if (m_queue.isEmpty()) {
        emit roundDone(m_stored, m_problem);
        return;
    }
    const qint64 id = m_queue.takeFirst();
    std::optional<OutboxEntry> entry;
    try {
        entry = Outbox::instance().entry(id);
    } catch (const DbError &e) {
        m_queue.clear();
        m_problem = e.text();
    }
    if (!entry) {
        next();
        return;
    }
    const QDate today = Clock::today();
    m_query.start<OutboxSend::Result>(
        Conn::Operations, [e = *entry, today] { return OutboxSend::Send(e, today); },
        [this, id](const OutboxSend::Result &r) { arrived(id, r); });
}

void OutboxSender::arrived(qint64 id, const OutboxSend::Result &r)
{
    try {
        if (r.kind == OutboxSend::Result::Stored) {
            Outbox::instance().remove(id);
            ++m_stored;
        } else {
            Outbox::instance().noteAttempt(id, OutboxSend::FirstLine(r.reason), r.kind == OutboxSend::Result::Refused,
                                           r.ticket);
            if (r.kind != OutboxSend::Result::Refused) {
                m_queue.clear(); // the server is away: the next round tries again
                m_problem = OutboxSend::FirstLine(r.reason);
            }
        }
    } catch (const DbError &e) {
        m_queue.clear();
        m_problem = e.text();
    }
    next();
}
