#pragma once

#include "widgets/searchdialog.h"

class NamedQuery;

// Earlier operations by the owner's name, over the data module's
// SDBusquedaPorApellido. After OK the caller reads the chosen row
// (peccod, talcuit, tnrointopr), which is also the statement's current row.
class TBusquedaPorApellidoForm : public Widgets::SearchDialog
{
    Q_OBJECT
public:
    TBusquedaPorApellidoForm(QWidget *parent, Prompter &prompter);

    void setMode(int mode) { m_mode = mode; }
    int mode() const { return m_mode; }

    NamedQuery &resultSet() const;

public slots:
    void ConsultarClick();
    void AceptarClick();

protected:
    void showEvent(QShowEvent *event) override;

public:
    QPushButton *BitBtnConsultar = nullptr;
    QLabel *LabelBuscando = nullptr;
    QPushButton *BitBtnVer = nullptr;
    QPushButton *BitBtnAceptar = nullptr;
    QPushButton *BitBtnCerrar = nullptr;

private:
    int m_mode = 0;
};
