#include "widgets/messages.h"

#include "data/errordetails.h"
#include "data/errorlog.h"
#include "widgets/tconfirmdlg.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace Msg
{

namespace
{

Hook &hook()
{
    static Hook h;
    return h;
}

QMessageBox::Icon iconOf(Kind kind)
{
    switch (kind) {
    case Kind::Warning:
    case Kind::WarningQuestion:
    case Kind::WarningYesNo:
        return QMessageBox::Warning;
    case Kind::Error:
        return QMessageBox::Critical;
    case Kind::Info:
    case Kind::InfoYesNo:
        return QMessageBox::Information;
    case Kind::Confirm:
        break;
    }
    return QMessageBox::Question;
}

} // namespace

QAbstractButton *prepare(QMessageBox &box, Kind kind, const QString &text)
{
    box.setWindowTitle(caption(kind));
    box.setText(text);
    box.setIcon(iconOf(kind));
    // Captions set here too, so a box shown before the translators are
    // installed still reads in Spanish.
    QAbstractButton *yes = nullptr;
    if (kind == Kind::Confirm) {
        yes = box.addButton(QMessageBox::Yes);
        yes->setText(QStringLiteral("Si"));
        box.addButton(QMessageBox::No)->setText(QStringLiteral("No"));
        box.setDefaultButton(QMessageBox::Yes);
    } else if (kind == Kind::WarningQuestion || kind == Kind::WarningYesNo || kind == Kind::InfoYesNo) {
        // Stored rows go away, or a doubtful value is kept, only on purpose:
        // "No" is what Enter and Esc answer.
        yes = box.addButton(kind == Kind::WarningQuestion ? QStringLiteral("Aceptar") : QStringLiteral("Si"),
                            QMessageBox::AcceptRole);
        QPushButton *no = box.addButton(QStringLiteral("No"), QMessageBox::RejectRole);
        box.setDefaultButton(no);
        box.setEscapeButton(no);
    } else {
        box.addButton(QMessageBox::Ok)->setText(QStringLiteral("Aceptar"));
    }
    return yes;
}

static bool show(QWidget *parent, Kind kind, const QString &text)
{
    // What the client library said (in English), the host and the socket go
    // under "Detalles" and into the log, not into the sentence.
    const QString details = kind == Kind::Error ? ErrorDetails::lookup(text) : QString();
    if (kind == Kind::Error)
        ErrorLog::write(text, details);
    if (hook())
        return hook()(kind, text);

    QMessageBox box(parent);
    QAbstractButton *yes = prepare(box, kind, text);
    if (!details.isEmpty())
        box.setDetailedText(details);
    // The hourglass of a running statement must not hide the box's buttons.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    box.exec();
    if (busy)
        QApplication::restoreOverrideCursor();
    return yes && box.clickedButton() == yes;
}

QString caption(Kind kind)
{
    switch (kind) {
    case Kind::Warning:
    case Kind::WarningQuestion:
    case Kind::WarningYesNo:
        return QStringLiteral("Cuidado!");
    case Kind::Error:
        return QStringLiteral("Error");
    case Kind::Info:
    case Kind::InfoYesNo:
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

bool warningQuestion(QWidget *parent, const QString &text)
{
    return show(parent, Kind::WarningQuestion, text);
}

bool warningYesNo(QWidget *parent, const QString &text)
{
    return show(parent, Kind::WarningYesNo, text);
}

bool infoYesNo(QWidget *parent, const QString &text)
{
    return show(parent, Kind::InfoYesNo, text);
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

QWidget *GuiPrompter::parent() const
{
    if (m_parent)
        return m_parent;
    if (QWidget *modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

void GuiPrompter::warn(const QString &text)
{
    Msg::warning(parent(), text);
}

void GuiPrompter::error(const QString &text)
{
    Msg::error(parent(), text);
}

void GuiPrompter::info(const QString &text)
{
    Msg::info(parent(), text);
}

bool GuiPrompter::ask(const QString &text)
{
    return Msg::confirm(parent(), text);
}

bool GuiPrompter::askWarning(const QString &text)
{
    return Msg::warningQuestion(parent(), text);
}

bool GuiPrompter::question(const QString &text)
{
    return Msg::warningYesNo(parent(), text);
}

bool GuiPrompter::askInfo(const QString &text)
{
    return Msg::infoYesNo(parent(), text);
}

bool GuiPrompter::confirm(const QString &text)
{
    return TConfirmDlg::ask(QStringLiteral("Confirmación"), text);
}

void GuiPrompter::alert(const QString &text)
{
    TConfirmDlg::tell(QStringLiteral("Error"), text);
}

Prompter &guiPrompter()
{
    static GuiPrompter prompter;
    return prompter;
}
