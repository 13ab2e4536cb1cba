#pragma once

#include "core/printconfig.h"
#include "widgets/messages.h"
#include "widgets/serverwait.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

// "Configuración": the workshop's print configuration (copies of the
// technical sheet, default locality and province, sheet format), stored in
// its `tal` row and held in the global state; and a test print of the
// profile's sheet with sample values, to check the printer against the PEC's
// pre-printed form.
class TConfigCopiasForm : public QDialog
{
    Q_OBJECT
public:
    explicit TConfigCopiasForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

public slots:
    void BitBtn1Click();
    void BitBtnPruebaClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showConfiguration(const PrintConfigRules::Shown &s);
    PrintConfigRules::Shown onScreen() const;

    Prompter &m_prompter;
    Widgets::WindowWrites m_save{Widgets::WindowWrites::SameWrite};

private:
    QSpinBox *SpinEditCopias = nullptr;
    QLineEdit *LocalidadEdit = nullptr;
    QComboBox *ProvinciaComboBox = nullptr;
    QComboBox *ComboBoxFicha = nullptr;
    QPushButton *BitBtnPrueba = nullptr;
    QPushButton *BitBtn1 = nullptr;
};
