#pragma once

#include <QChar>
#include <QString>

// Edit masks are written in the masked-edit language our form designs use:
// "mask;save-literals;blank". In the mask `A` is a letter or digit (required),
// `a` a letter or digit (optional), `0` a digit (required), `#` a digit or sign
// (optional); every other character is a literal. A save-literals field of "0"
// drops the literals from the value; any other value, or none, keeps them. The
// blank character defaults to "_".
//
// Qt's inputMask uses the same letters with other meanings (its `A` is a
// letter only, its `0` an optional digit), so masks are always translated here.
struct EditMask {
    QString source;           // as written, e.g. "##-########-#"
    QString pattern;          // the mask field alone
    bool keepLiterals = true; // literals are part of the stored value
    QChar blank = u'_';       // shown in empty positions
    QString qtMask;           // for QLineEdit::setInputMask; empty when there is no mask

    bool isEmpty() const { return pattern.isEmpty(); }
    int positions() const { return int(pattern.size()); }

    // Turns the edit's displayed text (one character per position, empty
    // positions showing the blank) into the value to store: unfilled positions
    // vanish and literals go unless kept. Without a mask the text is returned
    // as it is.
    QString storedValue(const QString &displayed) const;

    // Whether a stored value fits the mask, position by position, with
    // nothing left over (an unfinished value fits). Used before re-masking a
    // field that already holds text, so that nothing is cut or shifted.
    bool fits(const QString &stored) const;
};

// `upper` adds Qt's upper-case conversion to the translated mask.
EditMask TranslateEditMask(const QString &mask, bool upper = false);

// Masks of the operation form.
namespace OperationMasks
{
inline const QString DomainOnOpening = QStringLiteral("AAA###;1;_");
inline const QString DomainBefore2016 = QStringLiteral("AAA###");
inline const QString DomainFrom2016 = QStringLiteral("AAAAAAa;1; ");
inline const QString DomainRecalledBefore2016 = QStringLiteral("AAA###;1; ");
inline const QString DocumentOnOpening = QStringLiteral("#######0;1;");
inline const QString DocumentCuit = QStringLiteral("##-########-#");
inline const QString DocumentOther = QStringLiteral("########");

// On entering the domain field.
QString DomainOnEntering(int modelYear);
// On recall of an earlier operation; empty text means no mask.
QString DomainOnRecall(int modelYear, const QString &storedDomain);
// On entering the document number (and on recall / owner look-up).
QString DocumentFor(const QString &documentType);
} // namespace OperationMasks
