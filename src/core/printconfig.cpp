#include "core/printconfig.h"

#include "core/global.h"
#include "core/helpers.h"

#include <QtGlobal>

namespace PrintConfigRules
{

QStringList SheetFormats()
{
    return {QStringLiteral("A4"), QStringLiteral("LEGAL")};
}

const QStringList &Provinces()
{
    return KnownProvinces();
}

Shown Show(const GlobalState &g)
{
    Shown s;
    s.copies = qBound(kMinCopies, g.Copies, kMaxCopies);
    s.locality = g.WorkshopLocality;
    s.province = int(Provinces().indexOf(g.WorkshopProvince));
    s.sheetFormat = g.SheetFormat == 0 || g.SheetFormat == 1 ? g.SheetFormat : -1;
    return s;
}

PrintConfig FromShown(const Shown &s)
{
    PrintConfig c;
    c.copies = qBound(kMinCopies, s.copies, kMaxCopies);
    c.locality = s.locality;
    c.province = s.province >= 0 && s.province < Provinces().size() ? Provinces().at(s.province) : QString();
    c.sheetFormat = s.sheetFormat == 0 || s.sheetFormat == 1 ? s.sheetFormat : -1;
    return c;
}

void Apply(const PrintConfig &c, GlobalState &g)
{
    g.Copies = c.copies;
    g.WorkshopLocality = c.locality;
    g.WorkshopProvince = c.province;
    g.SheetFormat = c.sheetFormat;
}

} // namespace PrintConfigRules
