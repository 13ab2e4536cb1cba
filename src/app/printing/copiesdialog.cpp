#include "app/printing/copiesdialog.h"

#include <QDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace Printing
{

void BuildCopiesDialog(QDialog &dialog, QSpinBox *&copies, QPushButton *&print)
{
    dialog.setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    dialog.setMinimumWidth(340);
    copies = new QSpinBox(&dialog);
    copies->setObjectName(QStringLiteral("SpinEdit1"));
    copies->setRange(1, 999);
    copies->setValue(1);
    copies->setMinimumWidth(80);
    copies->setMaximumWidth(100);
    print = new QPushButton(QStringLiteral("Imprimir"), &dialog);
    print->setObjectName(QStringLiteral("BitBtn1"));
    print->setDefault(true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Cantidad de Copias"), copies);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(print);
    auto *layout = new QVBoxLayout(&dialog);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

} // namespace Printing
