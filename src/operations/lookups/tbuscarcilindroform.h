#pragma once

#include "operations/lookups/catalogsearchdialog.h"

// Cylinder catalogue look-up (codcil by code).
class TBuscarCilindroForm : public Lookups::CatalogSearchDialog
{
    Q_OBJECT
public:
    TBuscarCilindroForm(QWidget *parent, Prompter &prompter)
        : CatalogSearchDialog(Catalogue::Cylinders, parent, prompter)
    {
    }
};
