#include "core/login.h"

namespace Login
{

bool codeKeyPasses(QChar c)
{
    const char16_t u = c.unicode();
    return u == 8 || (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z');
}

bool isWellFormedCode(const QString &code)
{
    if (code.isEmpty() || code.size() > kCodeMaxLength)
        return false;
    for (QChar c : code)
        if (c.unicode() == 8 || !codeKeyPasses(c) || c.isLower())
            return false;
    return true;
}

Decision checkCode(const QString &code)
{
    Decision d;
    if (code.isEmpty()) {
        d.outcome = Outcome::MissingCode;
        d.kind = MessageKind::Warning;
        d.message = QStringLiteral("No se ingreso el código de taller.");
        return d;
    }
    // A code the box could not have produced has no row either; no need to ask.
    if (!isWellFormedCode(code)) {
        d.outcome = Outcome::UnknownWorkshop;
        d.kind = MessageKind::Error;
        d.message = QStringLiteral("Taller incorrecto.");
        return d;
    }
    d.outcome = Outcome::Accepted;
    return d;
}

Decision checkPassword(const std::optional<Account> &account, const QString &typedPassword, bool adminAvailable)
{
    Decision d;
    if (!account) {
        d.outcome = Outcome::UnknownWorkshop;
        d.kind = MessageKind::Error;
        d.message = QStringLiteral("Taller incorrecto.");
        return d;
    }
    const bool typed = !typedPassword.isEmpty();
    const bool own = typed && account->ownMatches;
    const bool admin = typed && adminAvailable && account->adminMatches;
    if (!own && !admin) {
        d.outcome = Outcome::WrongPassword;
        d.kind = MessageKind::Error;
        d.message = QStringLiteral("Password incorrecta.");
        return d;
    }
    // The administrator password does not open a disabled account either.
    if (account->estado != 1) {
        d.outcome = Outcome::Disabled;
        d.kind = MessageKind::Warning;
        d.message = QStringLiteral("Cliente Inhabilitado.");
        return d;
    }
    d.outcome = Outcome::Accepted;
    d.adminMode = admin;
    return d;
}

QString workshopAddress(const QString &street, const QString &number, const QString &town)
{
    return street + QLatin1Char(' ') + number + QStringLiteral(" - ") + town;
}

QString representativeName(const QString &firstName, const QString &surname)
{
    return firstName + QLatin1Char(' ') + surname;
}

void applyWorkshop(GlobalState &g, const WorkshopRow &row, bool adminMode)
{
    g.AdminMode = adminMode;
    g.LoggedIn = true;
    g.WorkshopCode = row.code;
    g.WorkshopName = row.name;
    g.WorkshopName2 = row.name;
    g.WorkshopCuit = row.cuit;
    g.WorkshopAddress = workshopAddress(row.street, row.number, row.town);
    g.WorkshopAddress2 = g.WorkshopAddress;
    g.RepMatricula = row.repMatricula;
    g.Stamp1 = row.stamp1;
    g.Stamp2 = row.stamp2;
    g.Stamp3 = row.stamp3;
    g.Stamp4 = row.stamp4;
    g.Copies = row.copies;
    g.WorkshopLocality = row.locality;
    g.WorkshopProvince = row.province;
    g.SheetFormat = row.sheetFormat;
    g.ManagesWorkshop = row.managesWorkshop;
}

void applyPec(GlobalState &g, const PecRow &row)
{
    g.PecCode = row.code;
    g.PecName = row.name;
    g.PecRepMatricula = row.repMatricula;
    g.PecRepName = row.repName;
    g.PecRepDocNumber = row.repDocNumber;
    g.PecAddress = row.address;
}

} // namespace Login
