#pragma once

#include <QDialog>

// Read-only notes of the program versions.
class TVersionesForm : public QDialog
{
    Q_OBJECT
public:
    explicit TVersionesForm(QWidget *parent = nullptr);

    static QString notes();

protected:
    void showEvent(QShowEvent *event) override;
};
