#include "operations/print/tseleccionarimpresoraalderform.h"
#include "widgets/formwindow.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

static TSeleccionarImpresoraAlderForm::TestHook &testHook()
{
    static TSeleccionarImpresoraAlderForm::TestHook hook;
    return hook;
}

TSeleccionarImpresoraAlderForm::TSeleccionarImpresoraAlderForm(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("SeleccionarImpresoraAlderForm"));
    setWindowTitle(QStringLiteral("Seleccionar Formato de Ficha a Imprimir"));
    setModal(true);
    // A fixed dialog: no resizing, no help button.
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowCloseButtonHint | Qt::WindowTitleHint);

    auto *box = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    BitBtnHojaBlanco = new QPushButton(QStringLiteral("Imprimir en Hoja en Blanco"), this);
    BitBtnHojaBlanco->setObjectName(QStringLiteral("BitBtnHojaBlanco"));
    BitBtnPreimpreso = new QPushButton(QStringLiteral("Imprimir en Formulario Preimpreso"), this);
    BitBtnPreimpreso->setObjectName(QStringLiteral("BitBtnPreimpreso"));
    for (QPushButton *b : {BitBtnHojaBlanco, BitBtnPreimpreso}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(40);
        box->addWidget(b);
    }
    box->setSizeConstraint(QLayout::SetFixedSize);

    connect(BitBtnHojaBlanco, &QPushButton::clicked, this, [this] { done(QDialog::Accepted); });
    connect(BitBtnPreimpreso, &QPushButton::clicked, this, [this] { done(PreprintedResult); });
}

int TSeleccionarImpresoraAlderForm::choose(QWidget *parent)
{
    TSeleccionarImpresoraAlderForm dlg(parent);
    if (testHook())
        return testHook()(dlg);
    return dlg.exec();
}

void TSeleccionarImpresoraAlderForm::setTestHook(TestHook hook)
{
    testHook() = std::move(hook);
}
