#pragma once

#include "widgets/messages.h"

#include <QDialog>
#include <QSqlRecord>
#include <QVector>
#include <optional>

class QCheckBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

// Reader of the messages the PEC posted to the workshop. Reads the rows of
// dm1's SimpleDataSetMensajes (already open); on closing with the box
// checked, every unread message of the workshop up to the last one read
// here is marked read.
class TVerMensajesForm : public QDialog
{
    Q_OBJECT
public:
    // The messages are `rows` (SimpleDataSetMensajes' columns), or else the
    // rows that statement holds now.
    explicit TVerMensajesForm(const QString &announcement, QWidget *parent = nullptr,
                              Prompter &prompter = guiPrompter(), std::optional<QVector<QSqlRecord>> rows = {});

    int current() const { return m_current; }
    int total() const { return int(m_rows.size()); }

public slots:
    void BitBtnProximoClick();
    void BitBtnAnteriorClick();

public:
    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void showCurrent();
    void markRead();

    Prompter &m_prompter;
    QVector<QSqlRecord> m_rows;
    int m_current = 1;
    QLabel *m_announcement = nullptr;
    QLabel *m_counter = nullptr;
    QPlainTextEdit *m_text = nullptr;
    QPushButton *m_proximo = nullptr;
    QPushButton *m_anterior = nullptr;
    QCheckBox *m_marcar = nullptr;
    bool m_closing = false;
};
