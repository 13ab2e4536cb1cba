#pragma once

#include "core/workorder.h"
#include "widgets/serverwait.h"
#include "workshop/masters/ttrabajosrealizadosform.h"

#include <QDialog>
#include <array>
#include <optional>

class Prompter;
class QComboBox;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;

namespace Widgets
{
class ResultGridModel;
}

// The work order's layout, shared by the entry and the correction forms:
// the order's controls, its pick lists, its fault and job lists, and the
// order they make up. What "Agregar"/"Sacar" do with the lists is each
// form's own.
class TOPVNewForm : public QDialog
{
    Q_OBJECT
public:
    // `faultsCaption`: the faults grid's column; a stored order's forms read "Falla".
    TOPVNewForm(QWidget *parent, Prompter &prompter,
                const QString &faultsCaption = QStringLiteral("Descripción de la Falla"));

    // The order the controls hold (faults and jobs as listed).
    WorkOrders::WorkOrder order() const;

public slots:
    void BitBtnBuscarClienteClick();
    void BitBtnMarcasClick();
    void GarantiaComboBoxChange();
    virtual void BitBtnAgregarFallaClick() = 0;
    virtual void BitBtnSacarFallaClick() = 0;
    virtual void BitBtnAgregarTrabajoClick() = 0;
    virtual void BitBtnSacarTrabajoClick() = 0;

protected:
    Prompter &prompter() const { return m_prompter; }
    // Fills the controls from an order (the pick lists by id).
    void showOrder(const WorkOrders::WorkOrder &order);
    // Reads a stored order and shows it; none (after telling why) when it
    // cannot be read.
    std::optional<WorkOrders::WorkOrder> loadOrder(const QString &taller, int numero);
    void showFaults(const QVector<WorkOrders::Fault> &faults, int select = -1);
    void showJobs(const QVector<WorkOrders::Job> &jobs, int select = -1);
    const QVector<WorkOrders::Fault> &faults() const { return m_faults; }
    const QVector<WorkOrders::Job> &jobs() const { return m_jobs; }
    int selectedFault() const; // -1 for none
    int selectedJob() const;
    // The fault chosen in the faults list (selection mode), the job and
    // technician chosen in the jobs-done dialog; none when cancelled.
    std::optional<MasterFiles::Item> chooseFault();
    std::optional<TTrabajosRealizadosForm::Choice> chooseJob();
    // The row "Sacar" removes; -1 (after saying so) when the list is empty.
    int rowToRemove(int selected);
    void reloadModels(const QString &select = {});
    // Sets the owner: id, and what the form shows of it.
    void setOwner(int id, const QString &name);
    // "EN GARANTIA" and its expiry text beside "Garantía".
    void showWarranty(bool running, const QString &expiryText);
    // Every control read-only (the view form).
    void setReadOnly();
    // Leaving "Dominio" (the entry form pre-fills from the plate).
    virtual void dominioLeft() {}

protected:
    QLineEdit *TallerEdit = nullptr, *OrdenNroEdit = nullptr, *FechaEdit = nullptr;
    QLabel *LabelOrdenNro = nullptr;
    QLineEdit *ClienteEdit = nullptr;
    QPushButton *BitBtnBuscarCliente = nullptr;
    QLineEdit *TipoDocEdit = nullptr, *NroDocEdit = nullptr;
    QLabel *LabelDocumento = nullptr;
    QLineEdit *CelularCaracEdit = nullptr, *CelularEdit = nullptr;
    QLineEdit *DominioEdit = nullptr;
    QComboBox *DBLookupComboBoxMarca = nullptr, *DBLookupComboBoxModelo = nullptr;
    QPushButton *BitBtnMarcas = nullptr;
    QLineEdit *AnioEdit = nullptr, *VinEdit = nullptr, *KmEdit = nullptr;
    QComboBox *DBLookupComboBoxConcesionario = nullptr, *DBLookupComboBoxRecepcionista = nullptr;
    QComboBox *GarantiaComboBox = nullptr;
    QLabel *LabelEnGarantia = nullptr, *LabelVencimiento = nullptr;
    QLabel *LabelTipoOperacion = nullptr;
    QComboBox *DBLookupComboBoxTipoOperacion = nullptr;
    QLineEdit *EntregaFechaEdit = nullptr;
    QComboBox *EntregaHoraComboBox = nullptr;
    QTableView *DBGridFallas = nullptr;
    QPushButton *BitBtnAgregarFalla = nullptr, *BitBtnSacarFalla = nullptr;
    std::array<QLineEdit *, 2> OtrasFallasEdits{}, DiagnosticoEdits{};
    std::array<QLineEdit *, 3> PresupuestoEdits{};
    QLineEdit *PresupuestoImporteEdit = nullptr;
    QTableView *DBGridTrabajos = nullptr;
    QPushButton *BitBtnAgregarTrabajo = nullptr, *BitBtnSacarTrabajo = nullptr;
    QLineEdit *HorasHombreEdit = nullptr, *AbonadoImporteEdit = nullptr;
    QComboBox *AbonadoFormaComboBox = nullptr;
    QPushButton *BitBtnGuardar = nullptr, *BitBtnCancelar = nullptr;

protected:
    QHBoxLayout *m_buttons = nullptr;
    // Kept as read, for the columns no control edits.
    WorkOrders::WorkOrder m_loaded;
    int m_cliente = 0;
    // "Guardar" stores one order (or its changes): again after an unknown
    // outcome, never twice.
    Widgets::WindowWrites m_save{Widgets::WindowWrites::SameWrite};

private:
    void buildUi();
    void loadLists();

    Prompter &m_prompter;
    Widgets::ResultGridModel *m_faultRows = nullptr;
    Widgets::ResultGridModel *m_jobRows = nullptr;
    QVector<WorkOrders::Fault> m_faults;
    QVector<WorkOrders::Job> m_jobs;
    QString m_modelsOf;
};
