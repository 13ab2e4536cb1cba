#pragma once

#include "widgets/messages.h"

#include <QDialog>

class QSpinBox;
class QPushButton;

// "Impresión Recomendaciones de Seguridad": the safety leaflet handed to the
// vehicle's owner, as many copies as asked.
class TImpresionRecomendacionesForm : public QDialog
{
    Q_OBJECT
public:
    explicit TImpresionRecomendacionesForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    QSpinBox *SpinEdit1 = nullptr;
    QPushButton *BitBtn1 = nullptr;

public slots:
    void BitBtn1Click();

private:
    Prompter &m_prompter;
};
