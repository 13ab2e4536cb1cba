#pragma once

#include "widgets/messages.h"
#include "widgets/resultgrid.h"
#include "widgets/serverwait.h"

#include <QDate>
#include <QDialog>

class QCalendarWidget;
class QLabel;
class QTableView;

// The workshop's appointment book: a month calendar, and the chosen day's
// slots in time order, which are booked, cancelled and printed from here.
// A day's slots are created the first time anyone of the workshop looks at it.
class TAgendaTurnosForm : public QDialog
{
    Q_OBJECT
public:
    explicit TAgendaTurnosForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    Widgets::ResultGridModel *gridModel() const { return m_model; }
    QDate day() const;

public slots:
    void Calendar1Change();   // shows the chosen day
    void SpeedButton1Click(); // previous month
    void SpeedButton2Click(); // next month
    void BitBtn2Click();      // "Dar Turno"
    void BitBtn1Click();      // "Anular Turno"
    void BitBtn3Click();      // "Planilla Diaria"

private:
    void showDay(int selectRow);
    void moveMonths(int months);
    QString selectedHora(int *row) const;

    Prompter &m_prompter;
    Widgets::WindowWrites m_writes{Widgets::WindowWrites::EachItsOwn};
    QCalendarWidget *m_calendar = nullptr;
    QLabel *m_labelFecha = nullptr;
    Widgets::ResultGridModel *m_model = nullptr;
    QTableView *m_grid = nullptr;
};
