#pragma once

class Prompter;
class QComboBox;
class QLineEdit;
class QString;
class QWidget;

namespace Widgets
{
class FieldRules;
}

namespace OperationForm
{

class FieldKeys;

// What every group of the operation form works with: the form itself (the
// window its field rules belong to), where its questions go, and the form's
// key rules.
struct Context {
    QWidget *form;
    Prompter &prompter;
    FieldKeys &keys;
    Widgets::FieldRules &rules;
};

// Shows a stored text in a list: the list's own entry when it has one, the
// text itself in an editable list; a fixed list without it stays as it is.
void showText(QComboBox *box, const QString &text);
// The field takes upper case as typed.
void setUpperCase(QLineEdit *edit);

} // namespace OperationForm
