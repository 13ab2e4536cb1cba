#include "core/cylinderrules.h"

namespace Cylinders
{

int MonthsSinceTest(int testMonth, int testYear, const QDate &enabling)
{
    const int months = 12 * (enabling.year() - testYear) + (enabling.month() - testMonth);
    return months < 0 ? 0 : months;
}

PhStatus PhDueStatus(int testMonth, int testYear, const QDate &enabling)
{
    const int months = MonthsSinceTest(testMonth, testYear, enabling);
    if (months >= 49 && months <= 54)
        return PhStatus::DueWithinYear;
    if (months >= 55 && months <= 9999)
        return PhStatus::Required;
    return PhStatus::Valid;
}

static QDate rollForward(const QDate &limit, const QDate &today)
{
    if (limit < today) {
        // Same day and month one year on; 29 February cannot occur here since
        // both limits cap February at 28.
        return QDate(limit.year() + 1, limit.month(), limit.day());
    }
    return limit;
}

QDate ExpiryLimitOnSave(int testMonth, const QDate &enabling, const QDate &today)
{
    const int cap = testMonth == 2 ? 28 : 30;
    const int day = qMin(enabling.day(), cap);
    return rollForward(QDate(enabling.year(), testMonth, day), today);
}

QDate ExpiryLimitOnRecall(int testMonth, const QDate &enabling, const QDate &today)
{
    int day = 31;
    if (testMonth == 2)
        day = 28;
    else if (testMonth == 4 || testMonth == 6 || testMonth == 9 || testMonth == 11)
        day = 30;
    return rollForward(QDate(enabling.year(), testMonth, day), today);
}

QDate CrpcExpiryDate(std::optional<int> validityYears, int testMonth, int testYear)
{
    const int years = validityYears.value_or(5);
    const QDate first(testYear + years, testMonth, 1);
    return QDate(first.year(), first.month(), first.daysInMonth());
}

QString CenturyYear(const QString &twoDigitYear)
{
    const QString y = twoDigitYear.trimmed();
    if (y.size() != 2)
        return y;
    return (y < QLatin1String("50") ? QLatin1String("20") : QLatin1String("19")) + y;
}

bool SplitMonthYear(const QString &mmYyyy, int *month, int *year)
{
    const QString t = mmYyyy.trimmed();
    if (t.size() != 7 || t.at(2) != QLatin1Char('/'))
        return false;
    bool okM = false, okY = false;
    const int m = t.left(2).toInt(&okM);
    const int y = t.mid(3).toInt(&okY);
    if (!okM || !okY || m < 1 || m > 12)
        return false;
    *month = m;
    *year = y;
    return true;
}

QString JoinMonthYear(const QString &month, const QString &twoDigitYear)
{
    const QString m = month.trimmed();
    const QString y = twoDigitYear.trimmed();
    if (m.isEmpty() && y.isEmpty())
        return {};
    return m.rightJustified(2, QLatin1Char('0')) + QLatin1Char('/') + CenturyYear(y);
}

Certificate NormaliseCertificate(const QString &input, const std::function<bool(const QString &)> &centreExists)
{
    const QString code = input.left(4);
    if (!centreExists(code))
        return {Certificate::UnknownCentre, input};
    const QString digits = input.mid(4, 6);
    bool ok = false;
    const int number = digits.toInt(&ok);
    // Signs and blanks are not digits either.
    bool allDigits = !digits.isEmpty();
    for (QChar c : digits)
        allDigits = allDigits && c.isDigit() && c.unicode() < 128;
    if (!ok || !allDigits || number < 0)
        return {Certificate::NotANumber, input};
    return {Certificate::Normalised, code + QString::number(number).rightJustified(6, QLatin1Char('0'))};
}

AcceptResult CheckCylinderDialog(const CylinderRow &v, const QString &operationKind, const QString &operationDomain,
                                 const std::function<QString(const QString &, const QString &)> &valveDomain,
                                 Prompter &prompter)
{
    const auto fail = [](Field f, bool highlight) { return AcceptResult{false, f, highlight}; };
    const bool fab = v.uphTaller.trimmed() == QLatin1String("FAB");

    if (operationKind == QLatin1String("M")) {
        const QString elsewhere = valveDomain(v.valCod, v.valNro).trimmed();
        if (!elsewhere.isEmpty() && elsewhere != operationDomain.trimmed())
            prompter.warn(QStringLiteral("ojo!! esa válvula está colocada en el dominio: ") + elsewhere);
    }
    if (fab && v.uphFecha != v.fabricac) {
        prompter.error(QStringLiteral("Las fechas no pueden ser distintas si la UPH es FAB"));
        return fail(Field::UphFecha, false);
    }
    if (v.uphResult == QLatin1String("RECHAZADO") &&
        !prompter.ask(QStringLiteral("Esta seguro que el cilindro está rechazado?")))
        return fail(Field::UphResult, false);

    const auto blank = [](const QString &s) {
        // A masked date with nothing typed is only its separator.
        const QString t = s.trimmed();
        return t.isEmpty() || t == QLatin1String("/");
    };
    if (blank(v.nroSerie)) {
        prompter.error(QStringLiteral("El número de serie no puede quedar en blanco."));
        return fail(Field::NroSerie, true);
    }
    if (blank(v.gestion)) {
        prompter.error(QStringLiteral("El código de gestión no puede quedar en blanco."));
        return fail(Field::Gestion, true);
    }
    if (blank(v.fabricac)) {
        prompter.error(QStringLiteral("La fecha de fabricación no puede quedar en blanco."));
        return fail(Field::Fabricac, true);
    }
    if (blank(v.uphTaller)) {
        prompter.error(QStringLiteral("El taller no puede quedar en blanco."));
        return fail(Field::UphTaller, true);
    }
    if (blank(v.uphFecha)) {
        prompter.error(QStringLiteral("La fecha de UPH no puede quedar en blanco."));
        return fail(Field::UphFecha, true);
    }
    if (!v.valCod.trimmed().isEmpty()) {
        if (blank(v.valNro)) {
            prompter.error(QStringLiteral("El número de serie no puede quedar en blanco."));
            return fail(Field::ValNro, true);
        }
        if (blank(v.valGest)) {
            prompter.error(QStringLiteral("El código de gestión no puede quedar en blanco."));
            return fail(Field::ValGest, true);
        }
        const QString g = v.gestion.trimmed();
        if (!g.startsWith(QLatin1Char('B')) && !g.startsWith(QLatin1Char('D'))) {
            const bool hasCert = !v.nroCertif.trimmed().isEmpty();
            // Both stop the dialog: the operator completes or clears the number.
            if (!fab && !hasCert) {
                prompter.warn(QStringLiteral("No se ingreso el número de Certificado."));
                return fail(Field::NroCertif, false);
            }
            if (fab && hasCert) {
                prompter.warn(QStringLiteral("Siendo FAB no puede tener número de certificado."));
                return fail(Field::NroCertif, false);
            }
        }
    }
    return AcceptResult{true, Field::None, false};
}

} // namespace Cylinders
