#pragma once

#include "followup/tenviowhatsappform.h"

// The same reminders for the owners whose cylinders' hydraulic test falls
// due in the period, with the workshop's own text for them.
class TEnvioWhatsappPHForm : public TEnvioWhatsappForm
{
    Q_OBJECT
public:
    explicit TEnvioWhatsappPHForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter())
        : TEnvioWhatsappForm(parent, prompter, Reminders::Kind::HydraulicTest)
    {
    }
};
