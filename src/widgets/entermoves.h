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

// Moves the focus to the next field (the previous one when not `forward`)
// as Enter does: like Tab, but over the buttons and links beside the fields
// (Tab reaches them; Enter goes from field to field). False when there is
// none to go to.
bool focusNextField(QWidget *from, bool forward = true);

// Tab goes through `fields` in this order.
void setTabOrder(const QList<QWidget *> &fields);

} // namespace Widgets
