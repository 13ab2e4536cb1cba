#include "workshop/masters/tfallasform.h"

#include <QPushButton>

namespace
{

SimpleMasterForm::Setup setup()
{
    SimpleMasterForm::Setup s;
    s.list.objectName = QStringLiteral("TFallasForm");
    s.list.caption = QStringLiteral("Fallas");
    s.list.columns = {{QStringLiteral("Descripción de la Falla"), QStringLiteral("name"), 60}};
    s.list.palette = Widgets::GridPalette::Blue;
    s.list.size = {560, 460};
    s.table = MasterFiles::Table::Faults;
    s.confirmDelete = QStringLiteral("Esta seguro de borrar este registro?");
    s.duplicate = QStringLiteral("La falla %1 ya está cargada.");
    s.dialog = {QStringLiteral("TFallasEditForm"),
                QStringLiteral("Fallas"),
                QStringLiteral("Falla"),
                60,
                true,
                QStringLiteral("Se debe ingresar una descripción.")};
    s.filter = SimpleMasterForm::Filter::Toggle;
    return s;
}

} // namespace

TFallasForm::TFallasForm(QWidget *parent, Prompter &prompter) : SimpleMasterForm(setup(), parent, prompter)
{
    BitBtnAceptar = addButton(QStringLiteral("Aceptar"), QStringLiteral("BitBtnAceptar"));
    BitBtnCancelar = addButton(QStringLiteral("Cancelar"), QStringLiteral("BitBtnCancelar"));
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TFallasForm::BitBtnAceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    setMode(0);
}

void TFallasForm::setMode(int mode)
{
    m_mode = mode;
    const bool selecting = mode == 1;
    setPicking(selecting);
    BitBtnAceptar->setVisible(selecting);
    BitBtnCancelar->setVisible(selecting);
    for (QPushButton *b : {BitBtnCerrar, BitBtnAgregar, BitBtnEditar, BitBtnBorrar})
        b->setVisible(!selecting);
    if (selecting)
        acceptOnDoubleClick(BitBtnAceptar);
}

void TFallasForm::BitBtnAceptarClick()
{
    if (current())
        accept();
}
