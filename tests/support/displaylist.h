#pragma once

// Reading what a report printed, in tests: a component's text, the cells of
// one detail row, the rows printed, and what each preview showed.
#include "report/preview.h"
#include "report/reportform.h"

#include <QMap>
#include <QSet>
#include <functional>

namespace Shown
{

// The text of the component's first item; "<missing NAME>" when it printed nothing.
inline QString textOf(const Report::DisplayList &l, const QString &name)
{
    const Report::DisplayItem *d = l.find(name);
    return d ? d->text : QStringLiteral("<missing %1>").arg(name);
}

// The detail cells of one printed row, by component name.
inline QMap<QString, QString> rowCells(const Report::DisplayList &l, int row)
{
    QMap<QString, QString> m;
    for (const Report::DisplayItem &d : l.items)
        if (d.row == row && d.itemIndex >= 0)
            m.insert(d.name, d.text);
    return m;
}

inline int detailRows(const Report::DisplayList &l)
{
    QSet<int> rows;
    for (const Report::DisplayItem &d : l.items)
        if (d.row >= 0)
            rows.insert(d.row);
    return int(rows.size());
}

// One preview as the operator would have seen it.
struct Preview {
    QString layout;
    int copies = 0;
    int pages = 0;
    Report::DisplayList list;
    QString text(const QString &name) const { return textOf(list, name); }
    int detailRows() const { return Shown::detailRows(list); }
};

// A preview hook (Report::ReportForm::setPreviewHook) that records each
// preview into `out` instead of showing it; `also` runs after each.
inline std::function<void(Report::PreviewDialog &)> recordInto(QVector<Preview> &out, std::function<void()> also = {})
{
    return [&out, also](Report::PreviewDialog &dlg) {
        out.append({dlg.report().layout().name, dlg.report().layout().copies, dlg.pageCount(), dlg.displayList()});
        if (also)
            also();
    };
}

} // namespace Shown
