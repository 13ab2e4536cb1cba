#pragma once

#include "core/workorder.h"

#include <QDialog>

class Prompter;
class QCheckBox;
class QComboBox;
class QDateEdit;
class QPushButton;
namespace Widgets
{
class ProgressLine;
}

// "Listado de Ordenes de Taller": the orders of a period, of every workshop
// or one, with or without warranty, previewed for the printer or for the
// spreadsheet.
class TListadoOpvForm : public QDialog
{
    Q_OBJECT
public:
    TListadoOpvForm(QWidget *parent, Prompter &prompter);

    // What the controls ask for.
    WorkOrders::ListInput input() const;
    Widgets::ProgressLine *progressLine() const { return m_progress; }

public slots:
    void CheckBoxTodosClick();
    void BitBtn1Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QDateEdit *DateTimePicker1 = nullptr, *DateTimePicker2 = nullptr;
    QCheckBox *CheckBoxTodos = nullptr;
    QComboBox *ComboBoxTalleres = nullptr;
    QCheckBox *CheckBoxCon = nullptr, *CheckBoxSin = nullptr;
    QComboBox *ComboBoxSale = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtnCerrar = nullptr;

private:
    Prompter &m_prompter;
    Widgets::ProgressLine *m_progress = nullptr;
    bool m_loaded = false;
};
