#pragma once

#include "operations/lookups/domainsearchdialog.h"

// Operations of every PEC (`usr_full`) for one domain, by sticker.
class TBuscarPatenteFullForm : public Lookups::DomainSearchDialog
{
    Q_OBJECT
public:
    TBuscarPatenteFullForm(QWidget *parent, Prompter &prompter) : DomainSearchDialog(Scope::AllPecs, parent, prompter)
    {
    }
};
