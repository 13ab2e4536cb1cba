#pragma once

#include <QString>
#include <QStringList>

struct GlobalState;

// The workshop's print configuration: columns `copias`, `localidad`,
// `provincia` and `hoja` of its `tal` row, held in the global state from the
// login on and changed only by the configuration window.
struct PrintConfig {
    int copies = 1;
    QString locality;
    QString province;
    int sheetFormat = 0; // 0 "A4", 1 "LEGAL", -1 none chosen

    bool operator==(const PrintConfig &) const = default;
};

namespace PrintConfigRules
{

inline constexpr int kMinCopies = 1;
inline constexpr int kMaxCopies = 10;

// The sheet formats by index: "A4", "LEGAL".
QStringList SheetFormats();

// The provinces offered, sorted. The operation form's own list: a workshop
// of any province can keep it as its default.
const QStringList &Provinces();

// What the window shows for the stored configuration: copies within 1 to 10,
// the province's and the sheet format's places in their lists (-1: none).
struct Shown {
    int copies = kMinCopies;
    QString locality;
    int province = -1;
    int sheetFormat = -1;
    bool operator==(const Shown &) const = default;
};
Shown Show(const GlobalState &g);

// What "Configurar" stores for what the window shows: an unchosen province
// is an empty text, an unchosen format -1.
PrintConfig FromShown(const Shown &s);

// The configuration into the global state, once it is stored.
void Apply(const PrintConfig &c, GlobalState &g);

} // namespace PrintConfigRules
