#include "workshop/stats/thistoriaform.h"

#include "app/navigator.h"
#include "core/clock.h"
#include "core/prompter.h"
#include "data/dberror.h"
#include "data/statsstore.h"
#include "widgets/formwindow.h"
#include "widgets/serverwait.h"
#include "widgets/uppercasevalidator.h"
#include "workshop/common/gridrows.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSplitter>
#include <QTabWidget>
#include <QTableView>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace
{

using Col = Widgets::GridColumn;

QTableView *grid(QWidget *parent, const char *name, Widgets::ResultGridModel *model)
{
    auto *view = new QTableView(parent);
    view->setObjectName(QLatin1String(name));
    Widgets::setUpResultGrid(view, model);
    return view;
}

QColor eventColour(const History::Event &e)
{
    switch (e.kind) {
    case History::EventKind::Conversion:
        return QColor(0, 110, 0);
    case History::EventKind::Operation:
        return QColor(0, 70, 160);
    case History::EventKind::WorkOrder:
        return QColor(120, 60, 0);
    case History::EventKind::Expiry:
        return e.superseded ? QColor(110, 110, 110) : e.pending ? QColor(0, 110, 0) : QColor(190, 0, 0);
    }
    return {};
}

} // namespace

THistoriaForm::THistoriaForm(QWidget *parent, Prompter &prompter) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("THistoriaForm"));
    setWindowTitle(QStringLiteral("Historia Clínica del Vehículo"));

    DominioEdit = new QLineEdit(this);
    DominioEdit->setObjectName(QStringLiteral("DominioEdit"));
    DominioEdit->setValidator(new Widgets::UpperCaseValidator(DominioEdit));
    DominioEdit->setMaxLength(9);
    DominioEdit->setMaximumWidth(120);
    BitBtnBuscar = new QPushButton(QStringLiteral("Buscar"), this);
    BitBtnBuscar->setObjectName(QStringLiteral("BitBtnBuscar"));
    BitBtnBuscar->setDefault(true);
    const auto readOnly = [this](const char *name, int width) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::ClickFocus);
        e->setMinimumWidth(width);
        return e;
    };
    EditMarca = readOnly("EditMarca", 140);
    EditModelo = readOnly("EditModelo", 160);
    EditVIN = readOnly("EditVIN", 200);

    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Dominio"), this));
    top->addWidget(DominioEdit);
    top->addWidget(BitBtnBuscar);
    top->addSpacing(24);
    for (auto [text, edit] : {std::pair{"Marca", EditMarca}, {"Modelo", EditModelo}, {"VIN", EditVIN}}) {
        top->addWidget(new QLabel(QString::fromUtf8(text), this));
        top->addWidget(edit);
    }
    top->addStretch(1);

    m_orders =
        new Widgets::ResultGridModel({{QStringLiteral("Orden ID"), QStringLiteral("numero"), 8, true},
                                      {QStringLiteral("Fecha"), QStringLiteral("fecha"), 10, true, Col::Kind::Date},
                                      {QStringLiteral("Taller"), QStringLiteral("taller"), 7, true},
                                      {QStringLiteral("Kilometraje"), QStringLiteral("km"), 9},
                                      {QStringLiteral("Garantía"), QStringLiteral("garantia"), 8},
                                      {QStringLiteral("Propietario"), QStringLiteral("propietario"), 40},
                                      {QStringLiteral("celular"), QStringLiteral("celular"), 14},
                                      {QStringLiteral("Recepcionista"), QStringLiteral("recepcionista"), 30}},
                                     Widgets::GridPalette::Blue, this);
    m_conversions =
        new Widgets::ResultGridModel({{QStringLiteral("Dominio"), QStringLiteral("dominio"), 7, true},
                                      {QStringLiteral("Propietario"), QStringLiteral("propietario"), 40},
                                      {QStringLiteral("celular"), QStringLiteral("celular"), 14},
                                      {QStringLiteral("Taller"), QStringLiteral("taller"), 7, true},
                                      {QStringLiteral("Fecha"), QStringLiteral("fecha"), 10, true, Col::Kind::Date},
                                      {QStringLiteral("OrdenNro"), QStringLiteral("numero"), 8, true},
                                      {QStringLiteral("Km"), QStringLiteral("km"), 9}},
                                     Widgets::GridPalette::Blue, this);
    m_operations = new Widgets::ResultGridModel(
        {{QStringLiteral("Taller"), QStringLiteral("taller"), 7, true},
         {QStringLiteral("Fecha"), QStringLiteral("fecha"), 10, true, Col::Kind::Date},
         {QStringLiteral("Operación"), QStringLiteral("operacion"), 12},
         {QStringLiteral("Oblea"), QStringLiteral("oblea"), 10, true},
         {QStringLiteral("Vencimiento"), QStringLiteral("vencimiento"), 10, true, Col::Kind::Date}},
        Widgets::GridPalette::Blue, this);
    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    DBGridOrdenes = grid(PageControl1, "DBGridOrdenes", m_orders);
    DBGridConversion = grid(PageControl1, "DBGridConversion", m_conversions);
    DBGridObleas = grid(PageControl1, "DBGridObleas", m_operations);
    PageControl1->addTab(DBGridOrdenes, QStringLiteral("Ordenes de Trabajo"));
    PageControl1->addTab(DBGridConversion, QStringLiteral("Orden de Conversión"));
    PageControl1->addTab(DBGridObleas, QStringLiteral("Obleas"));

    auto *timeline = new QGroupBox(QStringLiteral("Cronología del Vehículo"), this);
    auto *timelineLayout = new QVBoxLayout(timeline);
    ListCronologia = new QTreeWidget(timeline);
    ListCronologia->setObjectName(QStringLiteral("ListCronologia"));
    ListCronologia->setHeaderLabels({QStringLiteral("Fecha"), QStringLiteral("Suceso"), QStringLiteral("Detalle")});
    ListCronologia->setRootIsDecorated(false);
    ListCronologia->setAlternatingRowColors(true);
    ListCronologia->setSelectionMode(QAbstractItemView::NoSelection);
    ListCronologia->setFocusPolicy(Qt::NoFocus);
    timelineLayout->addWidget(ListCronologia);

    auto *split = new QSplitter(Qt::Horizontal, this);
    split->addWidget(PageControl1);
    split->addWidget(timeline);
    split->setStretchFactor(0, 3);
    split->setStretchFactor(1, 2);

    BitBtnVerOrden = new QPushButton(QStringLiteral("Ver Orden de Trabajo"), this);
    BitBtnVerOrden->setObjectName(QStringLiteral("BitBtnVerOrden"));
    auto *bottom = new QHBoxLayout;
    bottom->addStretch(1);
    bottom->addWidget(BitBtnVerOrden);

    auto *main = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    main->addLayout(top);
    main->addWidget(split, 1);
    main->addLayout(bottom);
    resize(1240, 620);

    connect(BitBtnBuscar, &QPushButton::clicked, this, &THistoriaForm::BitBtnBuscarClick);
    connect(BitBtnVerOrden, &QPushButton::clicked, this, &THistoriaForm::BitBtnVerOrdenClick);
    Widgets::opensRowsWith(DBGridOrdenes, BitBtnVerOrden);
}

void THistoriaForm::BitBtnBuscarClick()
{
    const QString plate = DominioEdit->text().trimmed();
    if (plate.isEmpty()) {
        DominioEdit->setFocus();
        return;
    }
    // Read off the window's thread (a slow link never freezes it, and
    // "Cancelar" ends the wait), the orders and the operations side by side:
    // one round trip of waiting.
    auto orders = std::make_shared<StatsStore::PlateOrders>();
    auto found = std::make_shared<QVector<History::Operation>>();
    try {
        Widgets::ServerWait::waitAll(
            this, QStringLiteral("Buscando las órdenes y las operaciones del dominio..."),
            {{Conn::PostVenta, [plate, orders] { *orders = StatsStore::OrdersOfPlate(plate); }},
             {Conn::Operations, [plate, found] { *found = StatsStore::OperationsOfPlate(plate); }}});
    } catch (const Widgets::ServerWait::Cancelled &) {
        return;
    } catch (const DbError &e) {
        m_prompter.error(e.text());
        return;
    }
    QVector<QSqlRecord> rows;
    for (const History::WorkOrder &w : orders->work)
        rows << GridRows::record({{QStringLiteral("numero"), w.numero},
                                  {QStringLiteral("fecha"), w.fecha},
                                  {QStringLiteral("taller"), w.taller},
                                  {QStringLiteral("km"), w.km},
                                  {QStringLiteral("garantia"), w.garantia},
                                  {QStringLiteral("propietario"), w.propietario},
                                  {QStringLiteral("celular"), w.celular},
                                  {QStringLiteral("recepcionista"), w.recepcionista}});
    m_orders->setRows(rows);
    rows.clear();
    for (const History::ConversionOrder &c : orders->conversions)
        rows << GridRows::record({{QStringLiteral("dominio"), c.dominio},
                                  {QStringLiteral("propietario"), c.propietario},
                                  {QStringLiteral("celular"), c.celular},
                                  {QStringLiteral("taller"), c.taller},
                                  {QStringLiteral("fecha"), c.fecha},
                                  {QStringLiteral("numero"), c.numero},
                                  {QStringLiteral("km"), c.km}});
    m_conversions->setRows(rows);
    rows.clear();
    for (const History::Operation &o : *found)
        rows << GridRows::record({{QStringLiteral("taller"), o.taller},
                                  {QStringLiteral("fecha"), o.fecha},
                                  {QStringLiteral("operacion"), o.operacion},
                                  {QStringLiteral("oblea"), o.oblea},
                                  {QStringLiteral("vencimiento"), o.vencimiento}});
    m_operations->setRows(rows);
    for (QTableView *g : {DBGridOrdenes, DBGridConversion, DBGridObleas})
        if (g->model()->rowCount() > 0)
            Widgets::selectGridRow(g, 0);

    const History::Labels labels = History::LabelsFor(orders->work, orders->conversions);
    if (labels.vehicle) {
        EditMarca->setText(labels.vehicle->marca);
        EditModelo->setText(labels.vehicle->modelo);
        EditVIN->setText(labels.vehicle->vin);
    }
    if (labels.showConversionTab)
        PageControl1->setCurrentWidget(DBGridConversion);
    showTimeline(History::Timeline(orders->work, orders->conversions, *found, Clock::today()));
}

void THistoriaForm::showTimeline(const QVector<History::Event> &events)
{
    ListCronologia->clear();
    for (const History::Event &e : events) {
        auto *item = new QTreeWidgetItem(
            ListCronologia, {e.fecha.isValid() ? e.fecha.toString(Widgets::DateFormat) : QStringLiteral("sin fecha"),
                             History::KindText(e.kind), e.text});
        item->setForeground(1, eventColour(e));
        item->setToolTip(2, e.text);
        if (e.kind == History::EventKind::Expiry && !e.superseded) {
            QFont f = item->font(2);
            f.setBold(true);
            item->setFont(2, f);
            item->setForeground(2, eventColour(e));
        }
    }
    for (int c = 0; c < 2; ++c)
        ListCronologia->resizeColumnToContents(c);
    if (!events.isEmpty())
        ListCronologia->scrollToBottom();
    Widgets::showNothingFound(
        ListCronologia, events.isEmpty(),
        QStringLiteral("No se encontraron sucesos del dominio \"%1\".").arg(DominioEdit->text().trimmed()));
}

void THistoriaForm::BitBtnVerOrdenClick()
{
    const int row = Widgets::selectedGridRow(DBGridOrdenes);
    if (row < 0)
        return;
    const QString taller = m_orders->text(row, QStringLiteral("taller"));
    if (taller.isEmpty())
        return;
    navigator().request(Nav::ViewWorkOrder{taller, m_orders->value(row, QStringLiteral("numero")).toInt()}, this);
}
