// Nothing the operator can press is dead: every node and menu item of the
// main window, in every installation profile, opens a registered window or
// says in Spanish that the function is not available yet; so do the
// operation form's links to windows still to come.
#include "app/navigator.h"
#include "app/tmainform.h"
#include "app/windows.h"
#include "controls.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/dm1.h"
#include "followup/windows.h"
#include "guardedmain.h"
#include "operations/linklabel.h"
#include "operations/trevisionanualform.h"
#include "operations/windows.h"
#include "testdb.h"
#include "widgets/messages.h"
#include "widgets/modalrun.h"
#include "workshop/windows.h"

#include <QAction>
#include <QMenuBar>
#include <QRegularExpression>
#include <QToolButton>
#include <QTreeWidget>

namespace
{

const QString kDb = QStringLiteral("t_everynode");

// What a press of every tree node and menu item of `form` would do.
QStringList deadControls(Navigator &nav, TMainForm &form, int *notices)
{
    QStringList dead;
    for (MainTab tab : {MainTab::Obleas, MainTab::Otros, MainTab::Taller}) {
        if (!form.isTabShown(tab))
            continue;
        for (QTreeWidgetItemIterator it(form.tree(tab)); *it; ++it) {
            const QString text = (*it)->text(0);
            const Navigator::Route route = nav.route(text);
            const bool group = (*it)->childCount() > 0;
            if (group != (route == Navigator::Route::Nothing))
                dead << text;
            *notices += route == Navigator::Route::Notice;
        }
    }
    for (QAction *menu : form.menuBar()->actions())
        for (QAction *item : menu->menu()->actions())
            if (!item->isSeparator() && item->text() != kMenuSalir &&
                nav.route(item->text()) == Navigator::Route::Nothing)
                dead << item->text();
    return dead;
}

} // namespace

class TstEveryNode : public QObject
{
    Q_OBJECT
private:
    ScopedNavigator m_nav;
    QSqlDatabase m_db;
    QStringList m_notices;

private slots:
    void initTestCase()
    {
        m_db = TestDb::create(kDb);
        dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QString()});
        dm1().configure(Conn::PostVenta, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QString()});
        // As the program does at start-up.
        App::registerWindows(m_nav.get());
        Operations::registerWindows(m_nav.get());
        Followup::registerWindows(m_nav.get());
        Workshop::registerWindows(m_nav.get());
        Msg::setHook([this](Msg::Kind kind, const QString &text) {
            if (kind == Msg::Kind::Info)
                m_notices << text;
            return false;
        });
    }
    void init()
    {
        Global = GlobalState{};
        Global.WorkshopCode = QStringLiteral("TDM0001");
        Global.ManagesWorkshop = 1; // every tab shown
        m_notices.clear();
    }
    void cleanupTestCase()
    {
        Msg::setHook({});
        dm1().closeAll();
        m_db.close();
        TestDb::drop(kDb);
    }

    void everyNodeOfEveryProfileOpensOrSaysSo()
    {
        QCOMPARE(installationProfiles().size(), 31);
        for (const InstallationProfile &p : installationProfiles()) {
            Global.InstallationId = p.installationId;
            TMainForm form(TMainForm::SkipLogin{});
            int notices = 0;
            QCOMPARE(deadControls(m_nav.get(), form, &notices), QStringList());
            // Every function has its window now.
            QVERIFY2(notices == 0, qPrintable(p.name + QStringLiteral(": %1 notices").arg(notices)));
        }
    }

    void unbuiltNodesTellTheOperator()
    {
        // A program where only the main window's own windows are registered:
        // every feature node must say it is not available, never do nothing.
        ScopedNavigator bare;
        App::registerWindows(bare.get());
        Global.InstallationId = QStringLiteral("OLIV01");
        TMainForm form(TMainForm::SkipLogin{});
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        int pressed = 0;
        for (MainTab tab : {MainTab::Obleas, MainTab::Otros, MainTab::Taller}) {
            form.tabs()->setCurrentIndex(static_cast<int>(tab));
            QTreeWidget *tree = form.tree(tab);
            for (QTreeWidgetItemIterator it(tree); *it; ++it) {
                const NavigationEntry *e = findNavigationEntry((*it)->text(0));
                if (!e || bare->route(e->key) != Navigator::Route::Notice)
                    continue;
                tree->scrollToItem(*it);
                QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(*it).center());
                ++pressed;
                QTRY_COMPARE(m_notices.size(), pressed);
                QCOMPARE(m_notices.last(), notAvailableNotice(e->window));
            }
        }
        for (QAction *menu : form.menuBar()->actions())
            for (QAction *item : menu->menu()->actions()) {
                const NavigationEntry *e = findNavigationEntry(item->text());
                if (!e || bare->route(e->key) != Navigator::Route::Notice)
                    continue;
                item->trigger();
                QCOMPARE(m_notices.size(), ++pressed);
                QCOMPARE(m_notices.last(), notAvailableNotice(e->window));
            }
        QVERIFY(pressed > 0);
        // Spanish only: no window class of the code in any notice.
        const QRegularExpression className(QStringLiteral("\\bT[A-Za-z]+Form\\b"));
        for (const QString &notice : std::as_const(m_notices))
            QVERIFY2(!className.match(notice).hasMatch(), qPrintable(notice));
    }

    void operationFormLinksOpenTheirWindows()
    {
        Global.InstallationId = QStringLiteral("LIND01"); // shows the letter buttons
        QStringList opened;
        Widgets::setExecHook([&opened](QDialog &d) {
            opened << d.objectName();
            return int(QDialog::Rejected);
        });
        TRevisionAnualForm form;
        form.SetOperationKind(QStringLiteral("C"));
        form.show();
        control<LinkLabel>(form, "TraerDesdeOCLabel")->clicked();
        control<QToolButton>(form, "SpeedButton9")->click();
        control<QToolButton>(form, "SpeedButtonCC1")->setEnabled(true); // as after an overdue recall
        control<QToolButton>(form, "SpeedButtonCC1")->click();
        Widgets::setExecHook({});
        QCOMPARE(opened, QStringList({"TConsultaOTTForm", "TPropietariosForm", "TCartaCompromisoForm"}));
        QVERIFY(m_notices.isEmpty());
    }
};

TARVIL_GUARDED_TEST_MAIN(TstEveryNode)
#include "tst_everynode.moc"
