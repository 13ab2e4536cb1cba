#pragma once

#include "report/renderer.h"

#include <optional>

#include <QDialog>
#include <QImage>

class QComboBox;
class QLabel;
class QPushButton;
class QScrollArea;

namespace Report
{

class ReportForm;

// The report preview: page navigation, zoom, print with the preset copies,
// PDF export and, where the layout carries it, spreadsheet export.
class PreviewDialog : public QDialog
{
    Q_OBJECT
public:
    explicit PreviewDialog(const ReportForm &report, QWidget *parent = nullptr);

    int pageCount() const { return m_render.pageCount(); }
    int currentPage() const { return m_page; }
    void setPage(int page); // clamped to the pages
    int zoomPercent() const { return m_zoom; }
    void setZoom(int percent);
    // The whole report's items, worked out on first use (tests).
    const DisplayList &displayList() const;
    const ReportForm &report() const { return m_report; }
    QImage pageImage(int page, double dpi) const;

    // The actions behind the buttons, without the file dialogs.
    bool exportPdfTo(const QString &path, QString *error = nullptr);
    bool exportXlsxTo(const QString &path, QString *error = nullptr);

private slots:
    void printClicked();
    void pdfClicked();
    void excelClicked();

private:
    void refresh();
    Progress progressFor(const QString &text);

    const ReportForm &m_report;
    Render m_render;
    mutable std::optional<DisplayList> m_list;
    int m_page = 1;
    int m_zoom = 100;
    QLabel *m_view = nullptr;
    QLabel *m_pageLabel = nullptr;
    QComboBox *m_zoomCombo = nullptr;
    QScrollArea *m_scroll = nullptr;
    QPushButton *m_first = nullptr, *m_prev = nullptr, *m_next = nullptr, *m_last = nullptr;
};

} // namespace Report
