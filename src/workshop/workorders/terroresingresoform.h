#pragma once

#include <QDialog>
#include <QStringList>

class QPlainTextEdit;
class QPushButton;

// "Errores de Ingreso": the lines a refused entry collected, one under the
// other, with "Aceptar".
class TErroresIngresoForm : public QDialog
{
    Q_OBJECT
public:
    TErroresIngresoForm(QWidget *parent, const QStringList &lines);

    // Shows the lines and returns when the dialog is closed.
    static void show(QWidget *parent, const QStringList &lines);

private:
    QPlainTextEdit *Memo1 = nullptr;
    QPushButton *BitBtn1 = nullptr;
};
