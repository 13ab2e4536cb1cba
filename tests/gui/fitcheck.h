#pragma once
// What an operator on a small screen meets in a window: the window larger
// than the screen's usable part, two visible controls drawn over one
// another, an action button that cannot be reached. Used by the gallery's
// --check run, which opens every window of every profile.
#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QCalendarWidget>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>
#include <QTextEdit>
#include <QWidget>

namespace FitCheck
{

// A window shown without a frame (offscreen) still gets one on the
// operator's screen: the title bar and borders it would have.
inline QRect outerRect(const QWidget *window)
{
    const QRect frame = window->frameGeometry();
    if (frame != window->geometry())
        return frame;
    return frame.adjusted(-8, -31, 8, 8);
}

inline bool isControl(const QWidget *w)
{
    return qobject_cast<const QAbstractButton *>(w) || qobject_cast<const QLineEdit *>(w) ||
           qobject_cast<const QComboBox *>(w) || qobject_cast<const QAbstractSpinBox *>(w) ||
           qobject_cast<const QLabel *>(w) || qobject_cast<const QAbstractItemView *>(w) ||
           qobject_cast<const QTextEdit *>(w) || qobject_cast<const QPlainTextEdit *>(w) ||
           qobject_cast<const QProgressBar *>(w) || qobject_cast<const QCalendarWidget *>(w) ||
           qobject_cast<const QTabBar *>(w);
}

// The part of `w` that is on screen inside `window`, in its coordinates.
inline QRect shownRect(const QWidget *w, const QWidget *window)
{
    QRect r(w->mapTo(window, QPoint(0, 0)), w->size());
    for (const QWidget *a = w->parentWidget(); a && a != window; a = a->parentWidget())
        r &= QRect(a->mapTo(window, QPoint(0, 0)), a->size());
    return r & window->rect();
}

inline bool insideScrollArea(const QWidget *w, const QWidget *window)
{
    for (const QWidget *a = w->parentWidget(); a && a != window; a = a->parentWidget())
        if (qobject_cast<const QScrollArea *>(a))
            return true;
    return false;
}

inline QString nameOf(const QWidget *w)
{
    const QString name = w->objectName();
    if (!name.isEmpty())
        return name;
    if (auto *b = qobject_cast<const QAbstractButton *>(w))
        return QStringLiteral("\"%1\"").arg(b->text());
    if (auto *l = qobject_cast<const QLabel *>(w))
        return QStringLiteral("\"%1\"").arg(l->text().left(30));
    return QString::fromLatin1(w->metaObject()->className());
}

// Controls of the window itself (not of a control: a combo's edit, a
// view's scroll bars), shown and with something on screen.
inline QList<QWidget *> shownControls(QWidget *window)
{
    QList<QWidget *> controls;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window || !w->isVisible() || !isControl(w))
            continue;
        bool inner = false;
        for (QWidget *a = w->parentWidget(); a && a != window && !inner; a = a->parentWidget())
            inner = isControl(a);
        if (!inner && !shownRect(w, window).isEmpty())
            controls << w;
    }
    return controls;
}

// Overlaps and unreachable buttons at the window's present size.
inline QStringList layoutProblems(QWidget *window)
{
    QStringList problems;
    const QList<QWidget *> controls = shownControls(window);
    for (qsizetype i = 0; i < controls.size(); ++i)
        for (qsizetype j = i + 1; j < controls.size(); ++j) {
            const QRect both = shownRect(controls[i], window) & shownRect(controls[j], window);
            if (both.width() > 1 && both.height() > 1)
                problems << QStringLiteral("%1 tapa a %2").arg(nameOf(controls[i]), nameOf(controls[j]));
        }
    for (QPushButton *b : window->findChildren<QPushButton *>()) {
        if (b->window() != window || !b->isVisible() || !b->isEnabled() || insideScrollArea(b, window))
            continue;
        if (shownRect(b, window) != QRect(b->mapTo(window, QPoint(0, 0)), b->size()))
            problems << QStringLiteral("el botón %1 queda fuera de la ventana").arg(nameOf(b));
    }
    return problems;
}

// The window's own scroll areas (not a list's or a text's) whose content is
// wider than they are: the operator would scroll sideways to reach a field.
inline QStringList sidewaysScrolling(QWidget *window)
{
    QStringList found;
    for (QScrollArea *area : window->findChildren<QScrollArea *>()) {
        if (area->window() != window || !area->isVisible())
            continue;
        const QWidget *content = area->widget();
        if (area->horizontalScrollBar()->maximum() > 0 || (content && content->width() > area->viewport()->width()))
            found << QStringLiteral("%1 se desplaza de costado: contenido de %2 px en %3 px")
                         .arg(nameOf(area))
                         .arg(content ? content->width() : area->horizontalScrollBar()->maximum())
                         .arg(area->viewport()->width());
    }
    return found;
}

// Everything wrong with `window` on a screen whose usable part is `usable`:
// as shown (sideways scrolling too when `sideways`), and made as small as it
// lets the operator make it.
inline QStringList problems(QWidget *window, const QRect &usable, bool sideways = true)
{
    QStringList found;
    const QRect outer = outerRect(window);
    if (!usable.contains(outer))
        found << QStringLiteral("no entra: %1x%2 en (%3,%4), pantalla %5x%6")
                     .arg(outer.width())
                     .arg(outer.height())
                     .arg(outer.x())
                     .arg(outer.y())
                     .arg(usable.width())
                     .arg(usable.height());
    found << layoutProblems(window);
    if (sideways)
        found << sidewaysScrolling(window);
    const QSize shown = window->size();
    window->resize(window->minimumSize().expandedTo(QSize(1, 1)));
    QCoreApplication::processEvents();
    for (const QString &p : layoutProblems(window))
        found << QStringLiteral("achicada: ") + p;
    window->resize(shown);
    QCoreApplication::processEvents();
    found.removeDuplicates();
    return found;
}

} // namespace FitCheck
