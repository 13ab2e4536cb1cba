#include "workshop/stats/faultchart.h"

#include <QFontMetricsF>
#include <QLocale>
#include <QPainter>

namespace
{

const QColor kBar(0, 90, 170);
const QColor kAxis(120, 120, 120);

QString shareText(double porc)
{
    static const QLocale locale(QLocale::Spanish, QLocale::Argentina);
    return QStringLiteral(" (%1 %)").arg(locale.toString(porc, 'f', 1));
}

// Draws the chart into `area` with `font` as the base font: a bold title,
// one row per bar with its name (elided, the share kept), a bar whose length
// is its count over the highest one, and the count at the bar's end.
void drawChart(QPainter &p, const QRectF &area, const QFont &font, const QVector<Ranking::Bar> &bars,
               const QString &emptyTitle)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QFont bold = font;
    bold.setBold(true);
    const QFontMetricsF bm(bold);
    const QFontMetricsF fm(font);
    const double pad = fm.height() * 0.4;
    const QRectF inner = area.adjusted(pad, pad, -pad, -pad);

    p.setFont(bold);
    p.setPen(Qt::black);
    const QString title = bars.isEmpty() ? emptyTitle : QStringLiteral("Fallas más frecuentes");
    const QString shownTitle = bm.elidedText(title, Qt::ElideRight, inner.width());
    if (bars.isEmpty()) {
        p.drawText(inner, Qt::AlignCenter, shownTitle);
        p.restore();
        return;
    }
    const QRectF titleBox(inner.left(), inner.top(), inner.width(), bm.height() * 1.4);
    p.drawText(titleBox, Qt::AlignHCenter | Qt::AlignTop, shownTitle);

    qint64 highest = 1;
    double countWidth = 0;
    double labelWidth = 0;
    for (const Ranking::Bar &b : bars) {
        highest = qMax(highest, b.cantidad);
        countWidth = qMax(countWidth, fm.horizontalAdvance(QString::number(b.cantidad)));
        labelWidth = qMax(labelWidth, fm.horizontalAdvance(b.label + shareText(b.porc)));
    }
    // The names take what they need up to 45 % of the width; the counts keep
    // their room at the right, so the longest bar ends inside the box.
    labelWidth = qMin(labelWidth, inner.width() * 0.45);
    const double barsLeft = inner.left() + labelWidth + pad;
    const double barsWidth = qMax(1.0, inner.right() - barsLeft - countWidth - pad);
    const double top = titleBox.bottom();
    const double rowHeight = (inner.bottom() - top) / bars.size();

    p.setPen(kAxis);
    p.drawLine(QPointF(barsLeft, top), QPointF(barsLeft, inner.bottom()));
    p.setFont(font);
    for (int i = 0; i < bars.size(); ++i) {
        const Ranking::Bar &b = bars[i];
        const QRectF row(inner.left(), top + i * rowHeight, inner.width(), rowHeight);
        const QString share = shareText(b.porc);
        const QString name =
            fm.elidedText(b.label, Qt::ElideRight, qMax(0.0, labelWidth - fm.horizontalAdvance(share))) + share;
        p.setPen(Qt::black);
        p.drawText(QRectF(row.left(), row.top(), labelWidth, rowHeight), Qt::AlignRight | Qt::AlignVCenter, name);
        const double length = barsWidth * double(b.cantidad) / double(highest);
        const double barHeight = qMin(rowHeight * 0.7, fm.height() * 1.6);
        const QRectF bar(barsLeft, row.center().y() - barHeight / 2, length, barHeight);
        p.fillRect(bar, kBar);
        p.drawText(QRectF(bar.right() + pad / 2, row.top(), countWidth + pad, rowHeight),
                   Qt::AlignLeft | Qt::AlignVCenter, QString::number(b.cantidad));
    }
    p.restore();
}

} // namespace

FaultChartView::FaultChartView(QWidget *parent)
    : QWidget(parent), m_emptyTitle(QStringLiteral("Elija la selección y presione \"Ver\""))
{
    setObjectName(QStringLiteral("ChartFallas"));
    setMinimumSize(520, 300);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, Qt::white);
    setPalette(pal);
}

void FaultChartView::setBars(const QVector<Ranking::Bar> &bars)
{
    m_bars = bars;
    m_emptyTitle = QStringLiteral("Sin fallas en la selección");
    update();
}

void FaultChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawChart(painter, rect(), font(), m_bars, m_emptyTitle);
}

QImage FaultChartView::picture(const QVector<Ranking::Bar> &bars, const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    // Texts in proportion to the picture: eleven rows and the title fit its
    // height, whatever size the report's box asks for.
    QFont font;
    font.setPixelSize(qMax(8, size.height() / 26));
    QPainter painter(&image);
    drawChart(painter, QRectF(QPointF(0, 0), QSizeF(size)), font, bars, QStringLiteral("Sin fallas en la selección"));
    painter.end();
    return image;
}
