#include "operations/save/saveoperation.h"

#include "core/global.h"
#include "core/pendingsave.h"
#include "data/checklookups.h"
#include "data/dm1.h"
#include "data/pendingstore.h"
#include "widgets/serverwait.h"

#include <QHash>
#include <QVector>
#include <utility>

namespace
{

// The checks may run twice when the central look-ups did not give the
// answers they were first run on: what the operator already saw is not
// shown again, and a question already answered keeps its answer.
class ReplayPrompter : public Prompter
{
public:
    explicit ReplayPrompter(Prompter &shown) : m_shown(shown) {}
    void warn(const QString &text) override
    {
        once(u'w', text, [&] { m_shown.warn(text); });
    }
    void error(const QString &text) override
    {
        once(u'e', text, [&] { m_shown.error(text); });
    }
    void info(const QString &text) override
    {
        once(u'i', text, [&] { m_shown.info(text); });
    }
    void alert(const QString &text) override
    {
        once(u'l', text, [&] { m_shown.alert(text); });
    }
    bool ask(const QString &text) override
    {
        return answer(u'a', text, [&] { return m_shown.ask(text); });
    }
    bool askWarning(const QString &text) override
    {
        return answer(u'W', text, [&] { return m_shown.askWarning(text); });
    }
    bool question(const QString &text) override
    {
        return answer(u'q', text, [&] { return m_shown.question(text); });
    }
    bool confirm(const QString &text) override
    {
        return answer(u'c', text, [&] { return m_shown.confirm(text); });
    }
    bool askInfo(const QString &text) override
    {
        return answer(u'I', text, [&] { return m_shown.askInfo(text); });
    }
    // The second run shows only what the first did not.
    void replay() { m_seen.swap(m_past), m_seen.clear(); }

private:
    template <typename Show> void once(QChar kind, const QString &text, Show show)
    {
        const QString key = kind + text;
        m_seen.insert(key, true);
        if (!m_past.contains(key))
            show();
    }
    template <typename Ask> bool answer(QChar kind, const QString &text, Ask ask)
    {
        const QString key = kind + text;
        const bool yes = m_past.contains(key) ? m_past.value(key) : ask();
        m_seen.insert(key, yes);
        return yes;
    }
    Prompter &m_shown;
    QHash<QString, bool> m_seen, m_past;
};

} // namespace

SaveOutcome SaveOperation(OperationRecord &record, const InstallationProfile *profile, Prompter &prompter,
                          Progress &progress, const QDate &today, std::optional<int> replacing,
                          WriteOnce::Ticket *ticket, QWidget *waitWindow)
{
    SaveOutcome out;
    // The checks see the operation as "Aceptar" found it, also when they run
    // again after the expiry below was written into the record.
    const OperationRecord input = record;
    const Validation::Options options{profile && profile->checksReusedSticker, today};
    // The checks run on the answers of a plate, sticker and regulator that
    // raise nothing; the save carries the look-ups and stops on the server
    // when one answers otherwise, and the checks run again on the answers.
    CheckLookups lookups;
    ReplayPrompter shown(prompter);
    bool panelUp = false;
    const auto checks = [&](const Validation::Lookups &answers) {
        // The panel is up before the hydraulic-test warnings.
        out.checks = Validation::Check(input, options, answers, shown, [&] {
            if (std::exchange(panelUp, true))
                return;
            progress.open(5);
            progress.line(QStringLiteral("Controlando vencimientos PH..."));
        });
        record.fechaVencimiento = out.checks.expiry;
    };
    const auto onAnswers = [&] {
        shown.replay();
        checks(lookups.actual());
    };
    // With a window, what goes to the server goes off its thread; the
    // look-ups' answers are taken there, where their statements ran.
    const auto atServer = [&](const QString &what, const std::function<void()> &work) {
        try {
            if (waitWindow)
                Widgets::ServerWait::wait(waitWindow, what, Conn::Operations, work);
            else
                work();
        } catch (...) {
            progress.hide();
            throw;
        }
    };
    checks(lookups.expected());
    bool answered = !lookups.anyAsked();
    if (!out.checks.ok && !answered) {
        // Every mark of this attempt, the look-ups' included.
        atServer(QStringLiteral("Controlando los datos de la operación..."), [&lookups] {
            lookups.read();
            lookups.actual();
        });
        onAnswers();
        answered = true;
    }
    if (!out.checks.ok) {
        progress.hide();
        return out;
    }
    const QString lines[5] = {QString(), QStringLiteral("Actualizando tabla USR..."),
                              QStringLiteral("Obteniendo el ID de la operación..."),
                              QStringLiteral("Actualizando tabla REG..."), QStringLiteral("Actualizando tabla CIL...")};
    for (;;) {
        // The panel's lines of a save the guard stopped are never shown.
        QVector<int> steps;
        int id = 0;
        CheckLookups *withChecks = answered ? nullptr : &lookups;
        atServer(QStringLiteral("Guardando la operación pendiente..."), [&, rec = record, global = Global, withChecks] {
            try {
                id = PendingStore::Save(
                    rec, global, today, replacing, [&steps](int step) { steps << step; }, ticket, withChecks);
            } catch (const DbError &e) {
                if (!withChecks || !withChecks->stoppedBy(e))
                    throw;
                withChecks->actual();
            }
        });
        if (id > 0) {
            out.id = id;
            for (int step : std::as_const(steps)) {
                progress.position(step);
                progress.line(lines[step]);
            }
            break;
        }
        answered = true;
        onAnswers();
        if (!out.checks.ok) {
            progress.hide();
            return out;
        }
    }
    progress.position(5);
    progress.hide();
    out.saved = true;
    prompter.info(QStringLiteral("La operación ha sido cargada."));
    return out;
}
