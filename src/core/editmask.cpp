#include "core/editmask.h"

#include <QStringList>

namespace
{

enum class Slot { Literal, AlnumRequired, AlnumOptional, DigitRequired, DigitOrSignOptional };

Slot slotOf(QChar c)
{
    switch (c.unicode()) {
    case 'A':
        return Slot::AlnumRequired;
    case 'a':
        return Slot::AlnumOptional;
    case '0':
        return Slot::DigitRequired;
    case '#':
        return Slot::DigitOrSignOptional;
    default:
        return Slot::Literal;
    }
}

bool isAsciiAlnum(QChar c)
{
    const ushort u = c.unicode();
    return (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

bool isAsciiDigit(QChar c)
{
    return c.unicode() >= '0' && c.unicode() <= '9';
}

bool accepts(Slot slot, QChar c)
{
    switch (slot) {
    case Slot::AlnumRequired:
    case Slot::AlnumOptional:
        return isAsciiAlnum(c);
    case Slot::DigitRequired:
        return isAsciiDigit(c);
    case Slot::DigitOrSignOptional:
        return isAsciiDigit(c) || c == u'+' || c == u'-';
    case Slot::Literal:
        return false;
    }
    return false;
}

// Characters with a meaning in Qt's mask language; as literals they need "\".
bool isQtMaskSpecial(QChar c)
{
    static const QString special = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{};");
    return special.contains(c);
}

} // namespace

EditMask TranslateEditMask(const QString &mask, bool upper)
{
    EditMask m;
    m.source = mask;
    const QStringList parts = mask.split(u';');
    m.pattern = parts.value(0);
    if (parts.size() > 1)
        m.keepLiterals = parts.at(1).trimmed() != QLatin1String("0");
    if (parts.size() > 2 && !parts.at(2).isEmpty())
        m.blank = parts.at(2).at(0);
    if (m.pattern.isEmpty())
        return m;

    QString qt;
    if (upper)
        qt += u'>';
    for (const QChar c : m.pattern) {
        switch (slotOf(c)) {
        case Slot::AlnumRequired:
            qt += u'N';
            break;
        case Slot::AlnumOptional:
            qt += u'n';
            break;
        case Slot::DigitRequired:
            qt += u'9';
            break;
        case Slot::DigitOrSignOptional:
            qt += u'#';
            break;
        case Slot::Literal:
            if (isQtMaskSpecial(c))
                qt += u'\\';
            qt += c;
            break;
        }
    }
    qt += u';';
    qt += m.blank;
    m.qtMask = qt;
    return m;
}

QString EditMask::storedValue(const QString &displayed) const
{
    if (isEmpty())
        return displayed;
    QString out;
    const qsizetype n = qMin(displayed.size(), pattern.size());
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = displayed.at(i);
        if (slotOf(pattern.at(i)) == Slot::Literal) {
            if (keepLiterals)
                out += c;
        } else if (c != blank) {
            out += c;
        }
    }
    // A kept literal after the last filled position says nothing ("20-" of
    // an unfinished CUIT is stored as "20").
    if (keepLiterals) {
        qsizetype lastFilled = -1;
        for (qsizetype i = 0; i < n; ++i) {
            if (slotOf(pattern.at(i)) != Slot::Literal && displayed.at(i) != blank)
                lastFilled = i;
        }
        if (lastFilled < 0)
            return QString();
        qsizetype trailing = 0;
        for (qsizetype i = n - 1; i > lastFilled; --i) {
            if (slotOf(pattern.at(i)) == Slot::Literal)
                ++trailing;
        }
        out.chop(trailing);
    }
    return out;
}

bool EditMask::fits(const QString &stored) const
{
    if (isEmpty())
        return true;
    qsizetype pos = 0;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const Slot slot = slotOf(pattern.at(i));
        if (slot == Slot::Literal) {
            if (!keepLiterals)
                continue;
            if (pos < stored.size() && stored.at(pos) == pattern.at(i))
                ++pos;
            else if (pos < stored.size())
                return false;
            continue;
        }
        if (pos >= stored.size())
            continue; // an unfinished value still fits: nothing moves

        if (!accepts(slot, stored.at(pos)))
            return false;
        ++pos;
    }
    return pos == stored.size();
}

namespace OperationMasks
{

QString DomainOnEntering(int modelYear)
{
    return modelYear < 2016 ? DomainBefore2016 : DomainFrom2016;
}

QString DomainOnRecall(int modelYear, const QString &storedDomain)
{
    if (modelYear >= 2016)
        return DomainFrom2016;
    return storedDomain.trimmed().size() >= 7 ? QString() : DomainRecalledBefore2016;
}

QString DocumentFor(const QString &documentType)
{
    return documentType.trimmed().compare(QLatin1String("CUIT"), Qt::CaseInsensitive) == 0 ? DocumentCuit
                                                                                           : DocumentOther;
}

} // namespace OperationMasks
