#pragma once

#include "report/reportform.h"
#include "widgets/messages.h"

#include <QDialog>

class QSpinBox;
class QPushButton;

// A dialog that prints one document in as many copies as asked: "Cantidad
// de Copias" (SpinEdit1, 1 to 999, 1 at first) and "Imprimir" (BitBtn1),
// which previews the document with that copy count.
class CopiesPrintForm : public QDialog
{
    Q_OBJECT
protected:
    QSpinBox *SpinEdit1 = nullptr;
    QPushButton *BitBtn1 = nullptr;

public slots:
    void BitBtn1Click();

protected:
    CopiesPrintForm(QWidget *parent, Prompter &prompter, const QString &objectName, const QString &caption);
    // The document to print; throws std::exception with the reason.
    virtual Report::ReportForm document() = 0;

    Prompter &m_prompter;
};
