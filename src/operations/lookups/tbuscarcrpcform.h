#pragma once

#include "operations/lookups/catalogsearchdialog.h"

// Test-centre look-up: the search box is matched against the centre's name.
class TBuscarCRPCForm : public Lookups::CatalogSearchDialog
{
    Q_OBJECT
public:
    TBuscarCRPCForm(QWidget *parent, Prompter &prompter) : CatalogSearchDialog(Catalogue::Centres, parent, prompter) {}
};
