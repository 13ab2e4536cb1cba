// The day summary beside the main window's tree: its counts read off the
// window's thread, each line opening its window, the operations verified
// with observations counted from one login to the next, the outbox line.
#include "app/daysummarypanel.h"
#include "app/navigator.h"
#include "app/tmainform.h"
#include "core/clock.h"
#include "core/global.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "followupbuilders.h"
#include "testdb.h"

#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

namespace
{

const QString kDb = QStringLiteral("t_daysummary");
const QString kWs = QStringLiteral("TDM0001");

QStringList texts(const DaySummaryPanel &panel)
{
    QStringList out;
    for (const DaySummary::Line &l : panel.lines())
        out << l.text;
    return out;
}

// A panel of a new session, read once.
void readAnew(std::unique_ptr<DaySummaryPanel> &panel, const DaySummary::Offered &offered)
{
    panel = std::make_unique<DaySummaryPanel>();
    panel->setOffered(offered);
    QSignalSpy done(panel.get(), &DaySummaryPanel::refreshed);
    panel->refresh();
    QVERIFY(done.wait(20000));
}

} // namespace

class TstDaySummary : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    ScopedNavigator nav;
    QList<WindowId> opened;

private slots:
    void initTestCase()
    {
        db = TestDb::create(kDb);
        dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), {}});
        Global = GlobalState{};
        Global.WorkshopCode = kWs;
        Clock::setToday(QDate(2026, 12, 10));
        localStore().table(LocalTableId::SeenObserved).open();
        localStore().table(LocalTableId::SeenObserved).empty();
        for (WindowId id : {WindowId::PendingOperations, WindowId::AssignedStickers, WindowId::StickerReminder,
                            WindowId::Appointments})
            nav->add(id, [this, id](QWidget *) { opened << id; });
    }
    void cleanupTestCase()
    {
        DaySummaryPanel::setOutboxHook({});
        Clock::reset();
        BackgroundQuery::stopWorkers();
        localStore().closeAll();
        dm1().closeAll();
        db.close();
        TestDb::drop(kDb);
    }

    void linesCountAndOpenTheirWindows()
    {
        Build::pending(db, kWs, 0);
        Build::pending(db, kWs, 1);
        Build::run(
            db,
            QStringLiteral("insert into turnos_agenda (taller, fecha, hora, cliente) values (?, ?, '09:00', 'PEREZ')"),
            {kWs, Clock::today()});
        // The main window carries it beside the tree, with the functions its tabs offer.
        TMainForm main(TMainForm::SkipLogin{});
        QVERIFY(main.daySummary());
        std::unique_ptr<DaySummaryPanel> panel;
        readAnew(panel, DaySummaryPanel::offeredHere(true));
        QCOMPARE(texts(*panel),
                 (QStringList{QStringLiteral("Operaciones a verificar: 1"),
                              QString::fromUtf8("Verificadas con observaciones desde el último ingreso: 1"),
                              QStringLiteral("Obleas asignadas esta semana: 0"),
                              QString::fromUtf8("Vencimientos de los próximos 30 días sin recordatorio: 0"),
                              QStringLiteral("Turnos de hoy: 1")}));

        opened.clear();
        panel->findChild<QPushButton *>(QStringLiteral("BitBtnResumenTurnos"))->click();
        panel->findChild<QPushButton *>(QStringLiteral("BitBtnResumenObservadas"))->click();
        QCOMPARE(opened, (QList<WindowId>{WindowId::Appointments, WindowId::PendingOperations}));

        // Without the "Obleas" tab only the appointment book is offered.
        readAnew(panel, DaySummaryPanel::offeredHere(false));
        QCOMPARE(texts(*panel), QStringList{QStringLiteral("Turnos de hoy: 1")});
    }

    void observedCountFromOneLoginToTheNext()
    {
        std::unique_ptr<DaySummaryPanel> panel;
        const DaySummary::Offered offered = DaySummaryPanel::offeredHere(true);
        readAnew(panel, offered); // seen at the last login: nothing new
        QCOMPARE(panel->lines().at(1).count, 0);
        Build::pending(db, kWs, 1);
        // Within the session a refresh still counts from the login.
        QSignalSpy done(panel.get(), &DaySummaryPanel::refreshed);
        panel->refresh();
        QVERIFY(done.wait(20000));
        QCOMPARE(panel->lines().at(1).count, 1);
        panel->refresh();
        QVERIFY(done.wait(20000));
        QCOMPARE(panel->lines().at(1).count, 1);
        readAnew(panel, offered);
        QCOMPARE(panel->lines().at(1).count, 0);
    }

    void outboxLineOnceAnOutboxExists()
    {
        int shownFor = 0;
        DaySummaryPanel::setOutboxHook({[] { return 3; }, [&shownFor](QWidget *) { ++shownFor; }});
        std::unique_ptr<DaySummaryPanel> panel;
        readAnew(panel, DaySummaryPanel::offeredHere(true));
        QCOMPARE(texts(*panel).last(), QString::fromUtf8("Operaciones en espera de envío: 3"));
        panel->findChild<QPushButton *>(QStringLiteral("BitBtnResumenEnvios"))->click();
        QCOMPARE(shownFor, 1);
        DaySummaryPanel::setOutboxHook({});
    }

    void failedReadingIsShownInThePanel()
    {
        dm1().configure(Conn::Operations,
                        {TestDb::host(), QStringLiteral("t_no_such_db"), TestDb::user(), TestDb::password(), {}});
        std::unique_ptr<DaySummaryPanel> panel;
        readAnew(panel, DaySummaryPanel::offeredHere(true));
        QVERIFY(panel->findChild<QLabel *>(QStringLiteral("LabelResumenEstado"))
                    ->text()
                    .startsWith(QString::fromUtf8("No se pudo leer el resumen")));
        QVERIFY(panel->refreshButton()->isEnabled());
        dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), {}});
    }
};

QTEST_MAIN(TstDaySummary)
#include "tst_daysummary.moc"
