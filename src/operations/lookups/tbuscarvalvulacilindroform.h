#pragma once

#include "operations/lookups/catalogsearchdialog.h"

// Cylinder-valve catalogue look-up (valcod by code).
class TBuscarValvulaCilindroForm : public Lookups::CatalogSearchDialog
{
    Q_OBJECT
public:
    TBuscarValvulaCilindroForm(QWidget *parent, Prompter &prompter)
        : CatalogSearchDialog(Catalogue::Valves, parent, prompter)
    {
    }
};
