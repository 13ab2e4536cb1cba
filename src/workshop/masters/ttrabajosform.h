#pragma once

#include "workshop/masters/simplemasterform.h"

// "Descripción de Trabajos a Realizar": the kinds of job
// (`trabajos_realizados`).
class TTrabajosForm : public SimpleMasterForm
{
    Q_OBJECT
public:
    TTrabajosForm(QWidget *parent, Prompter &prompter);

protected:
    TTrabajosForm(const QString &objectName, const QString &caption, QWidget *parent, Prompter &prompter);
};
