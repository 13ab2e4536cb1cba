#pragma once

#include "widgets/messages.h"
#include "widgets/searchdialog.h"

class QDateEdit;

// "Consulta de Carta Compromiso": the workshop's letters of one day; "Ver"
// loads the chosen letter's items into "AuxCarta" and opens it in the letter
// form, to print again or store as a new letter.
class TConsultaCartaCompromisoForm : public Widgets::SearchDialog
{
    Q_OBJECT
public:
    explicit TConsultaCartaCompromisoForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

public slots:
    void BitBtn3Click(); // "Buscar"
    void BitBtn2Click(); // "Ver"

private:
    QLabel *LabelFecha = nullptr;
    QDateEdit *DateTimePicker1 = nullptr;
    QPushButton *BitBtn3 = nullptr, *BitBtn2 = nullptr, *BitBtn1 = nullptr;
};
