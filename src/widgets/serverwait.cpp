#include "widgets/serverwait.h"

#include "data/errordetails.h"
#include "data/writeonce.h"

#include <QDialog>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLabel>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace Widgets
{

namespace
{

// The line itself: what is being done, the seconds, a busy bar, "Cancelar".
class WaitDialog : public QDialog
{
public:
    WaitDialog(QWidget *window, const QString &what) : QDialog(window), m_what(what)
    {
        setObjectName(QStringLiteral("EsperaServidor"));
        setWindowTitle(QStringLiteral("Esperando al servidor"));
        setWindowModality(Qt::WindowModal);
        m_text = new QLabel(what, this);
        m_text->setObjectName(QStringLiteral("LabelEspera"));
        auto *bar = new QProgressBar(this);
        bar->setRange(0, 0);
        bar->setTextVisible(false);
        cancel = new QPushButton(QStringLiteral("Cancelar"), this);
        cancel->setObjectName(QStringLiteral("BitBtnCancelarEspera"));
        auto *layout = new QVBoxLayout(this);
        layout->addWidget(m_text);
        layout->addWidget(bar);
        layout->addWidget(cancel, 0, Qt::AlignRight);
        m_since.start();
    }
    void tick() { m_text->setText(QStringLiteral("%1 (%2 s)").arg(m_what).arg((m_since.elapsed() + 500) / 1000)); }
    void cancelling()
    {
        m_what = QStringLiteral("Cancelando: se averigua qué llegó al servidor...");
        cancel->setEnabled(false);
        tick();
    }
    // Esc and the title bar's close act as "Cancelar"; the line goes only
    // when the work has ended.
    void reject() override
    {
        if (cancel->isEnabled())
            cancel->click();
    }

    QPushButton *cancel = nullptr;

private:
    QString m_what;
    QLabel *m_text = nullptr;
    QElapsedTimer m_since;
};

} // namespace

void ServerWait::wait(QWidget *window, const QString &what, Conn conn, const std::function<void()> &work)
{
    waitAll(window, what, {{conn, work}});
}

void ServerWait::waitAll(QWidget *window, const QString &what, const std::vector<Work> &works)
{
    // One slot per work: each is written on its worker and read here after
    // its end has arrived.
    std::vector<std::shared_ptr<std::exception_ptr>> errors;
    std::vector<std::unique_ptr<BackgroundQuery>> queries;
    QEventLoop loop;
    size_t running = works.size();
    bool dropped = false; // a work "Cancelar" stopped before it sent anything
    const auto end = [&] {
        if (--running == 0)
            loop.quit();
    };
    for (const Work &w : works) {
        auto error = std::make_shared<std::exception_ptr>();
        auto query = std::make_unique<BackgroundQuery>();
        QObject::connect(query.get(), &BackgroundQuery::failed, &loop, [&end, error](const QString &text) {
            if (!*error)
                *error = std::make_exception_ptr(DbError(text));
            end();
        });
        QObject::connect(query.get(), &BackgroundQuery::cancelled, &loop, [&end, &dropped] {
            dropped = true;
            end();
        });
        query->start<bool>(
            w.conn,
            [work = w.work, error] {
                try {
                    work();
                } catch (...) {
                    *error = std::current_exception();
                }
                return true;
            },
            [&end](bool) { end(); });
        errors.push_back(error);
        queries.push_back(std::move(query));
    }

    WaitDialog *line = new WaitDialog(window, what);
    QPointer<WaitDialog> guard(line);
    bool cancelled = false;
    QObject::connect(line->cancel, &QPushButton::clicked, line, [&queries, &cancelled, line] {
        cancelled = true;
        line->cancelling();
        for (const auto &query : queries)
            query->interrupt();
    });
    QTimer show;
    show.setSingleShot(true);
    QObject::connect(&show, &QTimer::timeout, line, [line] {
        line->tick();
        line->show();
    });
    show.start(kShowAfterMs);
    QTimer clock;
    QObject::connect(&clock, &QTimer::timeout, line, [line] { line->tick(); });
    clock.start(1000);

    // Until the line shows, the operator's keys and clicks wait for the
    // answer and then arrive in the order typed, as they would in a window
    // that froze: nothing started meanwhile runs inside this wait, and a
    // field's look-up leaves the focus where the next key expects it. With
    // the line up the window is blocked by it, and only its "Cancelar" counts.
    while (running > 0 && !line->isVisible())
        loop.processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents);
    if (running > 0)
        loop.exec();
    show.stop();
    clock.stop();
    delete guard.data();
    if (dropped)
        throw Cancelled(QStringLiteral("Se canceló la espera del servidor.\nNo se envió nada: puede intentarlo de "
                                       "nuevo."),
                        QString(), 0, true);
    std::exception_ptr error;
    for (const auto &e : errors)
        if (!error)
            error = *e;
    if (!error)
        return;
    if (cancelled) {
        try {
            std::rethrow_exception(error);
        } catch (const WriteOnce::UnknownOutcome &) {
            throw;
        } catch (const DbError &e) {
            if (!ErrorDetails::lostConnection(e.code()))
                throw;
            const qsizetype more = e.text().indexOf(QLatin1Char('\n'));
            throw Cancelled(QStringLiteral("Se canceló la espera del servidor.") +
                                (more < 0 ? QString() : e.text().mid(more)),
                            e.statement(), e.code(), dynamic_cast<const WriteOnce::NotStored *>(&e) != nullptr);
        }
    }
    std::rethrow_exception(error);
}

QString WindowWrites::failure(const QString &notStored, const DbError &e)
{
    // An unknown outcome says so itself; a write lost on the way and found
    // not stored says that it can be tried again.
    const auto *cancelled = dynamic_cast<const ServerWait::Cancelled *>(&e);
    if (dynamic_cast<const WriteOnce::UnknownOutcome *>(&e) || dynamic_cast<const WriteOnce::NotStored *>(&e) ||
        (cancelled && cancelled->nothingStored()))
        return e.text();
    return notStored + QStringLiteral("\n\n") + e.text();
}

} // namespace Widgets
