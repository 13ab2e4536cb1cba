#pragma once

#include <QList>

class QWidget;

namespace Widgets
{

// In the entry dialogs Enter moves to the next field as Tab does (Shift+Enter
// to the previous one) and is consumed, so it never presses a button nor
// leaves the operator typing into the field just finished. For fields of a
// QLineEdit, QComboBox or spin box; the owner's own key filters run first.
void moveFocusOnEnter(QWidget *field);
void moveFocusOnEnter(const QList<QWidget *> &fields);

// Tab goes through `fields` in this order.
void setTabOrder(const QList<QWidget *> &fields);

} // namespace Widgets
