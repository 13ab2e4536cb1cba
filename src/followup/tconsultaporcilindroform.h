#pragma once

#include "followup/operationqueryform.h"

#include <optional>

// Operations that fitted a cylinder serial, across the PEC's workshops,
// oldest habilitation first. Also the operation form's "Buscar por Cilindro".
class TConsultaPorCilindroForm : public OperationQueryForm
{
    Q_OBJECT
public:
    explicit TConsultaPorCilindroForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    // Runs the form modally; the chosen operation's keys on "Aceptar".
    static std::optional<Nav::OperationKey> chooseOperation(const Nav::ChooseOperationByCylinder &request,
                                                            QWidget *parent);

protected:
    void actionClicked() override;
};
