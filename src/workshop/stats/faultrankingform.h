#pragma once

#include "core/faultranking.h"
#include "documents/rankingdocument.h"

#include <QDialog>
#include <optional>

class Prompter;
class QPushButton;
class QVBoxLayout;
class FaultChartView;
namespace Widgets
{
class ProgressLine;
}

// The frame of the three fault rankings: the form's own selectors on top,
// the chart of the last ranking, and "Ver", which reads the ranking of the
// selection, draws its chart and previews its report.
class FaultRankingForm : public QDialog
{
    Q_OBJECT
public:
    // The bars the last "Ver" drew.
    FaultChartView *chartView() const { return m_chart; }
    const QVector<Ranking::Row> &lastRanking() const { return m_rows; }
    Widgets::ProgressLine *progressLine() const { return m_progress; }

public slots:
    void BitBtnVerClick();

protected:
    QPushButton *BitBtnVer = nullptr;

protected:
    FaultRankingForm(const QString &objectName, const QString &caption, QWidget *parent, Prompter &prompter);
    Prompter &prompter() const { return m_prompter; }
    // Where a form puts its selectors, above the chart.
    QVBoxLayout *selectorArea() const { return m_selectors; }

    struct Selection {
        Ranking::Bounds bounds;
        Documents::RankingHeader header; // all but the PEC and the chart
        QString layout;
        bool emptyIsNotice = false; // the dealer ranking says so instead of printing
    };
    // The form's selection, or nothing when it is incomplete (already told).
    virtual std::optional<Selection> selection() = 0;

private:
    // Draws the counts read for `s` and previews its report.
    void present(const QVector<Ranking::Count> &counts, Selection &s);

    Prompter &m_prompter;
    Widgets::ProgressLine *m_progress = nullptr;
    QVBoxLayout *m_selectors = nullptr;
    FaultChartView *m_chart = nullptr;
    QVector<Ranking::Row> m_rows;
};
