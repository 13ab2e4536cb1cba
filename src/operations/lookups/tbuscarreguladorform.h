#pragma once

#include "operations/lookups/catalogsearchdialog.h"

// Regulator catalogue look-up (codreg by code).
class TBuscarReguladorForm : public Lookups::CatalogSearchDialog
{
    Q_OBJECT
public:
    TBuscarReguladorForm(QWidget *parent, Prompter &prompter)
        : CatalogSearchDialog(Catalogue::Regulators, parent, prompter)
    {
    }
};
