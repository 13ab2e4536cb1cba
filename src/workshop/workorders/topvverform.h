#pragma once

#include "workshop/workorders/topvnewform.h"

// "Orden de Trabajo": one stored order shown read-only, with its faults and
// jobs (opened from the statistics and the vehicle history).
class TOpvVerForm : public TOPVNewForm
{
    Q_OBJECT
public:
    TOpvVerForm(QWidget *parent, Prompter &prompter);

    // Reads the order; false (after telling why) when it cannot be shown.
    bool Load(const QString &taller, int numero);

    void BitBtnAgregarFallaClick() override {}
    void BitBtnSacarFallaClick() override {}
    void BitBtnAgregarTrabajoClick() override {}
    void BitBtnSacarTrabajoClick() override {}

private:
    QPushButton *BitBtnAceptar = nullptr;
};
