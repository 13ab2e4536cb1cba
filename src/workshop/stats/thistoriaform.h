#pragma once

#include "core/vehiclehistory.h"
#include "widgets/resultgrid.h"

#include <QDialog>

class Prompter;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class QTreeWidget;

// "Historia Clínica del Vehículo": everything known about one plate, its
// work orders, conversion orders and stickers, each in its tab, and all of
// it on one chronological line beside them.
class THistoriaForm : public QDialog
{
    Q_OBJECT
public:
    THistoriaForm(QWidget *parent, Prompter &prompter);

public slots:
    void BitBtnBuscarClick();
    void BitBtnVerOrdenClick();

private:
    QLineEdit *DominioEdit = nullptr;
    QPushButton *BitBtnBuscar = nullptr;
    QLineEdit *EditMarca = nullptr, *EditModelo = nullptr, *EditVIN = nullptr;
    QTabWidget *PageControl1 = nullptr;
    QTableView *DBGridOrdenes = nullptr, *DBGridConversion = nullptr, *DBGridObleas = nullptr;
    QTreeWidget *ListCronologia = nullptr;
    QPushButton *BitBtnVerOrden = nullptr;

private:
    void showTimeline(const QVector<History::Event> &events);

    Prompter &m_prompter;
    Widgets::ResultGridModel *m_orders = nullptr, *m_conversions = nullptr, *m_operations = nullptr;
};
