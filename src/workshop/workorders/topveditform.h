#pragma once

#include "workshop/workorders/topvnewform.h"

// Correction of a stored work order: its row is rewritten by "Guardar
// Cambios", its faults and jobs are added and removed in the database at
// once, and "Imprimir Orden" reprints it as the profile says.
class TOPVEditForm : public TOPVNewForm
{
    Q_OBJECT
public:
    TOPVEditForm(QWidget *parent, Prompter &prompter);

    // Reads the order with its faults and jobs; false (after telling why)
    // when it cannot be shown.
    bool Load(const QString &taller, int numero);

public slots:
    void BitBtnAgregarFallaClick() override;
    void BitBtnSacarFallaClick() override;
    void BitBtnAgregarTrabajoClick() override;
    void BitBtnSacarTrabajoClick() override;
    void BitBtnGuardarCambiosClick();
    void BitBtnImprimirClick();

private:
    QPushButton *BitBtnGuardarCambios = nullptr;
    QPushButton *BitBtnImprimir = nullptr;

private:
    // Each fault or job added or removed is a write of its own.
    Widgets::WindowWrites m_edits{Widgets::WindowWrites::EachItsOwn};
    void reloadFaults(int select = -1);
    void reloadJobs(int select = -1);
};
