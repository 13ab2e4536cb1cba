#pragma once

#include "followup/operationqueryform.h"

#include <QString>

// The operation that received a sticker; "Ver" shows it in the operation
// form's consultation mode. The sticker is zero-filled to ten digits.
class TConsultaXObleaForm : public OperationQueryForm
{
    Q_OBJECT
public:
    explicit TConsultaXObleaForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    // "12" -> "0000000012"; *ok false for text that is not a whole number.
    // Empty text stays empty.
    static QString zeroFilled(const QString &text, bool *ok);

    // The entry's leave rule: writes the zero-filled number back, or shows the
    // conversion error and keeps the text.
    void ObleaEditExit();

protected:
    QString searchText() override;
    void actionClicked() override;
};
