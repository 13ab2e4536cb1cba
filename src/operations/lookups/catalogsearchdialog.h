#pragma once

#include "widgets/searchdialog.h"

namespace Lookups
{

// A catalogue look-up: prompt, upper-case search box, "Buscar" (the default
// button), the result grid, "Aceptar" (usable while a row is selected) and
// "Cancelar". Its result set is a
// catalogue statement with one text parameter, searched as "contains".
class CatalogSearchDialog : public Widgets::SearchDialog
{
    Q_OBJECT
public:
    enum class Catalogue { Regulators, Valves, Centres, Cylinders };

    // What tells the four apart.
    struct Definition {
        QString objectName; // the window class name
        QString caption;
        QString prompt;
        Search search; // a `like` of the code or name, `escape '!'`
        QVector<Widgets::GridColumn> columns;
        bool searchBoxRestoresDefault = false; // entering the box makes "Buscar" default again
        bool closesOnActivate = false;         // the result set is closed when activated
    };
    static Definition definitionOf(Catalogue catalogue);

    CatalogSearchDialog(Catalogue catalogue, QWidget *parent, Prompter &prompter);

    // Opening after a catalogue miss: the text in the box, already searched,
    // the grid focused and "Aceptar" the default button.
    void preSearch(const QString &text);

    // The look-up's shared result is kept (a closing look-up forgets it).
    bool keepsResult() const;

public slots:
    void BuscarClick();
    void AceptarClick();

protected:
    void showEvent(QShowEvent *event) override;

protected:
    QPushButton *BitBtnBuscar = nullptr;
    QPushButton *BitBtnAceptar = nullptr;
    QPushButton *BitBtnCancelar = nullptr;

private:
    Definition m_def;
    bool m_preSearched = false;
};

} // namespace Lookups
