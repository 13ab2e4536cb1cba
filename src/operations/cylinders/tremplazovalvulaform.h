#pragma once

#include <QDialog>

class LocalTable;
namespace Widgets
{
class FieldRules;
}
class Prompter;
class QLineEdit;
class QPushButton;
class QToolButton;

// Valve replacement of one cylinder. The caller puts the row in edit with
// the two management values set; "Cancelar" abandons every change of the row
// (those two included), "Aceptar" posts it once the replacement has a
// catalogue code and a serial.
class TRemplazoValvulaForm : public QDialog
{
    Q_OBJECT
public:
    TRemplazoValvulaForm(LocalTable &table, QWidget *parent, Prompter &prompter);
    ~TRemplazoValvulaForm() override;

public slots:
    void reject() override; // abandons the row's changes
    void SpeedButtonRValCodClick();
    void BitBtnAceptarClick();
    void BitBtnCancelarClick();

private:
    QLineEdit *EditVALCOD = nullptr, *EditVALNRO = nullptr, *EditVALGEST = nullptr;
    QLineEdit *EditRVALCOD = nullptr, *EditRVALNRO = nullptr, *EditRVALGEST = nullptr;
    QToolButton *SpeedButtonRValCod = nullptr;
    QPushButton *BitBtnAceptar = nullptr, *BitBtnCancelar = nullptr;

private:
    void lookUp(bool preSearch);
    void refuse(QLineEdit *field, const QString &text);
    Prompter &prompter() const { return m_prompter; }

    LocalTable &m_table;
    Prompter &m_prompter;
    bool m_finished = false;
    Widgets::FieldRules *m_rules;
};
