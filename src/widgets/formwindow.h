#pragma once

#include <QObject>
#include <QRect>

class Prompter;
class QDialog;
class QLineEdit;
class QWidget;

namespace Widgets
{

// What every window of the program does, set up in its constructor:
//
// - It fits the screen. Its layout (built as usual) goes into a scroll area
//   and its button row (the layout's last item when that holds only buttons
//   and their captions, or `buttons` when given) stays below it, always in
//   sight. Each time it is shown it takes the size it asked for, no more
//   than the screen's free part, and stays inside that part, frame included.
//   Made smaller by hand, its fields keep their least size and scroll.
// - Enter on a focused button presses it (the buttons are not "default":
//   Enter in a field never presses one); on a check box it moves on, as
//   from a field.
// - A click into a masked field puts the cursor on the first blank position
//   when it fell past it, so that what is typed goes in; in a date field,
//   typing over the whole date selected starts again at the day.
//
// The fields move to the scroll area when the window is first polished,
// after every constructor of it has run.
void setUpWindow(QWidget *window, QWidget *buttons = nullptr);

// Windows set up while this is off neither scroll nor are sized to the
// screen, as before the kit: the gallery counts those that would not fit.
void setFitting(bool on);

// The part of the screen a window of `window` can take, its frame left out:
// the screen's available geometry (above the taskbar) less the title bar and
// borders.
QRect usableArea(const QWidget *window);

// Typed data is not thrown away without a word: once the operator has typed
// into a field of `form`, Escape, the close box and cancel() ask first
// ("No" is the default answer). Connect the form's "Cancelar" to cancel();
// forget() after the data was stored or on purpose cleared.
class DiscardGuard : public QObject
{
public:
    DiscardGuard(QDialog *form, Prompter &prompter);

    // Rejects the form, after asking when it holds typed data.
    void cancel();
    bool typed() const { return m_typed; }
    void forget() { m_typed = false; }

    bool eventFilter(QObject *watched, QEvent *event) override;

    static inline const QString Question = QStringLiteral("Los datos ingresados no se guardaron y se perderán. Sigue?");

private:
    void watchFields();
    bool mayDiscard();

    QDialog *m_form;
    Prompter &m_prompter;
    bool m_typed = false;
    bool m_watching = false;
};

} // namespace Widgets
