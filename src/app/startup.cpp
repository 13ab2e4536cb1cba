#include "app/startup.h"

#include "core/version.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "widgets/messages.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <cstring>

namespace
{

struct Caption {
    const char *source;
    const char *replacement;
};

// Button and title texts of the standard dialogs (QPlatformTheme, QMessageBox,
// QDialogButtonBox contexts all use these source texts).
constexpr Caption kCaptions[] = {
    {"Warning", "Cuidado!"},
    {"Error", "Error"},
    {"Information", "Información"},
    {"Confirm", "Confirmación"},
    {"Question", "Confirmación"},
    {"&Yes", "Si"},
    {"Yes", "Si"},
    {"&No", "No"},
    {"No", "No"},
    {"OK", "Aceptar"},
    {"&OK", "Aceptar"},
    {"Cancel", "Cancelar"},
    {"&Cancel", "Cancelar"},
    {"Help", "Ayuda"},
    {"&Help", "Ayuda"},
    {"Abort", "Abortar"},
    {"&Abort", "Abortar"},
    {"Retry", "Reintentar"},
    {"&Retry", "Reintentar"},
    {"Ignore", "Ignorar"},
    {"&Ignore", "Ignorar"},
    {"Yes to &All", "Si a todos"},
    {"N&o to All", "No a todos"},
    {"&All", "Todos"},
    {"No help available", "No hay ayuda disponible"},
    {"Show Details...", "Detalles"},
    {"Hide Details...", "Ocultar detalles"},
};

bool replacesContext(const char *context)
{
    return context && (!std::strcmp(context, "QPlatformTheme") || !std::strcmp(context, "QMessageBox") ||
                       !std::strcmp(context, "QDialogButtonBox") || !std::strcmp(context, "QGnomeTheme"));
}

} // namespace

QString CaptionTranslator::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (!sourceText || !replacesContext(context))
        return {};
    for (const Caption &c : kCaptions)
        if (!std::strcmp(c.source, sourceText))
            return QString::fromUtf8(c.replacement);
    return {};
}

namespace Startup
{

void prepareApplication(QApplication &app)
{
    QCoreApplication::setOrganizationName(QStringLiteral("Tarvil"));
    QCoreApplication::setApplicationName(QStringLiteral("Tarvil"));
    QCoreApplication::setApplicationVersion(programVersionText());
    QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina));

    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    auto *qt = new QTranslator(&app);
    if (qt->load(QLocale(QLocale::Spanish), QStringLiteral("qtbase"), QStringLiteral("_"), dir))
        QCoreApplication::installTranslator(qt);
    else
        delete qt; // English captions below still get replaced
    QCoreApplication::installTranslator(new CaptionTranslator(&app));

    dm1(); // the data module exists before any window, every connection closed
    // A damaged local table is created again; the operator is told.
    LocalStore::setNoticeHandler([](const QString &text) { Msg::warning(QApplication::activeWindow(), text); });
}

} // namespace Startup
