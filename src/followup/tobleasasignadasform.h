#pragma once

#include "data/localstore.h"
#include "data/stickerrepository.h"
#include "widgets/messages.h"
#include "widgets/resultgrid.h"

#include <QDate>
#include <QDialog>

class QDateEdit;
class QLabel;
class QPushButton;
class QTableView;
namespace Widgets
{
class ProgressLine;
}

// The stickers the PEC assigned to the workshop's operations in a period:
// the list, its count and three prints of it (summary, detail with the
// serial numbers of every part, and a plain one for a spreadsheet).
class TObleasAsignadasForm : public QDialog
{
    Q_OBJECT
public:
    explicit TObleasAsignadasForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());
    ~TObleasAsignadasForm() override;

    Widgets::ResultGridModel *gridModel() const { return m_model; }
    LocalTable &detailBuffer() { return m_buffer; }
    Widgets::ProgressLine *progressLine() const { return m_progress; }

public slots:
    void BitBtn2Click(); // "Ver"
    void BitBtn4Click(); // "Imprimir Resumen"
    void BitBtn5Click(); // "Imprimir en detalle con números de serie"
    void BitBtn6Click(); // "Imprimir Resumen para Exportar a Excel"

private:
    void printSummary(const QString &layout);
    void printDetail(const QHash<QString, StickerRepository::Parts> &parts);

    Prompter &m_prompter;
    QDateEdit *m_desde = nullptr;
    QDateEdit *m_hasta = nullptr;
    Widgets::ResultGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QLabel *m_count = nullptr;
    Widgets::ProgressLine *m_progress = nullptr;
    QPushButton *m_resumen = nullptr, *m_detalle = nullptr, *m_excel = nullptr;
    // The period of the last "Ver": the prints are of its rows, whatever the
    // pickers say since.
    QDate m_listedFrom, m_listedTo;
    LocalTable m_buffer{LocalTableId::Stickers}; // AuxObleas, for the form's life
};
