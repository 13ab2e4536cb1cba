// Controls and layout of the conversion-order form.
#include "core/owner.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/resultgrid.h"
#include "widgets/uppercasevalidator.h"
#include "workshop/orders/tasignartallerform.h"

#include <QApplication>
#include <QComboBox>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

void TAsignarTallerForm::buildUi()
{
    setObjectName(QStringLiteral("TAsignarTallerForm"));
    setWindowTitle(QStringLiteral("Orden de Conversión"));
    setModal(true);
    resize(980, 720);

    // Header: title and logo, workshop, date, dealer.
    LabelTitulo =
        Widgets::named(new QLabel(QStringLiteral("ORDEN DE CONVERSION  "), this), QStringLiteral("LabelTitulo"));
    QFont big = LabelTitulo->font();
    big.setPointSize(big.pointSize() + 8);
    big.setBold(true);
    LabelTitulo->setFont(big);
    ImageLogo = Widgets::named(new QLabel(this), QStringLiteral("ImageLogo"));
    if (QFile::exists(QStringLiteral("LogoTarvil.jpg")))
        ImageLogo->setPixmap(QPixmap(QStringLiteral("LogoTarvil.jpg")).scaledToHeight(48, Qt::SmoothTransformation));
    TallerEdit = Widgets::readOnlyField(QStringLiteral("TallerEdit"), this);
    FechaEdit = Widgets::readOnlyField(QStringLiteral("FechaEdit"), this);
    OrdenNroEdit = Widgets::readOnlyField(QStringLiteral("OrdenNroEdit"), this);
    LabelOrdenNro = new QLabel(QStringLiteral("Orden Nro"), this);
    OrdenNroEdit->hide();
    LabelOrdenNro->hide();
    DBLookupComboBox3 = Widgets::named(new QComboBox(this), QStringLiteral("DBLookupComboBox3"));
    DBLookupComboBox3->setMinimumWidth(260);

    auto *header = new QGridLayout;
    header->addWidget(ImageLogo, 0, 0, 2, 1);
    header->addWidget(LabelTitulo, 0, 1, 1, 4);
    header->addWidget(new QLabel(QStringLiteral("Taller"), this), 1, 1);
    header->addWidget(TallerEdit, 1, 2);
    header->addWidget(new QLabel(QStringLiteral("Fecha"), this), 1, 3);
    header->addWidget(FechaEdit, 1, 4);
    header->addWidget(LabelOrdenNro, 1, 5);
    header->addWidget(OrdenNroEdit, 1, 6);
    header->addWidget(new QLabel(QStringLiteral("Concesionario"), this), 1, 7);
    header->addWidget(DBLookupComboBox3, 1, 8);
    header->setColumnStretch(8, 1);

    // "Vehículo"
    auto *vehicle = Widgets::named(new QGroupBox(QStringLiteral("Vehículo"), this), QStringLiteral("GroupBoxVehiculo"));
    DBLookupComboBox1 = Widgets::named(new QComboBox(vehicle), QStringLiteral("DBLookupComboBox1"));
    DBLookupComboBox2 = Widgets::named(new QComboBox(vehicle), QStringLiteral("DBLookupComboBox2"));
    AnioSpinEdit = Widgets::named(new QSpinBox(vehicle), QStringLiteral("AnioSpinEdit"));
    AnioSpinEdit->setRange(1950, 2050);
    AnioSpinEdit->setValue(2000);
    DominioEdit = Widgets::textField(QStringLiteral("DominioEdit"), 7, true, vehicle);
    VinEdit = Widgets::textField(QStringLiteral("VinEdit"), 30, true, vehicle);
    kmEdit = Widgets::textField(QStringLiteral("kmEdit"), 9, false, vehicle);
    kmEdit->setValidator(Widgets::digitsValidator(kmEdit, 9));
    kmEdit->setText(QStringLiteral("0"));
    CilindroEdit = Widgets::textField(QStringLiteral("CilindroEdit"), 60, true, vehicle);
    ElectronicaEdit = Widgets::textField(QStringLiteral("ElectronicaEdit"), 60, true, vehicle);
    FlexxusEdit = Widgets::textField(QStringLiteral("FlexxusEdit"), 9, false, vehicle);
    FlexxusEdit->setValidator(Widgets::digitsValidator(FlexxusEdit, 9));
    auto *v = new QGridLayout(vehicle);
    auto cell = [&](int row, int col, const QString &caption, QWidget *w, int span = 1) {
        auto *l = new QLabel(caption, vehicle);
        l->setBuddy(w);
        v->addWidget(l, row, col);
        v->addWidget(w, row, col + 1, 1, span);
    };
    cell(0, 0, QStringLiteral("Marca"), DBLookupComboBox1);
    cell(0, 2, QStringLiteral("Modelo"), DBLookupComboBox2);
    cell(0, 4, QStringLiteral("Año"), AnioSpinEdit);
    cell(1, 0, QStringLiteral("Dominio"), DominioEdit);
    cell(1, 2, QStringLiteral("VIN"), VinEdit);
    cell(1, 4, QStringLiteral("km"), kmEdit);
    cell(2, 0, QStringLiteral("Cilindro"), CilindroEdit, 3);
    cell(2, 4, QStringLiteral("Comprobante Flexxus"), FlexxusEdit);
    cell(3, 0, QStringLiteral("Electrónica"), ElectronicaEdit, 3);
    v->setColumnStretch(1, 1);
    v->setColumnStretch(3, 1);

    PageControl1 = Widgets::named(new QTabWidget(this), QStringLiteral("PageControl1"));

    // "Propietario": copied from the owners list, not typed.
    auto *ownerTab = Widgets::named(new QWidget, QStringLiteral("TabPropietario"));
    BitBtnBuscarPropietario =
        Widgets::button(QStringLiteral("BitBtnBuscarPropietario"), QStringLiteral("Buscar Propietario"), ownerTab);
    PropietarioIdEdit = Widgets::readOnlyField(QStringLiteral("PropietarioIdEdit"), ownerTab);
    PropietarioEdit = Widgets::readOnlyField(QStringLiteral("PropietarioEdit"), ownerTab);
    EmailEdit = Widgets::readOnlyField(QStringLiteral("EmailEdit"), ownerTab);
    CaracteristicaEdit = Widgets::readOnlyField(QStringLiteral("CaracteristicaEdit"), ownerTab);
    CaracteristicaEdit->setMaximumWidth(60);
    CelularEdit = Widgets::readOnlyField(QStringLiteral("CelularEdit"), ownerTab);
    DireccionEdit = Widgets::readOnlyField(QStringLiteral("DireccionEdit"), ownerTab);
    BarrioEdit = Widgets::readOnlyField(QStringLiteral("BarrioEdit"), ownerTab);
    LocalidadEdit = Widgets::readOnlyField(QStringLiteral("LocalidadEdit"), ownerTab);
    CPAEdit = Widgets::readOnlyField(QStringLiteral("CPAEdit"), ownerTab);
    ProvinciaEdit = Widgets::readOnlyField(QStringLiteral("ProvinciaEdit"), ownerTab);
    TipoDocComboBox = Widgets::named(new QComboBox(ownerTab), QStringLiteral("TipoDocComboBox"));
    TipoDocComboBox->addItems(Owners::DocumentTypes());
    TipoDocComboBox->setCurrentIndex(-1);
    NroDocEdit = Widgets::readOnlyField(QStringLiteral("NroDocEdit"), ownerTab);
    auto *o = new QGridLayout(ownerTab);
    int row = 0;
    auto ownerLine = [&](const QString &caption, QWidget *w, int col = 0, int span = 1) {
        o->addWidget(new QLabel(caption, ownerTab), row, col);
        o->addWidget(w, row, col + 1, 1, span);
    };
    o->addWidget(BitBtnBuscarPropietario, row++, 0, 1, 2);
    ownerLine(QStringLiteral("ID"), PropietarioIdEdit);
    ownerLine(QStringLiteral("Apellido y Nombre"), PropietarioEdit, 2, 3);
    ++row;
    ownerLine(QStringLiteral("e-mail:"), EmailEdit);
    auto *phone = new QHBoxLayout;
    phone->addWidget(new QLabel(QStringLiteral("("), ownerTab));
    phone->addWidget(CaracteristicaEdit);
    phone->addWidget(new QLabel(QStringLiteral(")"), ownerTab));
    phone->addWidget(CelularEdit, 1);
    o->addWidget(new QLabel(QStringLiteral("Celular"), ownerTab), row, 2);
    o->addLayout(phone, row++, 3, 1, 2);
    ownerLine(QStringLiteral("Dirección"), DireccionEdit);
    ownerLine(QStringLiteral("Barrio"), BarrioEdit, 2);
    ++row;
    ownerLine(QStringLiteral("Localidad"), LocalidadEdit);
    ownerLine(QStringLiteral("CPA"), CPAEdit, 2);
    ++row;
    ownerLine(QStringLiteral("Provincia"), ProvinciaEdit);
    ++row;
    ownerLine(QStringLiteral("Tipo"), TipoDocComboBox);
    ownerLine(QStringLiteral("Nro. Documento"), NroDocEdit, 2);
    o->setRowStretch(++row, 1);
    o->setColumnStretch(1, 1);
    o->setColumnStretch(3, 1);
    PageControl1->addTab(ownerTab, QStringLiteral("Propietario"));

    // "Regulador"
    auto *regTab = Widgets::named(new QWidget, QStringLiteral("TabRegulador"));
    CodigoRegularEdit = Widgets::textField(QStringLiteral("CodigoRegularEdit"), 4, true, regTab);
    CodigoRegularEdit->setMaximumWidth(90);
    SpeedButtonRegulador = Widgets::named(new QToolButton(regTab), QStringLiteral("SpeedButtonRegulador"));
    SpeedButtonRegulador->setIcon(QApplication::style()->standardIcon(QStyle::SP_FileDialogContentsView));
    SpeedButtonRegulador->setToolTip(QStringLiteral("Buscar Regulador"));
    SpeedButtonRegulador->setFocusPolicy(Qt::NoFocus);
    MarcaReguladorEdit = Widgets::readOnlyField(QStringLiteral("MarcaReguladorEdit"), regTab);
    NroSerieReguladorEdit = Widgets::textField(QStringLiteral("NroSerieReguladorEdit"), 25, true, regTab);
    RNuevoComboBox = Widgets::named(new QComboBox(regTab), QStringLiteral("RNuevoComboBox"));
    RNuevoComboBox->addItems({QStringLiteral("NO"), QStringLiteral("SI")});
    RNuevoComboBox->setCurrentText(QStringLiteral("SI"));
    auto *r = new QGridLayout(regTab);
    r->addWidget(new QLabel(QStringLiteral("Código"), regTab), 0, 0);
    auto *code = new QHBoxLayout;
    code->addWidget(CodigoRegularEdit);
    code->addWidget(SpeedButtonRegulador);
    code->addStretch(1);
    r->addLayout(code, 0, 1);
    r->addWidget(new QLabel(QStringLiteral("Marca "), regTab), 1, 0);
    r->addWidget(MarcaReguladorEdit, 1, 1);
    r->addWidget(new QLabel(QStringLiteral("Nro. de Serie"), regTab), 2, 0);
    r->addWidget(NroSerieReguladorEdit, 2, 1);
    r->addWidget(new QLabel(QStringLiteral("Nuevo"), regTab), 3, 0);
    r->addWidget(RNuevoComboBox, 3, 1, Qt::AlignLeft);
    r->setRowStretch(4, 1);
    r->setColumnStretch(2, 1);
    PageControl1->addTab(regTab, QStringLiteral("Regulador"));

    // "Cilindros"
    auto *cilTab = Widgets::named(new QWidget, QStringLiteral("TabCilindros"));
    DBGridCilindros = Widgets::named(new QTableView(cilTab), QStringLiteral("DBGridCilindros"));
    Widgets::setUpResultGrid(DBGridCilindros, m_cylinderRows);
    BitBtnAgregarCilindro =
        Widgets::button(QStringLiteral("BitBtnAgregarCilindro"), QStringLiteral("Agregar Cilindro"), cilTab);
    BitBtnModificarCilindro = Widgets::button(QStringLiteral("BitBtnModificarCilindro"),
                                              QStringLiteral("Modificar Datos del Cilindro"), cilTab);
    BitBtnBorrarCilindro =
        Widgets::button(QStringLiteral("BitBtnBorrarCilindro"), QStringLiteral("Borrar Cilindro"), cilTab);
    GroupBoxValvula =
        Widgets::named(new QGroupBox(QStringLiteral("Válvula de Cilindro"), cilTab), QStringLiteral("GroupBoxValvula"));
    ValCodEdit = Widgets::readOnlyField(QStringLiteral("ValCodEdit"), GroupBoxValvula);
    ValNroEdit = Widgets::readOnlyField(QStringLiteral("ValNroEdit"), GroupBoxValvula);
    ValGestEdit = Widgets::readOnlyField(QStringLiteral("ValGestEdit"), GroupBoxValvula);
    auto *valve = new QHBoxLayout(GroupBoxValvula);
    valve->addWidget(new QLabel(QStringLiteral("Código"), GroupBoxValvula));
    valve->addWidget(ValCodEdit);
    valve->addWidget(new QLabel(QStringLiteral("Nro Serie"), GroupBoxValvula));
    valve->addWidget(ValNroEdit);
    valve->addWidget(new QLabel(QStringLiteral("Gestión"), GroupBoxValvula));
    valve->addWidget(ValGestEdit);
    auto *certificate =
        Widgets::named(new QGroupBox(QStringLiteral("Certificado"), cilTab), QStringLiteral("GroupBoxCertificado"));
    NroCertifEdit = Widgets::readOnlyField(QStringLiteral("NroCertifEdit"), certificate);
    (new QHBoxLayout(certificate))->addWidget(NroCertifEdit);
    auto *c = new QVBoxLayout(cilTab);
    auto *cilButtons = new QHBoxLayout;
    cilButtons->addWidget(BitBtnAgregarCilindro);
    cilButtons->addWidget(BitBtnModificarCilindro);
    cilButtons->addWidget(BitBtnBorrarCilindro);
    cilButtons->addStretch(1);
    c->addWidget(DBGridCilindros, 1);
    c->addLayout(cilButtons);
    auto *details = new QHBoxLayout;
    details->addWidget(GroupBoxValvula, 3);
    details->addWidget(certificate, 1);
    c->addLayout(details);
    PageControl1->addTab(cilTab, QStringLiteral("Cilindros"));

    // "Operarios"
    auto *techTab = Widgets::named(new QWidget, QStringLiteral("TabOperarios"));
    DBGridOperarios = Widgets::named(new QTableView(techTab), QStringLiteral("DBGridOperarios"));
    Widgets::setUpResultGrid(DBGridOperarios, m_technicianRows);
    auto *roles = new QGridLayout;
    static const char *const roleNames[] = {"Electricista", "Instalador", "Cunero", "ControlPerdidas", "Programador"};
    for (int i = 0; i < Orders::kRoleCount; ++i) {
        const QString n = QLatin1String(roleNames[i]);
        RoleEdits[i] = Widgets::readOnlyField(QString(), techTab);
        RoleEdits[i]->setObjectName(n + QStringLiteral("Edit"));
        AsignarButtons[i] = Widgets::button(QStringLiteral("BitBtnAsignar") + n, QStringLiteral("Asignar"), techTab);
        QuitarButtons[i] = Widgets::named(new QToolButton(techTab), QStringLiteral("SpeedButtonQuitar") + n);
        QuitarButtons[i]->setIcon(QApplication::style()->standardIcon(QStyle::SP_DialogDiscardButton));
        QuitarButtons[i]->setToolTip(QStringLiteral("Sin asignar"));
        roles->addWidget(new QLabel(Orders::RoleCaption(Orders::Role(i)), techTab), i, 0);
        roles->addWidget(RoleEdits[i], i, 1);
        roles->addWidget(AsignarButtons[i], i, 2);
        roles->addWidget(QuitarButtons[i], i, 3);
    }
    LinkTecnicos = Widgets::button(QStringLiteral("LinkTecnicos"), QStringLiteral("Técnicos"), techTab);
    LinkTecnicos->setFlat(true);
    LinkTecnicos->setCursor(Qt::PointingHandCursor);
    LinkTecnicos->setStyleSheet(QStringLiteral("QPushButton { color: blue; text-decoration: underline; border: none; }"
                                               "QPushButton:hover { color: red; }"));
    roles->addWidget(LinkTecnicos, Orders::kRoleCount, 0, Qt::AlignLeft);
    roles->setRowStretch(Orders::kRoleCount + 1, 1);
    auto *t = new QHBoxLayout(techTab);
    t->addWidget(DBGridOperarios, 1);
    t->addLayout(roles, 1);
    PageControl1->addTab(techTab, QStringLiteral("Operarios"));

    // Footer: remarks and the buttons.
    auto *remarks =
        Widgets::named(new QGroupBox(QStringLiteral("Observaciones/Adicionales"), this), QStringLiteral("GroupBoxObs"));
    auto *rl = new QVBoxLayout(remarks);
    for (int i = 0; i < 3; ++i) {
        ObsEdits[i] = Widgets::textField(QString(), 105, true, remarks);
        ObsEdits[i]->setObjectName(QStringLiteral("ObsEdit%1").arg(i + 1));
        rl->addWidget(ObsEdits[i]);
    }
    BitBtn1 = Widgets::button(QStringLiteral("BitBtn1"), QStringLiteral("Aceptar"), this);
    BitBtn2 = Widgets::button(QStringLiteral("BitBtn2"), QStringLiteral("Cancelar"), this);
    m_footerButtons = new QHBoxLayout;
    m_footerButtons->addStretch(1);
    m_footerButtons->addWidget(BitBtn1);
    m_footerButtons->addWidget(BitBtn2);

    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addLayout(header);
    layout->addWidget(vehicle);
    layout->addWidget(PageControl1, 1);
    layout->addWidget(remarks);
    layout->addLayout(m_footerButtons);
}
