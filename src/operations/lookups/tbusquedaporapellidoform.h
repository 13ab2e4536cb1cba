#pragma once

#include "operations/lookups/resultgrid.h"

#include <QDialog>
#include <memory>

class NamedQuery;
class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

// Earlier operations by the owner's name, over the data module's
// SDBusquedaPorApellido. After OK the caller reads the chosen row
// (peccod, talcuit, tnrointopr), which is also the statement's current row.
class TBusquedaPorApellidoForm : public QDialog
{
    Q_OBJECT
public:
    explicit TBusquedaPorApellidoForm(QWidget *parent = nullptr, Prompter *prompter = nullptr);
    ~TBusquedaPorApellidoForm() override;

    void setMode(int mode) { m_mode = mode; }
    int mode() const { return m_mode; }

    NamedQuery &resultSet() const;
    Lookups::QueryGridModel *gridModel() const { return m_model; }
    bool hasSelection() const;
    QString selectedText(const QString &field) const;
    void selectRow(int row);

public slots:
    void ConsultarClick();
    void AceptarClick();

protected:
    void showEvent(QShowEvent *event) override;

public:
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *BitBtnConsultar = nullptr;
    QLabel *LabelBuscando = nullptr;
    QTableView *DBGrid1 = nullptr;
    QPushButton *BitBtnVer = nullptr;
    QPushButton *BitBtnAceptar = nullptr;
    QPushButton *BitBtnCerrar = nullptr;

private:
    Prompter &prompter();
    std::unique_ptr<Prompter> m_ownPrompter;
    Prompter *m_prompter;
    Lookups::QueryGridModel *m_model = nullptr;
    int m_mode = 0;
};
