#pragma once

#include "core/commitmentletter.h"
#include "widgets/messages.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

// One item of the letter: the cylinder's and valve's identity read-only;
// capacity, mass, diameter, valve model and observations to complete.
class TEditRegistroCCForm : public QDialog
{
    Q_OBJECT
public:
    TEditRegistroCCForm(const Letter::Item &item, QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    // The item with the edits, valid after "Aceptar".
    const Letter::Item &item() const { return m_item; }

public slots:
    // Keeps the edits when the measures read as numbers; otherwise says which
    // one does not and stays open.
    void BitBtnAceptarClick();

private:
    Letter::Item m_item;
    Prompter &m_prompter;

private:
    QLineEdit *DBEditCilindro = nullptr, *DBEditSerie = nullptr, *DBEditFabricacion = nullptr, *DBEditValvula = nullptr,
              *DBEditSerieValvula = nullptr;
    QLineEdit *DBEditCapacidad = nullptr, *DBEditMasa = nullptr, *DBEditDiametro = nullptr, *DBEditModelo = nullptr,
              *DBEditObservaciones = nullptr;
    QPushButton *BitBtnAceptar = nullptr, *BitBtnCancelar = nullptr;
};
