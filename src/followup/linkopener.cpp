#include "followup/linkopener.h"

#include <QDesktopServices>
#include <QUrl>

namespace Followup
{

static LinkOpener &opener()
{
    static LinkOpener hook;
    return hook;
}

void setLinkOpener(LinkOpener hook)
{
    opener() = std::move(hook);
}

bool openLink(const QString &encodedLink)
{
    if (opener())
        return opener()(encodedLink);
    // Already encoded: taken as it stands, never decoded and encoded again.
    return QDesktopServices::openUrl(QUrl::fromEncoded(encodedLink.toLatin1(), QUrl::StrictMode));
}

} // namespace Followup
