#pragma once

#include "followup/operationqueryform.h"

#include <optional>

// Operations that fitted a regulator serial. Also the operation form's
// "Buscar por Regulador".
class TConsultaPorReguladorForm : public OperationQueryForm
{
    Q_OBJECT
public:
    explicit TConsultaPorReguladorForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    // Runs the form modally; the chosen operation's keys on "Aceptar".
    static std::optional<Nav::OperationKey> chooseOperation(const Nav::ChooseOperationByRegulator &request,
                                                            QWidget *parent);

protected:
    void actionClicked() override;
};
