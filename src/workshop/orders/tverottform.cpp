#include "workshop/orders/tverottform.h"

#include "core/prompter.h"
#include "data/conversionorderstore.h"
#include "data/dberror.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QToolButton>

TVerOTTForm::TVerOTTForm(QWidget *parent, Prompter &prompter) : TAsignarTallerForm(parent, prompter)
{
    setObjectName(QStringLiteral("TVerOTTForm"));
    m_showsOwnerExtras = false;
    OrdenNroEdit->show();
    LabelOrdenNro->show();
    auto button = [this](const QString &name, const QString &caption) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(name);
        b->setAutoDefault(false);
        m_footerButtons->insertWidget(1, b);
        return b;
    };
    BitBtnEditar = button(QStringLiteral("BitBtnEditar"), QStringLiteral("Editar"));
    BitBtnReimprimir = button(QStringLiteral("BitBtnReimprimir"), QStringLiteral("Reimprimir"));
    BitBtnSalir = button(QStringLiteral("BitBtnSalir"), QStringLiteral("Salir"));
    disconnect(BitBtn2, nullptr, this, nullptr);
    connect(BitBtn2, &QPushButton::clicked, this, &TVerOTTForm::BitBtnCancelarClick);
    connect(BitBtnEditar, &QPushButton::clicked, this, &TVerOTTForm::BitBtnEditarClick);
    connect(BitBtnReimprimir, &QPushButton::clicked, this, &TVerOTTForm::BitBtnReimprimirClick);
    connect(BitBtnSalir, &QPushButton::clicked, this, &QDialog::reject);
    setEditing(false);
}

bool TVerOTTForm::Load(const QString &taller, int numero)
{
    std::optional<Orders::ConversionOrder> o;
    try {
        o = Widgets::ServerWait::run<std::optional<Orders::ConversionOrder>>(
            this, QStringLiteral("Leyendo la orden de conversión..."), Conn::PostVenta,
            [taller, numero] { return ConversionOrderStore::Load(taller, numero); });
    } catch (const DbError &e) {
        prompter().error(e.text());
        return false;
    }
    if (!o) {
        prompter().error(
            QStringLiteral("La Orden de Conversión %1 del taller %2 ya no existe.").arg(numero).arg(taller));
        return false;
    }
    showOrder(*o, m_showsOwnerExtras);
    setWindowTitle(QStringLiteral("Orden de Conversión %1 - %2").arg(numero).arg(taller));
    return true;
}

void TVerOTTForm::setEditing(bool editing)
{
    m_editing = editing;
    BitBtnSalir->setVisible(!editing);
    BitBtnReimprimir->setVisible(!editing);
    BitBtnEditar->setVisible(!editing);
    BitBtn1->setVisible(editing);
    BitBtn2->setVisible(editing);
    for (QLineEdit *e :
         {VinEdit, kmEdit, CilindroEdit, ElectronicaEdit, FlexxusEdit, CodigoRegularEdit, NroSerieReguladorEdit})
        e->setReadOnly(!editing);
    AnioSpinEdit->setReadOnly(!editing);
    RNuevoComboBox->setEnabled(editing);
    BitBtnBuscarPropietario->setEnabled(editing);
    SpeedButtonRegulador->setEnabled(editing);
    for (QPushButton *b : {BitBtnAgregarCilindro, BitBtnModificarCilindro, BitBtnBorrarCilindro})
        b->setEnabled(editing);
    // A role can be given to another technician here, never set back to nobody.
    setRoleButtonsEnabled(editing, false);
}

void TVerOTTForm::BitBtnEditarClick()
{
    setEditing(true);
}

void TVerOTTForm::BitBtnCancelarClick()
{
    // Back to viewing; what was changed on screen stays there, unsaved.
    setEditing(false);
}

void TVerOTTForm::BitBtnReimprimirClick()
{
    try {
        printOrder(order(), true);
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
}

void TVerOTTForm::BitBtn1Click()
{
    Orders::ConversionOrder o;
    try {
        o = order();
    } catch (const DbError &e) {
        prompter().error(e.text());
        return;
    }
    try {
        m_save.run(this, QStringLiteral("Guardando los cambios de la orden..."), Conn::PostVenta,
                   [o](WriteOnce::Ticket *t) { ConversionOrderStore::SaveEdit(o, t); });
    } catch (const DbError &e) {
        prompter().error(Widgets::WindowWrites::failure(
            QStringLiteral("No se guardaron los cambios de la orden de conversión: puede intentarlo de nuevo."), e));
        return;
    }
    setEditing(false);
    prompter().info(QStringLiteral("Se ha actualizado la Orden de Conversión."));
    if (prompter().ask(QStringLiteral("Desea imprimir la Orden de Conversión?")))
        printOrder(o, true);
    accept();
}
