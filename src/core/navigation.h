#pragma once

#include <QString>
#include <QVector>

// What the main window offers: the tree of each tab, and which window every
// node or menu item opens. The texts are the keys, compared exactly (accents
// included: "Envío" and "Envio" are two different nodes).

struct NavigationNode {
    QString text;
    QVector<NavigationNode> children; // a node with children is only a group

    bool isGroup() const { return !children.isEmpty(); }
};

enum class MainTab { Obleas, Otros, Taller };

QString mainTabTitle(MainTab tab);
const QVector<NavigationNode> &navigationTree(MainTab tab);

struct NavigationEntry {
    QString key;           // node or menu item text
    QString window;        // class of the window it opens
    QString operationKind; // written to Global.OperationKind first; empty for the rest
};

// Every node that opens something and every menu item but "Salir".
const QVector<NavigationEntry> &navigationTable();
const NavigationEntry *findNavigationEntry(const QString &key);

// The menu items ("Archivos" then "Turnos"); an empty text is a separator.
inline const QString kMenuSalir = QStringLiteral("Salir");
QVector<QString> fileMenuItems();
QVector<QString> turnosMenuItems();

struct MainTabs {
    bool obleas = true;
    bool otros = true;
    bool taller = false;
    bool operator==(const MainTabs &) const = default;
};

// "Taller" follows `pertenece`; where the profile has a workshop-only code
// prefix ("TAL"), codes starting with it see nothing but "Taller".
MainTabs visibleMainTabs(int managesWorkshop, const QString &workshopCode, const QString &workshopOnlyCodePrefix);

// The announcement of unread PEC messages; empty when there are none.
QString unreadMessagesAnnouncement(int count);
