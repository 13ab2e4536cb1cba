#include "app/navigator.h"
#include "app/tmainform.h"
#include "app/tvermensajesform.h"
#include "core/exename.h"
#include "core/global.h"
#include "data/dm1.h"
#include "testdb.h"
#include "widgets/messages.h"

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

namespace
{

const QString kDb = QStringLiteral("t_mainform");

QTreeWidgetItem *findItem(QTreeWidget *tree, const QString &text)
{
    const auto found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}

QStringList allTexts(QTreeWidget *tree)
{
    QStringList texts;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        texts << (*it)->text(0);
    return texts;
}

} // namespace

class TstMainForm : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void tabsFollowPertenece();
    void lindenWorkshopOnlyCodes();
    void treesHoldEveryNodeText();
    void headerStatusAndFlags();
    void activationRefreshesHeader();
    void pressingANodeOpensItsWindow();
    void theKeyboardStartsInTheTree();
    void groupsAndEmptySpaceOpenNothing();
    void unbuiltFunctionsSaySo();
    void menuItemsOpenTheirWindows();
    void unreadMessagesAnnounced_data();
    void unreadMessagesAnnounced();
    void failedMessageReadStillSetsUpTheWindow();

private:
    void addMessages(int count, const QString &workshop);
    // Closes the messages reader as soon as it is up, keeping what it showed.
    void watchForReader();

    QSqlDatabase m_db;
    QStringList m_readerAnnouncements;
    QStringList m_readerCounters;
    QList<Msg::Kind> m_boxes;
    QStringList m_boxTexts;
    QTimer *m_watch = nullptr;
};

void TstMainForm::initTestCase()
{
    m_db = TestDb::create(kDb);
    dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QString()});
}

void TstMainForm::init()
{
    TestDb::exec(m_db, QStringLiteral("delete from mensajes_destinatarios"));
    TestDb::exec(m_db, QStringLiteral("delete from mensajes"));
    Global = GlobalState{};
    Global.WorkshopCode = QStringLiteral("ABC0001");
    Global.WorkshopName = QStringLiteral("Taller del Sur SRL");
    Global.WorkshopCuit = QStringLiteral("30-12345678-9");
    Global.PecName = QStringLiteral("PEC Norte SA");
    Global.ProgramVersion = kProgramVersion;
    Global.InstallationId = QStringLiteral("OLIV01");
    Global.ServerCode = QStringLiteral("W");
    Global.PanelColour = 15780518;
    Global.AccentColour = 16711680;
    Global.LoggedIn = true;
    m_readerAnnouncements.clear();
    m_readerCounters.clear();
    m_boxes.clear();
    m_boxTexts.clear();
    Msg::setHook([this](Msg::Kind kind, const QString &text) {
        m_boxes << kind;
        m_boxTexts << text;
        return true;
    });
    watchForReader();
}

void TstMainForm::cleanup()
{
    delete m_watch;
    m_watch = nullptr;
    Msg::setHook({});
    dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QString()});
}

void TstMainForm::cleanupTestCase()
{
    dm1().closeAll();
    m_db.close();
    TestDb::drop(kDb);
}

void TstMainForm::addMessages(int count, const QString &workshop)
{
    for (int i = 1; i <= count; ++i) {
        QSqlQuery q(m_db);
        q.prepare(QStringLiteral("insert into mensajes (mensaje) values (?)"));
        q.addBindValue(QStringLiteral("Aviso %1").arg(i));
        QVERIFY(q.exec());
        const int id = q.lastInsertId().toInt();
        q.prepare(QStringLiteral("insert into mensajes_destinatarios (mensaje_id, taller, leido) values (?, ?, 0)"));
        q.addBindValue(id);
        q.addBindValue(workshop);
        QVERIFY(q.exec());
    }
}

void TstMainForm::watchForReader()
{
    m_watch = new QTimer;
    m_watch->setInterval(10);
    connect(m_watch, &QTimer::timeout, this, [this] {
        auto *reader = qobject_cast<TVerMensajesForm *>(QApplication::activeModalWidget());
        if (!reader)
            return;
        m_readerAnnouncements << reader->findChild<QLabel *>(QStringLiteral("LabelAviso"))->text();
        m_readerCounters << reader->findChild<QLabel *>(QStringLiteral("LabelContador"))->text();
        reader->reject();
    });
    m_watch->start();
}

void TstMainForm::tabsFollowPertenece()
{
    Global.ManagesWorkshop = 0;
    TMainForm without(TMainForm::SkipLogin{});
    QVERIFY(without.isTabShown(MainTab::Obleas));
    QVERIFY(without.isTabShown(MainTab::Otros));
    QVERIFY(!without.isTabShown(MainTab::Taller));
    QCOMPARE(without.tabs()->tabText(0), QStringLiteral("Obleas"));

    Global.ManagesWorkshop = 1;
    TMainForm with(TMainForm::SkipLogin{});
    QVERIFY(with.isTabShown(MainTab::Obleas));
    QVERIFY(with.isTabShown(MainTab::Otros));
    QVERIFY(with.isTabShown(MainTab::Taller));
    QCOMPARE(with.tabs()->tabText(2), QStringLiteral("Taller"));
}

void TstMainForm::lindenWorkshopOnlyCodes()
{
    Global.InstallationId = QStringLiteral("LIND01");
    Global.WorkshopCode = QStringLiteral("TAL0042");
    Global.ManagesWorkshop = 0; // the prefix wins over `pertenece`
    {
        TMainForm form(TMainForm::SkipLogin{});
        QVERIFY(!form.isTabShown(MainTab::Obleas));
        QVERIFY(!form.isTabShown(MainTab::Otros));
        QVERIFY(form.isTabShown(MainTab::Taller));
        QCOMPARE(form.tabs()->currentIndex(), 2);
    }
    Global.WorkshopCode = QStringLiteral("ABC0042");
    {
        TMainForm form(TMainForm::SkipLogin{});
        QVERIFY(form.isTabShown(MainTab::Obleas));
        QVERIFY(!form.isTabShown(MainTab::Taller));
    }
    // Another installation gives "TAL" codes no special treatment.
    Global.InstallationId = QStringLiteral("OLIV01");
    Global.WorkshopCode = QStringLiteral("TAL0042");
    {
        TMainForm form(TMainForm::SkipLogin{});
        QVERIFY(form.isTabShown(MainTab::Obleas));
        QVERIFY(form.isTabShown(MainTab::Otros));
        QVERIFY(!form.isTabShown(MainTab::Taller));
    }
}

void TstMainForm::treesHoldEveryNodeText()
{
    Global.ManagesWorkshop = 1;
    TMainForm form(TMainForm::SkipLogin{});
    QTreeWidget *obleas = form.tree(MainTab::Obleas);
    QTreeWidget *otros = form.tree(MainTab::Otros);
    QTreeWidget *taller = form.tree(MainTab::Taller);
    QCOMPARE(obleas->topLevelItemCount(), 6);
    QCOMPARE(otros->topLevelItemCount(), 3);
    QCOMPARE(taller->topLevelItemCount(), 5);
    const QStringList o = allTexts(obleas);
    QCOMPARE(o.size(), 23);
    for (const char *text : {"Conversión", "Revisión CRPC", "Consulta de Trámites Pendientes de Asignación de Obleas",
                             "Envío de Whatsapp para Renovación de Obleas", "Envio de Whatsapp para Renovación de PH",
                             "Impresión de Ficha en Blanco"})
        QVERIFY2(o.contains(QString::fromUtf8(text)), text);
    QCOMPARE(allTexts(otros), QStringList({QStringLiteral("Cambiar clave de acceso"),
                                           QString::fromUtf8("Configurar sello Responsable Técnico del Taller"),
                                           QString::fromUtf8("Configuración")}));
    QTreeWidgetItem *normalizacion = findItem(taller, QString::fromUtf8("Normalización de Modelos"));
    QVERIFY(normalizacion);
    QCOMPARE(normalizacion->parent()->text(0), QStringLiteral("Marcas y Modelos"));
    QCOMPARE(normalizacion->parent()->parent()->text(0), QStringLiteral("Archivos"));
    QCOMPARE(allTexts(taller).size(), 22);

    // Every node is visible without opening groups, and nothing is editable.
    for (QTreeWidget *tree : {obleas, taller})
        for (QTreeWidgetItemIterator it(tree); *it; ++it)
            if ((*it)->childCount() > 0)
                QVERIFY2((*it)->isExpanded(), qPrintable((*it)->text(0)));
    QCOMPARE(obleas->editTriggers(), QAbstractItemView::NoEditTriggers);
}

void TstMainForm::headerStatusAndFlags()
{
    Global.ServerCode = QStringLiteral("L");
    Global.AdminMode = true;
    {
        TMainForm form(TMainForm::SkipLogin{});
        QCOMPARE(form.windowTitle(), QString::fromUtf8("Sistema de Gestión para TdM"));
        QVERIFY(form.windowState() & Qt::WindowMaximized);
        QCOMPARE(form.statusBar()->currentMessage(), QString::fromUtf8("Tarvil Versión 314"));
        // Hovering a menu item (no status tip) must not wipe the version.
        form.menuBar()->actions().first()->menu()->actions().first()->showStatusText(&form);
        QCOMPARE(form.statusBar()->currentMessage(), QString::fromUtf8("Tarvil Versión 314"));
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("EditTaller"))->text(), QStringLiteral("ABC0001"));
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("EditRazonSocial"))->text(),
                 QStringLiteral("Taller del Sur SRL"));
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("EditCuit"))->text(), QStringLiteral("30-12345678-9"));
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("EditPEC"))->text(), QStringLiteral("PEC Norte SA"));
        QVERIFY(form.findChild<QLineEdit *>(QStringLiteral("EditTaller"))->isReadOnly());
        QVERIFY(!form.findChild<QLabel *>(QStringLiteral("LabelLocalDB"))->isHidden());
        QVERIFY(!form.findChild<QLabel *>(QStringLiteral("LabelAdministrador"))->isHidden());

        // 0x00BBGGRR: 15780518 is sky blue, 16711680 is blue.
        auto *panel = form.findChild<QWidget *>(QStringLiteral("Panel1"));
        QCOMPARE(panel->palette().color(QPalette::Window), QColor(166, 202, 240));
        auto *title1 = form.findChild<QLabel *>(QStringLiteral("Label1"));
        auto *title2 = form.findChild<QLabel *>(QStringLiteral("Label2"));
        QCOMPARE(title1->text() + title2->text(), QStringLiteral("Tarvil"));
        QCOMPARE(title1->text(), QStringLiteral("Tar"));
        QCOMPARE(title1->palette().color(QPalette::WindowText), QColor(0, 0, 255));
        QCOMPARE(title2->palette().color(QPalette::WindowText), QColor(0, 0, 255));

        QStringList menus;
        for (QAction *a : form.menuBar()->actions())
            menus << a->text();
        QCOMPARE(menus, QStringList({QStringLiteral("Archivos"), QStringLiteral("Turnos")}));
        // The test program is not the PEC's administration build.
        QCOMPARE(cylinderTableName(), QStringLiteral("cilaux01.adt"));
    }
    Global.ServerCode = QStringLiteral("W");
    Global.AdminMode = false;
    // No profile's look: a black panel, whose name must still show.
    Global.PanelColour = 0;
    Global.AccentColour = 0;
    TMainForm form(TMainForm::SkipLogin{});
    QVERIFY(form.findChild<QLabel *>(QStringLiteral("LabelLocalDB"))->isHidden());
    QVERIFY(form.findChild<QLabel *>(QStringLiteral("LabelAdministrador"))->isHidden());
    QCOMPARE(form.findChild<QWidget *>(QStringLiteral("Panel1"))->palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(form.findChild<QLabel *>(QStringLiteral("Label1"))->palette().color(QPalette::WindowText),
             QColor(Qt::white));
}

void TstMainForm::activationRefreshesHeader()
{
    TMainForm form(TMainForm::SkipLogin{});
    // An operation of another workshop rewrote the identity meanwhile.
    Global.WorkshopName = QStringLiteral("Otro Taller");
    Global.WorkshopCuit = QStringLiteral("20-1-1");
    form.tree(MainTab::Obleas)->collapseAll();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&form, &activate);
    QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("EditRazonSocial"))->text(), QStringLiteral("Otro Taller"));
    QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("EditCuit"))->text(), QStringLiteral("20-1-1"));
    QVERIFY(findItem(form.tree(MainTab::Obleas), QStringLiteral("Consultas"))->isExpanded());
}

void TstMainForm::pressingANodeOpensItsWindow()
{
    ScopedNavigator nav;
    QStringList opened;
    QWidget *parentSeen = nullptr;
    bool busyWhileOpening = false;
    QStringList kinds;
    nav->add(WindowId::QueryByDomain, [&](QWidget *parent) {
        opened << QStringLiteral("QueryByDomain");
        parentSeen = parent;
    });
    // One registration serves all six operation nodes; each hands its kind.
    nav->add<Nav::OpenOperation>([&](const Nav::OpenOperation &request, QWidget *) {
        opened << QStringLiteral("OperationForm");
        kinds << request.kind;
        busyWhileOpening = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::WaitCursor;
    });

    TMainForm form(TMainForm::SkipLogin{});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTreeWidget *tree = form.tree(MainTab::Obleas);

    auto press = [tree](const QString &text, Qt::MouseButton button) {
        QTreeWidgetItem *item = findItem(tree, text);
        QVERIFY2(item, qPrintable(text));
        QTest::mouseClick(tree->viewport(), button, {}, tree->visualItemRect(item).center());
    };

    press(QStringLiteral("Por Dominio"), Qt::RightButton); // the context click opens nothing
    QTest::qWait(20);
    QVERIFY(opened.isEmpty());
    press(QStringLiteral("Por Dominio"), Qt::LeftButton);
    QTRY_COMPARE(opened, QStringList({QStringLiteral("QueryByDomain")}));
    QCOMPARE(parentSeen, &form);
    // Enter opens the current node, as the keyboard reaches it.
    tree->setCurrentItem(findItem(tree, QStringLiteral("Por Dominio")));
    QTest::keyClick(tree, Qt::Key_Return);
    QTRY_COMPARE(opened.size(), 2);
    opened.removeLast();

    press(QString::fromUtf8("Conversión"), Qt::LeftButton);
    QTRY_COMPARE(opened.size(), 2);
    QVERIFY(busyWhileOpening);
    press(QString::fromUtf8("Reemplazo de Válvula"), Qt::MiddleButton);
    QTRY_COMPARE(opened.size(), 3);
    QCOMPARE(kinds, QStringList({QStringLiteral("C"), QStringLiteral("H")}));
    // The hourglass does not outlive the window's set-up.
    QTRY_VERIFY(!QApplication::overrideCursor());
    QVERIFY(m_boxes.isEmpty());
}

void TstMainForm::theKeyboardStartsInTheTree()
{
    ScopedNavigator nav;
    QStringList kinds;
    nav->add<Nav::OpenOperation>([&](const Nav::OpenOperation &request, QWidget *) { kinds << request.kind; });
    TMainForm form(TMainForm::SkipLogin{});
    form.show();
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    // Down from the first group and Enter: the first function opens.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QTRY_COMPARE(kinds, QStringList{QStringLiteral("C")});
}

void TstMainForm::groupsAndEmptySpaceOpenNothing()
{
    ScopedNavigator nav;
    int opened = 0;
    for (WindowId id : {WindowId::OwnerSearch, WindowId::QueryByDomain, WindowId::QueryByRegulator,
                        WindowId::QueryByCylinder, WindowId::QueryBySticker})
        nav->add(id, [&](QWidget *) { ++opened; });
    nav->add<Nav::OpenOperation>([&](const Nav::OpenOperation &, QWidget *) { ++opened; });

    TMainForm form(TMainForm::SkipLogin{});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTreeWidget *tree = form.tree(MainTab::Obleas);
    for (const char *group : {"Consultas", "Operaciones", "Estado de los Trámites"}) {
        QTreeWidgetItem *item = findItem(tree, QString::fromUtf8(group));
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    }
    // Below the last node.
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, QPoint(20, tree->viewport()->height() - 3));
    QTest::qWait(50);
    QCOMPARE(opened, 0);
    QVERIFY(m_boxes.isEmpty());
    QVERIFY(!nav->openCaption(QStringLiteral("Conversion"), &form)); // no accent: not a node
    QVERIFY(!nav->openCaption(kMenuSalir, &form));
    QCOMPARE(opened, 0);
}

void TstMainForm::unbuiltFunctionsSaySo()
{
    ScopedNavigator nav;
    TMainForm form(TMainForm::SkipLogin{});
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTreeWidget *tree = form.tree(MainTab::Obleas);
    QTreeWidgetItem *item = findItem(tree, QStringLiteral("Obleas Asignadas"));
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    QTRY_COMPARE(m_boxes, QList<Msg::Kind>({Msg::Kind::Info}));
    QCOMPARE(m_boxTexts.first(), QString::fromUtf8("La función \"Obleas Asignadas\" todavía no está disponible."));
}

void TstMainForm::menuItemsOpenTheirWindows()
{
    ScopedNavigator nav;
    QStringList opened;
    nav->add(WindowId::ChangePassword, [&](QWidget *) { opened << "password"; });
    nav->add(WindowId::VersionSummary, [&](QWidget *) { opened << "versiones"; });
    nav->add(WindowId::Appointments, [&](QWidget *) { opened << "agenda"; });

    TMainForm form(TMainForm::SkipLogin{});
    form.show();
    QHash<QString, QAction *> actions;
    for (QAction *menu : form.menuBar()->actions())
        for (QAction *a : menu->menu()->actions())
            actions.insert(a->text(), a);
    QVERIFY(actions.contains(QString::fromUtf8("Sello Representante Técnico")));
    actions.value(QStringLiteral("Cambiar Password"))->trigger();
    actions.value(QStringLiteral("Resumen de Versiones"))->trigger();
    actions.value(QStringLiteral("Agenda de Turnos"))->trigger();
    QCOMPARE(opened, QStringList({"password", "versiones", "agenda"}));
    actions.value(QString::fromUtf8("Sello Representante Técnico"))->trigger(); // not registered here
    QCOMPARE(m_boxes, QList<Msg::Kind>({Msg::Kind::Info}));

    QVERIFY(form.isVisible());
    actions.value(QStringLiteral("Salir"))->trigger();
    QVERIFY(!form.isVisible());
}

void TstMainForm::unreadMessagesAnnounced_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("announcement");
    QTest::newRow("none") << 0 << QString();
    QTest::newRow("one") << 1 << QStringLiteral("Tiene un mensaje sin leer");
    QTest::newRow("four") << 4 << QStringLiteral("Tiene 4 mensajes sin leer");
}

void TstMainForm::unreadMessagesAnnounced()
{
    QFETCH(int, count);
    QFETCH(QString, announcement);
    addMessages(count, Global.WorkshopCode);
    addMessages(2, QStringLiteral("ZZZ9999")); // another workshop's
    TMainForm form(TMainForm::SkipLogin{});
    if (announcement.isEmpty()) {
        QVERIFY(m_readerAnnouncements.isEmpty());
    } else {
        QCOMPARE(m_readerAnnouncements, QStringList({announcement}));
        QCOMPARE(m_readerCounters, QStringList({QStringLiteral("Mensaje 1/%1").arg(count)}));
    }
    // Closed with the box checked: all of them are read now, the other workshop's are not.
    QSqlQuery q(m_db);
    QVERIFY(q.exec(QStringLiteral("select taller, sum(leido = 0) from mensajes_destinatarios group by taller")));
    while (q.next())
        QCOMPARE(q.value(1).toInt(), q.value(0).toString() == Global.WorkshopCode ? 0 : 2);
    QVERIFY(m_boxes.isEmpty());
}

void TstMainForm::failedMessageReadStillSetsUpTheWindow()
{
    dm1().configure(Conn::Operations,
                    {TestDb::host(), QStringLiteral("t_mainform_missing"), TestDb::user(), TestDb::password(), {}});
    Global.ManagesWorkshop = 1;
    TMainForm form(TMainForm::SkipLogin{});
    QCOMPARE(m_boxes, QList<Msg::Kind>({Msg::Kind::Error}));
    QVERIFY(m_readerAnnouncements.isEmpty());
    QCOMPARE(form.statusBar()->currentMessage(), QString::fromUtf8("Tarvil Versión 314"));
    QVERIFY(form.isTabShown(MainTab::Taller));
}

QTEST_MAIN(TstMainForm)
#include "tst_mainform.moc"
