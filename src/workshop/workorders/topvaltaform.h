#pragma once

#include "workshop/workorders/topvnewform.h"

class LocalTable;

// "Alta de Orden de Trabajo": a new work order of the workshop, entered,
// saved with its faults and jobs, and printed as the profile says. The
// faults and jobs wait in the local tables AuxFalla and AuxTrabajoRealizado.
class TOPVAltaForm : public TOPVNewForm
{
    Q_OBJECT
public:
    TOPVAltaForm(QWidget *parent, Prompter &prompter);
    ~TOPVAltaForm() override;

    // The workshop and date of the new order.
    void Prepare(const QString &workshopCode, const QDate &date);

    // The conversion date kept by a running warranty (printed by some profiles).
    QDate conversionDate() const { return m_conversionDate; }

public slots:
    void DominioEditExit();
    void BitBtnAgregarFallaClick() override;
    void BitBtnSacarFallaClick() override;
    void BitBtnAgregarTrabajoClick() override;
    void BitBtnSacarTrabajoClick() override;
    void BitBtnGuardarClick();

protected:
    void dominioLeft() override { DominioEditExit(); }

private:
    void refreshLists();
    void prefill(const WorkOrders::Prefill &p);
    void showWarrantyOf(const std::optional<WorkOrders::Conversion> &central,
                        const std::optional<WorkOrders::Conversion> &sister);

    LocalTable &m_faultTable;
    LocalTable &m_jobTable;
    QDate m_conversionDate;
};
