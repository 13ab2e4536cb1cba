#include "core/commitmentletter.h"

#include "core/cylinderrules.h"

#include <QLocale>

namespace Letter
{

QStringList PurposeTexts()
{
    return {QStringLiteral("Revisión Periodica"), QStringLiteral("Reinstalación"), QStringLiteral("Otros Casos")};
}

Purpose PurposeFromIndex(int index)
{
    switch (index) {
    case 1:
        return Purpose::Reinstallation;
    case 2:
        return Purpose::OtherCases;
    default:
        return Purpose::PeriodicReview;
    }
}

Item FromCylinder(const CylinderRow &c)
{
    Item i;
    i.cylinderCode = c.codigo;
    i.cylinderSerial = c.nroSerie;
    i.capacity = c.capacidad;
    i.manufactured = c.fabricac;
    i.valveCode = c.valCod;
    i.valveSerial = c.valNro;
    return i;
}

bool CollectsSilently(const CylinderRow &c, const QDate &enabling)
{
    int month = 0, year = 0;
    if (!Cylinders::SplitMonthYear(c.uphFecha, &month, &year))
        return false;
    return Cylinders::PhDueStatus(month, year, enabling) == Cylinders::PhStatus::Required;
}

QString MeasureText(const std::optional<double> &value)
{
    if (!value)
        return QString();
    return QString::number(*value, 'g', 7).replace(QLatin1Char('.'), QLatin1Char(','));
}

std::optional<double> ParseMeasure(const QString &text, bool *ok)
{
    *ok = true;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const double v = QLocale::c().toDouble(QString(t).replace(QLatin1Char(','), QLatin1Char('.')), ok);
    if (!*ok || v < 0) {
        *ok = false;
        return std::nullopt;
    }
    return v;
}

QString LayoutFor(const InstallationProfile &p, const QString &centre)
{
    if (!p.offersCommitmentLetter)
        return QString();
    if (!p.choosesLetterRevisionCentre)
        return p.commitmentLetterLayout;
    const QString wanted = centre.trimmed();
    for (auto it = p.letterLayoutByCentre.cbegin(); it != p.letterLayoutByCentre.cend(); ++it)
        if (it.key().compare(wanted, Qt::CaseInsensitive) == 0)
            return it.value();
    return QString();
}

QString PlaceAndDate(const QString &locality, const QDate &today)
{
    const QString place = locality.trimmed().isEmpty() ? QStringLiteral("Córdoba") : locality.trimmed();
    return place + QStringLiteral(", ") + today.toString(QStringLiteral("dd/MM/yyyy"));
}

WorkshopBlock OwnWorkshop(const GlobalState &g)
{
    return {g.WorkshopName2 + QStringLiteral(" [") + g.WorkshopCode + QLatin1Char(']'), g.WorkshopAddress,
            g.WorkshopCode};
}

WorkshopBlock WorkshopByEnablement(const GlobalState &g, const std::optional<WorkshopRow> &own,
                                   const std::optional<WorkshopRow> &associated)
{
    if (!own || own->enabled != 0)
        return OwnWorkshop(g);
    const QString code = own->associatedCode;
    WorkshopBlock b{g.WorkshopName2 + QStringLiteral(" [") + code + QLatin1Char(']'), QString(), code};
    if (associated)
        b.address =
            associated->street + QLatin1Char(' ') + associated->number + QStringLiteral(" - ") + associated->locality;
    return b;
}

PrintData MakePrintData(const Owner &owner, Purpose purpose, const QVector<Item> &items, const GlobalState &g,
                        const InstallationProfile &, const QDate &today)
{
    PrintData d;
    d.owner = owner;
    d.purpose = purpose;
    d.items = items;
    d.placeAndDate = PlaceAndDate(g.WorkshopLocality, today);
    d.workshop = d.workshopByEnablement = OwnWorkshop(g);
    d.pecName = g.PecName;
    d.pecCode = g.PecCode;
    d.pecAddress = g.PecAddress;
    // The letterhead is the PEC's own, as its `pec` row reads: a PEC without
    // a name or an address prints none of it.
    const QString pec = g.PecName.trimmed();
    const QString address = g.PecAddress.trimmed();
    d.centreTitle = {pec, QStringLiteral("Centro de Revisión Periódica de Cilindros"), address};
    d.companyTitle = pec;
    d.salutation = pec.isEmpty() ? QString() : QStringLiteral("Señores ") + pec + QLatin1Char(':');
    QStringList contact{pec, address};
    contact.removeAll(QString());
    d.contactLine = contact.join(QStringLiteral(" - "));
    return d;
}

} // namespace Letter
