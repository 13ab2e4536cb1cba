#pragma once

#include "operations/lookups/catalogsearchdialog.h"

// Regulator catalogue look-up (codreg by code).
class TBuscarReguladorForm : public Lookups::CatalogSearchDialog
{
    Q_OBJECT
public:
    explicit TBuscarReguladorForm(QWidget *parent = nullptr);
};
