#pragma once

#include <QDate>
#include <QString>
#include <QStringList>

// The search of the order lists ("Buscar por"): one criterion at a time,
// over every workshop or one. Also the work-order list's search.
namespace OrderSearch
{

enum class Kind { Dominio, Propietario, Numero, Periodo, Vin };

// "Dominio", "Propietario", "Nro de Orden", "Periodo", "VIN" in list order.
const QStringList &KindTexts();

// The codes "Todos los Talleres" covers.
inline const QString kFirstWorkshop = QStringLiteral("AAA0000");
inline const QString kLastWorkshop = QStringLiteral("ZZZ9999");

// The owner pattern escapes `like` wildcards with this character.
inline constexpr char16_t kLikeEscape = u'!';

struct Input {
    Kind kind = Kind::Dominio;
    QString text;   // the entry (every kind but "Periodo")
    QDate from, to; // "Periodo"
    bool allWorkshops = true;
    QString workshop; // without allWorkshops
};

// What the statement binds: only the chosen criterion restricts the list
// (an order with an empty VIN is still found by its plate), plus the
// workshop range.
struct Filter {
    Kind kind = Kind::Dominio;
    QString text;   // plate or VIN (exact), or the owner `like` pattern
    int number = 0; // "Nro de Orden"
    QDate from, to; // "Periodo"
    QString firstWorkshop, lastWorkshop;
};

struct Outcome {
    bool ok = true;
    QString message; // why the list is not queried
    Filter filter;
};

Outcome Build(const Input &input);

} // namespace OrderSearch
