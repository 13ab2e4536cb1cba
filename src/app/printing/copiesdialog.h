#pragma once

class QDialog;
class QSpinBox;
class QPushButton;

namespace Printing
{

// The two printing dialogs' controls: "Cantidad de Copias" (SpinEdit1, 1 to
// 999, 1 at first) and "Imprimir" (BitBtn1).
void BuildCopiesDialog(QDialog &dialog, QSpinBox *&copies, QPushButton *&print);

} // namespace Printing
