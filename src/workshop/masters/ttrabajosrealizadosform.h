#pragma once

#include "workshop/masters/ttrabajosform.h"

#include <optional>

class QLabel;

// "Trabajos Realizados": which job was done and which technician did it,
// for a work order. The jobs list keeps its maintenance buttons and filter.
class TTrabajosRealizadosForm : public TTrabajosForm
{
    Q_OBJECT
public:
    TTrabajosRealizadosForm(QWidget *parent, Prompter &prompter);

    struct Choice {
        MasterFiles::Item job;
        MasterFiles::Item technician;
    };
    // The chosen job and technician, when both lists have a current row.
    std::optional<Choice> choice() const;
    // Runs the dialog; the choice on "Aceptar".
    static std::optional<Choice> choose(QWidget *parent, Prompter &prompter);

public slots:
    void BitBtnAceptarClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLabel *LabelTrabajo = nullptr;
    QLabel *LabelTecnico = nullptr;
    QTableView *DBGridTecnicos = nullptr;
    QPushButton *BitBtnAceptar = nullptr;
    QPushButton *BitBtnCancelar = nullptr;

private:
    Widgets::ResultGridModel *m_technicians = nullptr;
    bool m_techniciansLoaded = false;
};
