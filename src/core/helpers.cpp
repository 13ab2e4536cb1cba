#include "core/helpers.h"

#include <QFileInfo>

bool IsPlainAddressText(const QString &text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        const bool ok = u == '-' || u == '.' || u == '_' || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') ||
                        (u >= 'a' && u <= 'z');
        if (!ok)
            return false;
    }
    return true;
}

bool IsValidEmail(const QString &text)
{
    const qsizetype at = text.indexOf(u'@');
    if (at < 0)
        return false;
    const QString local = text.left(at);
    const QString domain = text.mid(at + 1);
    if (local.isEmpty() || domain.size() < 5)
        return false;
    const qsizetype dot = domain.indexOf(u'.');
    if (dot < 0 || dot + 1 > domain.size() - 2) // at least two characters after the dot
        return false;
    return IsPlainAddressText(local) && IsPlainAddressText(domain);
}

const QStringList &KnownProvinces()
{
    static const QStringList names = {
        QStringLiteral("BUENOS AIRES"),
        QStringLiteral("CATAMARCA"),
        QStringLiteral("CHACO"),
        QStringLiteral("CHUBUT"),
        QStringLiteral("CORDOBA"),
        QStringLiteral("CORRIENTES"),
        QStringLiteral("ENTRE RIOS"),
        QStringLiteral("FORMOSA"),
        QStringLiteral("JUJUY"),
        QStringLiteral("LA PAMPA"),
        QStringLiteral("LA RIOJA"),
        QStringLiteral("MENDOZA"),
        QStringLiteral("MISIONES"),
        QStringLiteral("NEUQUEN"),
        QStringLiteral("RIO NEGRO"),
        QStringLiteral("SALTA"),
        QStringLiteral("SAN JUAN"),
        QStringLiteral("SAN LUIS"),
        QStringLiteral("SANTA CRUZ"),
        QStringLiteral("SANTA FE"),
        QStringLiteral("SANTIAGO DEL ESTERO"),
        QStringLiteral("TIERRA DEL FUEGO"),
        QStringLiteral("TUCUMAN"),
    };
    return names;
}

bool IsKnownProvince(const QString &text)
{
    for (const QString &name : KnownProvinces()) {
        if (QString::compare(text, name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

qint64 FileSizeOf(const QString &path)
{
    if (path.isEmpty())
        return -1;
    const QFileInfo info(path);
    return info.exists() ? info.size() : -1;
}

QString ZeroPad(qint64 value, int width)
{
    if (value < 0) {
        // Pad the digits only, so the sign stays in front.
        const QString digits = QString::number(-value);
        return u'-' + digits.rightJustified(qMax(0, width - 1), u'0');
    }
    return QString::number(value).rightJustified(qMax(0, width), u'0');
}
