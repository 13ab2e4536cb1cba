#pragma once

#include "operations/lookups/resultgrid.h"

#include <QDialog>
#include <memory>

class NamedQuery;
class Prompter;
class QPushButton;
class QTableView;

namespace Lookups
{

// Earlier operations of one domain. The caller hands the domain over
// (setDomain also captions the window); activation runs the search. After OK
// the caller reads peccod, talcuit and tnrointopr of the chosen row.
class DomainSearchDialog : public QDialog
{
    Q_OBJECT
public:
    struct Definition {
        QString objectName;
        QString title; // caption before a domain is handed over
        QString queryName;
        QString sql; // one parameter, `do`
        QVector<GridColumn> columns;
        GridPalette palette = GridPalette::Blue;
    };

    DomainSearchDialog(const Definition &definition, QWidget *parent, Prompter *prompter);
    ~DomainSearchDialog() override;

    void setDomain(const QString &domain);
    QString domain() const { return m_domain; }

    NamedQuery &resultSet() const;
    QueryGridModel *gridModel() const { return m_model; }
    bool hasSelection() const;
    QString selectedText(const QString &field) const;
    void selectRow(int row);

public slots:
    void FormActivate();
    void AceptarClick();

protected:
    void showEvent(QShowEvent *event) override;

public:
    QTableView *DBGrid1 = nullptr;
    QPushButton *BitBtnAceptar = nullptr;
    QPushButton *BitBtnCancelar = nullptr;

private:
    Prompter &prompter();
    Definition m_def;
    std::unique_ptr<NamedQuery> m_query;
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter *m_prompter;
    QueryGridModel *m_model = nullptr;
    QString m_domain;
};

} // namespace Lookups
