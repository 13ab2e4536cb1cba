#pragma once

class Navigator;

namespace Followup
{

// The assigned stickers, the pending list, the operation queries, the
// expiry list, the WhatsApp reminders and the appointment book, for their
// main-window nodes and menu item;
// the cylinder and regulator queries also answer the operation form's
// "choose an operation".
void registerWindows(Navigator &navigator);

} // namespace Followup
