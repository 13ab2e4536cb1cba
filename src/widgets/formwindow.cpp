#include "widgets/formwindow.h"

#include "core/prompter.h"
#include "widgets/textfield.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStyle>
#include <QTimer>
#include <QWidget>

namespace Widgets
{

namespace
{

bool &fitting()
{
    static bool on = true;
    return on;
}

// Title bar and borders of a window not yet shown with its frame.
constexpr QMargins kFrame(8, 31, 8, 8);

// A scroll area that asks for the whole of what it shows, so that the window
// is as large as its fields need until the screen says otherwise.
class FitScroll : public QScrollArea
{
public:
    explicit FitScroll(QWidget *parent) : QScrollArea(parent)
    {
        setObjectName(QStringLiteral("FitScroll"));
        setWidgetResizable(true);
        setFrameShape(QFrame::NoFrame);
        // A click beside a field (a label, a button that takes no focus)
        // leaves the focus where it was, as in a window without scrolling:
        // the focused field scrolls into sight by itself.
        setFocusPolicy(Qt::NoFocus);
    }
    QSize sizeHint() const override { return widget() ? widget()->sizeHint() : QScrollArea::sizeHint(); }
};

// Buttons and what goes with them (their captions, a state list, a link).
bool onlyButtons(QLayout *row)
{
    bool push = false;
    for (int i = 0; i < row->count(); ++i) {
        QLayoutItem *item = row->itemAt(i);
        if (QLayout *inner = item->layout()) {
            if (!onlyButtons(inner))
                return false;
            push = true;
        } else if (QWidget *w = item->widget()) {
            if (!qobject_cast<QAbstractButton *>(w) && !qobject_cast<QLabel *>(w) && !qobject_cast<QComboBox *>(w) &&
                !qobject_cast<QProgressBar *>(w))
                return false;
            push = push || qobject_cast<QPushButton *>(w);
        }
    }
    return push;
}

bool isButtonRow(QLayoutItem *item)
{
    if (QLayout *row = item->layout())
        return onlyButtons(row);
    QWidget *w = item->widget();
    if (!w)
        return false;
    if (qobject_cast<QDialogButtonBox *>(w))
        return true;
    return w->layout() && !qobject_cast<QAbstractButton *>(w) && onlyButtons(w->layout());
}

// The first position of a masked field still blank, or -1.
int firstBlank(const QLineEdit *edit)
{
    const QString mask = edit->inputMask();
    const qsizetype semicolon = mask.lastIndexOf(QLatin1Char(';'));
    const QString pattern = semicolon > 0 ? mask.left(semicolon) : mask;
    const QChar blank = semicolon > 0 && semicolon + 1 < mask.size() ? mask.at(semicolon + 1) : QLatin1Char(' ');
    static const QString inputChars = QStringLiteral("AaNnXx90DdHhBb#");
    const QString shown = edit->displayText();
    int pos = 0;
    for (qsizetype i = 0; i < pattern.size() && pos < shown.size(); ++i) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('>') || c == QLatin1Char('<') || c == QLatin1Char('!') || c == QLatin1Char('[') ||
            c == QLatin1Char(']') || c == QLatin1Char('{') || c == QLatin1Char('}'))
            continue;
        if (c == QLatin1Char('\\')) {
            ++i; // an escaped literal
            ++pos;
            continue;
        }
        if (inputChars.contains(c) && shown.at(pos) == blank)
            return pos;
        ++pos;
    }
    return -1;
}

bool isEnter(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

bool typesText(const QKeyEvent *key)
{
    return !key->text().isEmpty() && key->text().at(0).isPrint() &&
           !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
}

// A typed key goes to the first blank position when the cursor is past it.
void cursorToBlank(QLineEdit *edit)
{
    if (edit->inputMask().isEmpty() || edit->hasSelectedText())
        return;
    const int blank = firstBlank(edit);
    if (blank >= 0 && edit->cursorPosition() > blank)
        edit->setCursorPosition(blank);
}

// The window's share of the kit: the scroll area put in once the
// constructors are done, the size and place at each showing, Enter on
// buttons, typing into masked and date fields.
class WindowKit : public QObject
{
public:
    WindowKit(QWidget *window, QWidget *buttons)
        : QObject(window), m_window(window), m_buttons(buttons), m_fits(fitting())
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window)
            return windowEvent(event);
        if (event->type() == QEvent::KeyPress && typesText(static_cast<QKeyEvent *>(event)))
            typing(watched);
        else if (event->type() == QEvent::MouseButtonRelease)
            clicked(watched);
        return false;
    }

private:
    bool windowEvent(QEvent *event)
    {
        switch (event->type()) {
        case QEvent::Polish:
            if (m_fits)
                wrap();
            break;
        case QEvent::Show:
            watchFields();
            if (m_fits) {
                wrap();
                fit();
                focusFirstField();
            }
            break;
        case QEvent::Hide:
            if (m_placeAgain)
                m_window->setAttribute(Qt::WA_Moved, false);
            m_placeAgain = false;
            break;
        case QEvent::KeyPress:
            // What the focused button left unhandled reaches the window:
            // Enter presses it, or moves on from a check box as from a field.
            if (auto *key = static_cast<QKeyEvent *>(event); isEnter(key)) {
                auto *button = qobject_cast<QAbstractButton *>(m_window->focusWidget());
                if (!button || button->window() != m_window || !button->isEnabled())
                    break;
                if (qobject_cast<QCheckBox *>(button) || qobject_cast<QRadioButton *>(button)) {
                    const bool forward = !(key->modifiers() & Qt::ShiftModifier);
                    QKeyEvent tab(QEvent::KeyPress, forward ? Qt::Key_Tab : Qt::Key_Backtab,
                                  forward ? Qt::NoModifier : Qt::ShiftModifier);
                    QApplication::sendEvent(button, &tab);
                } else {
                    button->click();
                }
                return true;
            }
            break;
        default:
            break;
        }
        return false;
    }

    void typing(QObject *field)
    {
        if (auto *edit = qobject_cast<QLineEdit *>(field)) {
            cursorToBlank(edit);
        } else if (auto *date = qobject_cast<QDateTimeEdit *>(field)) {
            // Typing over the whole date selected writes it from the day on.
            auto *edit = date->findChild<QLineEdit *>();
            if (edit && edit->selectedText() == edit->text() && date->sectionCount() > 0)
                date->setSelectedSection(date->sectionAt(0));
        }
    }

    void clicked(QObject *field)
    {
        auto *edit = qobject_cast<QLineEdit *>(field);
        if (!edit)
            return;
        QPointer<QLineEdit> e(edit);
        // After the field has placed its cursor.
        QTimer::singleShot(0, this, [e] {
            if (!e)
                return;
            if (auto *date = qobject_cast<QDateTimeEdit *>(e->parentWidget()))
                date->setSelectedSection(date->currentSection()); // the section clicked
            else
                cursorToBlank(e);
        });
    }

    void watchFields()
    {
        if (m_watching)
            return;
        m_watching = true;
        for (QLineEdit *edit : m_window->findChildren<QLineEdit *>()) {
            edit->installEventFilter(this);
            // A field of a column says when it is full, whoever made it.
            if (edit->maxLength() < 32767 && !qobject_cast<QAbstractSpinBox *>(edit->parentWidget()))
                guardLength(edit);
        }
        for (QDateTimeEdit *date : m_window->findChildren<QDateTimeEdit *>())
            date->installEventFilter(this);
    }

    void wrap();
    void fit();
    // The footer's buttons come before the fields in the window's own
    // chain: a window that has not put the focus anywhere itself opens on
    // its first field, not on a button.
    void focusFirstField()
    {
        if (m_window->focusWidget())
            return;
        for (const QPointer<QWidget> &w : std::as_const(m_chain))
            if (w && w->isVisibleTo(m_window) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                w->setFocus(Qt::TabFocusReason);
                return;
            }
    }

    QWidget *m_window;
    QPointer<QWidget> m_buttons;
    bool m_fits;
    bool m_wrapped = false;
    bool m_watching = false;
    bool m_placeAgain = false;        // placed by the kit for this showing only
    QList<QPointer<QWidget>> m_chain; // the fields and buttons in Tab order
    QSize m_asked;                    // the size the window set for itself; invalid: its fields' size
};

void WindowKit::wrap()
{
    if (m_wrapped)
        return;
    m_wrapped = true;
    QLayout *old = m_window->layout();
    if (!old)
        return;
    if (m_window->testAttribute(Qt::WA_Resized))
        m_asked = m_window->size();
    const QMargins margins = old->contentsMargins();
    // Moving the fields would change the order Tab takes them in.
    QList<QPointer<QWidget>> chain;
    for (QWidget *w = m_window->nextInFocusChain(); w && w != m_window; w = w->nextInFocusChain())
        chain << w;
    // The fields pass through a window of their own on their way into the
    // body, which takes the focus from them: the field the window's own
    // code chose gets it back once they are in place.
    const QPointer<QWidget> chosen = m_window->focusWidget();

    // The button row leaves the layout before the rest moves to the body;
    // it stays where it was: below the fields, or beside them.
    auto *box = qobject_cast<QBoxLayout *>(old);
    const bool beside = box && (box->direction() == QBoxLayout::LeftToRight);
    QWidget *row = m_buttons;
    QLayout *rowLayout = nullptr;
    if (row) {
        old->removeWidget(row);
    } else if (box && box->count() > 1 && isButtonRow(box->itemAt(box->count() - 1))) {
        QLayoutItem *item = box->takeAt(box->count() - 1);
        rowLayout = item->layout();
        row = item->widget();
        if (!rowLayout)
            delete item;
    }

    auto *body = new QWidget;
    body->setObjectName(QStringLiteral("FitBody"));
    body->setLayout(old); // takes the layout, and its fields, from the window
    auto *scroll = new FitScroll(m_window);
    scroll->setWidget(body);
    scroll->viewport()->setAutoFillBackground(false);
    // The field the focus goes to scrolls into sight, however it got there.
    connect(qApp, &QApplication::focusChanged, scroll, [scroll, body](QWidget *, QWidget *now) {
        if (now && body->isAncestorOf(now))
            scroll->ensureWidgetVisible(now);
    });

    auto *root = new QBoxLayout(beside ? QBoxLayout::LeftToRight : QBoxLayout::TopToBottom, m_window);
    root->setContentsMargins(0, 0, 0, 0);
    root->setSpacing(0);
    root->addWidget(scroll, 1);
    if (row || rowLayout) {
        const int gap = qMax(old->spacing(), 4);
        auto *footer = new QWidget(m_window);
        footer->setObjectName(QStringLiteral("FitButtons"));
        auto *footerLayout = new QVBoxLayout(footer);
        if (beside) {
            old->setContentsMargins(margins.left(), margins.top(), 0, margins.bottom());
            footerLayout->setContentsMargins(gap, margins.top(), margins.right(), margins.bottom());
        } else {
            old->setContentsMargins(margins.left(), margins.top(), margins.right(), 0);
            footerLayout->setContentsMargins(margins.left(), gap, margins.right(), margins.bottom());
        }
        if (rowLayout)
            footerLayout->addLayout(rowLayout);
        else
            footerLayout->addWidget(row);
        root->addWidget(footer);
    }
    // Only those that take the focus can be put in order.
    chain.removeIf([](const QPointer<QWidget> &w) { return !w || w->focusPolicy() == Qt::NoFocus; });
    for (qsizetype i = 0; i + 1 < chain.size(); ++i)
        QWidget::setTabOrder(chain[i], chain[i + 1]);
    m_chain = chain;
    if (chosen && !m_window->focusWidget())
        chosen->setFocus();
}

void WindowKit::fit()
{
    if (m_window->windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen))
        return;
    const QRect area = usableArea(m_window);
    QSize size = m_asked.isValid() ? m_asked : m_window->sizeHint();
    if (size.height() > area.height()) // room for the scroll bar
        size.rwidth() += m_window->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    size = size.boundedTo(area.size()).expandedTo(m_window->minimumSize());
    m_window->resize(size);
    QRect placed = m_window->geometry();
    const bool placedByItself = m_window->testAttribute(Qt::WA_Moved);
    if (!placedByItself) {
        const QWidget *over = m_window->parentWidget() ? m_window->parentWidget()->window() : nullptr;
        placed.moveCenter(over && over->isVisible() ? over->geometry().center() : area.center());
    }
    placed.moveLeft(qBound(area.left(), placed.left(), qMax(area.left(), area.right() - placed.width() + 1)));
    placed.moveTop(qBound(area.top(), placed.top(), qMax(area.top(), area.bottom() - placed.height() + 1)));
    // The place is that of the window's inside, as `area` is: move() would
    // put the frame there, one frame too low on a screen that has frames.
    if (placed != m_window->geometry())
        m_window->setGeometry(placed);
    // Once this showing is over a dialog would place itself again, over its
    // parent, with no room for the lower border: it stays where it was put
    // until it is hidden, and is placed again at the next showing.
    m_window->setAttribute(Qt::WA_Moved);
    m_placeAgain = !placedByItself;
}

} // namespace

void setFitting(bool on)
{
    fitting() = on;
}

QRect usableArea(const QWidget *window)
{
    const QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return QRect(QPoint(0, 0), window->size());
    QMargins frame = kFrame;
    if (window->isVisible() && window->frameGeometry() != window->geometry()) {
        const QRect outer = window->frameGeometry(), inner = window->geometry();
        frame = QMargins(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    }
    return screen->availableGeometry() - frame;
}

void setUpWindow(QWidget *window, QWidget *buttons)
{
    if (window->property("tarvilKit").toBool())
        return;
    window->setProperty("tarvilKit", true);
    window->installEventFilter(new WindowKit(window, buttons));
}

DiscardGuard::DiscardGuard(QDialog *form, Prompter &prompter) : QObject(form), m_form(form), m_prompter(prompter)
{
    form->installEventFilter(this);
}

void DiscardGuard::watchFields()
{
    if (m_watching)
        return;
    m_watching = true;
    const auto typed = [this] { m_typed = true; };
    for (QLineEdit *edit : m_form->findChildren<QLineEdit *>())
        connect(edit, &QLineEdit::textEdited, this, typed);
    for (QComboBox *combo : m_form->findChildren<QComboBox *>())
        connect(combo, &QComboBox::activated, this, typed);
    for (QAbstractButton *check : m_form->findChildren<QAbstractButton *>())
        if (check->isCheckable())
            connect(check, &QAbstractButton::clicked, this, typed);
    for (QPlainTextEdit *text : m_form->findChildren<QPlainTextEdit *>())
        text->installEventFilter(this);
}

bool DiscardGuard::mayDiscard()
{
    if (!m_typed || m_prompter.question(Question)) {
        m_typed = false;
        return true;
    }
    return false;
}

void DiscardGuard::cancel()
{
    if (mayDiscard())
        m_form->reject();
}

bool DiscardGuard::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_form) {
        if (event->type() == QEvent::KeyPress && typesText(static_cast<QKeyEvent *>(event)))
            m_typed = true;
        return false;
    }
    switch (event->type()) {
    case QEvent::Show:
        watchFields();
        break;
    case QEvent::KeyPress:
        if (static_cast<QKeyEvent *>(event)->key() == Qt::Key_Escape && !mayDiscard())
            return true;
        break;
    case QEvent::Close:
        // The close box; the form closing itself does so on purpose.
        if (event->spontaneous() && !mayDiscard()) {
            event->ignore();
            return true;
        }
        break;
    default:
        break;
    }
    return false;
}

} // namespace Widgets
