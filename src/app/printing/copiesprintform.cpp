#include "app/printing/copiesprintform.h"
#include "widgets/formwindow.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

CopiesPrintForm::CopiesPrintForm(QWidget *parent, Prompter &prompter, const QString &objectName, const QString &caption)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumWidth(340);
    SpinEdit1 = new QSpinBox(this);
    SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
    SpinEdit1->setRange(1, 999);
    SpinEdit1->setValue(1);
    SpinEdit1->setMinimumWidth(80);
    SpinEdit1->setMaximumWidth(100);
    BitBtn1 = new QPushButton(QStringLiteral("Imprimir"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    connect(BitBtn1, &QPushButton::clicked, this, &CopiesPrintForm::BitBtn1Click);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Cantidad de Copias"), SpinEdit1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addLayout(form);
    layout->addSpacing(8);
    layout->addLayout(buttons);
}

void CopiesPrintForm::BitBtn1Click()
{
    try {
        Report::ReportForm report = document();
        report.layout().copies = SpinEdit1->value();
        report.preview(this);
    } catch (const std::exception &e) {
        m_prompter.error(QString::fromUtf8(e.what()));
    }
}
