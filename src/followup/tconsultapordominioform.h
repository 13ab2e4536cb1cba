#pragma once

#include "followup/operationqueryform.h"

// Operations of a plate, oldest revision first; "Ver" shows one in the
// operation form's consultation mode.
class TConsultaPorDominioForm : public OperationQueryForm
{
    Q_OBJECT
public:
    explicit TConsultaPorDominioForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    void done(int result) override;

protected:
    void actionClicked() override;
};
