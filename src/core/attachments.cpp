#include "core/attachments.h"

namespace Attachments
{

std::optional<QString> Refusal(const QString &path, qint64 size)
{
    if (size < 0)
        return QStringLiteral("No se encuentra el archivo \"%1\".").arg(path);
    if (size > kMaxBytes)
        return QStringLiteral("El archivo tiene que ser menor a 512k");
    if (path.size() > kMaxPathLength)
        return QStringLiteral("La ubicación del archivo es demasiado larga (más de %1 caracteres); muévalo a una "
                              "carpeta de nombre más corto.")
            .arg(kMaxPathLength);
    return std::nullopt;
}

QString TooLargeOnSave(const QString &path, qint64 size)
{
    return QStringLiteral("El archivo adjunto \"%1\" tiene ahora %2 bytes: tiene que ser menor a 512k. Adjúntelo "
                          "de nuevo con un archivo más chico.")
        .arg(path)
        .arg(size);
}

} // namespace Attachments
