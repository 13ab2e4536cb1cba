#pragma once

#include "core/prompter.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QTableView;
namespace Widgets
{
class ResultGridModel;
}

// "Operaciones en espera de envío": what this workstation keeps for the PEC's
// server while it cannot be reached. "Ver" opens one in the operation form to
// correct it and send it with "Aceptar"; "Enviar ahora" sends the chosen one;
// "Borrar" drops it after a question.
class TEnEsperaForm : public QDialog
{
    Q_OBJECT
public:
    explicit TEnEsperaForm(QWidget *parent, Prompter &prompter);

    void reload();
    QTableView *grid() const { return m_grid; }

private:
    qint64 selectedId() const;
    void viewSelected();
    void sendSelected();
    void deleteSelected();

    Prompter &m_prompter;
    QTableView *m_grid = nullptr;
    Widgets::ResultGridModel *m_model = nullptr;
    QLabel *m_state = nullptr;
    QPushButton *m_view = nullptr, *m_send = nullptr, *m_delete = nullptr;
};
