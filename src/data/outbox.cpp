#include "data/outbox.h"

#include "core/operationjson.h"
#include "data/dberror.h"
#include "data/localstore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace
{

const char *const kSchema = "create table if not exists espera ("
                            " id integer primary key autoincrement,"
                            " token text not null unique,"
                            " unresolved integer not null default 0,"
                            " lost_session integer not null default 0,"
                            " stored_at text not null,"
                            " attempts integer not null default 0,"
                            " last_error text not null default '',"
                            " refused integer not null default 0,"
                            " record blob not null,"
                            " answers blob not null,"
                            " file1 blob, file2 blob, file3 blob,"
                            " name1 text, name2 text, name3 text)";

const QString kColumns = QStringLiteral("id, token, unresolved, lost_session, stored_at, attempts, last_error, "
                                        "refused, record");

QByteArray answersJson(const QHash<QString, bool> &answers)
{
    QJsonObject o;
    for (auto it = answers.cbegin(); it != answers.cend(); ++it)
        o.insert(it.key(), it.value());
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}

QHash<QString, bool> answersOf(const QByteArray &json)
{
    QHash<QString, bool> answers;
    const QJsonObject o = QJsonDocument::fromJson(json).object();
    for (auto it = o.constBegin(); it != o.constEnd(); ++it)
        answers.insert(it.key(), it.value().toBool());
    return answers;
}

bool isDamage(const QSqlError &e)
{
    const QString code = e.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26") ||
           e.databaseText().contains(QLatin1String("malformed")) ||
           e.databaseText().contains(QLatin1String("not a database"));
}

OutboxEntry entryOf(const QSqlQuery &q)
{
    OutboxEntry e;
    e.id = q.value(0).toLongLong();
    e.ticket.token = q.value(1).toString();
    e.ticket.unresolved = q.value(2).toBool();
    e.ticket.lostSession = q.value(3).toULongLong();
    e.storedAt = QDateTime::fromString(q.value(4).toString(), Qt::ISODate);
    e.attempts = q.value(5).toInt();
    e.lastError = q.value(6).toString();
    e.refused = q.value(7).toBool();
    OperationJson::Read(q.value(8).toByteArray(), e.record);
    return e;
}

} // namespace

Outbox &Outbox::instance()
{
    static Outbox box(QDir(LocalStore::directory()).filePath(fileName()));
    return box;
}

QString Outbox::fileName()
{
    return QStringLiteral("SalidaPEC.db");
}

Outbox::Outbox(QString path, QObject *parent)
    : QObject(parent), m_path(std::move(path)),
      m_connection(QStringLiteral("tarvil-outbox-%1").arg(quintptr(this), 0, 16))
{
}

Outbox::~Outbox()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

void Outbox::open()
{
    if (m_open)
        return;
    const auto fail = [this](const QString &what) {
        throw DbError(QStringLiteral("Operaciones en espera (\"%1\"): %2").arg(QFileInfo(m_path).fileName(), what),
                      m_path);
    };
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    for (int attempt = 0; attempt < 2; ++attempt) {
        QSqlDatabase db = QSqlDatabase::contains(m_connection) ? QSqlDatabase::database(m_connection, false)
                                                               : QSqlDatabase::addDatabase("QSQLITE", m_connection);
        db.setDatabaseName(m_path);
        if (!db.open())
            fail(db.lastError().text());
        QSqlQuery q(db);
        // Checked as it opens, as the other local tables are.
        bool ok =
            q.exec(QStringLiteral("pragma quick_check")) && q.next() && q.value(0).toString() == QLatin1String("ok");
        const QSqlError damage = q.lastError();
        if (ok)
            ok = q.exec(QStringLiteral("pragma synchronous = full")) && q.exec(QString::fromLatin1(kSchema));
        if (ok) {
            m_open = true;
            return;
        }
        const QSqlError e = q.lastError().isValid() ? q.lastError() : damage;
        q = QSqlQuery();
        db.close();
        if (e.isValid() && !isDamage(e))
            fail(e.text());
        // Set aside, never deleted: the operations in it were never sent.
        const QString aside = LocalStore::asideName(m_path);
        if (attempt > 0 || !QFile::rename(m_path, aside))
            fail(QStringLiteral("el archivo está dañado y no se pudo apartar."));
        LocalStore::notice(QStringLiteral("El archivo de las operaciones en espera de envío estaba dañado y se creó "
                                          "de nuevo, vacío; el anterior quedó en \"%1\": avise al PEC, las "
                                          "operaciones que tenía no se enviaron.")
                               .arg(QFileInfo(aside).fileName()));
    }
}

qint64 Outbox::add(const OperationRecord &r, const WriteOnce::Ticket &ticket, const QHash<QString, bool> &answers,
                   qint64 replacing)
{
    open();
    std::array<QByteArray, 3> files;
    for (int i = 0; i < 3; ++i) {
        const QString &path = r.attachmentPaths[size_t(i)];
        if (path.isEmpty())
            continue;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw DbError(QStringLiteral("No se pudo leer el archivo adjunto \"%1\"; la operación no quedó en "
                                         "espera.")
                              .arg(QDir::toNativeSeparators(path)),
                          path);
        files[size_t(i)] = f.readAll();
    }
    QSqlDatabase db = QSqlDatabase::database(m_connection);
    const auto failed = [&](const QSqlQuery &q) {
        const QString text = q.lastError().text();
        db.rollback();
        throw DbError(QStringLiteral("No se pudo guardar la operación en este equipo: %1").arg(text), m_path);
    };
    db.transaction();
    QSqlQuery q(db);
    if (replacing > 0) {
        q.prepare(QStringLiteral("delete from espera where id = ?"));
        q.addBindValue(replacing);
        if (!q.exec())
            failed(q);
    }
    q.prepare(QStringLiteral("insert into espera (token, unresolved, lost_session, stored_at, record, answers, "
                             "file1, file2, file3, name1, name2, name3) values (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    q.addBindValue(ticket.token);
    q.addBindValue(ticket.unresolved ? 1 : 0);
    q.addBindValue(qint64(ticket.lostSession));
    q.addBindValue(QDateTime::currentDateTime().toString(Qt::ISODate));
    q.addBindValue(OperationJson::Write(r));
    q.addBindValue(answersJson(answers));
    for (const QByteArray &f : files)
        q.addBindValue(f.isNull() ? QVariant(QMetaType(QMetaType::QByteArray)) : QVariant(f));
    for (const QString &path : r.attachmentPaths)
        q.addBindValue(path.isEmpty() ? QString() : QFileInfo(path).fileName());
    if (!q.exec())
        failed(q);
    const qint64 id = q.lastInsertId().toLongLong();
    if (!db.commit())
        throw DbError(QStringLiteral("No se pudo guardar la operación en este equipo: %1").arg(db.lastError().text()),
                      m_path);
    emit changed();
    return id;
}

QVector<OutboxEntry> Outbox::list()
{
    open();
    QSqlQuery q(QSqlDatabase::database(m_connection));
    QVector<OutboxEntry> out;
    if (!q.exec(QStringLiteral("select %1 from espera order by id").arg(kColumns)))
        throw DbError(QStringLiteral("No se pudieron leer las operaciones en espera: %1").arg(q.lastError().text()),
                      m_path);
    while (q.next())
        out << entryOf(q);
    return out;
}

std::optional<OutboxEntry> Outbox::entry(qint64 id)
{
    open();
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.prepare(QStringLiteral("select %1, answers, file1, file2, file3, name1, name2, name3 from espera where id = ?")
                  .arg(kColumns));
    q.addBindValue(id);
    if (!q.exec())
        throw DbError(QStringLiteral("No se pudo leer la operación en espera: %1").arg(q.lastError().text()), m_path);
    if (!q.next())
        return std::nullopt;
    OutboxEntry e = entryOf(q);
    e.answers = answersOf(q.value(9).toByteArray());
    for (int i = 0; i < 3; ++i) {
        e.files[size_t(i)] = q.value(10 + i).toByteArray();
        e.fileNames[size_t(i)] = q.value(13 + i).toString();
    }
    return e;
}

int Outbox::count()
{
    open();
    QSqlQuery q(QSqlDatabase::database(m_connection));
    if (!q.exec(QStringLiteral("select count(*) from espera")) || !q.next())
        throw DbError(QStringLiteral("No se pudieron contar las operaciones en espera: %1").arg(q.lastError().text()),
                      m_path);
    return q.value(0).toInt();
}

void Outbox::noteAttempt(qint64 id, const QString &error, bool refused, const WriteOnce::Ticket &ticket)
{
    open();
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.prepare(QStringLiteral("update espera set attempts = attempts + 1, last_error = ?, refused = ?, "
                             "unresolved = ?, lost_session = ? where id = ?"));
    q.addBindValue(error);
    q.addBindValue(refused ? 1 : 0);
    q.addBindValue(ticket.unresolved ? 1 : 0);
    q.addBindValue(qint64(ticket.lostSession));
    q.addBindValue(id);
    if (!q.exec())
        throw DbError(QStringLiteral("No se pudo anotar el envío: %1").arg(q.lastError().text()), m_path);
    emit changed();
}

void Outbox::remove(qint64 id)
{
    open();
    QSqlQuery q(QSqlDatabase::database(m_connection));
    q.prepare(QStringLiteral("delete from espera where id = ?"));
    q.addBindValue(id);
    if (!q.exec())
        throw DbError(QStringLiteral("No se pudo quitar la operación en espera: %1").arg(q.lastError().text()), m_path);
    emit changed();
}
