#pragma once

#include "core/faultranking.h"

#include <QChartView>
#include <QImage>
#include <QVector>

// The top faults of a ranking as horizontal bars, the most frequent on top:
// in the ranking windows and, as a picture, on the report's first page.
class FaultChartView : public QChartView
{
    Q_OBJECT
public:
    explicit FaultChartView(QWidget *parent = nullptr);

    // Redraws the chart; no bars: an empty chart that says so.
    void setBars(const QVector<Ranking::Bar> &bars);
    const QVector<Ranking::Bar> &bars() const { return m_bars; }

    // The chart of `bars` drawn at `size` pixels on white.
    static QImage picture(const QVector<Ranking::Bar> &bars, const QSize &size);

private:
    void draw(const QString &emptyTitle, const QVector<Ranking::Bar> &bars = {});
    QVector<Ranking::Bar> m_bars;
};
