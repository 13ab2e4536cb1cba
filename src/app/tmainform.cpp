#include "app/tmainform.h"

#include "app/daysummarypanel.h"
#include "app/navigator.h"
#include "app/startup.h"
#include "app/tinicioform.h"
#include "app/tvermensajesform.h"
#include "core/clock.h"
#include "core/exename.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/backgroundquery.h"
#include "data/dm1.h"
#include "data/workshopaccount.h"
#include "widgets/messages.h"
#include "widgets/serverwait.h"

#include <QApplication>
#include <QCalendarWidget>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMouseEvent>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

const QString kLogoFile = QStringLiteral("LogoTarvil.jpg");
const QString kProductName = QStringLiteral("Tarvil");

int indexOf(MainTab tab)
{
    return static_cast<int>(tab);
}

void addNodes(QTreeWidget *tree, QTreeWidgetItem *parent, const QVector<NavigationNode> &nodes)
{
    const QIcon groupIcon = tree->style()->standardIcon(QStyle::SP_DirIcon);
    const QIcon leafIcon = tree->style()->standardIcon(QStyle::SP_FileIcon);
    for (const NavigationNode &node : nodes) {
        auto *item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
        item->setText(0, node.text);
        item->setIcon(0, node.isGroup() ? groupIcon : leafIcon);
        addNodes(tree, item, node.children);
    }
}

} // namespace

TMainForm::TMainForm(QWidget *parent) : QMainWindow(parent)
{
    buildUi();
    if (!runLogin()) {
        m_loginAccepted = false;
        return;
    }
    // The sessions this workstation works on open now, side by side, while
    // the operator reads the window: the first action of each kind then
    // costs its own round trip and no handshake.
    BackgroundQuery::openAhead(Conn::Operations);
    if (Global.ManagesWorkshop && !dm1().settings(Conn::PostVenta).isEmpty())
        BackgroundQuery::openAhead(Conn::PostVenta);
    finishCreation();
    // Once the window is up: the operator never waits for the counts.
    QTimer::singleShot(0, m_summary, &DaySummaryPanel::refresh);
}

TMainForm::TMainForm(SkipLogin, QWidget *parent) : QMainWindow(parent)
{
    buildUi();
    finishCreation();
}

void TMainForm::buildUi()
{
    setObjectName(QStringLiteral("MainForm"));
    setWindowTitle(QString::fromUtf8("Sistema de Gestión para TdM"));
    // Fills the screen even where no window manager maximizes it.
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size());
    setWindowState(Qt::WindowMaximized);

    buildMenus();

    auto *central = new QWidget(this);
    auto *layout = new QVBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildHeader());

    auto *body = new QHBoxLayout;
    body->setContentsMargins(6, 6, 6, 6);
    m_tabs = new QTabWidget(central);
    m_tabs->setObjectName(QStringLiteral("PageControl1"));
    for (MainTab tab : {MainTab::Obleas, MainTab::Otros, MainTab::Taller}) {
        QTreeWidget *tree = buildTree(tab);
        m_trees[indexOf(tab)] = tree;
        m_tabs->addTab(tree, mainTabTitle(tab));
    }
    body->addWidget(m_tabs, 1);

    body->addWidget(buildSideColumn());
    layout->addLayout(body, 1);
    setCentralWidget(central);

    auto *status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    setStatusBar(status);

    showLogo();                                  // creation step 1
    m_calendar->setSelectedDate(Clock::today()); // step 2
}

// The day's summary and the calendar beside the trees. On a screen too low
// for both (150 % on a laptop) the column scrolls on its own, the trees keep
// the whole height; its scroll bar takes room only while it is shown.
QWidget *TMainForm::buildSideColumn()
{
    constexpr int kWidth = 340;
    auto *column = new QWidget;
    column->setObjectName(QStringLiteral("PanelDerecho"));
    auto *right = new QVBoxLayout(column);
    right->setContentsMargins(0, 0, 0, 0);
    m_summary = new DaySummaryPanel(column);
    m_summary->setFixedWidth(kWidth);
    right->addWidget(m_summary);
    m_calendar = new QCalendarWidget(column);
    m_calendar->setObjectName(QStringLiteral("MonthCalendar1"));
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(true);
    m_calendar->setFixedWidth(kWidth);
    right->addWidget(m_calendar);
    right->addStretch(1);

    auto *scroll = new QScrollArea;
    scroll->setObjectName(QStringLiteral("ScrollPanelDerecho"));
    scroll->setWidget(column);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->viewport()->setAutoFillBackground(false);
    scroll->setFixedWidth(kWidth);
    QScrollBar *bar = scroll->verticalScrollBar();
    connect(bar, &QScrollBar::rangeChanged, scroll, [scroll, bar](int min, int max) {
        scroll->setFixedWidth(kWidth + (max > min ? bar->sizeHint().width() : 0));
    });
    // The calendar reached by Tab scrolls into sight.
    connect(qApp, &QApplication::focusChanged, scroll, [scroll, column](QWidget *, QWidget *now) {
        if (now && column->isAncestorOf(now))
            scroll->ensureWidgetVisible(now);
    });
    return scroll;
}

QWidget *TMainForm::buildHeader()
{
    m_header = new QWidget(this);
    m_header->setObjectName(QStringLiteral("Panel1"));
    m_header->setAutoFillBackground(true);

    auto box = [this](const char *name) {
        auto *edit = new QLineEdit(m_header);
        edit->setObjectName(QLatin1String(name));
        edit->setReadOnly(true);
        edit->setFocusPolicy(Qt::NoFocus);
        return edit;
    };
    auto caption = [this](const QString &text) {
        auto *label = new QLabel(text, m_header);
        m_headerCaptions << label;
        return label;
    };
    m_taller = box("EditTaller");
    m_taller->setFixedWidth(110);
    m_razonSocial = box("EditRazonSocial");
    m_cuit = box("EditCuit");
    m_cuit->setFixedWidth(140);
    m_pec = box("EditPEC");

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(8);
    auto *firstRow = new QHBoxLayout;
    firstRow->addWidget(m_taller);
    firstRow->addSpacing(16);
    firstRow->addWidget(caption(QStringLiteral("CUIT:")));
    firstRow->addSpacing(4);
    firstRow->addWidget(m_cuit);
    firstRow->addStretch(1);
    grid->addWidget(caption(QStringLiteral("Taller Nro:")), 0, 0);
    grid->addLayout(firstRow, 0, 1);
    grid->addWidget(caption(QStringLiteral("Razon Social:")), 1, 0);
    grid->addWidget(m_razonSocial, 1, 1);
    grid->addWidget(caption(QStringLiteral("PEC:")), 2, 0);
    grid->addWidget(m_pec, 2, 1);
    grid->setColumnStretch(1, 1);

    // The product name split after its third letter, as on the login.
    QFont titleFont = font();
    titleFont.setPointSize(30);
    titleFont.setBold(true);
    titleFont.setItalic(true);
    m_title1 = new QLabel(kProductName.left(3), m_header);
    m_title1->setObjectName(QStringLiteral("Label1"));
    m_title1->setFont(titleFont);
    m_title2 = new QLabel(kProductName.mid(3), m_header);
    m_title2->setObjectName(QStringLiteral("Label2"));
    m_title2->setFont(titleFont);
    auto *title = new QHBoxLayout;
    title->setSpacing(0);
    title->addWidget(m_title1);
    title->addWidget(m_title2);

    QFont flagFont = font();
    flagFont.setBold(true);
    m_localDb = new QLabel(QStringLiteral("[LOCAL DB]"), m_header);
    m_localDb->setObjectName(QStringLiteral("LabelLocalDB"));
    m_localDb->setFont(flagFont);
    m_localDb->hide();
    m_admin = new QLabel(QStringLiteral("[Clave Administrador]"), m_header);
    m_admin->setObjectName(QStringLiteral("LabelAdministrador"));
    m_admin->setFont(flagFont);
    m_admin->hide();
    m_headerCaptions << m_localDb << m_admin;

    auto *titleColumn = new QVBoxLayout;
    titleColumn->addLayout(title);
    titleColumn->addWidget(m_localDb, 0, Qt::AlignHCenter);
    titleColumn->addWidget(m_admin, 0, Qt::AlignHCenter);
    titleColumn->addStretch(1);

    m_logo = new QLabel(m_header);
    m_logo->setObjectName(QStringLiteral("Image1"));
    m_logo->setFixedSize(160, 90);
    m_logo->setAlignment(Qt::AlignCenter);

    auto *layout = new QHBoxLayout(m_header);
    layout->setContentsMargins(12, 8, 12, 8);
    layout->addLayout(grid, 3);
    layout->addSpacing(24);
    layout->addLayout(titleColumn);
    layout->addStretch(1);
    layout->addWidget(m_logo);
    return m_header;
}

QTreeWidget *TMainForm::buildTree(MainTab tab)
{
    auto *tree = new QTreeWidget(this);
    static const char *const names[] = {"TreeViewObleas", "TreeViewOtros", "TreeViewTaller"};
    tree->setObjectName(QLatin1String(names[indexOf(tab)]));
    tree->setHeaderHidden(true);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tree->setAttribute(Qt::WA_Hover);
    tree->setMouseTracking(true);
    tree->setIconSize(QSize(18, 18));
    QFont f = tree->font();
    f.setPointSizeF(f.pointSizeF() * 1.1);
    tree->setFont(f);
    addNodes(tree, nullptr, navigationTree(tab));
    tree->viewport()->installEventFilter(this);
    tree->installEventFilter(this);
    return tree;
}

void TMainForm::buildMenus()
{
    QMenuBar *bar = menuBar();
    QMenu *archivos = bar->addMenu(QStringLiteral("Archivos"));
    archivos->setObjectName(QStringLiteral("Archivos1"));
    for (const QString &text : fileMenuItems()) {
        if (text.isEmpty()) {
            archivos->addSeparator();
        } else if (text == kMenuSalir) {
            archivos->addAction(text, this, &QWidget::close);
        } else {
            archivos->addAction(text, this, [this, text] { navigator().openCaption(text, this); });
        }
    }
    QMenu *turnos = bar->addMenu(QStringLiteral("Turnos"));
    turnos->setObjectName(QStringLiteral("Turnos1"));
    for (const QString &text : turnosMenuItems())
        turnos->addAction(text, this, [this, text] { navigator().openCaption(text, this); });
}

void TMainForm::showLogo()
{
    const QString path = QDir::current().filePath(kLogoFile);
    if (!QFileInfo::exists(path))
        return;
    const QPixmap logo(path);
    if (!logo.isNull())
        m_logo->setPixmap(logo.scaled(m_logo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

bool TMainForm::runLogin()
{
    TInicioForm login(this);
    login.exec();
    m_unread = login.unreadMessages();
    return login.loginAccepted();
}

void TMainForm::finishCreation()
{
    announceMessages(); // step 4
    // A failed read of the messages is reported but does not leave the window
    // half set up: the cylinder table and the visible tabs are still decided.
    statusBar()->showMessage(QStringLiteral("Tarvil Versión %1").arg(Global.ProgramVersion));  // 5
    m_admin->setVisible(Global.AdminMode);                                                     // 6
    setCylinderTableName(cylinderTableForExecutable(QCoreApplication::applicationFilePath())); // 7
    applyProfileLook();                                                                        // 8
    m_localDb->setVisible(Global.ServerCode == QLatin1String("L"));                            // 9

    // 10, 11: decided once, here.
    const InstallationProfile *profile = profileById(Global.InstallationId);
    const MainTabs shown = visibleMainTabs(Global.ManagesWorkshop, Global.WorkshopCode,
                                           profile ? profile->workshopOnlyCodePrefix : QString());
    m_tabs->setTabVisible(indexOf(MainTab::Obleas), shown.obleas);
    m_tabs->setTabVisible(indexOf(MainTab::Otros), shown.otros);
    m_tabs->setTabVisible(indexOf(MainTab::Taller), shown.taller);
    m_summary->setOffered(DaySummaryPanel::offeredHere(shown.obleas));
    for (MainTab tab : {MainTab::Obleas, MainTab::Otros, MainTab::Taller}) {
        if (isTabShown(tab)) {
            m_tabs->setCurrentIndex(indexOf(tab));
            break;
        }
    }
    // The operator starts in the tree: the arrows and Enter open a function.
    if (auto *start = qobject_cast<QTreeWidget *>(m_tabs->currentWidget())) {
        if (!start->currentItem() && start->topLevelItemCount() > 0)
            start->setCurrentItem(start->topLevelItem(0));
        start->setFocus(Qt::OtherFocusReason);
    }
    FormActivate();
}

void TMainForm::announceMessages()
{
    try {
        if (!m_unread) // no login read them (a window opened without one)
            m_unread = Widgets::ServerWait::run<QVector<QSqlRecord>>(
                this, QStringLiteral("Leyendo los mensajes..."), Conn::Operations,
                [code = Global.WorkshopCode] { return WorkshopAccount::UnreadMessages(code); });
        const QString text = unreadMessagesAnnouncement(int(m_unread->size()));
        if (text.isEmpty())
            return;
        TVerMensajesForm reader(text, this, guiPrompter(), *m_unread);
        reader.exec();
    } catch (const DbError &e) {
        Msg::error(this, e.text());
    }
}

void TMainForm::applyProfileLook()
{
    const QColor panel = winColour(Global.PanelColour);
    QPalette pal = m_header->palette();
    pal.setColor(QPalette::Window, panel);
    m_header->setPalette(pal);
    // Captions stay readable on a dark panel (an unknown installation has black).
    const QColor captionColour = panel.lightness() < 110 ? QColor(Qt::white) : QColor(Qt::black);
    for (QLabel *label : std::as_const(m_headerCaptions)) {
        QPalette lp = label->palette();
        lp.setColor(QPalette::WindowText, captionColour);
        label->setPalette(lp);
    }
    // Without a profile's look (an unknown installation, or a server that
    // did not answer at start-up) both colours are black: the product's name
    // then takes the captions' colour instead of vanishing into the panel.
    const QColor accent = winColour(Global.AccentColour);
    for (QLabel *title : {m_title1, m_title2}) {
        QPalette tp = title->palette();
        tp.setColor(QPalette::WindowText, accent == panel ? captionColour : accent);
        title->setPalette(tp);
    }
}

QTreeWidget *TMainForm::tree(MainTab tab) const
{
    return m_trees[indexOf(tab)];
}

bool TMainForm::isTabShown(MainTab tab) const
{
    return m_tabs->isTabVisible(indexOf(tab));
}

void TMainForm::FormActivate()
{
    m_trees[indexOf(MainTab::Obleas)]->expandAll();
    m_trees[indexOf(MainTab::Taller)]->expandAll();
    // Other windows may have rewritten the identity of the workshop.
    m_taller->setText(Global.WorkshopCode);
    m_razonSocial->setText(Global.WorkshopName);
    m_cuit->setText(Global.WorkshopCuit);
    m_pec->setText(Global.PecName);
}

bool TMainForm::event(QEvent *event)
{
    if (event->type() == QEvent::WindowActivate && m_loginAccepted)
        FormActivate();
    // Menu items and trees send (empty) status tips while hovered; the status
    // bar keeps the version instead.
    if (event->type() == QEvent::StatusTip)
        return true;
    return QMainWindow::event(event);
}

void TMainForm::openNodeAt(QTreeWidget *tree, const QPoint &viewportPos)
{
    const QTreeWidgetItem *item = tree->itemAt(viewportPos);
    if (!item)
        return;
    navigator().openCaption(item->text(0), this);
}

bool TMainForm::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        for (QTreeWidget *tree : m_trees) {
            if (tree && watched == tree && (key == Qt::Key_Return || key == Qt::Key_Enter) && tree->currentItem() &&
                navigator().route(tree->currentItem()->text(0)) != Navigator::Route::Nothing) {
                const QString caption = tree->currentItem()->text(0);
                QTimer::singleShot(0, this, [this, caption] { navigator().openCaption(caption, this); });
                return true;
            }
        }
    }
    // A right click is the context click: it opens nothing.
    if (event->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent *>(event)->button() != Qt::RightButton) {
        for (QTreeWidget *tree : m_trees) {
            if (tree && watched == tree->viewport()) {
                const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
                // Opened once the press is handled, so the modal window does
                // not start inside the tree's own mouse handling.
                QTimer::singleShot(0, this, [this, tree, pos] { openNodeAt(tree, pos); });
                break;
            }
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
