#pragma once

#include "core/faultranking.h"

#include <QImage>
#include <QVector>
#include <QWidget>

// The top faults of a ranking as horizontal bars, the most frequent on top:
// in the ranking windows and, as a picture, on the report. Drawn by hand so
// the program needs no chart library.
class FaultChartView : public QWidget
{
    Q_OBJECT
public:
    explicit FaultChartView(QWidget *parent = nullptr);

    // Redraws the chart; no bars: an empty chart that says so.
    void setBars(const QVector<Ranking::Bar> &bars);
    const QVector<Ranking::Bar> &bars() const { return m_bars; }

    // The chart of `bars` drawn at `size` pixels on white, its texts sized
    // for the picture, so it can be printed in a box of the same proportions.
    static QImage picture(const QVector<Ranking::Bar> &bars, const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QVector<Ranking::Bar> m_bars;
    QString m_emptyTitle;
};
