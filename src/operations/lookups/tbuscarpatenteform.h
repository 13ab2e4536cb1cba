#pragma once

#include "operations/lookups/domainsearchdialog.h"

// Operations of the own PEC (`usr`) for one domain, by sticker.
class TBuscarPatenteForm : public Lookups::DomainSearchDialog
{
    Q_OBJECT
public:
    TBuscarPatenteForm(QWidget *parent, Prompter &prompter) : DomainSearchDialog(Scope::OwnPec, parent, prompter) {}
};
