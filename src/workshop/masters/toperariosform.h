#pragma once

#include "workshop/masters/simplemasterform.h"

// "Técnicos": the technicians (`operarios`).
class TOperariosForm : public SimpleMasterForm
{
    Q_OBJECT
public:
    TOperariosForm(QWidget *parent, Prompter &prompter);
};
