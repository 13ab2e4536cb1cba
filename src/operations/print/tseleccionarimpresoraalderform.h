#pragma once

#include <QDialog>
#include <functional>

class QPushButton;

// Blank sheet or the PEC's pre-printed form: the two versions of a technical
// sheet a workshop can print on.
class TSeleccionarImpresoraAlderForm : public QDialog
{
    Q_OBJECT
public:
    // "Imprimir en Formulario Preimpreso" closes with this result; the blank
    // sheet closes with Accepted.
    static constexpr int PreprintedResult = 11;

    explicit TSeleccionarImpresoraAlderForm(QWidget *parent = nullptr);

    // Shows the dialog modally and returns its result (Rejected when closed
    // without a choice).
    static int choose(QWidget *parent);

    // Tests: called with the dialog laid out instead of the modal loop; its
    // return value is the result.
    using TestHook = std::function<int(TSeleccionarImpresoraAlderForm &)>;
    static void setTestHook(TestHook hook);

private:
    QPushButton *BitBtnHojaBlanco = nullptr;
    QPushButton *BitBtnPreimpreso = nullptr;
};
