#pragma once

#include "widgets/searchdialog.h"

#include <QSqlRecord>
#include <QVector>

// Earlier operations by the owner's name, over the data module's
// SDBusquedaPorApellido. After OK the caller reads the chosen row
// (peccod, talcuit, tnrointopr), which is also the statement's current row.
// The rows come a screenful at a time: "Mostrar más" adds the next.
class TBusquedaPorApellidoForm : public Widgets::SearchDialog
{
    Q_OBJECT
public:
    TBusquedaPorApellidoForm(QWidget *parent, Prompter &prompter);

    void setMode(int mode) { m_mode = mode; }
    int mode() const { return m_mode; }

public slots:
    void ConsultarClick();
    void AceptarClick();
    void MostrarMasClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QPushButton *BitBtnConsultar = nullptr;
    QLabel *LabelBuscando = nullptr;
    QPushButton *BitBtnVer = nullptr;
    QPushButton *BitBtnAceptar = nullptr;
    QPushButton *BitBtnMas = nullptr;
    QPushButton *BitBtnCerrar = nullptr;

private:
    void readPage();

    int m_mode = 0;
    QString m_pattern;          // of the search shown
    QVector<QSqlRecord> m_rows; // the pages read so far
};
