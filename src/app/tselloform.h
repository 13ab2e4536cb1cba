#pragma once

#include "widgets/messages.h"
#include "widgets/serverwait.h"

#include <QDialog>
#include <QVector>

class QLineEdit;

// The four lines of the technical representative's stamp printed on the
// documents (tal.sello1..4 of the logged-in workshop, held in Global).
class TSelloForm : public QDialog
{
    Q_OBJECT
public:
    explicit TSelloForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

public slots:
    void BitBtnCambiarClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Prompter &m_prompter;
    Widgets::WindowWrites m_save{Widgets::WindowWrites::SameWrite};
    QVector<QLineEdit *> m_lines;
};
