#include "workshop/workorders/tlistadoopvform.h"

#include "core/clock.h"
#include "core/prompter.h"
#include "data/conversionorderstore.h"
#include "data/dberror.h"
#include "data/workorderstore.h"
#include "documents/workorderdocuments.h"
#include "widgets/formwindow.h"
#include "widgets/progressline.h"
#include "widgets/serverwait.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <stdexcept>

TListadoOpvForm::TListadoOpvForm(QWidget *parent, Prompter &prompter) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TListadoOpvForm"));
    setWindowTitle(QStringLiteral("Listado de Ordenes de Taller"));
    setModal(true);
    auto named = [](auto *w, const char *name) {
        w->setObjectName(QLatin1String(name));
        return w;
    };
    DateTimePicker1 = named(new QDateEdit(Clock::today(), this), "DateTimePicker1");
    DateTimePicker2 = named(new QDateEdit(Clock::today(), this), "DateTimePicker2");
    for (QDateEdit *d : {DateTimePicker1, DateTimePicker2}) {
        d->setCalendarPopup(true);
        d->setDisplayFormat(QStringLiteral("dd/MM/yyyy"));
    }
    CheckBoxTodos = named(new QCheckBox(QStringLiteral("Todos los Talleres"), this), "CheckBoxTodos");
    CheckBoxTodos->setChecked(true);
    ComboBoxTalleres = named(new QComboBox(this), "ComboBoxTalleres");
    ComboBoxTalleres->setEnabled(false);
    ComboBoxTalleres->setMinimumWidth(110);
    CheckBoxCon = named(new QCheckBox(QStringLiteral("Con Garantía"), this), "CheckBoxCon");
    CheckBoxSin = named(new QCheckBox(QStringLiteral("Sin Garantía"), this), "CheckBoxSin");
    CheckBoxCon->setChecked(true);
    CheckBoxSin->setChecked(true);
    ComboBoxSale = named(new QComboBox(this), "ComboBoxSale");
    ComboBoxSale->addItems({QStringLiteral("Salida en formato para impresora"),
                            QStringLiteral("Salida en formato para exportar a excel")});
    BitBtn1 = named(new QPushButton(QStringLiteral("Ver"), this), "BitBtn1");
    BitBtnCerrar = named(new QPushButton(QStringLiteral("Cerrar"), this), "BitBtnCerrar");
    BitBtn1->setDefault(true);

    auto *g = new QGridLayout;
    g->addWidget(new QLabel(QStringLiteral("Desde"), this), 0, 0);
    g->addWidget(DateTimePicker1, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("Hasta"), this), 0, 2);
    g->addWidget(DateTimePicker2, 0, 3);
    g->addWidget(CheckBoxTodos, 1, 0, 1, 2);
    g->addWidget(new QLabel(QStringLiteral("Taller"), this), 1, 2);
    g->addWidget(ComboBoxTalleres, 1, 3);
    g->addWidget(CheckBoxCon, 2, 0, 1, 2);
    g->addWidget(CheckBoxSin, 2, 2, 1, 2);
    g->addWidget(ComboBoxSale, 3, 0, 1, 4);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtnCerrar);
    auto *v = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    v->addLayout(g);
    m_progress = new Widgets::ProgressLine(this);
    m_progress->holdWhileRunning({BitBtn1});
    v->addWidget(m_progress);
    v->addLayout(buttons);

    connect(CheckBoxTodos, &QCheckBox::clicked, this, &TListadoOpvForm::CheckBoxTodosClick);
    connect(BitBtn1, &QPushButton::clicked, this, &TListadoOpvForm::BitBtn1Click);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
}

void TListadoOpvForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    try {
        ComboBoxTalleres->addItems(
            Widgets::ServerWait::run<QStringList>(this, QStringLiteral("Leyendo los talleres..."), Conn::PostVenta,
                                                  [] { return ConversionOrderStore::WorkshopsWithWorkOrders(); }));
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
}

void TListadoOpvForm::CheckBoxTodosClick()
{
    const bool all = CheckBoxTodos->isChecked();
    ComboBoxTalleres->setEnabled(!all);
    if (!all && ComboBoxTalleres->count() > 0)
        ComboBoxTalleres->setCurrentIndex(0);
}

WorkOrders::ListInput TListadoOpvForm::input() const
{
    WorkOrders::ListInput in;
    in.from = DateTimePicker1->date();
    in.to = DateTimePicker2->date();
    in.allWorkshops = CheckBoxTodos->isChecked();
    in.workshop = ComboBoxTalleres->currentText();
    in.withWarranty = CheckBoxCon->isChecked();
    in.withoutWarranty = CheckBoxSin->isChecked();
    return in;
}

void TListadoOpvForm::BitBtn1Click()
{
    const WorkOrders::ListFilter filter = WorkOrders::BuildList(input());
    const bool forSpreadsheet = ComboBoxSale->currentIndex() == 1;
    m_progress->run<QVector<WorkOrderStore::PeriodRow>>(
        QStringLiteral("Leyendo las órdenes..."), Conn::PostVenta, [filter] { return WorkOrderStore::List(filter); },
        [this, filter, forSpreadsheet](const QVector<WorkOrderStore::PeriodRow> &rows) {
            try {
                Report::ReportForm form = Documents::MakeWorkOrderList(rows, filter, forSpreadsheet);
                form.preview(this);
            } catch (const std::runtime_error &e) {
                m_prompter.error(QString::fromUtf8(e.what()));
            }
        },
        m_prompter);
}
