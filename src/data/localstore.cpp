#include "data/localstore.h"

#include "core/exename.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QStandardPaths>

namespace
{

using F = LocalField;

const QVector<LocalField> cylinderFields = {
    {QStringLiteral("NROSERIE"), F::Text, 25},  {QStringLiteral("CODIGO"), F::Text, 4},
    {QStringLiteral("GESTION"), F::Text, 12},   {QStringLiteral("CAPACIDAD"), F::Integer, 0},
    {QStringLiteral("FABRICAC"), F::Text, 7},   {QStringLiteral("UPHTALLER"), F::Text, 4},
    {QStringLiteral("UPHFECHA"), F::Text, 7},   {QStringLiteral("UPHRESULT"), F::Text, 10},
    {QStringLiteral("FECVENCRPC"), F::Date, 0}, {QStringLiteral("CARGO"), F::Integer, 0},
    {QStringLiteral("CNUEVO"), F::Text, 2},     {QStringLiteral("VALCOD"), F::Text, 4},
    {QStringLiteral("VALNRO"), F::Text, 25},    {QStringLiteral("VALGEST"), F::Text, 12},
    {QStringLiteral("RVALCOD"), F::Text, 4},    {QStringLiteral("RVALNRO"), F::Text, 25},
    {QStringLiteral("RVALGEST"), F::Text, 12},  {QStringLiteral("NROCERTIF"), F::Text, 10},
};

const QVector<LocalField> printCylinderFields = {
    {QStringLiteral("CODIGO"), F::Text, 4},       {QStringLiteral("NROSERIE"), F::Text, 25},
    {QStringLiteral("CAPACIDAD"), F::Integer, 0}, {QStringLiteral("FABRICAC"), F::Text, 7},
    {QStringLiteral("UPHTALLER"), F::Text, 4},    {QStringLiteral("UPHFECHA"), F::Text, 7},
    {QStringLiteral("CILVENC"), F::Text, 7},      {QStringLiteral("CNUEVO"), F::Text, 2},
    {QStringLiteral("UPHRESULT"), F::Text, 10},   {QStringLiteral("GESTION"), F::Text, 12},
    {QStringLiteral("VALCOD"), F::Text, 4},       {QStringLiteral("VALNRO"), F::Text, 25},
    {QStringLiteral("VALGEST"), F::Text, 12},     {QStringLiteral("NROCERTIF"), F::Text, 10},
};

// The codes take the stored letters' brands ("WORTHINGTON") when a letter is
// opened again, so they are as wide as `carta_compromiso_det` keeps them.
const QVector<LocalField> letterFields = {
    {QStringLiteral("codigo_cil"), F::Text, 30},   {QStringLiteral("numero_cil"), F::Text, 25},
    {QStringLiteral("masa_cil"), F::Float, 0},     {QStringLiteral("fab_cil"), F::Text, 7},
    {QStringLiteral("diametro_cil"), F::Float, 0}, {QStringLiteral("capacidad_cil"), F::Float, 0},
    {QStringLiteral("codigo_val"), F::Text, 30},   {QStringLiteral("modelo_val"), F::Text, 20},
    {QStringLiteral("numero_val"), F::Text, 25},   {QStringLiteral("observaciones_val"), F::Text, 50},
};

const QVector<LocalField> faultFields = {
    {QStringLiteral("falla_id"), F::Integer, 0},
    {QStringLiteral("falla_desc"), F::Text, 0},
};

const QVector<LocalField> jobFields = {
    {QStringLiteral("trabajo_id"), F::Integer, 0},
    {QStringLiteral("trabajo_desc"), F::Text, 0},
    {QStringLiteral("trabajo_oper_id"), F::Integer, 0},
    {QStringLiteral("trabajo_oper_nombre"), F::Text, 0},
};

const QVector<LocalField> stickerFields = {
    {QStringLiteral("dominio"), F::Text, 0},     {QStringLiteral("operacion"), F::Text, 0},
    {QStringLiteral("propietario"), F::Text, 0}, {QStringLiteral("marca"), F::Text, 0},
    {QStringLiteral("modelo"), F::Text, 0},      {QStringLiteral("oblea"), F::Text, 0},
    {QStringLiteral("anio"), F::Integer, 0},     {QStringLiteral("fecha"), F::Date, 0},
    {QStringLiteral("codigo1"), F::Text, 0},     {QStringLiteral("nroserie1"), F::Text, 0},
    {QStringLiteral("gestion1"), F::Text, 0},    {QStringLiteral("codigo2"), F::Text, 0},
    {QStringLiteral("nroserie2"), F::Text, 0},   {QStringLiteral("gestion2"), F::Text, 0},
    {QStringLiteral("codigo3"), F::Text, 0},     {QStringLiteral("nroserie3"), F::Text, 0},
    {QStringLiteral("gestion3"), F::Text, 0},
};

// Kept for good: the reminders sent, so the lists can show the last one.
const QVector<LocalField> reminderLogFields = {
    {QStringLiteral("fecha"), F::Date, 0},
    {QStringLiteral("dominio"), F::Text, 9},
    {QStringLiteral("celular"), F::Text, 30},
    {QStringLiteral("tipo"), F::Text, 5},
};

const QVector<LocalField> seenObservedFields = {
    {QStringLiteral("taller"), F::Text, 7},
    {QStringLiteral("id"), F::Integer, 0},
};

const QString dateFormat = QStringLiteral("dd/MM/yyyy");

QString sqlType(const LocalField &f)
{
    switch (f.type) {
    case F::Integer:
        return QStringLiteral("INTEGER");
    case F::Float:
        return QStringLiteral("REAL");
    case F::Date:
        return QStringLiteral("DATE");
    case F::Text:
        break;
    }
    return f.width > 0 ? QStringLiteral("VARCHAR(%1)").arg(f.width) : QStringLiteral("TEXT");
}

QString quoted(const QString &identifier)
{
    return QLatin1Char('"') + identifier + QLatin1Char('"');
}

QDate parseDate(const QVariant &v)
{
    if (v.typeId() == QMetaType::QDate)
        return v.toDate();
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime().date();
    const QString s = v.toString().trimmed();
    QDate d = QDate::fromString(s, Qt::ISODate);
    if (!d.isValid())
        d = QDate::fromString(s, dateFormat);
    return d;
}

// A value as the field keeps it: null stays null, text is cut to the width.
QVariant coerce(const LocalField &f, const QVariant &v)
{
    if (v.isNull())
        return {};
    bool ok = false;
    switch (f.type) {
    case F::Text: {
        QString s = v.typeId() == QMetaType::QDate ? v.toDate().toString(dateFormat) : v.toString();
        if (f.width > 0 && s.size() > f.width)
            s.truncate(f.width);
        return s;
    }
    case F::Integer: {
        if (v.typeId() == QMetaType::Double || v.typeId() == QMetaType::Float)
            return int(qRound64(v.toDouble()));
        const QString s = v.toString().trimmed();
        if (s.isEmpty())
            return {};
        const int i = s.toInt(&ok);
        if (ok)
            return i;
        const double x = s.toDouble(&ok);
        return ok ? QVariant(int(qRound64(x))) : QVariant();
    }
    case F::Float: {
        const QString s = v.toString().trimmed();
        if (s.isEmpty())
            return {};
        const double x = s.toDouble(&ok);
        return ok ? QVariant(x) : QVariant();
    }
    case F::Date: {
        const QDate d = parseDate(v);
        return d.isValid() ? QVariant(d) : QVariant();
    }
    }
    return {};
}

QVariant toStorage(const LocalField &f, const QVariant &v)
{
    if (v.isNull())
        return QVariant(QMetaType::fromType<QString>());
    if (f.type == F::Date)
        return v.toDate().toString(Qt::ISODate);
    return v;
}

QVariant fromStorage(const LocalField &f, const QVariant &v)
{
    if (v.isNull())
        return {};
    return coerce(f, v);
}

int connectionSerial = 0;

} // namespace

// ---------------------------------------------------------------- LocalTable

struct LocalTable::Impl {
    enum State { Browse, Inserting, Editing };

    LocalTableId id;
    QString fileName;
    QString tableName; // inside the file: the file's base name
    const QVector<LocalField> *fields = nullptr;
    QString connection;
    bool open = false;

    QVector<qint64> rowids;
    QVector<QVariantList> values;
    int pos = -1;
    bool eof = true;
    State state = Browse;
    QVariantList buffer;

    QSqlDatabase db() const { return QSqlDatabase::database(connection, false); }
};

LocalTable::LocalTable(LocalTableId id, const QString &fileName, QObject *parent)
    : QObject(parent), d(std::make_unique<Impl>())
{
    d->id = id;
    d->fileName = fileName.isEmpty() ? defaultFileName(id) : fileName;
    d->tableName = QFileInfo(d->fileName).completeBaseName();
    d->fields = &fieldsOf(id);
    d->connection = QStringLiteral("LocalTable-%1-%2").arg(++connectionSerial).arg(d->tableName);
}

LocalTable::~LocalTable()
{
    close();
}

const QVector<LocalField> &LocalTable::fieldsOf(LocalTableId id)
{
    switch (id) {
    case LocalTableId::Cylinders:
        return cylinderFields;
    case LocalTableId::PrintCylinders:
        return printCylinderFields;
    case LocalTableId::LetterCylinders:
        return letterFields;
    case LocalTableId::Faults:
        return faultFields;
    case LocalTableId::Jobs:
        return jobFields;
    case LocalTableId::ReminderLog:
        return reminderLogFields;
    case LocalTableId::SeenObserved:
        return seenObservedFields;
    case LocalTableId::Stickers:
        break;
    }
    return stickerFields;
}

QString LocalTable::defaultFileName(LocalTableId id)
{
    switch (id) {
    case LocalTableId::Cylinders:
        return QStringLiteral("CILAUX01.ADT");
    case LocalTableId::PrintCylinders:
        return QStringLiteral("CILAUXPR.adt");
    case LocalTableId::LetterCylinders:
        return QStringLiteral("AuxCarta.adt");
    case LocalTableId::Faults:
        return QStringLiteral("AuxFalla.adt");
    case LocalTableId::Jobs:
        return QStringLiteral("AuxTrabajoRealizado.adt");
    case LocalTableId::ReminderLog:
        return QStringLiteral("EnviosWhatsApp.adt");
    case LocalTableId::SeenObserved:
        return QStringLiteral("ResumenDelDia.adt");
    case LocalTableId::Stickers:
        break;
    }
    return QStringLiteral("AuxObleas.adt");
}

LocalTableId LocalTable::id() const
{
    return d->id;
}
const QString &LocalTable::fileName() const
{
    return d->fileName;
}
QString LocalTable::filePath() const
{
    return QDir(LocalStore::directory()).filePath(d->fileName);
}
const QVector<LocalField> &LocalTable::fields() const
{
    return *d->fields;
}

int LocalTable::fieldIndex(const QString &name) const
{
    for (int i = 0; i < d->fields->size(); ++i) {
        if (d->fields->at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

int LocalTable::requireField(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw DbError(QStringLiteral("La tabla local \"%1\" no tiene el campo %2.").arg(d->fileName, name),
                      d->fileName);
    return i;
}

void LocalTable::requireOpen() const
{
    if (!d->open)
        throw DbError(QStringLiteral("La tabla local \"%1\" no está abierta.").arg(d->fileName), d->fileName);
}

void LocalTable::failSql(const QString &what) const
{
    throw DbError(QStringLiteral("Tabla local \"%1\": %2").arg(d->fileName, what), d->fileName);
}

namespace
{

} // namespace

// A number follows the date and time within the same second.
QString LocalStore::asideName(const QString &path)
{
    const QString base =
        path + QStringLiteral(".dañada-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString name = base;
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = base + QLatin1Char('-') + QString::number(n);
    return name;
}

namespace
{

// SQLite's codes for a file that is not a database or is damaged.
bool isDamage(const QSqlError &e)
{
    const QString code = e.nativeErrorCode();
    return code == QLatin1String("11") || code == QLatin1String("26") ||
           e.databaseText().contains(QLatin1String("malformed")) ||
           e.databaseText().contains(QLatin1String("not a database"));
}

} // namespace

void LocalTable::open()
{
    if (d->open)
        return;
    const QString dir = LocalStore::directory();
    if (!QDir().mkpath(dir))
        throw DbError(QStringLiteral("No se puede crear la carpeta de las tablas locales \"%1\".").arg(dir),
                      d->fileName);

    const QString path = filePath();
    QStringList cols;
    for (const LocalField &f : *d->fields)
        cols << quoted(f.name);
    const QString load = QStringLiteral("SELECT rowid, %1 FROM %2 ORDER BY rowid")
                             .arg(cols.join(QStringLiteral(", ")), quoted(d->tableName));

    // The connection is given back before a failure leaves here.
    auto release = [this](QSqlQuery &q) {
        q = QSqlQuery();
        {
            QSqlDatabase db = d->db();
            db.close();
        }
        QSqlDatabase::removeDatabase(d->connection);
    };
    for (int attempt = 0; attempt < 2; ++attempt) {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), d->connection);
        db.setDatabaseName(path);
        // Fail at once when another program holds the file, rather than wait.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        if (!db.open()) {
            const QString text = db.lastError().text();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(d->connection);
            failSql(text);
        }
        QSqlQuery q(db);
        db = QSqlDatabase();
        q.exec(QStringLiteral("PRAGMA locking_mode = EXCLUSIVE"));
        q.exec(QStringLiteral("PRAGMA synchronous = OFF"));
        QSqlError damage;
        if (!q.exec(QStringLiteral("BEGIN EXCLUSIVE"))) {
            const QSqlError e = q.lastError();
            const QString native = e.nativeErrorCode();
            if (native == QLatin1String("5") || native == QLatin1String("6") ||
                e.databaseText().contains(QLatin1String("locked"))) {
                release(q);
                throw DbError(QStringLiteral("La tabla local \"%1\" está abierta en forma exclusiva por otro "
                                             "programa y no se puede usar (%2).")
                                  .arg(d->fileName, path),
                              d->fileName);
            }
            if (!isDamage(e)) {
                release(q);
                failSql(e.text());
            }
            damage = e;
        }
        if (!damage.isValid()) {
            // Created with its fields when missing; fields missing from an older file are added.
            QStringList columns;
            for (const LocalField &f : *d->fields)
                columns << quoted(f.name) + QLatin1Char(' ') + sqlType(f);
            bool ok = q.exec(QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2)")
                                 .arg(quoted(d->tableName), columns.join(QStringLiteral(", "))));
            QStringList present;
            if (ok && (ok = q.exec(QStringLiteral("PRAGMA table_info(%1)").arg(quoted(d->tableName))))) {
                while (q.next())
                    present << q.value(1).toString().toLower();
            }
            for (const LocalField &f : *d->fields) {
                if (ok && !present.contains(f.name.toLower()))
                    ok = q.exec(QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 %3")
                                    .arg(quoted(d->tableName), quoted(f.name), sqlType(f)));
            }
            // A file whose pages are damaged opens; checking it finds out.
            if (ok && (ok = q.exec(QStringLiteral("PRAGMA quick_check"))) && q.next() &&
                q.value(0).toString() != QLatin1String("ok"))
                damage = QSqlError(QString(), q.value(0).toString(), QSqlError::StatementError, QStringLiteral("11"));
            if (ok && !damage.isValid() && !q.exec(QStringLiteral("COMMIT")))
                ok = false;
            if (ok && !damage.isValid()) {
                // Load the records: the tables are small, the grids and reports read them often.
                d->rowids.clear();
                d->values.clear();
                if (q.exec(load)) {
                    while (q.next()) {
                        d->rowids << q.value(0).toLongLong();
                        QVariantList row;
                        for (int i = 0; i < d->fields->size(); ++i)
                            row << fromStorage(d->fields->at(i), q.value(i + 1));
                        d->values << row;
                    }
                }
                if (q.lastError().isValid())
                    ok = false;
            }
            if (!ok && !damage.isValid()) {
                const QSqlError e = q.lastError();
                if (!isDamage(e)) {
                    release(q);
                    failSql(e.text());
                }
                damage = e;
            }
        }
        if (damage.isValid()) {
            release(q);
            d->rowids.clear();
            d->values.clear();
            // Set aside rather than deleted: the reminder log is kept for good,
            // and what is left of it may still be read by hand.
            const QString aside = LocalStore::asideName(path);
            if (attempt == 0 && QFile::rename(path, aside)) {
                LocalStore::notice(QStringLiteral("La tabla local \"%1\" estaba dañada y se creó de nuevo, vacía; "
                                                  "la anterior quedó en \"%2\" (%3).")
                                       .arg(d->fileName, QFileInfo(aside).fileName(), damage.databaseText()));
                continue;
            }
            failSql(damage.text());
        }
        break;
    }
    d->open = true;
    d->pos = d->values.isEmpty() ? -1 : 0;
    d->eof = d->values.isEmpty();
    d->state = Impl::Browse;
    emit changed();
}

void LocalTable::close()
{
    if (!d->open)
        return;
    d->open = false;
    d->rowids.clear();
    d->values.clear();
    d->pos = -1;
    d->eof = true;
    d->state = Impl::Browse;
    {
        QSqlDatabase db = d->db();
        db.close();
    }
    QSqlDatabase::removeDatabase(d->connection);
    emit changed();
}

bool LocalTable::isOpen() const
{
    return d->open;
}

void LocalTable::empty()
{
    requireOpen();
    d->state = Impl::Browse;
    QSqlQuery q(d->db());
    if (!q.exec(QStringLiteral("DELETE FROM %1").arg(quoted(d->tableName))))
        failSql(q.lastError().text());
    d->rowids.clear();
    d->values.clear();
    d->pos = -1;
    d->eof = true;
    emit changed();
}

void LocalTable::append()
{
    requireOpen();
    if (d->state != Impl::Browse)
        post();
    d->state = Impl::Inserting;
    d->buffer = QVariantList(d->fields->size());
}

void LocalTable::edit()
{
    requireOpen();
    if (d->state == Impl::Editing || d->state == Impl::Inserting)
        return;
    if (d->pos < 0 || d->pos >= d->values.size())
        throw DbError(QStringLiteral("La tabla local \"%1\" no tiene un registro para modificar.").arg(d->fileName),
                      d->fileName);
    d->state = Impl::Editing;
    d->buffer = d->values.at(d->pos);
}

void LocalTable::post()
{
    requireOpen();
    if (d->state == Impl::Browse)
        return;
    QSqlQuery q(d->db());
    QStringList names, marks, sets;
    for (const LocalField &f : *d->fields) {
        names << quoted(f.name);
        marks << QStringLiteral("?");
        sets << quoted(f.name) + QStringLiteral(" = ?");
    }
    if (d->state == Impl::Inserting) {
        q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoted(d->tableName), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    } else {
        q.prepare(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                      .arg(quoted(d->tableName), sets.join(QStringLiteral(", "))));
    }
    for (int i = 0; i < d->fields->size(); ++i)
        q.addBindValue(toStorage(d->fields->at(i), d->buffer.at(i)));
    if (d->state == Impl::Editing)
        q.addBindValue(d->rowids.at(d->pos));
    if (!q.exec()) {
        // The record stays as it was; reading and moving go on working.
        const QString text = q.lastError().text();
        cancel();
        failSql(text);
    }

    if (d->state == Impl::Inserting) {
        d->rowids << q.lastInsertId().toLongLong();
        d->values << d->buffer;
        d->pos = int(d->values.size()) - 1;
    } else {
        d->values[d->pos] = d->buffer;
    }
    d->eof = false;
    d->state = Impl::Browse;
    d->buffer.clear();
    emit changed();
}

void LocalTable::appendRecords(const QVector<QVariantList> &records)
{
    requireOpen();
    if (d->state != Impl::Browse)
        post();
    if (records.isEmpty())
        return;
    QSqlDatabase db = d->db();
    QSqlQuery q(db);
    QStringList names, marks;
    for (const LocalField &f : *d->fields) {
        names << quoted(f.name);
        marks << QStringLiteral("?");
    }
    if (!q.exec(QStringLiteral("SAVEPOINT append_records")))
        failSql(q.lastError().text());
    QVector<qint64> ids;
    QVector<QVariantList> kept;
    ids.reserve(records.size());
    kept.reserve(records.size());
    bool ok =
        q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoted(d->tableName), names.join(QStringLiteral(", ")), marks.join(QStringLiteral(", "))));
    for (const QVariantList &record : records) {
        if (!ok)
            break;
        QVariantList row(d->fields->size());
        for (int i = 0; i < d->fields->size(); ++i) {
            row[i] = coerce(d->fields->at(i), i < record.size() ? record.at(i) : QVariant());
            q.bindValue(i, toStorage(d->fields->at(i), row.at(i)));
        }
        ok = q.exec();
        if (ok) {
            ids << q.lastInsertId().toLongLong();
            kept << row;
        }
    }
    if (!ok) {
        const QString text = q.lastError().text();
        QSqlQuery undo(db);
        undo.exec(QStringLiteral("ROLLBACK TO append_records"));
        undo.exec(QStringLiteral("RELEASE append_records"));
        failSql(text);
    }
    if (!q.exec(QStringLiteral("RELEASE append_records")))
        failSql(q.lastError().text());
    d->rowids += ids;
    d->values += kept;
    d->pos = int(d->values.size()) - 1;
    d->eof = false;
    emit changed();
}

void LocalTable::cancel()
{
    d->state = Impl::Browse;
    d->buffer.clear();
}

void LocalTable::remove()
{
    requireOpen();
    cancel();
    if (d->pos < 0 || d->pos >= d->values.size())
        throw DbError(QStringLiteral("La tabla local \"%1\" no tiene un registro para borrar.").arg(d->fileName),
                      d->fileName);
    QSqlQuery q(d->db());
    q.prepare(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoted(d->tableName)));
    q.addBindValue(d->rowids.at(d->pos));
    if (!q.exec())
        failSql(q.lastError().text());
    d->rowids.removeAt(d->pos);
    d->values.removeAt(d->pos);
    if (d->pos >= d->values.size())
        d->pos = int(d->values.size()) - 1;
    d->eof = d->values.isEmpty();
    emit changed();
}

bool LocalTable::first()
{
    requireOpen();
    if (d->state != Impl::Browse)
        post();
    d->pos = d->values.isEmpty() ? -1 : 0;
    d->eof = d->values.isEmpty();
    return !d->eof;
}

bool LocalTable::next()
{
    requireOpen();
    if (d->state != Impl::Browse)
        post();
    if (d->eof)
        return false;
    if (d->pos + 1 >= d->values.size()) {
        d->eof = true;
        return false;
    }
    ++d->pos;
    return true;
}

bool LocalTable::eof() const
{
    return d->eof;
}

bool LocalTable::moveTo(int row)
{
    requireOpen();
    if (row < 0 || row >= d->values.size())
        return false;
    if (d->state != Impl::Browse)
        post();
    d->pos = row;
    d->eof = false;
    return true;
}

int LocalTable::recNo() const
{
    return d->eof && d->values.isEmpty() ? -1 : d->pos;
}
int LocalTable::count() const
{
    return int(d->values.size());
}

QVariant LocalTable::value(const QString &field) const
{
    const int i = requireField(field);
    if (d->state != Impl::Browse)
        return d->buffer.at(i);
    if (d->pos < 0 || d->pos >= d->values.size() || (d->eof && d->values.isEmpty()))
        return {};
    return d->values.at(d->pos).at(i);
}

QString LocalTable::text(const QString &field) const
{
    return format(d->fields->at(requireField(field)), value(field));
}

int LocalTable::integer(const QString &field) const
{
    const QVariant v = value(field);
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QDate)
        return 0;
    return coerce({QString(), F::Integer, 0}, v).toInt();
}

double LocalTable::real(const QString &field) const
{
    const QVariant v = value(field);
    if (v.isNull() || v.typeId() == QMetaType::QDate)
        return 0.0;
    return coerce({QString(), F::Float, 0}, v).toDouble();
}

QDate LocalTable::date(const QString &field) const
{
    const QVariant v = value(field);
    return v.isNull() ? QDate() : parseDate(v);
}

void LocalTable::setValue(const QString &field, const QVariant &value)
{
    requireOpen();
    const int i = requireField(field);
    if (d->state == Impl::Browse)
        edit();
    d->buffer[i] = coerce(d->fields->at(i), value);
}

QVector<QVariantMap> LocalTable::rows() const
{
    QVector<QVariantMap> out;
    out.reserve(d->values.size());
    for (const QVariantList &row : std::as_const(d->values)) {
        QVariantMap m;
        for (int i = 0; i < d->fields->size(); ++i)
            m.insert(d->fields->at(i).name, row.at(i));
        out << m;
    }
    return out;
}

QVariant LocalTable::valueAt(int row, int column) const
{
    if (row < 0 || row >= d->values.size() || column < 0 || column >= d->fields->size())
        return {};
    return d->values.at(row).at(column);
}

QString LocalTable::textAt(int row, int column) const
{
    if (column < 0 || column >= d->fields->size())
        return {};
    return format(d->fields->at(column), valueAt(row, column));
}

QString LocalTable::format(const LocalField &field, const QVariant &value)
{
    if (value.isNull())
        return {};
    switch (field.type) {
    case F::Date:
        return parseDate(value).toString(dateFormat);
    case F::Float:
        return QString::number(value.toDouble(), 'g', 15);
    case F::Integer:
    case F::Text:
        break;
    }
    return value.toString();
}

// ---------------------------------------------------------------- LocalStore

namespace
{
LocalStore::NoticeHandler &noticeHandler()
{
    static LocalStore::NoticeHandler handler;
    return handler;
}
} // namespace

void LocalStore::setNoticeHandler(NoticeHandler handler)
{
    noticeHandler() = std::move(handler);
}

void LocalStore::notice(const QString &text)
{
    if (noticeHandler())
        noticeHandler()(text);
    else
        qWarning("%s", qPrintable(text));
}

LocalStore &LocalStore::instance()
{
    static LocalStore store;
    return store;
}

QString LocalStore::directory()
{
    const QString overridden = qEnvironmentVariable("TARVIL_LOCAL_DIR");
    if (!overridden.isEmpty())
        return overridden;
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/Tarvil");
}

void LocalStore::setCylinderFileName(const QString &fileName)
{
    m_cylinderFile = fileName;
}

QString LocalStore::cylinderFileName() const
{
    // Start-up records the executable's choice in core; an explicit name wins.
    const QString chosen = m_cylinderFile.isEmpty() ? cylinderTableName() : m_cylinderFile;
    const QString workshop = LocalTable::defaultFileName(LocalTableId::Cylinders);
    if (chosen.isEmpty() || chosen.compare(workshop, Qt::CaseInsensitive) == 0)
        return workshop; // the workshop copy's file keeps its upper-case name
    return chosen;
}

LocalTable &LocalStore::table(LocalTableId id)
{
    auto &slot = m_tables[id];
    const QString file = id == LocalTableId::Cylinders ? cylinderFileName() : LocalTable::defaultFileName(id);
    if (slot && slot->fileName() != file)
        slot.reset(); // the cylinder table was switched to another file
    if (!slot)
        slot = std::make_unique<LocalTable>(id, file);
    slot->open();
    return *slot;
}

void LocalStore::closeAll()
{
    for (auto &entry : m_tables) {
        if (entry.second)
            entry.second->close();
    }
}

// ---------------------------------------------------------------- LocalTableModel

LocalTableModel::LocalTableModel(LocalTable *table, QObject *parent) : QAbstractTableModel(parent), m_table(table)
{
    connect(m_table, &LocalTable::changed, this, [this] {
        if (m_writing)
            return;
        beginResetModel();
        endResetModel();
    });
}

void LocalTableModel::setEditable(bool editable)
{
    m_editable = editable;
}

int LocalTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_table->count();
}

int LocalTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_table->fields().size());
}

QVariant LocalTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    if (role == Qt::DisplayRole)
        return m_table->textAt(index.row(), index.column());
    if (role == Qt::EditRole)
        return m_table->valueAt(index.row(), index.column());
    return {};
}

QVariant LocalTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return {};
    if (orientation == Qt::Horizontal)
        return section >= 0 && section < m_table->fields().size() ? m_table->fields().at(section).name : QString();
    return section + 1;
}

Qt::ItemFlags LocalTableModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_editable && index.isValid())
        f |= Qt::ItemIsEditable;
    return f;
}

bool LocalTableModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!m_editable || role != Qt::EditRole || !index.isValid() || !m_table->moveTo(index.row()))
        return false;
    m_writing = true;
    try {
        m_table->setValue(m_table->fields().at(index.column()).name, value);
        m_table->post();
    } catch (...) {
        m_table->cancel();
        m_writing = false;
        throw;
    }
    m_writing = false;
    emit dataChanged(index, index);
    return true;
}
