#include "core/iniconfig.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

namespace
{

// Text as an editor on Windows writes it: printable characters, tabs and line
// ends; UTF-8 or a single-byte code page. NUL bytes or a UTF-16/32 byte-order
// mark mean a file QSettings would read as empty.
bool looksLikeText(const QByteArray &bytes)
{
    if (bytes.startsWith("\xFF\xFE") || bytes.startsWith("\xFE\xFF"))
        return false;
    for (char c : bytes) {
        const uchar u = uchar(c);
        if (u < 0x20 && u != '\t' && u != '\r' && u != '\n' && u != 0x1A)
            return false;
    }
    return true;
}

// Every line is blank, a comment, a [section] or a key=value.
bool looksLikeIni(const QByteArray &bytes)
{
    for (const QByteArray &raw : bytes.split('\n')) {
        const QByteArray line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(';') || line.startsWith('#') || line == "\x1A")
            continue;
        if (line.startsWith('[') && line.endsWith(']'))
            continue;
        const qsizetype eq = line.indexOf('=');
        if (eq <= 0)
            return false;
    }
    return true;
}

bool yes(const QString &v)
{
    const QString s = v.trimmed().toUpper();
    return s == QLatin1String("SI") || s == QLatin1String("S") || s == QLatin1String("1") ||
           s == QLatin1String("TRUE") || s == QLatin1String("YES");
}

} // namespace

IniConfig ReadIni(const QString &path)
{
    IniConfig c;
    if (!QFileInfo::exists(path))
        return c;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        c.status = IniConfig::Status::Unreadable;
        return c;
    }
    const QByteArray bytes = f.readAll();
    QSettings ini(path, QSettings::IniFormat);
    if (!looksLikeText(bytes) || !looksLikeIni(bytes) || ini.status() != QSettings::NoError) {
        c.status = IniConfig::Status::Unreadable;
        return c;
    }
    c.status = IniConfig::Status::Read;
    c.id = ini.value(QStringLiteral("DATA/ID"), c.id).toString();
    c.server = ini.value(QStringLiteral("DATA/SERVER"), c.server).toString();
    bool ok = false;
    const int timeout = ini.value(QStringLiteral("DATA/TIMEOUT")).toString().trimmed().toInt(&ok);
    if (ok && timeout >= 1 && timeout <= 600)
        c.timeoutSeconds = timeout;
    c.tls = yes(ini.value(QStringLiteral("DATA/TLS")).toString());
    const QString ca = ini.value(QStringLiteral("DATA/TLS_CA")).toString().trimmed();
    if (!ca.isEmpty())
        c.tlsCaFile = QDir::cleanPath(QFileInfo(path).absoluteDir().absoluteFilePath(ca));
    c.user = ini.value(QStringLiteral("DATA/USER")).toString().trimmed();
    if (!c.user.isEmpty())
        c.password = ini.value(QStringLiteral("DATA/PASSWORD")).toString();
    return c;
}

QString UnreadableIniMessage(const QString &path)
{
    return QStringLiteral("No se puede leer el archivo %1: no es un archivo de configuración de texto. Guárdelo de "
                          "nuevo como texto (ANSI o UTF-8) con la sección [DATA].")
        .arg(QDir::toNativeSeparators(path));
}
