#include "followup/tagendaturnosform.h"

#include "core/appointments.h"
#include "core/clock.h"
#include "core/global.h"
#include "data/appointmentrepository.h"
#include "data/dberror.h"
#include "documents/lists.h"
#include "followup/formparts.h"
#include "followup/tdarturnoform.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/modalrun.h"

#include <QCalendarWidget>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace
{

QVector<Widgets::GridColumn> gridColumns()
{
    using namespace Appointments;
    return {
        {QStringLiteral("HORA"), QStringLiteral("hora"), 5, true},
        {QStringLiteral("CLIENTE"), QStringLiteral("cliente"), kClienteLength},
        {QStringLiteral("VEHICULO"), QStringLiteral("vehiculo"), kVehiculoLength},
        {QStringLiteral("DOMINIO"), QStringLiteral("dominio"), kDominioLength},
        {QStringLiteral("CELULAR"), QStringLiteral("celular"), kCelularLength},
        {QStringLiteral("FALLA"), QStringLiteral("falla"), kFallaLength},
    };
}

QToolButton *monthButton(Qt::ArrowType arrow, const char *name, const QString &tip, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setArrowType(arrow);
    b->setToolTip(tip);
    b->setAutoRaise(true);
    return b;
}

} // namespace

TAgendaTurnosForm::TAgendaTurnosForm(QWidget *parent, Prompter &prompter) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("AgendaTurnosForm"));
    setWindowTitle(QStringLiteral("Agenda de Turnos"));
    resize(1000, 520);

    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("Calendar1"));
    m_calendar->setFirstDayOfWeek(Qt::Monday);
    m_calendar->setNavigationBarVisible(false); // the label and the two buttons take its place
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    m_calendar->setGridVisible(true);
    m_calendar->setSelectedDate(Clock::today());

    m_labelFecha = new QLabel(this);
    m_labelFecha->setObjectName(QStringLiteral("LabelFecha"));
    m_labelFecha->setAlignment(Qt::AlignCenter);
    QFont big = m_labelFecha->font();
    big.setPointSizeF(big.pointSizeF() * 1.3);
    big.setBold(true);
    m_labelFecha->setFont(big);
    auto *previous = monthButton(Qt::LeftArrow, "SpeedButton1", QStringLiteral("Mes anterior"), this);
    auto *next = monthButton(Qt::RightArrow, "SpeedButton2", QStringLiteral("Mes siguiente"), this);

    auto *turnos = new QGroupBox(QStringLiteral("Turnos"), this);
    m_model = new Widgets::ResultGridModel(gridColumns(), Widgets::GridPalette::Green, this);
    m_grid = new QTableView(turnos);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    Widgets::setUpResultGrid(m_grid, m_model);
    auto *turnosLayout = new QVBoxLayout(turnos);
    turnosLayout->addWidget(m_grid);

    auto *dar = Widgets::button(QStringLiteral("BitBtn2"), QStringLiteral("Dar Turno"), this);
    auto *anular = Widgets::button(QStringLiteral("BitBtn1"), QStringLiteral("Anular Turno"), this);
    auto *planilla = Widgets::button(QStringLiteral("BitBtn3"), QStringLiteral("Planilla Diaria"), this);

    connect(m_calendar, &QCalendarWidget::selectionChanged, this, &TAgendaTurnosForm::Calendar1Change);
    connect(previous, &QToolButton::clicked, this, &TAgendaTurnosForm::SpeedButton1Click);
    connect(next, &QToolButton::clicked, this, &TAgendaTurnosForm::SpeedButton2Click);
    connect(dar, &QPushButton::clicked, this, &TAgendaTurnosForm::BitBtn2Click);
    connect(anular, &QPushButton::clicked, this, &TAgendaTurnosForm::BitBtn1Click);
    connect(planilla, &QPushButton::clicked, this, &TAgendaTurnosForm::BitBtn3Click);
    Widgets::opensRowsWith(m_grid, dar); // Enter or a double click gives the slot

    auto *month = new QHBoxLayout;
    month->addWidget(previous);
    month->addWidget(m_labelFecha, 1);
    month->addWidget(next);
    auto *left = new QVBoxLayout;
    left->addLayout(month);
    left->addWidget(m_calendar);
    left->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(dar);
    buttons->addWidget(anular);
    buttons->addStretch();
    buttons->addWidget(planilla);
    auto *right = new QVBoxLayout;
    right->addWidget(turnos, 1);
    right->addLayout(buttons);
    auto *layout = new QHBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addLayout(left);
    layout->addLayout(right, 1);

    Calendar1Change();
}

QDate TAgendaTurnosForm::day() const
{
    return m_calendar->selectedDate();
}

void TAgendaTurnosForm::Calendar1Change()
{
    const QDate d = day();
    m_calendar->setCurrentPage(d.year(), d.month());
    m_labelFecha->setText(Appointments::MonthLabel(d));
    showDay(0);
}

void TAgendaTurnosForm::showDay(int selectRow)
{
    try {
        m_model->setRows(Widgets::ServerWait::run<QVector<QSqlRecord>>(
            this, QStringLiteral("Leyendo los turnos del día..."), Conn::Operations,
            [workshop = Global.WorkshopCode, d = day()] { return AppointmentRepository::OpenDay(workshop, d); }));
    } catch (const DbError &e) {
        m_model->clear(); // never another day's slots under this day's date
        m_prompter.error(e.text());
        return;
    }
    if (m_model->rowCount() > 0)
        Widgets::selectGridRow(m_grid, qBound(0, selectRow, m_model->rowCount() - 1));
}

void TAgendaTurnosForm::moveMonths(int months)
{
    m_calendar->setSelectedDate(day().addMonths(months)); // the same day, or the month's last
}

void TAgendaTurnosForm::SpeedButton1Click()
{
    moveMonths(-1);
}

void TAgendaTurnosForm::SpeedButton2Click()
{
    moveMonths(1);
}

QString TAgendaTurnosForm::selectedHora(int *row) const
{
    *row = Widgets::selectedGridRow(m_grid);
    return *row < 0 ? QString() : m_model->text(*row, QStringLiteral("hora"));
}

void TAgendaTurnosForm::BitBtn2Click()
{
    int row = -1;
    const QString hora = selectedHora(&row);
    if (row < 0)
        return;
    TDarTurnoForm dialog(Global.WorkshopCode, day(), hora, this, m_prompter);
    if (Widgets::runModal(dialog) == QDialog::Accepted)
        showDay(row);
}

void TAgendaTurnosForm::BitBtn1Click()
{
    int row = -1;
    const QString hora = selectedHora(&row);
    if (row < 0 || !m_prompter.question(QStringLiteral("Esta seguro de anular el turno?")))
        return;
    try {
        m_writes.run(this, QStringLiteral("Anulando el turno..."), Conn::Operations,
                     [code = Global.WorkshopCode, d = day(), hora](WriteOnce::Ticket *t) {
                         AppointmentRepository::Cancel(code, d, hora, t);
                     });
    } catch (const DbError &e) {
        m_prompter.error(
            Widgets::WindowWrites::failure(QStringLiteral("No se anuló el turno: puede intentarlo de nuevo."), e));
        return;
    }
    showDay(row);
}

void TAgendaTurnosForm::BitBtn3Click()
{
    Documents::PrintList(QStringLiteral("TQPlanillaDeTurnosForm"),
                         std::make_shared<Documents::RecordRowSource>(Followup::listedRecords(*m_model)),
                         Documents::DaySheetValues(day()), this);
}
