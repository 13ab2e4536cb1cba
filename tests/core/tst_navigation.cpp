#include "core/navigation.h"

#include <QSet>
#include <QtTest>

namespace
{

void collect(const QVector<NavigationNode> &nodes, QStringList &leaves, QStringList &groups)
{
    for (const NavigationNode &n : nodes) {
        (n.isGroup() ? groups : leaves) << n.text;
        collect(n.children, leaves, groups);
    }
}

} // namespace

class TstNavigation : public QObject
{
    Q_OBJECT
private slots:
    void everyLeafOpensAWindowAndNoGroupDoes();
    void keysAreExactTexts();
    void operationNodesCarryTheirKind_data();
    void operationNodesCarryTheirKind();
    void menuItemsShareWindowsWithNodes();
    void tabsFollowPertenece();
    void workshopOnlyPrefixShowsOnlyTaller();
    void unreadAnnouncement();
    void noticesNameTheFunctionInSpanish();
};

void TstNavigation::everyLeafOpensAWindowAndNoGroupDoes()
{
    QStringList leaves, groups;
    for (MainTab tab : {MainTab::Obleas, MainTab::Otros, MainTab::Taller})
        collect(navigationTree(tab), leaves, groups);
    QCOMPARE(leaves.size(), 39);
    QCOMPARE(QSet<QString>(leaves.begin(), leaves.end()).size(), leaves.size()); // no two nodes alike
    for (const QString &leaf : leaves) {
        const NavigationEntry *e = findNavigationEntry(leaf);
        QVERIFY2(e, qPrintable(leaf));
        QVERIFY2(isWindowId(e->window), qPrintable(leaf));
    }
    for (const QString &group : groups)
        QVERIFY2(!findNavigationEntry(group), qPrintable(group));
    QCOMPARE(groups, QStringList({QStringLiteral("Operaciones"), QString::fromUtf8("Estado de los Trámites"),
                                  QStringLiteral("Consultas"), QString::fromUtf8("Relación con los Clientes"),
                                  QStringLiteral("Archivos"), QStringLiteral("Marcas y Modelos"),
                                  QString::fromUtf8("Ordenes de Conversión"), QStringLiteral("Ordenes de Taller"),
                                  QString::fromUtf8("Estadísticas")}));
}

void TstNavigation::keysAreExactTexts()
{
    // The two WhatsApp nodes differ only by the accent and open different windows.
    const NavigationEntry *sticker =
        findNavigationEntry(QString::fromUtf8("Envío de Whatsapp para Renovación de Obleas"));
    const NavigationEntry *ph = findNavigationEntry(QString::fromUtf8("Envio de Whatsapp para Renovación de PH"));
    QVERIFY(sticker && ph);
    QCOMPARE(sticker->window, WindowId::StickerReminder);
    QCOMPARE(ph->window, WindowId::TestReminder);
    QVERIFY(!findNavigationEntry(QString::fromUtf8("Envio de Whatsapp para Renovación de Obleas")));
    QVERIFY(!findNavigationEntry(QStringLiteral("Conversion")));
    QVERIFY(!findNavigationEntry(QString::fromUtf8("conversión")));
    QVERIFY(!findNavigationEntry(QString::fromUtf8("Conversión ")));
    QVERIFY(!findNavigationEntry(QString()));
    QVERIFY(!findNavigationEntry(kMenuSalir));
}

void TstNavigation::operationNodesCarryTheirKind_data()
{
    QTest::addColumn<QString>("node");
    QTest::addColumn<QString>("kind");
    QTest::newRow("C") << QString::fromUtf8("Conversión") << "C";
    QTest::newRow("M") << QString::fromUtf8("Modificación") << "M";
    QTest::newRow("R") << QString::fromUtf8("Renovación Anual") << "R";
    QTest::newRow("B") << QString::fromUtf8("Desmontaje") << "B";
    QTest::newRow("H") << QString::fromUtf8("Reemplazo de Válvula") << "H";
    QTest::newRow("X") << QString::fromUtf8("Revisión CRPC") << "X";
    QTest::newRow("not an operation") << QString::fromUtf8("Por Dominio") << "";
}

void TstNavigation::operationNodesCarryTheirKind()
{
    QFETCH(QString, node);
    QFETCH(QString, kind);
    const NavigationEntry *e = findNavigationEntry(node);
    QVERIFY(e);
    QCOMPARE(e->operationKind, kind);
    if (!kind.isEmpty())
        QCOMPARE(e->window, WindowId::OperationForm);
}

void TstNavigation::menuItemsShareWindowsWithNodes()
{
    auto window = [](const QString &key) {
        const NavigationEntry *e = findNavigationEntry(key);
        return e ? windowIdName(e->window) : QString();
    };
    QCOMPARE(window(QStringLiteral("Cambiar Password")), window(QStringLiteral("Cambiar clave de acceso")));
    QCOMPARE(window(QString::fromUtf8("Sello Representante Técnico")),
             window(QString::fromUtf8("Configurar sello Responsable Técnico del Taller")));
    QCOMPARE(window(QStringLiteral("Resumen de Versiones")), QStringLiteral("VersionSummary"));
    QCOMPARE(window(QStringLiteral("Agenda de Turnos")), QStringLiteral("Appointments"));
    for (const QString &item : fileMenuItems() + turnosMenuItems()) {
        if (!item.isEmpty() && item != kMenuSalir)
            QVERIFY2(findNavigationEntry(item), qPrintable(item));
    }
    QCOMPARE(fileMenuItems().last(), kMenuSalir);
}

void TstNavigation::tabsFollowPertenece()
{
    QCOMPARE(visibleMainTabs(0, QStringLiteral("ABC0001"), QString()), (MainTabs{true, true, false}));
    QCOMPARE(visibleMainTabs(1, QStringLiteral("ABC0001"), QString()), (MainTabs{true, true, true}));
    // Only 1 means "manages a workshop".
    QCOMPARE(visibleMainTabs(2, QStringLiteral("ABC0001"), QString()), (MainTabs{true, true, false}));
    // Without the profile's prefix a "TAL" code is like any other.
    QCOMPARE(visibleMainTabs(0, QStringLiteral("TAL0001"), QString()), (MainTabs{true, true, false}));
}

void TstNavigation::workshopOnlyPrefixShowsOnlyTaller()
{
    const QString tal = QStringLiteral("TAL");
    QCOMPARE(visibleMainTabs(0, QStringLiteral("TAL0001"), tal), (MainTabs{false, false, true}));
    QCOMPARE(visibleMainTabs(1, QStringLiteral("TAL0001"), tal), (MainTabs{false, false, true}));
    QCOMPARE(visibleMainTabs(0, QStringLiteral("TA00001"), tal), (MainTabs{true, true, false}));
    QCOMPARE(visibleMainTabs(1, QStringLiteral("XTAL001"), tal), (MainTabs{true, true, true}));
    QCOMPARE(visibleMainTabs(0, QStringLiteral("TA"), tal), (MainTabs{true, true, false}));
}

void TstNavigation::unreadAnnouncement()
{
    QCOMPARE(unreadMessagesAnnouncement(0), QString());
    QCOMPARE(unreadMessagesAnnouncement(1), QStringLiteral("Tiene un mensaje sin leer"));
    QCOMPARE(unreadMessagesAnnouncement(2), QStringLiteral("Tiene 2 mensajes sin leer"));
    QCOMPARE(unreadMessagesAnnouncement(4), QStringLiteral("Tiene 4 mensajes sin leer"));
}

void TstNavigation::noticesNameTheFunctionInSpanish()
{
    QCOMPARE(notAvailableNotice(WindowId::AssignedStickers),
             QString::fromUtf8("La función \"Obleas Asignadas\" todavía no está disponible."));
    // Every window has a title of its own and an id outside the list has none.
    QSet<QString> titles;
    for (WindowId id : allWindowIds()) {
        QVERIFY2(!windowTitle(id).isEmpty(), qPrintable(windowIdName(id)));
        titles << windowTitle(id);
    }
    QCOMPARE(titles.size(), kWindowCount);
    QVERIFY(!isWindowId(static_cast<WindowId>(kWindowCount)));
    QVERIFY(windowTitle(static_cast<WindowId>(-1)).isEmpty());
}

QTEST_GUILESS_MAIN(TstNavigation)
#include "tst_navigation.moc"
