#pragma once

#include "operations/lookups/domainsearchdialog.h"

// Operations of every PEC (`usr_full`) for one domain, by sticker.
class TBuscarPatenteFullForm : public Lookups::DomainSearchDialog
{
    Q_OBJECT
public:
    explicit TBuscarPatenteFullForm(QWidget *parent = nullptr, Prompter *prompter = nullptr);
};
