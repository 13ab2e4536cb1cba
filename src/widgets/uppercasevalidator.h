#pragma once

#include <QValidator>

namespace Widgets
{

// Upper-case fields convert as typed and as pasted.
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

} // namespace Widgets
