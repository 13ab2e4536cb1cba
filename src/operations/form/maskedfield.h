#pragma once

#include "core/editmask.h"

class QLineEdit;

namespace OperationForm
{

// A field typed over a mask that changes while the form is open (the plate
// by model year, the document by its type). The value is kept across mask
// changes; one that does not fit the new mask leaves the field unmasked
// rather than cut.
class MaskedField
{
public:
    MaskedField(QLineEdit *edit, bool upper, int unmaskedMaxLength)
        : m_edit(edit), m_upper(upper), m_unmaskedMaxLength(unmaskedMaxLength)
    {
    }

    void setMask(const QString &mask);
    // The digits of the value alone, without a mask: switching between CUIT
    // and the other document types re-places the digits only.
    void keepDigitsOnly();
    // The value as stored: unfilled positions gone, literals as the mask says.
    QString value() const;
    QString mask() const { return m_mask.source; }

private:
    QLineEdit *m_edit;
    bool m_upper;
    int m_unmaskedMaxLength;
    EditMask m_mask;
};

} // namespace OperationForm
