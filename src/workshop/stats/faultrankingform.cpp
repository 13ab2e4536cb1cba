#include "workshop/stats/faultrankingform.h"

#include "core/global.h"
#include "core/prompter.h"
#include "data/dberror.h"
#include "data/statsstore.h"
#include "documents/registry.h"
#include "widgets/formwindow.h"
#include "widgets/progressline.h"
#include "widgets/waitcursor.h"
#include "workshop/stats/faultchart.h"

#include <QDir>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTemporaryFile>
#include <QVBoxLayout>
#include <stdexcept>

namespace
{

// The chart as printed: the report's box at ten pixels a millimetre, about
// 250 dpi, so the picture keeps the box's proportions and its texts their size.
QSize printedChartSize(const QString &layout)
{
    QSizeF mm(190, 82);
    try {
        const Report::Layout l = Documents::LoadLayout(layout);
        if (l.has(QStringLiteral("QRImageGrafico")))
            mm = l.item(QStringLiteral("QRImageGrafico")).rect.size();
    } catch (const std::exception &) {
        // the report says so itself when it is built
    }
    return (mm * 10).toSize();
}

} // namespace

FaultRankingForm::FaultRankingForm(const QString &objectName, const QString &caption, QWidget *parent,
                                   Prompter &prompter)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(objectName);
    setWindowTitle(caption);
    auto *main = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    m_selectors = new QVBoxLayout;
    main->addLayout(m_selectors);
    m_chart = new FaultChartView(this);
    main->addWidget(m_chart, 1);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    BitBtnVer = new QPushButton(QStringLiteral("Ver"), this);
    BitBtnVer->setObjectName(QStringLiteral("BitBtnVer"));
    BitBtnVer->setMinimumWidth(90);
    buttons->addWidget(BitBtnVer);
    m_progress = new Widgets::ProgressLine(this);
    m_progress->holdWhileRunning({BitBtnVer});
    main->addWidget(m_progress);
    main->addLayout(buttons);
    connect(BitBtnVer, &QPushButton::clicked, this, &FaultRankingForm::BitBtnVerClick);
    resize(820, 600);
}

void FaultRankingForm::BitBtnVerClick()
{
    std::optional<Selection> s = selection();
    if (!s)
        return;
    const Ranking::Bounds bounds = s->bounds;
    m_progress->run<QVector<Ranking::Count>>(
        QStringLiteral("Leyendo las fallas..."), Conn::PostVenta, [bounds] { return StatsStore::FaultCounts(bounds); },
        [this, s = *s](const QVector<Ranking::Count> &counts) mutable { present(counts, s); }, m_prompter);
}

void FaultRankingForm::present(const QVector<Ranking::Count> &counts, Selection &s)
{
    Widgets::WaitCursor wait;
    m_rows = Ranking::Rank(counts);
    const QVector<Ranking::Bar> bars = Ranking::ChartBars(m_rows);
    m_chart->setBars(bars);
    if (m_rows.isEmpty() && s.emptyIsNotice) {
        wait.release();
        m_prompter.info(Ranking::kNoOperations);
        return;
    }
    s.header.pecName = Global.PecName;
    // The report reads the chart from a picture file that lives as long as
    // the preview.
    QTemporaryFile picture(QDir::tempPath() + QStringLiteral("/tarvil-ranking-XXXXXX.png"));
    if (!bars.isEmpty() && picture.open() &&
        FaultChartView::picture(bars, printedChartSize(s.layout)).save(&picture, "PNG")) {
        picture.close();
        s.header.chartFile = picture.fileName();
    }
    try {
        Report::ReportForm form = Documents::MakeRanking(s.layout, s.header, m_rows);
        wait.release();
        form.preview(this);
    } catch (const std::runtime_error &e) {
        wait.release();
        m_prompter.error(QString::fromUtf8(e.what()));
    }
}
