#include "core/operationrecord.h"

#include "core/helpers.h"
#include "core/operationkind.h"

QString OperationRecord::inyeccionCode() const
{
    return inyeccion.trimmed().left(1).toUpper();
}

QString OperationRecord::tipoUsoCode() const
{
    return VehicleUseCode(tipoUso);
}

QString OperationRecord::regulatorGestionCode() const
{
    return GestionLetter(regulador.gestion);
}

StickerFill ZeroFillSticker(const QString &text)
{
    StickerFill r;
    r.text = text;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return r;
    bool digits = t.size() <= 10;
    for (const QChar c : t)
        digits = digits && c.unicode() >= '0' && c.unicode() <= '9';
    if (!digits) {
        r.ok = false;
        r.message = QStringLiteral("\"%1\" no es un número de oblea válido: "
                                   "ingrese hasta 10 dígitos, sin letras ni signos.")
                        .arg(text);
        return r;
    }
    r.text = ZeroPad(t.toLongLong(), 10);
    return r;
}

QString AreaCodeProblem(const QString &areaCode)
{
    if (areaCode.startsWith(u'0'))
        return QStringLiteral("La caracteristica debe ir sin el 0 adelante");
    if (!areaCode.startsWith(u'1') && !areaCode.startsWith(u'2') && !areaCode.startsWith(u'3'))
        return QStringLiteral("La caracteristica debe comenzar con 1,2 o 3");
    return QString();
}

QString TelephoneProblem(const QString &number)
{
    if (number.startsWith(QLatin1String("15")))
        return QStringLiteral("El número va sin el 15 adelante");
    return QString();
}
