#include "core/operationkind.h"

namespace
{

QString normalised(const QString &code)
{
    const QString c = code.trimmed().toUpper();
    return c == QLatin1String("D") ? QStringLiteral("B") : c;
}

} // namespace

QString OperationKindName(const QString &code)
{
    const QString c = code.trimmed().toUpper();
    if (c == QLatin1String("C"))
        return QStringLiteral("CONVERSION");
    if (c == QLatin1String("M"))
        return QStringLiteral("MODIFICACION");
    if (c == QLatin1String("R"))
        return QStringLiteral("REVISION ANUAL");
    if (c == QLatin1String("B"))
        return QStringLiteral("BAJA");
    if (c == QLatin1String("X"))
        return QStringLiteral("REVISION CRPC");
    if (c == QLatin1String("H"))
        return QStringLiteral("REEMPLAZO VALVULA");
    if (c == QLatin1String("D"))
        return QStringLiteral("DESMONTAJE");
    return QString();
}

std::optional<OperationKindLayout> LayoutForKind(const QString &code)
{
    const QString c = normalised(code);
    OperationKindLayout k;
    k.code = code.trimmed().toUpper();
    k.mountingDateLabel = QStringLiteral("Fecha Montaje");
    k.previousStickerLabel = QStringLiteral("Oblea Anterior");
    k.regulatorGestion = QStringLiteral("SIN CAMBIOS");
    if (c == QLatin1String("R") || c == QLatin1String("X")) {
        const bool crpc = c == QLatin1String("X");
        k.caption = crpc ? QStringLiteral("Revison Anual CRPC") : QStringLiteral("Revison Anual");
        k.description = crpc ? QStringLiteral("REVISIONCRPC") : QStringLiteral("REVISION");
        k.regulatorGestionLocked = true;
        k.regulatorNuevo = QStringLiteral("NO");
        k.hidesValveReplacement = true;
    } else if (c == QLatin1String("C")) {
        k.caption = QStringLiteral("Conversión");
        k.description = QStringLiteral("CONVERSION");
        k.regulatorGestion = QStringLiteral("MONTAJE");
        k.regulatorGestionLocked = true;
        k.regulatorNuevo = QStringLiteral("SI");
        k.hidesPreviousSticker = true;
    } else if (c == QLatin1String("B")) {
        k.caption = QStringLiteral("DESMONTAJE");
        k.description = QStringLiteral("DESMONTAJE");
        k.regulatorGestion = QStringLiteral("DESMONTAJE");
        k.regulatorNuevo = QStringLiteral("NO");
        k.hidesEnablingAndExpiry = true;
        k.mountingDateLabel = QStringLiteral("Fecha Desmontaje");
    } else if (c == QLatin1String("M")) {
        k.caption = QStringLiteral("Modificación");
        k.description = QStringLiteral("MODIFICACION");
        k.regulatorNuevo = QStringLiteral("SI");
    } else if (c == QLatin1String("H")) {
        k.caption = QStringLiteral("Reemplazo de Válvula");
        k.description = QStringLiteral("REEMPLAZO");
        k.regulatorNuevo = QStringLiteral("SI");
        k.previousStickerLabel = QStringLiteral("Oblea Actual");
    } else {
        return std::nullopt;
    }
    return k;
}

QString ConsultationCaption(const QString &viewedKind)
{
    const QString c = viewedKind.trimmed().toUpper();
    if (c == QLatin1String("C"))
        return QStringLiteral("CONVERSION");
    if (c == QLatin1String("R"))
        return QStringLiteral("REVISION ANUAL");
    if (c == QLatin1String("B") || c == QLatin1String("D"))
        return QStringLiteral("DESMONTAJE");
    if (c == QLatin1String("H"))
        return QStringLiteral("REEMPLAZO");
    if (c == QLatin1String("M"))
        return QStringLiteral("MODIFICACION");
    return DefaultFormCaption;
}

QDate OneYearLater(const QDate &date)
{
    if (!date.isValid())
        return QDate();
    if (date.month() == 2 && date.day() == 29)
        return QDate(date.year() + 1, 2, 28);
    return QDate(date.year() + 1, date.month(), date.day());
}

KindDates StandardDates(const QDate &today)
{
    return {today, today, OneYearLater(today)};
}

int MaxModelYear(const QDate &today)
{
    return today > QDate(today.year(), 12, 10) ? today.year() + 1 : today.year();
}

bool IsAcceptedModelYear(int year, const QDate &today)
{
    return year >= MinModelYear && year <= MaxModelYear(today);
}

bool IsExpiryWithinLimit(const QDate &expiry, const QDate &enabling)
{
    return !(expiry > OneYearLater(enabling));
}

QString GestionLetter(const QString &text)
{
    const QString t = text.trimmed();
    return t.isEmpty() ? QString() : t.left(1).toUpper();
}

const QStringList &RegulatorGestionTexts()
{
    static const QStringList l = {QStringLiteral("SIN CAMBIOS"), QStringLiteral("MONTAJE"),
                                  QStringLiteral("DESMONTAJE"), QStringLiteral("BAJA")};
    return l;
}

const QStringList &ValveGestionTexts()
{
    static const QStringList l = {QStringLiteral("SIN CAMBIOS"), QStringLiteral("MONTAJE"), QStringLiteral("BAJA"),
                                  QStringLiteral("DESMONTAJE")};
    return l;
}

QString GestionName(const QString &letter)
{
    const QString c = letter.trimmed().toUpper();
    if (c == QLatin1String("M"))
        return QStringLiteral("MONTAJE");
    if (c == QLatin1String("D"))
        return QStringLiteral("DESMONTAJE");
    if (c == QLatin1String("B"))
        return QStringLiteral("BAJA");
    if (c == QLatin1String("S"))
        return QStringLiteral("SIN CAMBIOS");
    return QString();
}

QString CylinderGestionName(const QString &letter)
{
    const QString c = letter.trimmed().toUpper();
    if (c == QLatin1String("B") || c == QLatin1String("D"))
        return QStringLiteral("DESMONTAJE");
    if (c == QLatin1String("R"))
        return QStringLiteral("SIN CAMBIOS");
    return GestionName(c);
}

QString ValveGestionName(const QString &letter)
{
    const QString c = letter.trimmed().toUpper();
    if (c == QLatin1String("B") || c == QLatin1String("D"))
        return QStringLiteral("DESMONTAJE");
    return GestionName(c);
}

const QStringList &VehicleUseTexts()
{
    static const QStringList l = {
        QStringLiteral("TAXI"),  QStringLiteral("PICK-UP"), QStringLiteral("PARTICULAR"),    QStringLiteral("OFICIAL"),
        QStringLiteral("OTROS"), QStringLiteral("MOTO"),    QStringLiteral("AUTOELEVADORES")};
    return l;
}

QString VehicleUseCode(const QString &text)
{
    const qsizetype i = VehicleUseTexts().indexOf(text.trimmed().toUpper());
    return i < 0 ? QString() : QString::number(i + 1);
}

QString VehicleUseText(const QString &code)
{
    bool ok = false;
    const int n = code.trimmed().toInt(&ok);
    return ok && n >= 1 && n <= VehicleUseTexts().size() ? VehicleUseTexts().at(n - 1) : QString();
}
