#pragma once

#include "workshop/orders/tasignartallerform.h"

// One stored conversion order: shown, edited as a whole, reprinted. It
// shares the entry form's layout and controls.
class TVerOTTForm : public TAsignarTallerForm
{
    Q_OBJECT
public:
    TVerOTTForm(QWidget *parent, Prompter &prompter);

    // Reads the order; false (after saying why) when it is not there.
    bool Load(const QString &taller, int numero);
    bool isEditing() const { return m_editing; }

public slots:
    void BitBtnEditarClick();
    void BitBtnReimprimirClick();
    void BitBtnCancelarClick();
    void BitBtn1Click() override;

protected:
    bool isEditable() const override { return m_editing; }

private:
    QPushButton *BitBtnSalir = nullptr, *BitBtnReimprimir = nullptr, *BitBtnEditar = nullptr;

private:
    void setEditing(bool editing);
    bool m_editing = false;
};
