#include "workshop/common/maskedfield.h"

#include <QLineEdit>

MaskedField::MaskedField(QLineEdit *edit, bool upperCase, int unmaskedMaxLength)
    : m_edit(edit), m_upper(upperCase), m_maxLength(unmaskedMaxLength), m_mask(TranslateEditMask(QString(), upperCase))
{
    m_edit->setMaxLength(m_maxLength);
}

QString MaskedField::value() const
{
    return m_mask.storedValue(m_edit->displayText()).trimmed();
}

void MaskedField::setMask(const QString &mask)
{
    m_maskText = mask;
    setValue(value());
}

void MaskedField::setValue(const QString &value)
{
    EditMask next = TranslateEditMask(m_maskText, m_upper);
    if (!value.isEmpty() && !next.fits(value))
        next = TranslateEditMask(QString(), m_upper);
    m_edit->setInputMask(QString());
    m_edit->setText(QString());
    m_edit->setInputMask(next.qtMask);
    if (next.isEmpty())
        m_edit->setMaxLength(m_maxLength);
    m_edit->setText(m_upper ? value.toUpper() : value);
    if (value.isEmpty())
        m_edit->setCursorPosition(0); // a masked edit leaves it after the blanks
    m_mask = next;
}
