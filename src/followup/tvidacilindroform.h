#pragma once

#include "app/requests.h"
#include "core/cylinderlife.h"
#include "widgets/messages.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace Widgets
{
class ProgressLine;
class ResultGridModel;
} // namespace Widgets

// "Vida del Cilindro": every stored and pending operation that names a
// cylinder serial, in date order, with its test status today, the vehicles
// it was mounted in and what does not add up. Printed on one page or
// exported to a spreadsheet.
class TVidaCilindroForm : public QDialog
{
    Q_OBJECT
public:
    explicit TVidaCilindroForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    // Opened from the cylinder query or the operation form, already read.
    static void openFor(const Nav::ShowCylinderLife &request, QWidget *parent);

    void setCylinder(const QString &serial, const QString &code);
    const CylinderLife::Life &life() const { return m_life; }
    Widgets::ProgressLine *progress() const { return m_progress; }

    // The spreadsheet of the operations listed, without the file dialog.
    bool exportTo(const QString &path, QString *error = nullptr);

public slots:
    void BitBtnConsultarClick();
    void BitBtnImprimirClick();
    void BitBtnExcelClick();

private:
    QLineEdit *EditSerie = nullptr, *EditCodigo = nullptr;
    QPushButton *BitBtnConsultar = nullptr, *BitBtnImprimir = nullptr, *BitBtnExcel = nullptr;
    QLabel *LabelEstado = nullptr, *LabelVehiculos = nullptr, *LabelAdvertencias = nullptr;
    QTableView *DBGrid1 = nullptr;

private:
    void showLife(const CylinderLife::Life &life);

    Prompter &m_prompter;
    Widgets::ResultGridModel *m_model = nullptr;
    Widgets::ProgressLine *m_progress = nullptr;
    CylinderLife::Life m_life;
    QString m_serial, m_code; // of the life shown
};
