#include "app/messages.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Msg {

namespace {

Hook &hook()
{
    static Hook h;
    return h;
}

bool show(QWidget *parent, Kind kind, const QString &text)
{
    if (hook())
        return hook()(kind, text);

    QMessageBox box(parent);
    box.setWindowTitle(caption(kind));
    box.setText(text);
    switch (kind) {
    case Kind::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case Kind::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    case Kind::Info:
        box.setIcon(QMessageBox::Information);
        break;
    case Kind::Confirm:
        box.setIcon(QMessageBox::Question);
        break;
    }
    if (kind == Kind::Confirm) {
        // Captions set here too, so a box shown before the translators are
        // installed still reads in Spanish.
        box.addButton(QMessageBox::Yes)->setText(QStringLiteral("Si"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("No"));
        box.setDefaultButton(QMessageBox::Yes);
    } else {
        box.addButton(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    }
    // The hourglass of a running statement must not hide the box's buttons.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int answer = box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    return answer == QMessageBox::Yes;
}

} // namespace

QString caption(Kind kind)
{
    switch (kind) {
    case Kind::Warning:
        return QStringLiteral("Cuidado!");
    case Kind::Error:
        return QStringLiteral("Error");
    case Kind::Info:
        return QStringLiteral("Información");
    case Kind::Confirm:
        break;
    }
    return QStringLiteral("Confirmación");
}

void warning(QWidget *parent, const QString &text)
{
    show(parent, Kind::Warning, text);
}

void error(QWidget *parent, const QString &text)
{
    show(parent, Kind::Error, text);
}

void info(QWidget *parent, const QString &text)
{
    show(parent, Kind::Info, text);
}

bool confirm(QWidget *parent, const QString &text)
{
    return show(parent, Kind::Confirm, text);
}

void setHook(Hook h)
{
    hook() = std::move(h);
}

bool hasHook()
{
    return static_cast<bool>(hook());
}

} // namespace Msg

void GuiPrompter::warn(const QString &text)
{
    Msg::warning(m_parent, text);
}

void GuiPrompter::error(const QString &text)
{
    Msg::error(m_parent, text);
}

void GuiPrompter::info(const QString &text)
{
    Msg::info(m_parent, text);
}

bool GuiPrompter::ask(const QString &text)
{
    return Msg::confirm(m_parent, text);
}
