#pragma once

#include "workshop/masters/tmarcasform.h"

class QListWidget;

// "Normalización de Modelos": the models of a brand in two lists side by
// side, to pass one model as another. Not built yet: "Pasar como" says so.
class TMarcasMantenimientoForm : public TMarcasForm
{
    Q_OBJECT
public:
    TMarcasMantenimientoForm(QWidget *parent, Prompter &prompter);

public slots:
    void BitBtnPasarComoClick();

private:
    QListWidget *ListBoxOrigen = nullptr;
    QListWidget *ListBoxDestino = nullptr;
    QPushButton *BitBtnPasarComo = nullptr;

protected:
    void modelsShown(const QStringList &models) override;
};
