#pragma once

// The controls every window is built from: named as the tests find them,
// with the behaviour the program gives each kind of field. Buttons never
// press on Enter in another field (they are not "default"); tool buttons
// take the focus by Tab but leave it where it was on a click.

#include <QDate>
#include <QStringList>
#include <QStyle>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLineEdit;
class QObject;
class QPushButton;
class QToolButton;
class QValidator;
class QWidget;

namespace Widgets
{

// The designer name a control keeps for the tests.
template <typename W> W *named(W *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}
template <typename W> W *named(W *w, const char *name)
{
    return named(w, QString::fromLatin1(name));
}

// A field of a column: `columnChars` characters at most, none cut, and wide
// enough to show them all (limitText); 0 for no limit.
QLineEdit *columnField(const QString &name, int columnChars = 0, QWidget *parent = nullptr);
// A field of `maxLength` characters, upper case as typed when asked; as
// wide as the layout makes it.
QLineEdit *textField(const QString &name, int maxLength, bool upper, QWidget *parent = nullptr);
// A field whose text must match `pattern` as it is typed.
QLineEdit *patternField(const QString &name, const QString &pattern, int maxLength, QWidget *parent = nullptr);
// Shown, never typed into; `focus` says whether a click may reach it.
QLineEdit *readOnlyField(const QString &name, QWidget *parent = nullptr, Qt::FocusPolicy focus = Qt::ClickFocus);
// A date typed over its mask, dd/mm/yyyy.
QLineEdit *maskedDateField(const QString &name, QWidget *parent = nullptr);
// Digits only, at most `max` of them.
QValidator *digitsValidator(QObject *parent, int max);

QComboBox *pickList(const QString &name, const QStringList &items = {}, const QString &current = {},
                    QWidget *parent = nullptr);
// A date picker with its calendar, dd/MM/yyyy; `initial` when valid.
QDateEdit *datePicker(const QString &name, QWidget *parent = nullptr, const QDate &initial = {});
QCheckBox *checkBox(const QString &name, const QString &caption, QWidget *parent = nullptr);
QPushButton *button(const QString &name, const QString &caption, QWidget *parent = nullptr);
// An icon button beside the field it works on; its hint as tooltip, and as
// its caption too when `showText`.
QToolButton *toolButton(const QString &name, const QString &hint, QStyle::StandardPixmap icon, bool showText = false,
                        QWidget *parent = nullptr);

// Shows a stored text in a list; one the list no longer holds is added to
// it, so that it is still shown (and kept).
void showListText(QComboBox *box, const QString &text);

// The light red of a field that failed a check, until it is cleared.
void markFailed(QWidget *field, bool failed = true);
bool isMarkedFailed(const QWidget *field);

} // namespace Widgets
