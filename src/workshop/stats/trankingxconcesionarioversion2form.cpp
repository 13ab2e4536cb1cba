#include "workshop/stats/trankingxconcesionarioversion2form.h"

#include "core/prompter.h"
#include "data/dberror.h"
#include "data/masterfiles.h"
#include "widgets/serverwait.h"
#include "workshop/common/gridrows.h"
#include "workshop/stats/modelselector.h"

#include <QDateEdit>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QTableView>
#include <QVBoxLayout>

TRankingXConcesionarioVersion2Form::TRankingXConcesionarioVersion2Form(QWidget *parent, Prompter &prompter)
    : FaultRankingForm(QStringLiteral("TRankingXConcesionarioVersion2Form"),
                       QStringLiteral("Rankinkg de Fallas por Concesionario"), parent, prompter)
{
    auto *dates = new QHBoxLayout;
    DateTimePicker1 = periodPicker(this, "DateTimePicker1");
    DateTimePicker2 = periodPicker(this, "DateTimePicker2");
    dates->addWidget(new QLabel(QStringLiteral("Desde"), this));
    dates->addWidget(DateTimePicker1);
    dates->addSpacing(16);
    dates->addWidget(new QLabel(QStringLiteral("Hasta"), this));
    dates->addWidget(DateTimePicker2);
    dates->addStretch(1);
    selectorArea()->addLayout(dates);

    auto *box = new QGroupBox(QStringLiteral("Seleccionar Concesionario"), this);
    auto *boxLayout = new QVBoxLayout(box);
    DBGrid1 = new QTableView(box);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    m_dealers = new Widgets::ResultGridModel({{QStringLiteral("Id"), QStringLiteral("id"), 6, true},
                                              {QStringLiteral("Concesionario"), QStringLiteral("name"), 45}},
                                             Widgets::GridPalette::Green, this);
    Widgets::setUpResultGrid(DBGrid1, m_dealers);
    DBGrid1->setMinimumHeight(150);
    boxLayout->addWidget(DBGrid1);
    selectorArea()->addWidget(box);
    resize(820, 720);
}

void TRankingXConcesionarioVersion2Form::showEvent(QShowEvent *event)
{
    FaultRankingForm::showEvent(event);
    if (m_loaded)
        return;
    m_loaded = true;
    try {
        const QVector<QSqlRecord> rows = GridRows::items(Widgets::ServerWait::run<QVector<MasterFiles::Item>>(
            this, QStringLiteral("Leyendo los concesionarios..."), Conn::PostVenta,
            [] { return MasterFiles::PickList(MasterFiles::Table::Dealers); }));
        m_dealers->setRows(rows);
        Widgets::fitColumns(DBGrid1, m_dealers->columns());
        if (!rows.isEmpty())
            Widgets::selectGridRow(DBGrid1, 0);
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
}

std::optional<FaultRankingForm::Selection> TRankingXConcesionarioVersion2Form::selection()
{
    const int row = Widgets::selectedGridRow(DBGrid1);
    if (row < 0) {
        prompter().warn(QStringLiteral("Seleccione un Concesionario."));
        DBGrid1->setFocus();
        return std::nullopt;
    }
    Selection s;
    s.bounds = Ranking::ForDealer(m_dealers->value(row, QStringLiteral("id")).toInt(), DateTimePicker1->date(),
                                  DateTimePicker2->date());
    s.layout = QStringLiteral("TQRankingFallasXConcesionarioForm");
    s.header.workshopLine = Ranking::DealerLine(m_dealers->text(row, QStringLiteral("name")));
    s.header.periodLine = Ranking::PeriodLine(DateTimePicker1->date(), DateTimePicker2->date());
    s.emptyIsNotice = true;
    return s;
}
