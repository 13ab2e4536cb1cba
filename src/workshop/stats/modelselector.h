#pragma once

#include "core/faultranking.h"

#include <QWidget>
#include <optional>

class Prompter;
class QCheckBox;
class QComboBox;
class QDateEdit;

// A "Desde" or "Hasta" picker, on today.
QDateEdit *periodPicker(QWidget *parent, const char *name);

// The vehicle and period of the model ranking and of the orders by model:
// brand, its models, "Desde", "Hasta" and the workshops.
class ModelSelector : public QWidget
{
    Q_OBJECT
public:
    explicit ModelSelector(QWidget *parent);

    // Brands and the workshops that have work orders; errors are told.
    void load(Prompter &prompter);
    // The bounds, or nothing (told) without a brand and model.
    std::optional<Ranking::Bounds> bounds(Prompter &prompter) const;
    QString workshopLine() const;
    QString periodLine() const;
    QString vehicleLine() const;

public slots:
    void ComboBoxMarcaChange();
    void CheckBoxTodosClick();

private:
    QComboBox *ComboBoxMarca = nullptr, *ComboBoxModelo = nullptr;
    QDateEdit *DateTimePicker1 = nullptr, *DateTimePicker2 = nullptr;
    QCheckBox *CheckBoxTodos = nullptr;
    QComboBox *ComboBoxTalleres = nullptr;

private:
    Prompter *m_prompter = nullptr;
};
