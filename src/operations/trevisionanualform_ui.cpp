// Controls and layout of the operation form.
#include "operations/trevisionanualform.h"

#include "app/navigator.h"
#include "core/clock.h"
#include "core/global.h"
#include "core/helpers.h"
#include "core/installationprofile.h"
#include "core/operationkind.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "operations/cylinders/cylinderlist.h"
#include "operations/linklabel.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/resultgrid.h"
#include "widgets/textfield.h"
#include "widgets/uppercasevalidator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QStyle>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

namespace
{

// A part of the form that lays its blocks out again as the window's width
// changes, so that the fields scroll up and down, never sideways; each field
// keeps the width of its longest value.
class Reflowing : public QWidget
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window() && event->type() == QEvent::Resize)
            follow();
        return false;
    }

protected:
    Reflowing()
    {
        m_grid = new QGridLayout(this);
        m_grid->setContentsMargins(0, 0, 0, 0);
    }

    // `room`: the width the window leaves the part (its margins and a
    // vertical scroll bar taken off).
    virtual void reflow(int room) = 0;

    void showEvent(QShowEvent *event) override
    {
        if (!m_watching) {
            m_watching = true;
            window()->installEventFilter(this);
        }
        follow();
        QWidget::showEvent(event);
    }

    static int least(const QWidget *w) { return qMax(w->minimumWidth(), w->minimumSizeHint().width()); }
    int gap() const { return qMax(m_grid->horizontalSpacing(), 0); }
    void clear(const QList<QWidget *> &widgets)
    {
        for (QWidget *w : widgets)
            m_grid->removeWidget(w);
        for (int i = 0; i < 4; ++i) {
            m_grid->setRowStretch(i, 0);
            m_grid->setColumnStretch(i, 0);
        }
    }

    QGridLayout *m_grid;

private:
    void follow()
    {
        constexpr int kFormMargins = 8 + 8;
        reflow(window()->width() - kFormMargins - style()->pixelMetric(QStyle::PM_ScrollBarExtent));
    }

    bool m_watching = false;
};

// Vehicle and regulator beside the owner while the window is wide enough for
// the three; on a narrower one (125 % and more on a laptop) the regulator
// goes below vehicle and owner, and narrower still all stand in one column.
class UpperBlocks : public Reflowing
{
public:
    UpperBlocks(QWidget *vehicle, QWidget *regulator, QWidget *owner)
        : m_vehicle(vehicle), m_regulator(regulator), m_owner(owner)
    {
        m_grid->setVerticalSpacing(4);
        arrange(Wide);
    }

private:
    enum Arrangement { Wide, Medium, Narrow };

    void reflow(int room) override
    {
        if (room >= qMax(least(m_vehicle), least(m_regulator)) + gap() + least(m_owner))
            arrange(Wide);
        else if (room >= qMax(least(m_vehicle) + gap() + least(m_owner), least(m_regulator)))
            arrange(Medium);
        else
            arrange(Narrow);
    }

    void arrange(Arrangement a)
    {
        if (a == m_now)
            return;
        m_now = a;
        clear({m_vehicle, m_regulator, m_owner});
        m_grid->addWidget(m_vehicle, 0, 0, Qt::AlignTop);
        switch (a) {
        case Wide:
            m_grid->addWidget(m_regulator, 1, 0, Qt::AlignTop);
            m_grid->addWidget(m_owner, 0, 1, 2, 1, Qt::AlignTop);
            m_grid->setRowStretch(1, 1);
            m_grid->setColumnStretch(1, 1);
            break;
        case Medium:
            m_grid->addWidget(m_owner, 0, 1, Qt::AlignTop);
            m_grid->addWidget(m_regulator, 1, 0, 1, 2);
            m_grid->setColumnStretch(1, 1);
            break;
        case Narrow:
            m_grid->addWidget(m_regulator, 1, 0);
            m_grid->addWidget(m_owner, 2, 0);
            break;
        }
        m_grid->setColumnStretch(0, 1);
    }

    QWidget *m_vehicle;
    QWidget *m_regulator;
    QWidget *m_owner;
    Arrangement m_now = Narrow;
};

// The three dates, then the observations with the rest of the row; below the
// dates when the row has no room for the whole field.
class DatesRow : public Reflowing
{
public:
    DatesRow(QWidget *dates, QWidget *observations) : m_dates(dates), m_observations(observations)
    {
        m_grid->setVerticalSpacing(3);
        arrange(false);
    }

private:
    void reflow(int room) override { arrange(room < least(m_dates) + gap() + least(m_observations)); }

    void arrange(bool below)
    {
        if (m_arranged && below == m_below)
            return;
        m_arranged = true;
        m_below = below;
        clear({m_dates, m_observations});
        m_grid->addWidget(m_dates, 0, 0, Qt::AlignLeft);
        if (below) {
            m_grid->addWidget(m_observations, 1, 0);
            m_grid->setColumnStretch(0, 1);
        } else {
            m_grid->addWidget(m_observations, 0, 1);
            m_grid->setColumnStretch(1, 1);
        }
    }

    QWidget *m_dates;
    QWidget *m_observations;
    bool m_below = false;
    bool m_arranged = false;
};

} // namespace

void TRevisionAnualForm::buildUi()
{
    // The upper blocks as wide as the window lets them be, the cylinders
    // across the whole width below them, whatever buttons the profile adds.
    auto *root = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    root->setContentsMargins(8, 6, 8, 6);
    root->setSpacing(4);
    root->addWidget(buildTopRow());

    QWidget *vehicle = buildVehicle();
    QWidget *regulator = buildRegulator();
    QWidget *owner = buildOwner();
    root->addWidget(new UpperBlocks(vehicle, regulator, owner));
    root->addWidget(buildCylinders(), 1);
    root->addWidget(buildDatesAndObservations());
    root->addWidget(buildButtons());
    buildProgressPanel();
    resize(1330, 690); // a 1366x768 screen, below the taskbar, with the window frame
}

QWidget *TRevisionAnualForm::buildTopRow()
{
    auto *w = new QWidget;
    auto *g = new QGridLayout(w);
    g->setContentsMargins(0, 0, 0, 0);

    Image1 = Widgets::named(new QLabel, "Image1");
    Image1->setVisible(false);
    g->addWidget(Image1, 0, 0, 2, 1);

    LabelObleaAnt = Widgets::named(new QLabel(QStringLiteral("Oblea Anterior")), "LabelObleaAnt");
    ObleaAntEdit = Widgets::columnField("ObleaAntEdit", 10);
    AnioObleaAnteriorEdit = Widgets::columnField("AnioObleaAnteriorEdit", 2);
    AnioObleaAnteriorEdit->setVisible(false); // filled by recall, never shown
    SpeedButton1 = Widgets::toolButton("SpeedButton1", QStringLiteral("Traer datos de la oblea"),
                                       QStyle::SP_FileDialogContentsView);
    LabelObleaNew = Widgets::named(new QLabel(QStringLiteral("Oblea Asignada")), "LabelObleaNew");
    ObleaNewEdit = Widgets::columnField("ObleaNewEdit", 10);
    LabelTaller = Widgets::named(new QLabel(QStringLiteral("Taller")), "LabelTaller");
    tallerEdit = Widgets::named(new QComboBox, "tallerEdit");
    LabelTaller->setVisible(false);
    tallerEdit->setVisible(false);

    auto *stickers = new QHBoxLayout;
    stickers->addWidget(LabelObleaAnt);
    stickers->addWidget(ObleaAntEdit);
    stickers->addWidget(AnioObleaAnteriorEdit);
    stickers->addWidget(SpeedButton1);
    stickers->addSpacing(12);
    stickers->addWidget(LabelObleaNew);
    stickers->addWidget(ObleaNewEdit);
    stickers->addSpacing(12);
    stickers->addWidget(LabelTaller);
    stickers->addWidget(tallerEdit);
    stickers->addStretch(1);
    g->addLayout(stickers, 0, 1);

    SpeedButton2 = Widgets::toolButton("SpeedButton2", QStringLiteral("Buscar por Dominio"),
                                       QStyle::SP_FileDialogContentsView, true);
    Label35 = Widgets::named(new LinkLabel(QStringLiteral("Buscar por Propietario")), "Label35");
    Label36 = Widgets::named(new LinkLabel(QStringLiteral("Buscar por Cilindro")), "Label36");
    Label37 = Widgets::named(new LinkLabel(QStringLiteral("Buscar por Regulador")), "Label37");
    TraerDesdeOCLabel = Widgets::named(new LinkLabel(QStringLiteral("Traer desde OC")), "TraerDesdeOCLabel");
    TraerDesdeOCLabel->setVisible(false);
    auto *searches = new QHBoxLayout;
    searches->addWidget(SpeedButton2);
    for (QLabel *l : {static_cast<QLabel *>(Label35), static_cast<QLabel *>(Label36), static_cast<QLabel *>(Label37),
                      static_cast<QLabel *>(TraerDesdeOCLabel)}) {
        searches->addSpacing(14);
        searches->addWidget(l);
    }
    searches->addStretch(1);
    g->addLayout(searches, 1, 1);
    return w;
}

QGroupBox *TRevisionAnualForm::buildVehicle()
{
    GroupBoxVehiculo = Widgets::named(new QGroupBox(QStringLiteral("Vehículo")), "GroupBoxVehiculo");
    auto *g = new QGridLayout(GroupBoxVehiculo);
    g->setVerticalSpacing(3);

    MarcaEdit = Widgets::columnField("MarcaEdit", 10);
    ModeloEdit = Widgets::columnField("ModeloEdit", 20);
    AnioSpinEdit = Widgets::named(new QSpinBox, "AnioSpinEdit");
    AnioSpinEdit->setRange(0, 9999); // out-of-range years reach the leave check and its message
    AnioSpinEdit->setValue(2000);
    InyeccionComboEdit =
        Widgets::pickList("InyeccionComboEdit", {QStringLiteral("SI"), QStringLiteral("NO")}, QStringLiteral("NO"));
    TipoComboEdit = Widgets::pickList("TipoComboEdit", VehicleUseTexts(), QStringLiteral("PARTICULAR"));
    DominioEdit = Widgets::columnField("DominioEdit");
    Widgets::reserveChars(DominioEdit, 9); // udominio, unmasked
    SpeedButtonClear = Widgets::toolButton("SpeedButtonClear", QStringLiteral("Limpiar Formato Dominio"),
                                           QStyle::SP_DialogResetButton);
    // Only of use while the plate has the focus: Tab never takes it there.
    SpeedButtonClear->setFocusPolicy(Qt::NoFocus);
    SpeedButtonClear->setEnabled(false);
    VINEdit = Widgets::columnField("VINEdit", 30);

    auto *domainRow = new QHBoxLayout;
    domainRow->setSpacing(2);
    domainRow->addWidget(DominioEdit, 1);
    domainRow->addWidget(SpeedButtonClear);
    g->addWidget(new QLabel(QStringLiteral("Marca")), 0, 0);
    g->addWidget(MarcaEdit, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Modelo")), 0, 2);
    g->addWidget(ModeloEdit, 0, 3);
    g->addWidget(new QLabel(QStringLiteral("Año")), 1, 0);
    g->addWidget(AnioSpinEdit, 1, 1);
    g->addWidget(new QLabel(QStringLiteral("Inyección")), 1, 2);
    g->addWidget(InyeccionComboEdit, 1, 3, Qt::AlignLeft);
    g->addWidget(new QLabel(QStringLiteral("Tipo de Vehículo")), 2, 0);
    g->addWidget(TipoComboEdit, 2, 1);
    g->addWidget(new QLabel(QStringLiteral("Dominio")), 2, 2);
    g->addLayout(domainRow, 2, 3);
    g->addWidget(new QLabel(QStringLiteral("VIN")), 3, 0);
    g->addWidget(VINEdit, 3, 1, 1, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 2);
    return GroupBoxVehiculo;
}

QGroupBox *TRevisionAnualForm::buildOwner()
{
    GroupBoxPropietario = Widgets::named(new QGroupBox(QStringLiteral("Propietario")), "GroupBoxPropietario");
    auto *g = new QGridLayout(GroupBoxPropietario);
    g->setVerticalSpacing(3);

    LabelNombre = Widgets::named(new QLabel(QStringLiteral("Apellido y Nombre")), "LabelNombre");
    NombreEdit = Widgets::columnField("NombreEdit", 34);
    SpeedButtonPropietarios = Widgets::toolButton("SpeedButtonPropietarios", QStringLiteral("Buscar por Propietario"),
                                                  QStyle::SP_DirOpenIcon);
    SpeedButtonPropietarios->setVisible(false);
    DNIComboBox = Widgets::pickList("DNIComboBox",
                                    {QStringLiteral("DNI"), QStringLiteral("CUIT"), QStringLiteral("CI"),
                                     QStringLiteral("LC"), QStringLiteral("LE")},
                                    QStringLiteral("DNI"));
    DNIComboBox->setEditable(true); // other document types may be typed
    DNIComboBox->setInsertPolicy(QComboBox::NoInsert);
    Widgets::limitText(DNIComboBox, 10, true); // utipdoc
    DNIComboBox->setCurrentText(QStringLiteral("DNI"));
    NroDocEdit = Widgets::columnField("NroDocEdit");
    Widgets::reserveChars(NroDocEdit, 20); // unrodoc, when a stored number fits no mask
    SpeedButton9 =
        Widgets::toolButton("SpeedButton9", QStringLiteral("Buscar por Documento"), QStyle::SP_FileDialogContentsView);
    CalleEdit = Widgets::columnField("CalleEdit", 43);
    BarrioEdit = Widgets::columnField("BarrioEdit", 17);
    CodigoEdit = Widgets::columnField("CodigoEdit", 4);
    LocalidadEdit = Widgets::columnField("LocalidadEdit", 18);
    ProvinciaComboBox = Widgets::pickList("ProvinciaComboBox", KnownProvinces(), QString());
    ProvinciaComboBox->setEditable(true); // free text, checked on leaving
    ProvinciaComboBox->setInsertPolicy(QComboBox::NoInsert);
    Widgets::limitText(ProvinciaComboBox, 20, true);
    ComboBoxTipoTE = Widgets::pickList("ComboBoxTipoTE", {QStringLiteral("CELULAR"), QStringLiteral("FIJO")},
                                       QStringLiteral("CELULAR"));
    CaracteristicaEdit = Widgets::columnField("CaracteristicaEdit", 4);
    CaracteristicaEdit->setMaximumWidth(CaracteristicaEdit->minimumWidth() + 12);
    CaracteristicaEdit->setPlaceholderText(QStringLiteral("Sin 0 "));
    CaracteristicaEdit->setToolTip(QStringLiteral("Sin 0 "));
    TelefonoEdit = Widgets::columnField("TelefonoEdit", 10);
    CheckBoxFormatoTE = Widgets::named(new QCheckBox, "CheckBoxFormatoTE");
    CheckBoxFormatoTE->setToolTip(QStringLiteral("Controlar Formato TE"));
    CheckBoxFormatoTE->setText(QStringLiteral("Controlar Formato TE"));
    CheckBoxFormatoTE->setChecked(true);
    ComboBoxTipoTE->setEnabled(false); // only while the format check is off
    emailEdit = Widgets::columnField("emailEdit", 50);

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(NombreEdit, 1);
    nameRow->addWidget(SpeedButtonPropietarios);
    g->addWidget(LabelNombre, 0, 0);
    g->addLayout(nameRow, 0, 1, 1, 3);

    auto *docRow = new QHBoxLayout;
    docRow->addWidget(DNIComboBox);
    docRow->addSpacing(6);
    docRow->addWidget(new QLabel(QStringLiteral("Nro. Documento")));
    docRow->addWidget(NroDocEdit, 1);
    docRow->addWidget(SpeedButton9);
    g->addWidget(new QLabel(QStringLiteral("Tipo")), 1, 0);
    g->addLayout(docRow, 1, 1, 1, 3);

    g->addWidget(new QLabel(QStringLiteral("Calle y Número")), 2, 0);
    g->addWidget(CalleEdit, 2, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("Barrio")), 3, 0);
    g->addWidget(BarrioEdit, 3, 1);
    g->addWidget(new QLabel(QStringLiteral("CPA")), 3, 2);
    g->addWidget(CodigoEdit, 3, 3);
    g->addWidget(new QLabel(QStringLiteral("Localidad")), 4, 0);
    g->addWidget(LocalidadEdit, 4, 1);
    g->addWidget(new QLabel(QStringLiteral("Provincia")), 4, 2);
    g->addWidget(ProvinciaComboBox, 4, 3);

    auto *typeRow = new QHBoxLayout;
    typeRow->addWidget(ComboBoxTipoTE);
    typeRow->addWidget(CheckBoxFormatoTE);
    typeRow->addStretch(1);
    g->addWidget(new QLabel(QStringLiteral("Tipo Teléfono")), 5, 0);
    g->addLayout(typeRow, 5, 1, 1, 3);
    auto *phoneRow = new QHBoxLayout;
    phoneRow->addWidget(CaracteristicaEdit);
    phoneRow->addWidget(TelefonoEdit, 1);
    g->addWidget(new QLabel(QStringLiteral("Caracteristica y Número")), 6, 0);
    g->addLayout(phoneRow, 6, 1, 1, 3);
    g->addWidget(new QLabel(QStringLiteral("e-mail:")), 7, 0);
    g->addWidget(emailEdit, 7, 1, 1, 3);
    g->setColumnStretch(1, 3);
    g->setColumnStretch(3, 2);
    return GroupBoxPropietario;
}

QGroupBox *TRevisionAnualForm::buildRegulator()
{
    GroupBoxRegulador = Widgets::named(new QGroupBox(QStringLiteral("Regulador")), "GroupBoxRegulador");
    auto *g = new QGridLayout(GroupBoxRegulador);
    g->setVerticalSpacing(3);
    const QStringList titles = {QStringLiteral("Código"),
                                QString(),
                                QStringLiteral("Marca "),
                                QStringLiteral("Nro. de Serie"),
                                QStringLiteral("Código de Gestión"),
                                QStringLiteral("Nuevo")};
    for (int c = 0; c < titles.size(); ++c)
        g->addWidget(new QLabel(titles.at(c)), 0, c + 1);

    CodigoRegularEdit = Widgets::columnField("CodigoRegularEdit", 4); // widths of temp_reg
    SpeedButton3 =
        Widgets::toolButton("SpeedButton3", QStringLiteral("Buscar Regulador"), QStyle::SP_FileDialogContentsView);
    MarcaReguladorEdit = Widgets::readOnlyField("MarcaReguladorEdit", nullptr, Qt::NoFocus);
    Widgets::reserveChars(MarcaReguladorEdit, 20);
    NroSerieReguladorEdit = Widgets::columnField("NroSerieReguladorEdit", 25);
    RGestionComboBox = Widgets::pickList("RGestionComboBox", RegulatorGestionTexts(), QStringLiteral("SIN CAMBIOS"));
    RNuevoComboBox =
        Widgets::pickList("RNuevoComboBox", {QStringLiteral("NO"), QStringLiteral("SI")}, QStringLiteral("NO"));
    g->addWidget(new QLabel(QStringLiteral("Actual")), 1, 0);
    g->addWidget(CodigoRegularEdit, 1, 1);
    g->addWidget(SpeedButton3, 1, 2);
    g->addWidget(MarcaReguladorEdit, 1, 3);
    g->addWidget(NroSerieReguladorEdit, 1, 4);
    g->addWidget(RGestionComboBox, 1, 5);
    g->addWidget(RNuevoComboBox, 1, 6);

    LabelReguladorNuevo = Widgets::named(new QLabel(QStringLiteral("Nuevo")), "LabelReguladorNuevo");
    CodigoReguladorNuevoEdit = Widgets::columnField("CodigoReguladorNuevoEdit", 4);
    SpeedButton7 =
        Widgets::toolButton("SpeedButton7", QStringLiteral("Buscar Regulador"), QStyle::SP_FileDialogContentsView);
    MarcaReguladorNuevoEdit = Widgets::readOnlyField("MarcaReguladorNuevoEdit", nullptr, Qt::NoFocus);
    Widgets::reserveChars(MarcaReguladorNuevoEdit, 20);
    NroSerieReguladorNuevoEdit = Widgets::columnField("NroSerieReguladorNuevoEdit", 25);
    RGestionNuevoComboBox =
        Widgets::pickList("RGestionNuevoComboBox", RegulatorGestionTexts(), QStringLiteral("MONTAJE"));
    RGestionNuevoComboBox->setEnabled(false);
    RNuevoNuevoComboBox =
        Widgets::pickList("RNuevoNuevoComboBox", {QStringLiteral("NO"), QStringLiteral("SI")}, QStringLiteral("SI"));
    const QList<QWidget *> second = {LabelReguladorNuevo,     CodigoReguladorNuevoEdit,   SpeedButton7,
                                     MarcaReguladorNuevoEdit, NroSerieReguladorNuevoEdit, RGestionNuevoComboBox,
                                     RNuevoNuevoComboBox};
    for (int c = 0; c < second.size(); ++c) {
        g->addWidget(second.at(c), 2, c);
        second.at(c)->setVisible(false); // until a modification retires the regulator
    }
    g->setColumnStretch(3, 1);
    g->setColumnStretch(4, 1);
    return GroupBoxRegulador;
}

QGroupBox *TRevisionAnualForm::buildCylinders()
{
    GroupBoxCilindros = Widgets::named(new QGroupBox(QStringLiteral("Cilindros")), "GroupBoxCilindros");
    auto *v = new QVBoxLayout(GroupBoxCilindros);
    v->setSpacing(3);

    SpeedButton4 =
        Widgets::toolButton("SpeedButton4", QStringLiteral("Agregar Cilindro"), QStyle::SP_FileDialogNewFolder, true);
    SpeedButton5 = Widgets::toolButton("SpeedButton5", QStringLiteral("Modificar Datos del Cilindro"),
                                       QStyle::SP_FileDialogDetailedView, true);
    SpeedButton6 = Widgets::toolButton("SpeedButton6", QStringLiteral("Borrar Cilindro"), QStyle::SP_TrashIcon, true);
    SpeedButton8 =
        Widgets::toolButton("SpeedButton8", QStringLiteral("Reemplazo de Válvula"), QStyle::SP_BrowserReload, true);
    SpeedButtonCC1 =
        Widgets::toolButton("SpeedButtonCC1", QStringLiteral("Carta Compromiso"), QStyle::SP_FileIcon, true);
    SpeedButtonCC2 = Widgets::toolButton("SpeedButtonCC2", QStringLiteral("Carta Compromiso"), QStyle::SP_FileIcon);
    SpeedButtonCC1->setVisible(false);
    SpeedButtonCC2->setVisible(false);
    SpeedButtonCC1->setEnabled(false); // a recall enables it when a cylinder is overdue
    SpeedButtonVida = Widgets::toolButton("SpeedButtonVida", QStringLiteral("Vida del Cilindro"),
                                          QStyle::SP_FileDialogContentsView, true);
    auto *buttons = new QHBoxLayout;
    for (QToolButton *b :
         {SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton8, SpeedButtonVida, SpeedButtonCC1, SpeedButtonCC2})
        buttons->addWidget(b);
    buttons->addStretch(1);
    v->addLayout(buttons);

    m_cylinders = new CylinderList(localStore().table(LocalTableId::Cylinders), this);
    DBGrid1 = Widgets::named(new QTableView, "DBGrid1");
    DBGrid1->setModel(m_cylinders);
    Widgets::setUpGrid(DBGrid1, Widgets::GridPalette::Blue, CylinderList::columns());
    // The details follow the grid's row, and a refilled list starts on its first.
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            &TRevisionAnualForm::showCylinderDetails);
    connect(m_cylinders, &QAbstractItemModel::modelReset, this, [this] {
        Widgets::selectGridRow(DBGrid1, 0);
        showCylinderDetails();
    });
    connect(SpeedButtonVida, &QToolButton::clicked, this, [this] {
        const int row = Widgets::selectedGridRow(DBGrid1);
        const CylinderRow c = m_cylinders->row(row);
        if (row < 0 || c.nroSerie.trimmed().isEmpty())
            return;
        navigator().request(Nav::ShowCylinderLife{c.nroSerie, c.codigo}, this);
    });
    DBGrid1->setMinimumHeight(110);
    v->addWidget(DBGrid1, 1);
    // From the grid: Insert adds a cylinder, F2 changes it, Delete takes it away.
    const std::pair<QToolButton *, Qt::Key> keys[] = {
        {SpeedButton4, Qt::Key_Insert}, {SpeedButton5, Qt::Key_F2}, {SpeedButton6, Qt::Key_Delete}};
    for (const auto &[button, key] : keys) {
        QToolButton *b = button; // a lambda takes a variable, not a binding
        auto *shortcut = new QShortcut(QKeySequence(key), DBGrid1, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, b, [b] {
            if (b->isVisible() && b->isEnabled())
                b->click();
        });
        b->setToolTip(
            QStringLiteral("%1 (%2)").arg(b->toolTip(), QKeySequence(key).toString(QKeySequence::NativeText)));
    }

    DBEditValCod = Widgets::readOnlyField("DBEditValCod", nullptr, Qt::NoFocus);
    DBEditValNro = Widgets::readOnlyField("DBEditValNro", nullptr, Qt::NoFocus);
    DBEditValGest = Widgets::readOnlyField("DBEditValGest", nullptr, Qt::NoFocus);
    DBEditNroCertif = Widgets::readOnlyField("DBEditNroCertif", nullptr, Qt::NoFocus);
    DBEditRValCod = Widgets::readOnlyField("DBEditRValCod", nullptr, Qt::NoFocus);
    DBEditRValNro = Widgets::readOnlyField("DBEditRValNro", nullptr, Qt::NoFocus);
    DBEditRValGest = Widgets::readOnlyField("DBEditRValGest", nullptr, Qt::NoFocus);
    auto *d = new QGridLayout;
    d->setVerticalSpacing(2);
    d->addWidget(new QLabel(QStringLiteral("Válvula de Cilindro")), 0, 0);
    d->addWidget(DBEditValCod, 0, 1);
    d->addWidget(DBEditValNro, 0, 2);
    d->addWidget(DBEditValGest, 0, 3);
    d->addWidget(new QLabel(QStringLiteral("Certificado")), 0, 4);
    d->addWidget(new QLabel(QStringLiteral("Reemplazo")), 1, 0);
    d->addWidget(DBEditRValCod, 1, 1);
    d->addWidget(DBEditRValNro, 1, 2);
    d->addWidget(DBEditRValGest, 1, 3);
    d->addWidget(new QLabel(QStringLiteral("Nro Asignado")), 1, 4);
    d->addWidget(DBEditNroCertif, 0, 5, 2, 1, Qt::AlignVCenter);
    d->setColumnStretch(1, 1);
    d->setColumnStretch(2, 3);
    d->setColumnStretch(3, 2);
    d->setColumnStretch(5, 2);
    v->addLayout(d);
    return GroupBoxCilindros;
}

QWidget *TRevisionAnualForm::buildDatesAndObservations()
{
    auto *dates = new QWidget;
    auto *g = new QGridLayout(dates);
    g->setContentsMargins(0, 0, 0, 0);
    g->setVerticalSpacing(3);
    LabelMontaje = Widgets::named(new QLabel(QStringLiteral("Fecha Montaje")), "LabelMontaje");
    LabelHabilitacion = Widgets::named(new QLabel(QStringLiteral("Fecha de Habilitación")), "LabelHabilitacion");
    LabelVencimiento = Widgets::named(new QLabel(QStringLiteral("Vencimiento")), "LabelVencimiento");
    DateTimePickerMontaje = Widgets::datePicker("DateTimePickerMontaje");
    DateTimePickerHabilitacion = Widgets::datePicker("DateTimePickerHabilitacion");
    DateTimePickerVencimiento = Widgets::datePicker("DateTimePickerVencimiento");

    // A red frame around the expiry when a hydraulic test limits it.
    Shape1 = Widgets::named(new QFrame, "Shape1");
    Shape1->setFrameShape(QFrame::NoFrame);
    auto *shapeLayout = new QHBoxLayout(Shape1);
    shapeLayout->setContentsMargins(2, 2, 2, 2);
    shapeLayout->addWidget(DateTimePickerVencimiento);

    g->addWidget(LabelMontaje, 0, 0);
    g->addWidget(LabelHabilitacion, 0, 1);
    g->addWidget(LabelVencimiento, 0, 2);
    g->addWidget(DateTimePickerMontaje, 1, 0);
    g->addWidget(DateTimePickerHabilitacion, 1, 1);
    g->addWidget(Shape1, 1, 2);

    auto *observations = new QWidget;
    auto *o = new QVBoxLayout(observations);
    o->setContentsMargins(0, 0, 0, 0);
    o->setSpacing(3);
    o->addWidget(new QLabel(QStringLiteral("Observaciones:")));
    EditObs = Widgets::columnField("EditObs", 90);
    o->addWidget(EditObs);
    return new DatesRow(dates, observations);
}

QWidget *TRevisionAnualForm::buildButtons()
{
    auto *w = new QWidget;
    auto *h = new QHBoxLayout(w);
    h->setContentsMargins(0, 4, 0, 0);
    BitBtnAccesorios = Widgets::button("BitBtnAccesorios", QStringLiteral("Accesorios"));
    BitBtnAccesorios->setVisible(false);
    BitBtnAdjuntar = Widgets::button("BitBtnAdjuntar", QStringLiteral("Adjuntar Documentacion"));
    LabelEstado = Widgets::named(new QLabel(QStringLiteral("Estado")), "LabelEstado");
    ComboBoxEstado = Widgets::pickList(
        "ComboBoxEstado",
        {QStringLiteral("A VERIFICAR"), QStringLiteral("VERIFICADA CON OBS"), QStringLiteral("VERIFICADA")},
        QStringLiteral("A VERIFICAR"));
    BitBtnCambiarEstado = Widgets::button("BitBtnCambiarEstado", QStringLiteral("Cambiar Estado"));
    Label40 = Widgets::named(new LinkLabel(QStringLiteral("Seleccionar Impresora")), "Label40");
    CheckBoxDirectPrint = Widgets::named(new QCheckBox(QStringLiteral("Imprimir directamente")), "CheckBoxDirectPrint");
    CheckBoxDirectPrint->setChecked(false);
    CheckBoxDirectPrint->setVisible(false);
    BitBtn5 = Widgets::button("BitBtn5", QStringLiteral("Ficha"));
    BitBtn3 = Widgets::button("BitBtn3", QStringLiteral("Cédula"));
    BitBtn2 = Widgets::button("BitBtn2", QStringLiteral("Aceptar"));
    BitBtn1 = Widgets::button("BitBtn1", QStringLiteral("Cancelar"));
    BitBtn2->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    BitBtn1->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    BitBtn5->setIcon(style()->standardIcon(QStyle::SP_FileIcon));

    h->addWidget(BitBtnAccesorios);
    h->addWidget(BitBtnAdjuntar);
    h->addWidget(LabelEstado);
    h->addWidget(ComboBoxEstado);
    h->addWidget(BitBtnCambiarEstado);
    h->addStretch(1);
    h->addWidget(CheckBoxDirectPrint);
    h->addWidget(Label40);
    h->addSpacing(10);
    for (QPushButton *b : {BitBtn5, BitBtn3, BitBtn2, BitBtn1})
        h->addWidget(b);

    connect(BitBtn2, &QPushButton::clicked, this, &TRevisionAnualForm::BitBtn2Click);
    connect(BitBtn1, &QPushButton::clicked, this, &TRevisionAnualForm::BitBtn1Click);
    return w;
}

void TRevisionAnualForm::buildProgressPanel()
{
    PanelTareas = Widgets::named(new QFrame(this), "PanelTareas");
    PanelTareas->setFrameShape(QFrame::Panel);
    PanelTareas->setFrameShadow(QFrame::Raised);
    PanelTareas->setAutoFillBackground(true);
    auto *v = new QVBoxLayout(PanelTareas);
    auto *title = new QLabel(QStringLiteral("Por favor, Espere..."));
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    title->setFont(f);
    title->setAlignment(Qt::AlignCenter);
    ProgressBarTareas = Widgets::named(new QProgressBar, "ProgressBarTareas");
    MemoTareas = Widgets::named(new QPlainTextEdit, "MemoTareas");
    MemoTareas->setReadOnly(true);
    v->addWidget(title);
    v->addWidget(ProgressBarTareas);
    v->addWidget(MemoTareas, 1);
    PanelTareas->resize(420, 240);
    PanelTareas->setVisible(false);
}

void TRevisionAnualForm::setCylinders(const QVector<CylinderRow> &rows)
{
    m_cylinders->setRows(rows);
}

QVector<CylinderRow> TRevisionAnualForm::cylinders() const
{
    return m_cylinders->rows();
}

void TRevisionAnualForm::showCylinderDetails()
{
    const QModelIndex current = DBGrid1->currentIndex();
    const CylinderRow c = m_cylinders->row(current.isValid() ? current.row() : -1);
    DBEditValCod->setText(c.valCod);
    DBEditValNro->setText(c.valNro);
    DBEditValGest->setText(c.valGest);
    DBEditNroCertif->setText(c.nroCertif);
    DBEditRValCod->setText(c.rvalCod);
    DBEditRValNro->setText(c.rvalNro);
    DBEditRValGest->setText(c.rvalGest);
}
