#pragma once

#include "operations/form/group.h"

#include <QDate>
#include <QWidget>

class QDateEdit;
class QFrame;
class QLabel;
class QLineEdit;
struct OperationKindLayout;
struct OperationRecord;

namespace OperationForm
{

// The mounting, enabling and expiry dates and the observations. The expiry
// is checked against the enabling date as it is left.
class DatesGroup : public QWidget
{
public:
    explicit DatesGroup(const Context &context);

    void read(OperationRecord &r) const;
    // A null stored date leaves its picker as it was.
    void fill(const OperationRecord &r);

    // A new operation's dates and captions as its kind has them.
    void applyKind(const OperationKindLayout &k);
    // Viewing an earlier operation: nothing changes.
    void lock();

    QDate enabling() const;
    QDate expiry() const;
    void setExpiry(const QDate &date);
    // A red frame around the expiry when a hydraulic test limits it.
    void frameExpiry();
    // A pending operation's observations, in light red when it has any (the
    // PEC's notes on it).
    void markObservations();

private:
    void expiryLeft();

    Context m_context;
    QLabel *LabelMontaje, *LabelHabilitacion, *LabelVencimiento;
    QDateEdit *DateTimePickerMontaje, *DateTimePickerHabilitacion, *DateTimePickerVencimiento;
    QFrame *Shape1;
    QLineEdit *EditObs;
};

} // namespace OperationForm
