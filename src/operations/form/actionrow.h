#pragma once

#include "operations/form/group.h"

#include <QFrame>
#include <QWidget>

class LinkLabel;
class QCheckBox;
class QComboBox;
class QLabel;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
struct OperationRecord;

namespace OperationForm
{

// The form's last row: accessories, attachments, the PEC's state, the
// printer, the sheet, "Aceptar" and "Cancelar". Leaving a field for
// "Cancelar" runs none of its rules.
class ActionRow : public QWidget
{
    Q_OBJECT
public:
    explicit ActionRow(const Context &context);

    void read(OperationRecord &r) const;
    void fill(const OperationRecord &r);

    // Always a workshop login here: no "Cédula", no state to change.
    void setUpForWorkshop(bool recordsAccessories);
    void lockCancel();
    void focusAccept();

signals:
    void accessoriesWanted();
    void attachmentsWanted();
    void printerWanted(); // "Seleccionar Impresora"
    void sheetWanted();   // "Ficha"
    void acceptClicked();
    void cancelClicked();

private:
    QPushButton *BitBtnAccesorios, *BitBtnAdjuntar;
    QLabel *LabelEstado;
    QComboBox *ComboBoxEstado;
    QPushButton *BitBtnCambiarEstado;
    LinkLabel *Label40;
    QCheckBox *CheckBoxDirectPrint; // always hidden and off: every document goes through the preview
    QPushButton *BitBtn5, *BitBtn3, *BitBtn2, *BitBtn1;
};

// The "Por favor, Espere..." panel over the form during recalls and saves:
// a bar of steps and the line of each.
class ProgressPanel : public QFrame
{
public:
    explicit ProgressPanel(QWidget *form);

    void start(int steps);
    void step(const QString &line);

private:
    QProgressBar *ProgressBarTareas;
    QPlainTextEdit *MemoTareas;
};

} // namespace OperationForm
