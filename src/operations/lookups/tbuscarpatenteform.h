#pragma once

#include "operations/lookups/domainsearchdialog.h"

// Operations of the own PEC (`usr`) for one domain, by sticker.
class TBuscarPatenteForm : public Lookups::DomainSearchDialog
{
    Q_OBJECT
public:
    explicit TBuscarPatenteForm(QWidget *parent = nullptr, Prompter *prompter = nullptr);
};
