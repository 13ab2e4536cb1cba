#pragma once

#include <QList>
#include <QString>

class Prompter;
class QComboBox;
class QLineEdit;
class QWidget;

namespace Cylinders
{

// One regulator line of the operation form.
struct RegulatorLineWidgets {
    QLineEdit *code = nullptr;
    QLineEdit *brand = nullptr;
    QLineEdit *serial = nullptr;
};

// Checks the line's code against the regulator catalogue: an empty code
// opens the look-up, a known one fills the brand, an unknown one is reported
// and looked up among the codes containing it. Returns true when the line
// ends with a catalogue code (the focus then on the serial, otherwise back on
// the code).
bool LookUpRegulator(const RegulatorLineWidgets &line, QWidget *parent, Prompter &prompter);

// The "Nuevo" regulator line, hidden until a modification retires the
// current regulator.
struct SecondRegulatorLine {
    QList<QWidget *> widgets; // everything of the line, label and button included
    QLineEdit *code = nullptr;
    QComboBox *gestion = nullptr;
    QComboBox *nuevo = nullptr;
};

// The current regulator's management changed to `gestion->currentText()`.
void RegulatorGestionChanged(QComboBox *gestion, const QString &kind, bool forbidsMountInModification,
                             const SecondRegulatorLine &second, Prompter &prompter);

} // namespace Cylinders
