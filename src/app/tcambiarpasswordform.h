#pragma once

#include "widgets/messages.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QStatusBar;

// Changes the logged-in workshop's own password (tal.Password of
// Global.WorkshopCode) after checking the current one.
class TCambiarPasswordForm : public QDialog
{
    Q_OBJECT
public:
    static constexpr int ResultRetry = 4; // "Cambiar" closes with this

    explicit TCambiarPasswordForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

public slots:
    void BitBtnCambiarClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void clearNewPasswords();
    void reportMismatch();

    Prompter &m_prompter;
    QLineEdit *m_actual = nullptr;
    QLineEdit *m_nuevo = nullptr;
    QLineEdit *m_confirmar = nullptr;
    QPushButton *m_cambiar = nullptr;
    QPushButton *m_cancelar = nullptr;
    QStatusBar *m_status = nullptr;
};
