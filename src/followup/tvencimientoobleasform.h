#pragma once

#include "widgets/messages.h"

#include <QDialog>

class QComboBox;
class QDateEdit;
class QLabel;
namespace Widgets
{
class ProgressLine;
}

// The workshop's vehicles whose sticker expires in a period, with the
// owners' addresses, phones and e-mail: printed, or laid out for a spreadsheet.
class TVencimientoObleasForm : public QDialog
{
    Q_OBJECT
public:
    explicit TVencimientoObleasForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    // The line shown while the list is read (tests).
    QLabel *processingLabel() const { return m_procesando; }
    Widgets::ProgressLine *progressLine() const { return m_progress; }

public slots:
    void DateTimePicker1Change(); // "Desde" copies into "Hasta"
    void BitBtn1Click();          // "Ver"

private:
    Prompter &m_prompter;
    QDateEdit *m_desde = nullptr;
    QDateEdit *m_hasta = nullptr;
    QComboBox *m_formato = nullptr;
    QLabel *m_procesando = nullptr;
    Widgets::ProgressLine *m_progress = nullptr;
};
