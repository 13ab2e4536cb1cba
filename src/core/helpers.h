#pragma once

#include <QString>
#include <QStringList>

// Small checks and formatters shared by the entry forms and the printing code.

// True when every character is "-", ".", "_", an ASCII digit or an ASCII
// letter; the empty text passes.
bool IsPlainAddressText(const QString &text);

// local@domain with a non-empty plain local part and a plain domain of at
// least five characters with two or more characters after its first dot.
bool IsValidEmail(const QString &text);

// One of the 23 province names, letter case ignored; no trimming.
bool IsKnownProvince(const QString &text);

// The 23 province names in alphabetical order, as the entry lists offer them.
const QStringList &KnownProvinces();

// Size in bytes, or -1 when nothing exists at the path.
qint64 FileSizeOf(const QString &path);

// Decimal value with "0" in front up to `width`; never cut. A negative value
// keeps its sign in front of the padded digits ("-007" for -7, 4).
QString ZeroPad(qint64 value, int width);
