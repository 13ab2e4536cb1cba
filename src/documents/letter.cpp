#include "documents/letter.h"

#include "data/sheetrepository.h"
#include "documents/registry.h"

#include <stdexcept>

namespace Documents
{

Report::Values LetterValues(const Letter::PrintData &d)
{
    Report::Values v;
    const auto set = [&v](const QString &name, const QVariant &value) { v.set(name, value); };
    set(QStringLiteral("PlaceAndDate"), d.placeAndDate);
    set(QStringLiteral("Purpose"), int(d.purpose));

    const Letter::Owner &o = d.owner;
    set(QStringLiteral("Owner.Name"), o.name);
    set(QStringLiteral("Owner.DocType"), o.docType);
    set(QStringLiteral("Owner.DocNumber"), o.docNumber);
    set(QStringLiteral("Owner.Street"), o.street);
    set(QStringLiteral("Owner.Number"), o.number);
    set(QStringLiteral("Owner.Floor"), o.floor);
    set(QStringLiteral("Owner.Apartment"), o.apartment);
    set(QStringLiteral("Owner.PostalCode"), o.postalCode);
    set(QStringLiteral("Owner.Locality"), o.locality);
    set(QStringLiteral("Owner.Phone"), o.phone);
    set(QStringLiteral("Owner.Domain"), o.domain);
    set(QStringLiteral("PreviousSticker"), o.previousSticker);

    const auto workshop = [&](const QString &prefix, const Letter::WorkshopBlock &w) {
        set(prefix + QStringLiteral(".Title"), w.title);
        set(prefix + QStringLiteral(".Address"), w.address);
        set(prefix + QStringLiteral(".Code"), w.code);
    };
    workshop(QStringLiteral("Workshop"), d.workshop);
    workshop(QStringLiteral("Enablement"), d.workshopByEnablement);
    set(QStringLiteral("Pec.Name"), d.pecName);
    set(QStringLiteral("Pec.Code"), d.pecCode);
    set(QStringLiteral("Pec.Address"), d.pecAddress);

    for (int line = 0; line < 3; ++line)
        set(QStringLiteral("Letter.CentreTitle%1").arg(line + 1), d.centreTitle.value(line));
    set(QStringLiteral("Letter.CompanyTitle"), d.companyTitle);
    set(QStringLiteral("Letter.Salutation"), d.salutation);
    set(QStringLiteral("Letter.ContactLine"), d.contactLine);

    // Rows 1 to 4 of the item table; further items are stored, not printed.
    for (int n = 1; n <= Letter::kPrintedItems; ++n) {
        const Letter::Item i = n <= d.items.size() ? d.items[n - 1] : Letter::Item{};
        const auto item = [&](const char *name, const QString &text) {
            set(QLatin1String(name) + QString::number(n), text);
        };
        item("cil", i.cylinderCode);
        item("cilnro", i.cylinderSerial);
        item("cap", Letter::MeasureText(i.capacity));
        item("masa", Letter::MeasureText(i.mass));
        item("fab", i.manufactured);
        item("diametro", Letter::MeasureText(i.diameter));
        item("val", i.valveCode);
        item("modelo", i.valveModel);
        item("valnro", i.valveSerial);
        item("obs", i.observations);
    }
    return v;
}

Report::ReportForm MakeLetter(const QString &layout, const Letter::PrintData &d)
{
    const Entry *entry = Find(layout);
    if (!entry || entry->document != QLatin1String("letter"))
        throw std::runtime_error(QStringLiteral("No se encuentra el diseño %1").arg(layout).toStdString());
    Report::ReportForm form(LoadLayout(layout));
    auto values = std::make_shared<Report::Values>(LetterValues(d));
    if (entry->hook)
        entry->hook(*values);
    form.bindValues(values);
    form.bindRows(std::make_shared<Report::VectorRowSource>(QVector<QVariantMap>{}, QStringList{}));
    return form;
}

void LoadLetterWorkshop(Letter::PrintData &d, const GlobalState &global)
{
    const std::optional<WorkshopRow> own = SheetRepository::Workshop(global.WorkshopCode);
    std::optional<WorkshopRow> associated;
    if (own && own->enabled == 0 && !own->associatedCode.isEmpty())
        associated = SheetRepository::Workshop(own->associatedCode);
    d.workshopByEnablement = Letter::WorkshopByEnablement(global, own, associated);
}

} // namespace Documents
