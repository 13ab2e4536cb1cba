#include "operations/form/fieldkeys.h"

#include "widgets/entermoves.h"
#include "widgets/textfield.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace OperationForm
{

namespace
{

bool asciiDigit(char32_t c)
{
    return c >= '0' && c <= '9';
}

bool asciiLetterOrDigit(char32_t c)
{
    return asciiDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool nameChar(char32_t c)
{
    return asciiLetterOrDigit(c) || c == ' ' || c == U'Ñ' || c == U'ñ';
}

bool streetChar(char32_t c)
{
    return nameChar(c) || c == '(' || c == ')' || c == '-';
}

// The characters each filtered field takes; none for the others.
Widgets::CharacterSet characterSet(FieldKeys::Keys keys)
{
    switch (keys) {
    case FieldKeys::Keys::Name:
        return nameChar;
    case FieldKeys::Keys::Street:
        return streetChar;
    case FieldKeys::Keys::Domain:
        return asciiLetterOrDigit;
    case FieldKeys::Keys::Digits:
        return asciiDigit;
    default:
        return {};
    }
}

} // namespace

void FieldKeys::watch(QWidget *field, Keys keys)
{
    m_keys.insert(field, keys);
    field->installEventFilter(this);
    // Text pasted into a name or an address loses what could not be typed
    // (an emoji). A pasted sticker keeps its text: the zero fill reports it
    // rather than let a letter O vanish from the number.
    if (keys != Keys::Name && keys != Keys::Street)
        return;
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        Widgets::filterInsertedText(edit, characterSet(keys), [this] { refuse(); });
}

void FieldKeys::passWhile(QWidget *field, const std::function<bool()> &passes)
{
    m_passes.insert(field, passes);
}

void FieldKeys::refuse()
{
    QApplication::beep();
    emit refused();
}

bool FieldKeys::filter(QWidget *field, Keys keys, QKeyEvent *key)
{
    if (const auto pass = m_passes.constFind(field); pass != m_passes.constEnd() && pass.value()())
        return false;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (keys == Keys::None)
            return false;
        Widgets::focusNextField(field, !(key->modifiers() & Qt::ShiftModifier));
        return keys != Keys::EnterKeepsKey;
    }
    // Only typed characters are filtered: navigation keys, Backspace and
    // shortcuts pass. An emoji arrives as one key with two UTF-16 units.
    const QString text = key->text();
    if (text.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        return false;
    if (text.size() == 1 && (text.at(0).unicode() < 32 || text.at(0).unicode() == 127))
        return false;
    if (keys == Keys::AreaCode) {
        // Discarded quietly: the area code goes without its 0.
        const auto *edit = qobject_cast<QLineEdit *>(field);
        return text == QLatin1String("0") && edit && edit->text().isEmpty();
    }
    const Widgets::CharacterSet allowed = characterSet(keys);
    if (!allowed || Widgets::allAllowed(text, allowed))
        return false;
    refuse();
    return true;
}

bool FieldKeys::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto *field = qobject_cast<QWidget *>(watched);
    const auto it = field ? m_keys.constFind(field) : m_keys.constEnd();
    return it != m_keys.constEnd() && filter(field, it.value(), static_cast<QKeyEvent *>(event));
}

} // namespace OperationForm
