#pragma once

#include <QDialog>
#include <optional>

class Prompter;
class QLabel;
class QLineEdit;
class QPushButton;

// The one-field dialog of the master files ("Técnico", "Falla", a brand, a
// model...): a label, an entry, "Aceptar" and "Cancelar".
class TextEntryDialog : public QDialog
{
    Q_OBJECT
public:
    struct Setup {
        QString objectName; // the window class name, "TFallasEditForm"
        QString caption;
        QString label;
        int maxLength = 0;
        bool upperCase = true;
        QString emptyRefusal; // the error an empty entry gets; empty: accepted
    };

    TextEntryDialog(const Setup &setup, QWidget *parent, Prompter &prompter);

    // Runs the dialog with `initial` in the entry; the text on "Aceptar".
    static std::optional<QString> ask(const Setup &setup, const QString &initial, QWidget *parent, Prompter &prompter);

public slots:
    void BitBtnAceptarClick();

private:
    QLabel *Label1 = nullptr;
    QLineEdit *Edit1 = nullptr;
    QPushButton *BitBtnAceptar = nullptr;
    QPushButton *BitBtnCancelar = nullptr;

private:
    Setup m_setup;
    Prompter &m_prompter;
};
