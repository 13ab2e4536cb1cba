#pragma once

#include "operations/lookups/resultgrid.h"

#include <QDialog>
#include <memory>

class NamedQuery;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace Lookups
{

// A catalogue look-up: prompt, upper-case search box, "Buscar" (the default
// button), the read-only result grid, "Aceptar" and "Cancelar". Its result
// set is a statement of the dialog with one text parameter.
class CatalogSearchDialog : public QDialog
{
    Q_OBJECT
public:
    struct Definition {
        QString objectName; // the window class name
        QString caption;
        QString prompt;
        QString queryName;
        QString sql; // `like :<param> escape '!'`
        QString param;
        QVector<GridColumn> columns;
        bool searchBoxRestoresDefault = false; // entering the box makes "Buscar" default again
        bool closesOnActivate = false;         // the result set is closed when activated
    };

    explicit CatalogSearchDialog(const Definition &definition, QWidget *parent = nullptr);
    ~CatalogSearchDialog() override;

    // Opening after a catalogue miss: the text in the box, already searched,
    // the grid focused and "Aceptar" the default button.
    void preSearch(const QString &text);

    NamedQuery &resultSet() const;
    QueryGridModel *gridModel() const { return m_model; }

    // The chosen row: false when the grid has no current row.
    bool hasSelection() const;
    QString selectedText(const QString &field) const;
    QVariant selectedValue(const QString &field) const;
    void selectRow(int row);

public slots:
    void BuscarClick();
    void AceptarClick();

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

public:
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *BitBtnBuscar = nullptr;
    QTableView *DBGrid1 = nullptr;
    QPushButton *BitBtnAceptar = nullptr;
    QPushButton *BitBtnCancelar = nullptr;

private:
    void makeDefault(QPushButton *button);

    Definition m_def;
    std::unique_ptr<NamedQuery> m_query;
    QueryGridModel *m_model = nullptr;
    bool m_preSearched = false;
};

// Catalogue statements escape `like` wildcards with this character.
inline constexpr char kLikeEscape = '!';

} // namespace Lookups
