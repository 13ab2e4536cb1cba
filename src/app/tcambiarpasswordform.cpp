#include "app/tcambiarpasswordform.h"

#include "core/global.h"
#include "data/dberror.h"
#include "data/workshopaccount.h"
#include "widgets/dialogplacement.h"
#include "widgets/fieldrules.h"
#include "widgets/formwindow.h"
#include "widgets/serverwait.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QStatusBar>
#include <QVBoxLayout>

namespace
{

QLineEdit *passwordBox(QWidget *parent, const char *name)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setEchoMode(QLineEdit::Password);
    edit->setMaxLength(25); // width of tal.Password
    // Passwords are lower case everywhere (the login box forces it too).
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
        const QString lower = text.toLower();
        if (lower != text) {
            const int pos = edit->cursorPosition();
            edit->setText(lower);
            edit->setCursorPosition(pos);
        }
    });
    return edit;
}

} // namespace

TCambiarPasswordForm::TCambiarPasswordForm(QWidget *parent, Prompter &prompter) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("CambiarPasswordForm"));
    setWindowTitle(QStringLiteral("Cambiar Password"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    m_actual = passwordBox(this, "EditActual");
    m_nuevo = passwordBox(this, "EditNuevo");
    m_confirmar = passwordBox(this, "EditConfirmar");

    m_cambiar = new QPushButton(QStringLiteral("Cambiar"), this);
    m_cambiar->setObjectName(QStringLiteral("BitBtnCambiar"));
    m_cambiar->setDefault(true);
    m_cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    m_cancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    connect(m_cambiar, &QPushButton::clicked, this, &TCambiarPasswordForm::BitBtnCambiarClick);
    connect(m_cancelar, &QPushButton::clicked, this, &QDialog::reject);
    // Leaving the confirmation checks it against the new password; leaving
    // for "Cancelar" checks nothing. A click on "Cambiar" finds the same
    // mismatch whichever of the two sees it first.
    auto *rules = Widgets::FieldRules::of(this);
    rules->onExit(m_confirmar, [this] {
        if (m_confirmar->text() != m_nuevo->text())
            reportMismatch();
    });
    rules->exitsFreelyThrough(m_cancelar);

    m_status = new QStatusBar(this);
    m_status->setObjectName(QStringLiteral("StatusBar1"));
    m_status->setSizeGripEnabled(false);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Password actual:"), m_actual);
    form->addRow(QStringLiteral("Password nuevo:"), m_nuevo);
    form->addRow(QStringLiteral("Confirmar Password:"), m_confirmar);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_cambiar);
    buttons->addWidget(m_cancelar);

    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->setContentsMargins(0, 12, 0, 0);
    auto *body = new QVBoxLayout;
    body->setContentsMargins(16, 0, 16, 8);
    body->addLayout(form);
    body->addSpacing(8);
    body->addLayout(buttons);
    layout->addLayout(body);
    layout->addWidget(m_status);
    setMinimumWidth(360);
}

void TCambiarPasswordForm::clearNewPasswords()
{
    m_nuevo->clear();
    m_confirmar->clear();
}

void TCambiarPasswordForm::reportMismatch()
{
    m_prompter.error(QStringLiteral("No concuerdan las passwords."));
    clearNewPasswords();
    m_nuevo->setFocus();
}

void TCambiarPasswordForm::BitBtnCambiarClick()
{
    if (m_confirmar->text() != m_nuevo->text()) {
        reportMismatch();
        return;
    }
    // Two empty boxes agree; an empty password is never stored.
    if (m_nuevo->text().isEmpty()) {
        m_prompter.warn(QStringLiteral("Ingrese el password nuevo."));
        m_nuevo->setFocus();
        return;
    }

    m_status->showMessage(QStringLiteral("Efectuando consulta al servidor..."));
    m_status->repaint();
    bool matches = false;
    try {
        // No row for the workshop: nothing can be changed, treat as a wrong password.
        matches = Widgets::ServerWait::run<bool>(
            this, QStringLiteral("Cambiando el password..."), Conn::Operations,
            [code = Global.WorkshopCode, current = m_actual->text(), password = m_nuevo->text()] {
                return WorkshopAccount::ChangePassword(code, current, password);
            });
    } catch (const DbError &e) {
        m_status->clearMessage();
        m_prompter.error(e.text());
        return;
    }
    m_status->clearMessage();

    if (!matches) {
        m_prompter.error(QStringLiteral("El password actual ingresado es incorrecto."));
        m_actual->setFocus();
        clearNewPasswords();
    } else {
        m_prompter.info(QStringLiteral("El password ha sido cambiado."));
    }
    done(ResultRetry);
}

void TCambiarPasswordForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        centreOnScreen(this);
    QDialog::showEvent(event);
}
