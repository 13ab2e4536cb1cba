#include "followup/tobleasasignadasform.h"

#include "core/clock.h"
#include "core/global.h"
#include "core/stickerdetail.h"
#include "data/stickerrepository.h"
#include "documents/lists.h"
#include "documents/rowsources.h"
#include "followup/formparts.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/progressline.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

QVector<Widgets::GridColumn> gridColumns()
{
    using C = Widgets::GridColumn;
    return {
        {QStringLiteral("Operación"), QStringLiteral("udescgest"), 12},
        {QStringLiteral("Propietario"), QStringLiteral("uapeynom"), 34},
        {QStringLiteral("Marca"), QStringLiteral("umarca"), 10},
        {QStringLiteral("Modelo"), QStringLiteral("umodelo"), 20},
        {QStringLiteral("Año"), QStringLiteral("uano"), 4},
        {QStringLiteral("Dominio"), QStringLiteral("udominio"), 9, true},
        {QStringLiteral("Oblea Asignada"), QStringLiteral("uobleanew"), 10, true},
        {QStringLiteral("Fecha"), QStringLiteral("xfecasig"), 10, false, C::Kind::Date},
    };
}

StickerDetail::Operation operationOf(const Widgets::ResultGridModel &m, int row)
{
    const auto t = [&](const char *field) { return m.text(row, QLatin1String(field)); };
    return {t("udescgest"), t("uapeynom"), t("umarca"),    t("umodelo"),
            t("uano"),      t("udominio"), t("uobleanew"), m.value(row, QStringLiteral("xfecasig")).toDate(),
            t("ucodgest")};
}

} // namespace

TObleasAsignadasForm::TObleasAsignadasForm(QWidget *parent, Prompter &prompter) : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("ObleasAsignadasForm"));
    setWindowTitle(QStringLiteral("Obleas Asignadas"));
    resize(900, 520);

    m_desde = Widgets::datePicker(QStringLiteral("DateTimePicker1"), this, Clock::today());
    m_hasta = Widgets::datePicker(QStringLiteral("DateTimePicker2"), this, Clock::today());
    auto *ver = Widgets::button(QStringLiteral("BitBtn2"), QStringLiteral("Ver"), this);

    m_model = new Widgets::ResultGridModel(gridColumns(), Widgets::GridPalette::Blue, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    Widgets::setUpResultGrid(m_grid, m_model);

    auto *caption = new QLabel(QStringLiteral("Cantidad de Operaciones Efectuadas:"), this);
    m_count = new QLabel(QStringLiteral("0"), this);
    m_count->setObjectName(QStringLiteral("LabelCuantas"));
    m_count->setMinimumWidth(m_count->fontMetrics().horizontalAdvance(QStringLiteral("0000000")));

    m_resumen = Widgets::button(QStringLiteral("BitBtn4"), QStringLiteral("Imprimir Resumen"), this);
    m_detalle =
        Widgets::button(QStringLiteral("BitBtn5"), QStringLiteral("Imprimir en detalle con números de serie"), this);
    m_excel =
        Widgets::button(QStringLiteral("BitBtn6"), QStringLiteral("Imprimir Resumen para Exportar a Excel"), this);
    auto *cerrar = Widgets::button(QStringLiteral("BitBtn1"), QStringLiteral("Cerrar"), this);
    for (QPushButton *b : {m_resumen, m_detalle, m_excel})
        b->setEnabled(false);

    connect(ver, &QPushButton::clicked, this, &TObleasAsignadasForm::BitBtn2Click);
    connect(m_resumen, &QPushButton::clicked, this, &TObleasAsignadasForm::BitBtn4Click);
    connect(m_detalle, &QPushButton::clicked, this, &TObleasAsignadasForm::BitBtn5Click);
    connect(m_excel, &QPushButton::clicked, this, &TObleasAsignadasForm::BitBtn6Click);
    connect(cerrar, &QPushButton::clicked, this, &QDialog::reject);

    auto *top = Followup::periodRow(m_desde, m_hasta, this);
    top->insertWidget(top->count() - 1, ver);
    auto *countRow = new QHBoxLayout;
    countRow->addWidget(caption);
    countRow->addWidget(m_count);
    countRow->addStretch();
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(m_resumen);
    buttons->addWidget(m_detalle);
    buttons->addWidget(m_excel);
    buttons->addStretch();
    buttons->addWidget(cerrar);
    m_progress = new Widgets::ProgressLine(this);
    m_progress->holdWhileRunning({ver, m_resumen, m_detalle, m_excel});
    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addWidget(m_progress);
    layout->addLayout(countRow);
    layout->addLayout(buttons);

    try {
        m_buffer.open();
    } catch (const DbError &) {
        // Held by another copy of the program: the detail print says so.
    }
}

TObleasAsignadasForm::~TObleasAsignadasForm()
{
    m_buffer.close();
}

void TObleasAsignadasForm::BitBtn2Click()
{
    const QDate from = m_desde->date(), to = m_hasta->date();
    const QString workshop = Global.WorkshopCode;
    // A failed or cancelled reading leaves the grid, the count and the print
    // buttons as they were: they go on printing the last list.
    m_progress->run<QVector<QSqlRecord>>(
        QStringLiteral("Leyendo las obleas asignadas..."), Conn::Operations,
        [workshop, from, to] { return StickerRepository::Assigned(workshop, from, to); },
        [this, from, to](const QVector<QSqlRecord> &rows) {
            m_model->setRows(rows);
            m_listedFrom = from;
            m_listedTo = to;
            m_count->setText(QString::number(m_model->rowCount()));
            for (QPushButton *b : {m_resumen, m_detalle, m_excel})
                b->setEnabled(true);
            Widgets::selectGridRow(m_grid, 0);
        },
        m_prompter);
}

void TObleasAsignadasForm::printSummary(const QString &layout)
{
    Documents::PrintList(
        layout, std::make_shared<Documents::RecordRowSource>(Followup::listedRecords(*m_model)),
        Documents::StickerListValues(Global.WorkshopName, Global.WorkshopCode, m_desde->date(), m_hasta->date()), this);
}

void TObleasAsignadasForm::BitBtn4Click()
{
    printSummary(QStringLiteral("TQObleasAsignadasForm"));
}

void TObleasAsignadasForm::BitBtn6Click()
{
    printSummary(QStringLiteral("TQObleasAsignadasExcelForm"));
}

void TObleasAsignadasForm::BitBtn5Click()
{
    const QString workshop = Global.WorkshopCode;
    const QDate from = m_listedFrom, to = m_listedTo;
    m_progress->run<QHash<QString, StickerRepository::Parts>>(
        QStringLiteral("Leyendo reguladores y cilindros..."), Conn::Operations,
        [workshop, from, to] { return StickerRepository::PartsOfAssigned(workshop, from, to); },
        [this](const QHash<QString, StickerRepository::Parts> &parts) { printDetail(parts); }, m_prompter);
}

void TObleasAsignadasForm::printDetail(const QHash<QString, StickerRepository::Parts> &parts)
{
    try {
        m_buffer.open();
        QVector<StickerDetail::Line> lines;
        for (int r = 0; r < m_model->rowCount(); ++r) {
            const StickerRepository::Parts found = parts.value(StickerRepository::OperationKey(
                m_model->value(r, QStringLiteral("talcuit")), m_model->value(r, QStringLiteral("tnrointopr"))));
            lines += StickerDetail::Lines(operationOf(*m_model, r), found.regulators, found.cylinders);
        }
        StickerRepository::FillDetailTable(m_buffer, lines);
    } catch (const DbError &e) {
        m_prompter.error(e.text());
        return;
    }
    Documents::PrintList(
        QStringLiteral("TQObleasAsignadasDetalleForm"), std::make_shared<Documents::LocalTableRowSource>(m_buffer),
        Documents::StickerListValues(Global.WorkshopName, Global.WorkshopCode, m_desde->date(), m_hasta->date()), this);
}
