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
    const QString shown = QDir::toNativeSeparators(path);
    const QString sample = QStringLiteral("\n\n[DATA]\nID=OLIV01\nSERVER=W");
    if (!QFileInfo::exists(path)) {
        c.fatal = QStringLiteral("No se encuentra el archivo de configuración %1. Créelo en la carpeta desde la que "
                                 "se inicia el programa, con la sección [DATA] y el ID de la instalación, por "
                                 "ejemplo:%2")
                      .arg(shown, sample);
        return c;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        c.status = IniConfig::Status::Unreadable;
        c.fatal = QStringLiteral("No se puede abrir el archivo %1 (%2). Revise que exista y que este usuario pueda "
                                 "leerlo.")
                      .arg(shown, f.errorString());
        return c;
    }
    const QByteArray bytes = f.readAll();
    QSettings ini(path, QSettings::IniFormat);
    if (!looksLikeText(bytes) || !looksLikeIni(bytes) || ini.status() != QSettings::NoError) {
        c.status = IniConfig::Status::Unreadable;
        c.fatal = UnreadableIniMessage(path);
        return c;
    }
    c.status = IniConfig::Status::Read;
    if (bytes.trimmed().isEmpty() || ini.childGroups().isEmpty()) {
        c.fatal = QStringLiteral("El archivo %1 está vacío o no tiene la sección [DATA]. Escriba en él el ID de la "
                                 "instalación, por ejemplo:%2")
                      .arg(shown, sample);
        return c;
    }
    c.id = ini.value(QStringLiteral("DATA/ID"), c.id).toString().trimmed();
    if (c.id.isEmpty() || c.id == QLatin1String("NADA")) {
        c.id = QStringLiteral("NADA");
        c.fatal = QStringLiteral("Falta el ID de la instalación en el archivo %1 (ID= en la sección [DATA]), por "
                                 "ejemplo:%2")
                      .arg(shown, sample);
    }
    c.server = ini.value(QStringLiteral("DATA/SERVER"), c.server).toString();
    static const QStringList letters = {QStringLiteral("W"), QStringLiteral("A"), QStringLiteral("L")};
    if (!letters.contains(c.server))
        c.warnings << QStringLiteral("SERVER=%1 en tarvil.ini no es una letra de servidor: use W (servidor principal "
                                     "del PEC), A (servidor secundario) o L (servidor en esta máquina), en "
                                     "mayúsculas. Mientras tanto se usa la conexión que la instalación prevé para "
                                     "otras letras.")
                          .arg(c.server);
    const QString timeoutText = ini.value(QStringLiteral("DATA/TIMEOUT")).toString().trimmed();
    if (!timeoutText.isEmpty()) {
        bool ok = false;
        const int timeout = timeoutText.toInt(&ok);
        if (ok && timeout >= 1 && timeout <= 600)
            c.timeoutSeconds = timeout;
        else
            c.warnings << QStringLiteral("TIMEOUT=%1 en tarvil.ini no es un número de segundos entre 1 y 600; se "
                                         "esperan %2 segundos.")
                              .arg(timeoutText)
                              .arg(c.timeoutSeconds);
    }
    c.tls = yes(ini.value(QStringLiteral("DATA/TLS")).toString());
    const QString ca = ini.value(QStringLiteral("DATA/TLS_CA")).toString().trimmed();
    if (!ca.isEmpty())
        c.tlsCaFile = QDir::cleanPath(QFileInfo(path).absoluteDir().absoluteFilePath(ca));
    if (c.tls && ca.isEmpty())
        c.warnings << QStringLiteral("TLS=SI en tarvil.ini pide una conexión cifrada, pero falta TLS_CA (el "
                                     "certificado de la autoridad del servidor): no se podrá conectar hasta "
                                     "agregarlo.");
    else if (!c.tls && !ca.isEmpty())
        c.warnings << QStringLiteral("TLS_CA en tarvil.ini no se usa sin TLS=SI: la conexión no va cifrada.");
    c.user = ini.value(QStringLiteral("DATA/USER")).toString().trimmed();
    if (!c.user.isEmpty())
        c.password = ini.value(QStringLiteral("DATA/PASSWORD")).toString();
    else if (ini.contains(QStringLiteral("DATA/PASSWORD")))
        c.warnings << QStringLiteral("PASSWORD en tarvil.ini no se usa sin USER: se usa la cuenta de la "
                                     "instalación.");
    return c;
}

QString UnknownIdMessage(const QString &id, const QStringList &validIds)
{
    return QStringLiteral("El ID \"%1\" de tarvil.ini no corresponde a ninguna instalación (se escribe en "
                          "mayúsculas). Los ID válidos son: %2. Sin él se trabaja con la base de datos de esta "
                          "máquina.")
        .arg(id, validIds.join(QStringLiteral(", ")));
}

QString UnreadableIniMessage(const QString &path)
{
    return QStringLiteral("No se puede leer el archivo %1: no es un archivo de configuración de texto. Guárdelo de "
                          "nuevo como texto (ANSI o UTF-8) con la sección [DATA].")
        .arg(QDir::toNativeSeparators(path));
}
