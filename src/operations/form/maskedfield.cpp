#include "operations/form/maskedfield.h"

#include <QLineEdit>

namespace OperationForm
{

void MaskedField::setMask(const QString &mask)
{
    const QString current = value();
    EditMask next = TranslateEditMask(mask, m_upper);
    if (!current.isEmpty() && !next.fits(current))
        next = TranslateEditMask(QString(), m_upper);
    m_edit->setInputMask(next.qtMask);
    if (next.isEmpty())
        m_edit->setMaxLength(m_unmaskedMaxLength);
    m_edit->setText(current);
    m_mask = next;
}

void MaskedField::keepDigitsOnly()
{
    QString digits;
    for (const QChar c : value())
        if (c.isDigit())
            digits += c;
    m_edit->setInputMask(QString());
    m_edit->setText(digits);
    m_mask = EditMask{};
}

QString MaskedField::value() const
{
    return m_mask.storedValue(m_edit->displayText());
}

} // namespace OperationForm
