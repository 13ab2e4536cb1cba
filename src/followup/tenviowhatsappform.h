#pragma once

#include "core/reminders.h"
#include "widgets/messages.h"
#include "widgets/resultgrid.h"
#include "widgets/serverwait.h"

#include <QDate>
#include <QDialog>

class QDateEdit;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTableView;
namespace Widgets
{
class ProgressLine;
}

// WhatsApp reminders to the owners whose sticker expires in a period: the
// list of vehicles with a mobile phone, the workshop's text (kept in its
// `tal` row), and "Enviar", which opens the chat with the selected owner and
// moves to the next one. Each reminder sent is logged on this workstation
// and the list shows the last one per vehicle.
class TEnvioWhatsappForm : public QDialog
{
    Q_OBJECT
public:
    explicit TEnvioWhatsappForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    Widgets::ResultGridModel *gridModel() const { return m_model; }
    Reminders::Kind kind() const { return m_kind; }
    Widgets::ProgressLine *progressLine() const { return m_progress; }

public slots:
    void BitBtn2Click(); // "Ver vehículos con vencimiento en el periodo indicado"
    void BitBtn1Click(); // "Enviar"
    void Memo1Change();

    // Stores the text whatever way the window closes.
    void done(int result) override;

protected:
    TEnvioWhatsappForm(QWidget *parent, Prompter &prompter, Reminders::Kind kind);

private:
    void build();
    void loadMessage();
    void showRows(int selectRow);
    void showList(QVector<QSqlRecord> rows); // the list read, with the last reminder of each
    void showRecentNotice(int row);
    QDate lastSent(int row) const;

    Prompter &m_prompter;
    Reminders::Kind m_kind;
    Widgets::WindowWrites m_saveMessage{Widgets::WindowWrites::SameWrite};
    QDateEdit *m_desde = nullptr;
    QDateEdit *m_hasta = nullptr;
    Widgets::ResultGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
    QPlainTextEdit *m_memo = nullptr;
    QLabel *m_countLabel = nullptr;
    QLabel *m_notice = nullptr;
    QPushButton *m_enviar = nullptr;
    Widgets::ProgressLine *m_progress = nullptr;
    QVector<QSqlRecord> m_rows;
    bool m_messageLoaded = false;
    bool m_messageEdited = false;
};
