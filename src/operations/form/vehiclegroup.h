#pragma once

#include "operations/form/group.h"
#include "operations/form/maskedfield.h"

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QSpinBox;
class QToolButton;
struct OperationRecord;

namespace OperationForm
{

// "Vehículo": brand, model, year, injection, use, plate and VIN. The plate is
// typed over the mask of its model year, which it takes as it is entered.
class VehicleGroup : public QGroupBox
{
public:
    VehicleGroup(const Context &context, int maxModelYear);

    void read(OperationRecord &r) const;
    // `domainMask`, when given, goes on first, so that the stored plate is
    // not cut by the mask the field had.
    void fill(const OperationRecord &r, const QString *domainMask);

    void setDomainMask(const QString &mask) { m_domain.setMask(mask); }
    QString domainMask() const { return m_domain.mask(); }
    QString domain() const { return m_domain.value(); }
    // The plate as the field shows it, literals and all.
    QString typedDomain() const;
    void focusDomain();

private:
    void domainEntered();
    void yearLeft();

    Context m_context;
    int m_maxModelYear;
    QLineEdit *MarcaEdit, *ModeloEdit;
    QSpinBox *AnioSpinEdit;
    QComboBox *InyeccionComboEdit, *TipoComboEdit;
    QLineEdit *DominioEdit, *VINEdit;
    QToolButton *SpeedButtonClear;
    MaskedField m_domain;
};

} // namespace OperationForm
