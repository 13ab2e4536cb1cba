#include "workshop/orders/tconsultaottform.h"

#include "core/clock.h"
#include "core/prompter.h"
#include "data/conversionorderstore.h"
#include "data/dberror.h"
#include "widgets/modalrun.h"
#include "widgets/serverwait.h"
#include "workshop/common/gridrows.h"
#include "workshop/common/ordergrid.h"
#include "workshop/orders/tverottform.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

Widgets::SearchDialog::Setup setup()
{
    return OrderGrid::setup(QStringLiteral("TConsultaOTTForm"), QStringLiteral("Consulta de Ordenes de Conversión"),
                            Widgets::GridPalette::Blue);
}

Widgets::SearchDialog::Setup withSearchRow(Widgets::SearchDialog::Setup s)
{
    s.prompt = QStringLiteral("Buscar por");
    s.searchButton = QStringLiteral("Buscar");
    s.searchButtonName = QStringLiteral("BitBtn1");
    return s;
}

} // namespace

TConsultaOTTForm::TConsultaOTTForm(QWidget *parent, Prompter &prompter) : TConsultaOTTForm(setup(), parent, prompter) {}

TConsultaOTTForm::TConsultaOTTForm(const Widgets::SearchDialog::Setup &s, QWidget *parent, Prompter &prompter)
    : Widgets::SearchDialog(withSearchRow(s), parent, prompter)
{
    BitBtn1 = searchButton();
    ComboBox1 = new QComboBox(this);
    ComboBox1->setObjectName(QStringLiteral("ComboBox1"));
    ComboBox1->addItems(OrderSearch::KindTexts());
    LabelValor = new QLabel(ComboBox1->currentText(), this);
    LabelValor->setObjectName(QStringLiteral("LabelValor"));
    LabelValor->setMinimumWidth(LabelValor->fontMetrics().horizontalAdvance(QStringLiteral("Nro de Orden")) + 8);
    DateTimePicker1 = new QDateEdit(Clock::today(), this);
    DateTimePicker2 = new QDateEdit(Clock::today(), this);
    DateTimePicker1->setObjectName(QStringLiteral("DateTimePicker1"));
    DateTimePicker2->setObjectName(QStringLiteral("DateTimePicker2"));
    for (QDateEdit *d : {DateTimePicker1, DateTimePicker2}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(Widgets::DateFormat);
        d->hide();
    }
    auto *top = qobject_cast<QHBoxLayout *>(layout()->itemAt(0)->layout());
    top->insertWidget(1, ComboBox1);
    top->insertWidget(2, LabelValor);
    top->insertWidget(4, DateTimePicker1);
    top->insertWidget(5, DateTimePicker2);

    CheckBoxTodos = new QCheckBox(QStringLiteral("Todos los Talleres"), this);
    CheckBoxTodos->setObjectName(QStringLiteral("CheckBoxTodos"));
    CheckBoxTodos->setChecked(true);
    ComboBoxTalleres = new QComboBox(this);
    ComboBoxTalleres->setObjectName(QStringLiteral("ComboBoxTalleres"));
    ComboBoxTalleres->setEnabled(false);
    ComboBoxTalleres->setMinimumWidth(110);
    auto *second = new QHBoxLayout;
    second->addWidget(CheckBoxTodos);
    second->addSpacing(20);
    second->addWidget(new QLabel(QStringLiteral("Taller"), this));
    second->addWidget(ComboBoxTalleres);
    second->addStretch(1);
    qobject_cast<QVBoxLayout *>(layout())->insertLayout(1, second);

    BitBtnVer = addButton(QStringLiteral("Ver"), QStringLiteral("BitBtnVer"));
    BitBtnCerrar = addButton(QStringLiteral("Cerrar"), QStringLiteral("BitBtnCerrar"));
    BitBtnAceptar = addButton(QStringLiteral("Aceptar"), QStringLiteral("BitBtnAceptar"));
    BitBtnCancel = addButton(QStringLiteral("Cancelar"), QStringLiteral("BitBtnCancel"));
    BitBtnAceptar->hide();
    BitBtnCancel->hide();
    acceptOnDoubleClick(BitBtnVer);

    connect(ComboBox1, &QComboBox::currentIndexChanged, this, &TConsultaOTTForm::ComboBox1Change);
    connect(CheckBoxTodos, &QCheckBox::clicked, this, &TConsultaOTTForm::CheckBoxTodosClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TConsultaOTTForm::BitBtn1Click);
    connect(BitBtnVer, &QPushButton::clicked, this, &TConsultaOTTForm::BitBtnVerClick);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
    connect(BitBtnAceptar, &QPushButton::clicked, this, [this] {
        if (hasSelection())
            accept();
    });
    connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void TConsultaOTTForm::showEvent(QShowEvent *event)
{
    Widgets::SearchDialog::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    try {
        ComboBoxTalleres->addItems(
            Widgets::ServerWait::run<QStringList>(this, QStringLiteral("Leyendo los talleres..."), Conn::PostVenta,
                                                  [] { return ConversionOrderStore::WorkshopsWithWorkOrders(); }));
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
    Edit1->setFocus();
}

void TConsultaOTTForm::setSelectionMode()
{
    BitBtnVer->hide();
    BitBtnCerrar->hide();
    BitBtnAceptar->show();
    BitBtnCancel->show();
    acceptOnDoubleClick(BitBtnAceptar); // instead of "Ver"
}

OrderSearch::Kind TConsultaOTTForm::kind() const
{
    return OrderSearch::Kind(std::max(0, ComboBox1->currentIndex()));
}

void TConsultaOTTForm::ComboBox1Change()
{
    LabelValor->setText(ComboBox1->currentText());
    const bool period = kind() == OrderSearch::Kind::Periodo;
    Edit1->setVisible(!period);
    DateTimePicker1->setVisible(period);
    DateTimePicker2->setVisible(period);
    if (!period) {
        Edit1->clear();
        Edit1->setFocus();
    }
}

void TConsultaOTTForm::CheckBoxTodosClick()
{
    const bool all = CheckBoxTodos->isChecked();
    ComboBoxTalleres->setEnabled(!all);
    if (!all && ComboBoxTalleres->count() > 0)
        ComboBoxTalleres->setCurrentIndex(0);
}

void TConsultaOTTForm::BitBtn1Click()
{
    OrderSearch::Input in;
    in.kind = kind();
    in.text = Edit1->text();
    in.from = DateTimePicker1->date();
    in.to = DateTimePicker2->date();
    in.allWorkshops = CheckBoxTodos->isChecked();
    in.workshop = ComboBoxTalleres->currentText();
    const OrderSearch::Outcome out = OrderSearch::Build(in);
    if (!out.ok) {
        prompter().error(out.message);
        Edit1->setFocus();
        return;
    }
    m_lastFilter = out.filter;
    search(out.filter, std::nullopt);
}

void TConsultaOTTForm::search(const OrderSearch::Filter &filter, const std::optional<OrderKey> &reselect)
{
    runSearchInBackground(
        Conn::PostVenta, [fetch = fetcher(), filter] { return fetch(filter); },
        [this, reselect](int found) {
            // Back from "Ver": the cursor stays on the order just seen.
            for (int r = 0; reselect && r < found; ++r)
                if (gridModel()->text(r, QStringLiteral("taller")) == reselect->taller &&
                    gridModel()->value(r, QStringLiteral("numero")).toInt() == reselect->numero) {
                    selectRow(r);
                    break;
                }
        });
}

TConsultaOTTForm::Fetch TConsultaOTTForm::fetcher() const
{
    return [](const OrderSearch::Filter &filter) { return OrderGrid::records(ConversionOrderStore::Find(filter)); };
}

std::optional<TConsultaOTTForm::OrderKey> TConsultaOTTForm::selectedOrder() const
{
    if (!hasSelection())
        return std::nullopt;
    return OrderKey{selectedText(QStringLiteral("taller")), selectedValue(QStringLiteral("numero")).toInt()};
}

void TConsultaOTTForm::open(const OrderKey &order)
{
    TVerOTTForm form(this, prompter());
    if (form.Load(order.taller, order.numero))
        Widgets::runModal(form);
}

void TConsultaOTTForm::BitBtnVerClick()
{
    const std::optional<OrderKey> order = selectedOrder();
    if (!order)
        return;
    open(*order);
    // The same search again: the list shows what is stored now.
    if (m_lastFilter)
        search(*m_lastFilter, order);
}

std::optional<Orders::ConversionOrder> TConsultaOTTForm::pick(QWidget *parent, Prompter &prompter)
{
    TConsultaOTTForm form(parent, prompter);
    form.setSelectionMode();
    if (Widgets::runModal(form) != QDialog::Accepted)
        return std::nullopt;
    const std::optional<OrderKey> key = form.selectedOrder();
    if (!key)
        return std::nullopt;
    try {
        return Widgets::ServerWait::run<std::optional<Orders::ConversionOrder>>(
            parent, QStringLiteral("Leyendo la orden..."), Conn::PostVenta,
            [taller = key->taller, numero = key->numero] { return ConversionOrderStore::Load(taller, numero); });
    } catch (const DbError &e) {
        prompter.error(e.text());
    }
    return std::nullopt;
}
