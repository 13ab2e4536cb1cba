#pragma once

#include "workshop/masters/simplemasterform.h"

// "Fallas": the faults (`fallas`). Maintenance mode (0) from the main
// window; selection mode (1) from the work orders, where "Aceptar" returns
// the fault under the cursor.
class TFallasForm : public SimpleMasterForm
{
    Q_OBJECT
public:
    TFallasForm(QWidget *parent, Prompter &prompter);

    void setMode(int mode);
    int mode() const { return m_mode; }

public slots:
    void BitBtnAceptarClick();

private:
    QPushButton *BitBtnAceptar = nullptr;
    QPushButton *BitBtnCancelar = nullptr;

private:
    int m_mode = 0;
};
