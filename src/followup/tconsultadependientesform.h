#pragma once

#include "widgets/messages.h"
#include "widgets/resultgrid.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;

// The logged-in workshop's operations waiting for the PEC's verification:
// list, delete one not verified yet, or open it again in the operation form.
class TConsultaDePendientesForm : public QDialog
{
    Q_OBJECT
public:
    explicit TConsultaDePendientesForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    Widgets::ResultGridModel *gridModel() const { return m_model; }
    int pendingIdAt(int row) const;
    int estadoAt(int row) const;

public slots:
    void BitBtn2Click(); // "Ver"
    void BitBtn3Click(); // "Eliminar"
    void BitBtn4Click(); // "Editar"

protected:
    TConsultaDePendientesForm(QWidget *parent, Prompter &prompter, bool withVin);

private:
    void build(bool withVin);
    void readList();
    // The row's verification state as stored now (the PEC may have verified
    // it since the list was read); -1 when the row is gone.
    int currentEstado(int id);

    Prompter &m_prompter;
    Widgets::ResultGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QLabel *m_count = nullptr;
    QPushButton *m_eliminar = nullptr;
    QPushButton *m_editar = nullptr;
};
