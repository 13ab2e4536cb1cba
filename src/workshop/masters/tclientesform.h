#pragma once

#include "widgets/searchdialog.h"
#include "widgets/serverwait.h"

class QLineEdit;
class QPushButton;

// "Concesionarias": the dealers (`clientes`). The name is typed in the
// entry: "Agregar" adds it, "Editar" renames the dealer under the cursor.
class TClientesForm : public Widgets::SearchDialog
{
    Q_OBJECT
public:
    TClientesForm(QWidget *parent, Prompter &prompter);

public slots:
    void BitBtnAgregarClick();
    void BitBtnEditarClick();
    void BitBtnBorrarClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *EditCliente = nullptr;
    QPushButton *BitBtnAgregar = nullptr;
    QPushButton *BitBtnEditar = nullptr;
    QPushButton *BitBtnBorrar = nullptr;
    QPushButton *BitBtnCerrar = nullptr;

private:
    Widgets::WindowWrites m_writes{Widgets::WindowWrites::EachItsOwn};
    void reload(int id = 0);
    int currentId() const;
    void updateButtons();
    bool m_loaded = false;
};
