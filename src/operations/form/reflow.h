#pragma once

#include <QWidget>

class QGridLayout;

namespace OperationForm
{

// A part of the form that lays its blocks out again as the window's width
// changes, so that the fields scroll up and down, never sideways; each field
// keeps the width of its longest value.
class Reflowing : public QWidget
{
public:
    bool eventFilter(QObject *watched, QEvent *event) override;

protected:
    Reflowing();

    // `room`: the width the window leaves the part (its margins and a
    // vertical scroll bar taken off).
    virtual void reflow(int room) = 0;

    void showEvent(QShowEvent *event) override;

    static int least(const QWidget *w);
    int gap() const;
    void clear(const QList<QWidget *> &widgets);

    QGridLayout *m_grid;

private:
    void follow();

    bool m_watching = false;
};

// Vehicle and regulator beside the owner while the window is wide enough for
// the three; on a narrower one (125 % and more on a laptop) the regulator
// goes below vehicle and owner, and narrower still all stand in one column.
class UpperBlocks : public Reflowing
{
public:
    UpperBlocks(QWidget *vehicle, QWidget *regulator, QWidget *owner);

private:
    enum Arrangement { Wide, Medium, Narrow };

    void reflow(int room) override;
    void arrange(Arrangement a);

    QWidget *m_vehicle;
    QWidget *m_regulator;
    QWidget *m_owner;
    Arrangement m_now = Narrow;
};

// The three dates, then the observations with the rest of the row; below the
// dates when the row has no room for the whole field.
class DatesRow : public Reflowing
{
public:
    DatesRow(QWidget *dates, QWidget *observations);

private:
    void reflow(int room) override;
    void arrange(bool below);

    QWidget *m_dates;
    QWidget *m_observations;
    bool m_below = false;
    bool m_arranged = false;
};

} // namespace OperationForm
