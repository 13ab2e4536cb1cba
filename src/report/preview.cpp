#include "report/preview.h"

#include "report/reportform.h"

#include <QApplication>
#include <QComboBox>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyle>
#include <QVBoxLayout>
#include <memory>

namespace Report
{

// Reports with more pages than this show progress while printing or exporting.
static constexpr int kProgressPages = 10;

PreviewDialog::PreviewDialog(const ReportForm &report, QWidget *parent)
    : QDialog(parent), m_report(report), m_render(report.render())
{
    setObjectName(QStringLiteral("TPreviewForm"));
    setWindowTitle(QStringLiteral("Vista Previa - %1").arg(report.layout().title));
    setModal(true);

    auto *bar = new QHBoxLayout;
    auto button = [&](const char *name, const QString &text) {
        auto *b = new QPushButton(text, this);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        bar->addWidget(b);
        return b;
    };
    m_first = button("BtnPrimera", QStringLiteral("|<"));
    m_first->setToolTip(QStringLiteral("Primera página"));
    m_prev = button("BtnAnterior", QStringLiteral("<"));
    m_prev->setToolTip(QStringLiteral("Página anterior"));
    m_pageLabel = new QLabel(this);
    m_pageLabel->setObjectName(QStringLiteral("LabelPagina"));
    bar->addWidget(m_pageLabel);
    m_next = button("BtnSiguiente", QStringLiteral(">"));
    m_next->setToolTip(QStringLiteral("Página siguiente"));
    m_last = button("BtnUltima", QStringLiteral(">|"));
    m_last->setToolTip(QStringLiteral("Última página"));

    m_zoomCombo = new QComboBox(this);
    m_zoomCombo->setObjectName(QStringLiteral("ComboZoom"));
    for (int z : {50, 75, 100, 125, 150, 200})
        m_zoomCombo->addItem(QStringLiteral("%1%").arg(z), z);
    m_zoomCombo->setCurrentIndex(2);
    bar->addWidget(m_zoomCombo);
    bar->addStretch();

    QPushButton *print = button("BtnImprimir", QStringLiteral("Imprimir"));
    QPushButton *pdf = button("BtnPdf", QStringLiteral("Exportar a PDF"));
    QPushButton *excel = button("BtnExcel", QStringLiteral("Exportar a Excel"));
    pdf->setVisible(report.layout().exportsPdf);
    excel->setVisible(report.hasSpreadsheet());
    QPushButton *close = button("BtnCerrar", QStringLiteral("Cerrar"));

    m_view = new QLabel(this);
    m_view->setObjectName(QStringLiteral("PageView"));
    m_view->setAlignment(Qt::AlignCenter);
    m_scroll = new QScrollArea(this);
    m_scroll->setWidget(m_view);
    m_scroll->setWidgetResizable(true);
    m_scroll->setBackgroundRole(QPalette::Dark);

    auto *lay = new QVBoxLayout(this);
    lay->addLayout(bar);
    lay->addWidget(m_scroll, 1);

    connect(m_first, &QPushButton::clicked, this, [this] { setPage(1); });
    connect(m_prev, &QPushButton::clicked, this, [this] { setPage(m_page - 1); });
    connect(m_next, &QPushButton::clicked, this, [this] { setPage(m_page + 1); });
    connect(m_last, &QPushButton::clicked, this, [this] { setPage(pageCount()); });
    connect(m_zoomCombo, &QComboBox::activated, this, [this](int i) { setZoom(m_zoomCombo->itemData(i).toInt()); });
    connect(print, &QPushButton::clicked, this, &PreviewDialog::printClicked);
    connect(pdf, &QPushButton::clicked, this, &PreviewDialog::pdfClicked);
    connect(excel, &QPushButton::clicked, this, &PreviewDialog::excelClicked);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    // The page at its width inside the screen's free part, the window's frame
    // left out (title bar and borders) and room kept for the scroll bar and
    // margins. Wide lists open maximised, the page filling the width.
    const QRect area = screen() ? screen()->availableGeometry() - QMargins(8, 31, 8, 8) : QRect(0, 0, 900, 760);
    const double pageWidthPx = report.layout().paperSizeMm().width() * 96.0 / 25.4;
    constexpr int chrome = 60;
    if (report.layout().previewFitsWidth) {
        setWindowState(windowState() | Qt::WindowMaximized);
        m_zoom = qBound(10, int(100.0 * (area.width() - chrome) / pageWidthPx), 400);
    } else {
        m_zoom = qBound(10, int(100.0 * (area.width() - chrome) / pageWidthPx), 100);
        const QSize size(qMin(area.width(), int(pageWidthPx * m_zoom / 100.0) + chrome), area.height());
        setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignHCenter | Qt::AlignTop, size, area));
    }
    refresh();
}

const DisplayList &PreviewDialog::displayList() const
{
    if (!m_list)
        m_list = m_render.all();
    return *m_list;
}

void PreviewDialog::setPage(int page)
{
    m_page = qBound(1, page, qMax(1, pageCount()));
    refresh();
}

void PreviewDialog::setZoom(int percent)
{
    m_zoom = qBound(10, percent, 400);
    const int i = m_zoomCombo->findData(m_zoom);
    if (i >= 0)
        m_zoomCombo->setCurrentIndex(i);
    refresh();
}

QImage PreviewDialog::pageImage(int page, double dpi) const
{
    const QSizeF mm = m_report.layout().paperSizeMm();
    const double pxPerMm = dpi / 25.4;
    QImage img(qRound(mm.width() * pxPerMm), qRound(mm.height() * pxPerMm), QImage::Format_RGB32);
    img.setDotsPerMeterX(qRound(dpi / 0.0254));
    img.setDotsPerMeterY(qRound(dpi / 0.0254));
    img.fill(Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintPage(p, m_report.layout(), m_render.page(page), pxPerMm, pxPerMm);
    return img;
}

void PreviewDialog::refresh()
{
    m_pageLabel->setText(QStringLiteral("Página %1 de %2").arg(m_page).arg(pageCount()));
    m_first->setEnabled(m_page > 1);
    m_prev->setEnabled(m_page > 1);
    m_next->setEnabled(m_page < pageCount());
    m_last->setEnabled(m_page < pageCount());
    m_view->setPixmap(QPixmap::fromImage(pageImage(m_page, 96.0 * m_zoom / 100.0)));
}

Progress PreviewDialog::progressFor(const QString &text)
{
    if (pageCount() <= kProgressPages)
        return {};
    auto dlg = std::make_shared<QProgressDialog>(text, QStringLiteral("Cancelar"), 0, pageCount(), this);
    dlg->setWindowTitle(QStringLiteral("Procesando"));
    dlg->setWindowModality(Qt::WindowModal);
    dlg->setMinimumDuration(300);
    return [dlg](int done, int total) {
        dlg->setMaximum(total);
        dlg->setValue(done);
        QApplication::processEvents();
        return !dlg->wasCanceled();
    };
}

bool PreviewDialog::exportPdfTo(const QString &path, QString *error)
{
    return writePdf(path, m_render, error, progressFor(QStringLiteral("Exportando a PDF...")));
}

bool PreviewDialog::exportXlsxTo(const QString &path, QString *error)
{
    return m_report.exportXlsx(path, error);
}

void PreviewDialog::printClicked()
{
    QPrinter printer(QPrinter::HighResolution);
    m_report.setUpPrinter(printer);
    QPrintDialog dlg(&printer, this);
    dlg.setWindowTitle(QStringLiteral("Imprimir"));
    if (dlg.exec() != QDialog::Accepted)
        return;
    if (!m_report.print(printer, progressFor(QStringLiteral("Imprimiendo..."))))
        QMessageBox::critical(this, QStringLiteral("Error"), QStringLiteral("No se pudo imprimir el reporte."));
}

void PreviewDialog::pdfClicked()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Exportar a PDF"),
                                                      m_report.layout().title + QStringLiteral(".pdf"),
                                                      QStringLiteral("Archivos PDF (*.pdf)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!exportPdfTo(path, &error))
        QMessageBox::critical(this, QStringLiteral("Error"), error);
}

void PreviewDialog::excelClicked()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Exportar a Excel"),
                                                      m_report.layout().title + QStringLiteral(".xlsx"),
                                                      QStringLiteral("Libros de Excel (*.xlsx)"));
    if (path.isEmpty())
        return;
    QString error;
    if (!exportXlsxTo(path, &error))
        QMessageBox::critical(this, QStringLiteral("Error"), error);
}

} // namespace Report
