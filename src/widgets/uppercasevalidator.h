#pragma once

#include "widgets/textfield.h"

namespace Widgets
{

// Upper-case fields convert as typed and as pasted, keeping whole characters.
class UpperCaseValidator : public TextValidator
{
public:
    explicit UpperCaseValidator(QObject *parent = nullptr) : TextValidator(true, parent) {}
};

} // namespace Widgets
