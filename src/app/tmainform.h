#pragma once

#include "core/navigation.h"

#include <QMainWindow>
#include <QSqlRecord>
#include <QVector>
#include <optional>

class DaySummaryPanel;
class QCalendarWidget;
class QLabel;
class QLineEdit;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;
class QWidget;

// The hub of the program: header with the workshop and its PEC, the three
// tabs of functions and the menu. Creating it runs the login; every function
// opens modally through the navigator.
class TMainForm : public QMainWindow
{
    Q_OBJECT
public:
    // Runs the login dialog; when it is refused nothing else is built and
    // loginAccepted() is false.
    explicit TMainForm(QWidget *parent = nullptr);

    // Builds from the current Global without the login (tests, tools).
    struct SkipLogin {
    };
    explicit TMainForm(SkipLogin, QWidget *parent = nullptr);

    bool loginAccepted() const { return m_loginAccepted; }
    // Read right after the login; a window built without it reads on request.
    DaySummaryPanel *daySummary() const { return m_summary; }

    QTreeWidget *tree(MainTab tab) const;
    QTabWidget *tabs() const { return m_tabs; }
    bool isTabShown(MainTab tab) const;

    // Opens what the node under a tree's point names.
    void openNodeAt(QTreeWidget *tree, const QPoint &viewportPos);

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildUi();
    QWidget *buildHeader();
    QWidget *buildSideColumn();
    QTreeWidget *buildTree(MainTab tab);
    void buildMenus();
    void showLogo();
    bool runLogin();
    void finishCreation();
    void announceMessages();
    void applyProfileLook();
    void FormActivate();

    bool m_loginAccepted = true;
    std::optional<QVector<QSqlRecord>> m_unread; // read with the login
    QWidget *m_header = nullptr;
    QLabel *m_title1 = nullptr;
    QLabel *m_title2 = nullptr;
    QLabel *m_localDb = nullptr;
    QLabel *m_admin = nullptr;
    QLabel *m_logo = nullptr;
    QLineEdit *m_taller = nullptr;
    QLineEdit *m_razonSocial = nullptr;
    QLineEdit *m_cuit = nullptr;
    QLineEdit *m_pec = nullptr;
    QTabWidget *m_tabs = nullptr;
    QTreeWidget *m_trees[3] = {nullptr, nullptr, nullptr};
    QCalendarWidget *m_calendar = nullptr;
    DaySummaryPanel *m_summary = nullptr;
    QList<QLabel *> m_headerCaptions;
};
