#include "workshop/stats/faultchart.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QChart>
#include <QHorizontalBarSeries>
#include <QLocale>
#include <QPainter>
#include <QValueAxis>

namespace
{

QChart *makeChart(const QVector<Ranking::Bar> &bars, const QString &emptyTitle)
{
    auto *chart = new QChart;
    chart->legend()->hide();
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(4, 4, 12, 4));
    if (bars.isEmpty()) {
        chart->setTitle(emptyTitle);
        return chart;
    }
    chart->setTitle(QStringLiteral("Fallas más frecuentes"));
    QFont title = chart->titleFont();
    title.setBold(true);
    chart->setTitleFont(title);

    auto *set = new QBarSet(QStringLiteral("Cantidad"));
    set->setColor(QColor(0, 90, 170));
    set->setLabelColor(Qt::black);
    QStringList categories;
    qint64 highest = 0;
    const QLocale locale(QLocale::Spanish, QLocale::Argentina);
    // Bars go bottom-up: the most frequent fault last, so it shows on top.
    for (auto it = bars.crbegin(); it != bars.crend(); ++it) {
        *set << double(it->cantidad);
        QString label = it->label;
        if (label.size() > 34)
            label = label.left(33) + QChar(0x2026);
        categories << QStringLiteral("%1 (%2 %)").arg(label, locale.toString(it->porc, 'f', 1));
        highest = qMax(highest, it->cantidad);
    }
    auto *series = new QHorizontalBarSeries;
    series->append(set);
    series->setBarWidth(0.7);
    series->setLabelsVisible(true);
    series->setLabelsPosition(QAbstractBarSeries::LabelsOutsideEnd);
    series->setLabelsFormat(QStringLiteral("@value"));
    chart->addSeries(series);

    auto *names = new QBarCategoryAxis;
    names->append(categories);
    chart->addAxis(names, Qt::AlignLeft);
    series->attachAxis(names);
    auto *counts = new QValueAxis;
    counts->setLabelFormat(QStringLiteral("%d"));
    counts->setRange(0, double(highest) * 1.12 + 1);
    counts->applyNiceNumbers();
    chart->addAxis(counts, Qt::AlignBottom);
    series->attachAxis(counts);
    return chart;
}

} // namespace

FaultChartView::FaultChartView(QWidget *parent) : QChartView(parent)
{
    setObjectName(QStringLiteral("ChartFallas"));
    setRenderHint(QPainter::Antialiasing);
    setMinimumSize(520, 300);
    draw(QStringLiteral("Elija la selección y presione \"Ver\""));
}

void FaultChartView::setBars(const QVector<Ranking::Bar> &bars)
{
    draw(QStringLiteral("Sin fallas en la selección"), bars);
}

void FaultChartView::draw(const QString &emptyTitle, const QVector<Ranking::Bar> &bars)
{
    m_bars = bars;
    QChart *old = chart();
    setChart(makeChart(bars, emptyTitle));
    delete old;
}

QImage FaultChartView::picture(const QVector<Ranking::Bar> &bars, const QSize &size)
{
    FaultChartView view;
    view.setAttribute(Qt::WA_DontShowOnScreen);
    view.setBars(bars);
    view.setFrameShape(QFrame::NoFrame);
    // Laid out at half the size and drawn at twice the density, so the
    // printed texts keep a readable size.
    view.resize(size / 2);
    view.show();
    QImage image(size, QImage::Format_RGB32);
    image.setDevicePixelRatio(2.0);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    view.render(&painter);
    painter.end();
    view.hide();
    return image;
}
