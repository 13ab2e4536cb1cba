#pragma once

#include <QString>
#include <functional>

// Opens a link with the desktop's handler (the browser, or WhatsApp where it
// claims its links). Tests take it over so that nothing is opened.
namespace Followup
{

using LinkOpener = std::function<bool(const QString &encodedLink)>;
void setLinkOpener(LinkOpener opener); // empty: the desktop's handler again

// False when the desktop could not open it.
bool openLink(const QString &encodedLink);

} // namespace Followup
