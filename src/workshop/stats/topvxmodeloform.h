#pragma once

#include "widgets/searchdialog.h"

class ModelSelector;
class QPushButton;

// "Ordenes de Trabajo por Modelo": a model's work orders in a period, over
// every workshop or one; "Ver" opens the order read-only.
class TOPVxModeloForm : public Widgets::SearchDialog
{
    Q_OBJECT
public:
    TOPVxModeloForm(QWidget *parent, Prompter &prompter);

    ModelSelector *selector() const { return m_selector; }

public slots:
    void BitBtnConsultarClick();
    void BitBtnVerClick();

private:
    QPushButton *BitBtnConsultar = nullptr, *BitBtnVer = nullptr, *BitBtnCerrar = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    ModelSelector *m_selector = nullptr;
    bool m_loaded = false;
};
