#pragma once

#include <QValidator>
#include <functional>

class QComboBox;
class QFontMetrics;
class QLineEdit;
class QWidget;

// Free-text fields of a column: never longer than the column, never cut
// inside a character, never narrower on screen than their longest value.
namespace Widgets
{

// Keeps whole characters only: a limit or a paste that cut an emoji (a
// surrogate pair) in two leaves neither half. Converts to upper case when
// asked, as typed and as pasted.
class TextValidator : public QValidator
{
public:
    explicit TextValidator(bool upper, QObject *parent = nullptr) : QValidator(parent), m_upper(upper) {}
    State validate(QString &input, int &pos) const override;

private:
    bool m_upper;
};

// Removes halves of characters (lone surrogates); `pos` follows the text.
void dropBrokenCharacters(QString &text, int *pos = nullptr);

// Width of `chars` characters of the stored alphabet (upper case and digits).
int charsWidth(const QFontMetrics &fm, int chars);

// Limits a field to its column (`maxChars` characters, cut between
// characters), upper case when asked, and makes it wide enough to show that
// many. A field with a validator of its own keeps it.
void limitText(QLineEdit *edit, int maxChars, bool upper = false);
void limitText(QComboBox *editableCombo, int maxChars, bool upper = false);

// A field of a column says when it is full: a key that no longer goes in
// beeps and shows the limit under the field; text pasted (keys or context
// menu) or dropped that does not fit is refused whole with a message rather
// than cut. limitText and the window set-up give it to every limited field;
// masked and read-only fields are left alone.
void guardLength(QLineEdit *edit);
QString fullFieldNote(int maxChars);
QString pasteTooLongText(int pastedChars, int freeChars, int maxChars);

// The least width showing `chars` characters in the field, frame included.
void reserveChars(QWidget *field, int chars);

// Characters a field takes: typed keys outside the set are refused by the
// caller's key filter; text pasted or dropped into the field loses them
// here, with `refused` told once per edit. Text the program sets is kept
// as it is (a stored name keeps its accents).
using CharacterSet = std::function<bool(char32_t)>;
void filterInsertedText(QLineEdit *edit, const CharacterSet &allowed, const std::function<void()> &refused);

// Every code point of `text` in the set (an emoji is one code point).
bool allAllowed(const QString &text, const CharacterSet &allowed);

} // namespace Widgets
