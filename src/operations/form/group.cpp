#include "operations/form/group.h"

#include "widgets/uppercasevalidator.h"

#include <QComboBox>
#include <QLineEdit>

namespace OperationForm
{

void showText(QComboBox *box, const QString &text)
{
    const int i = box->findText(text);
    if (i >= 0)
        box->setCurrentIndex(i);
    else if (box->isEditable())
        box->setCurrentText(text);
}

void setUpperCase(QLineEdit *edit)
{
    edit->setValidator(new Widgets::UpperCaseValidator(edit));
}

} // namespace OperationForm
