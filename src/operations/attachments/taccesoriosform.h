#pragma once

#include <QDialog>
#include <array>

class QLineEdit;

// The twelve accessories of an installation, code and serial each. Whatever
// way the dialog is closed, what was typed goes back to the operation.
class TAccesoriosForm : public QDialog
{
    Q_OBJECT
public:
    using Values = std::array<QString, 24>; // row i: code at 2i, serial at 2i+1

    explicit TAccesoriosForm(const Values &values, QWidget *parent = nullptr);
    Values values() const;

    // Shows the dialog modally and copies the edits back into `values`;
    // read-only (an operation only viewed) it shows them and changes nothing.
    static void edit(Values &values, QWidget *parent, bool readOnly = false);
    void setReadOnly();

    // Row captions, in row order.
    static const std::array<QString, 12> &captions();

private:
    std::array<QLineEdit *, 24> m_edits{};
};
