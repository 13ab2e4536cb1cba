#pragma once

#include "operations/lookups/catalogsearchdialog.h"

// Cylinder catalogue look-up (codcil by code).
class TBuscarCilindroForm : public Lookups::CatalogSearchDialog
{
    Q_OBJECT
public:
    explicit TBuscarCilindroForm(QWidget *parent = nullptr);
};
