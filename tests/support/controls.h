#pragma once
// A window's control found by its designer name (objectName), as the tests
// drive it: the windows keep their controls to themselves. Only the window's
// own controls count, not those of a dialog it has open.
#include <QTest>
#include <QWidget>
#include <memory>

template <typename W = QWidget> W *control(const QWidget &window, const char *name)
{
    const QString wanted = QString::fromLatin1(name);
    for (W *w : window.findChildren<W *>(wanted))
        if (w->window() == window.window())
            return w;
    qFatal("%s has no control %s", qPrintable(window.objectName()), name);
}

template <typename W = QWidget> W *control(const QWidget *window, const char *name)
{
    return control<W>(*window, name);
}

template <typename W = QWidget, typename T> W *control(const std::unique_ptr<T> &window, const char *name)
{
    return control<W>(*window, name);
}
