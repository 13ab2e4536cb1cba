#pragma once

#include "widgets/messages.h"

#include <QDialog>

class QSpinBox;
class QPushButton;

// "Impresión de Ficha en Blanco": the profile's empty technical sheet with
// the workshop's and the PEC's identity, to be filled in by hand. Opening it
// empties the operation's cylinder work table, as a new operation would.
class TImpresionFichasEnBlancoForm : public QDialog
{
    Q_OBJECT
public:
    explicit TImpresionFichasEnBlancoForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    QSpinBox *SpinEdit1 = nullptr;
    QPushButton *BitBtn1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    Prompter &m_prompter;
};
