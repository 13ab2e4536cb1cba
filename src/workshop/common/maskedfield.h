#pragma once

#include "core/editmask.h"

class QLineEdit;

// A line edit whose mask follows another field (the plate the model year,
// the document number its type). Re-masking keeps the stored value; a value
// that does not fit the new mask leaves the field without one, so nothing
// is ever cut.
class MaskedField
{
public:
    MaskedField(QLineEdit *edit, bool upperCase, int unmaskedMaxLength);

    void setMask(const QString &mask);
    // The value as stored (literals kept or dropped as the mask says).
    QString value() const;
    // Shows a stored value under the current mask (none when it does not fit).
    void setValue(const QString &value);

private:
    QLineEdit *m_edit;
    bool m_upper;
    int m_maxLength;
    EditMask m_mask;
    QString m_maskText;
};
