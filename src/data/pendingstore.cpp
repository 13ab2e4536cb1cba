#include "data/pendingstore.h"

#include "core/pendingsave.h"
#include "data/dm1.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <memory>

namespace PendingStore {

namespace {

// The catalogue's one-row insert repeated for `rows` rows in one statement,
// each row's parameters suffixed with its index (":codcil" -> ":codcil_2"), so
// that a save costs the same round trips whatever the number of cylinders.
QString multiRowText(const QString &single, int rows)
{
    const int at = single.indexOf(QLatin1String("values"), 0, Qt::CaseInsensitive);
    const QString head = single.left(at + 6);
    const QString tuple = single.mid(at + 6).trimmed();
    static const QRegularExpression param(QStringLiteral(":(\\w+)"));
    QStringList tuples;
    for (int i = 0; i < rows; ++i)
        tuples << QString(tuple).replace(param, QStringLiteral(":\\1_") + QString::number(i));
    return head + QLatin1Char(' ') + tuples.join(QStringLiteral(", "));
}

// Statements built from the catalogue, kept for the whole run like the
// catalogue's own so that each is prepared once per connection.
NamedQuery &cached(const QString &key, const std::function<QString()> &text)
{
    static QHash<QString, std::shared_ptr<NamedQuery>> statements;
    auto it = statements.find(key);
    if (it == statements.end())
        it = statements.insert(key, std::make_shared<NamedQuery>(key, Conn::Operations, text()));
    return **it;
}

NamedQuery &multiInsert(const QString &catalogueName, int rows)
{
    return cached(catalogueName + QLatin1Char('#') + QString::number(rows),
                  [&] { return multiRowText(dm1().query(catalogueName).sql(), rows); });
}

void bindRows(NamedQuery &q, const QList<QVariantMap> &rows)
{
    for (int i = 0; i < rows.size(); ++i)
        for (auto it = rows[i].cbegin(); it != rows[i].cend(); ++it)
            q.setParam(it.key() + QLatin1Char('_') + QString::number(i), it.value());
}

PendingSave::Contents readAttachments(const OperationRecord &r)
{
    PendingSave::Contents files;
    for (int i = 0; i < 3; ++i) {
        const QString &path = r.attachmentPaths[i];
        if (path.isEmpty())
            continue;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw AttachmentError(QStringLiteral("No se puede leer el archivo adjunto \"%1\": %2")
                                      .arg(path, f.errorString()));
        files[i] = f.readAll();
        if (f.error() != QFileDevice::NoError)
            throw AttachmentError(QStringLiteral("No se puede leer el archivo adjunto \"%1\": %2")
                                      .arg(path, f.errorString()));
    }
    return files;
}

// codcil.VENC of every distinct cylinder code, in one statement.
QHash<QString, int> validityYears(const OperationRecord &r)
{
    QStringList codes;
    for (const CylinderRow &c : r.cylinders)
        if (!codes.contains(c.codigo.trimmed()))
            codes << c.codigo.trimmed();
    QHash<QString, int> venc;
    if (codes.isEmpty())
        return venc;
    NamedQuery &q = cached(QStringLiteral("codcilVenc#") + QString::number(codes.size()), [&] {
        QStringList marks;
        for (int i = 0; i < codes.size(); ++i)
            marks << QStringLiteral(":c") + QString::number(i);
        return QStringLiteral("select CODIGO, VENC from codcil where CODIGO in (") + marks.join(QStringLiteral(", "))
               + QLatin1Char(')');
    });
    q.close();
    for (int i = 0; i < codes.size(); ++i)
        q.setParam(QStringLiteral("c") + QString::number(i), codes[i]);
    q.open();
    for (bool more = q.first(); more; more = q.next())
        if (!q.field(QStringLiteral("VENC")).isNull())
            venc.insert(q.text(QStringLiteral("CODIGO")).toUpper(), q.integer(QStringLiteral("VENC")));
    return venc;
}

void deleteRows(int id)
{
    for (const char *name : {"DeleteTempUSR", "DeleteTempREG", "DeleteTempCIL"}) {
        NamedQuery &q = dm1().query(QString::fromLatin1(name));
        q.close();
        q.setParam(QStringLiteral("id"), id);
        q.execute();
    }
}

} // namespace

int Save(const OperationRecord &record, const GlobalState &global, const QDate &today, std::optional<int> replacing,
         const std::function<void(int)> &step)
{
    const auto stage = [&](int n) {
        if (step)
            step(n);
    };
    // Files first: one that cannot be read stops the save before any row.
    const PendingSave::Contents files = readAttachments(record);
    const QHash<QString, int> venc = validityYears(record);

    Transaction tx(Conn::Operations);
    if (replacing)
        deleteRows(*replacing);

    stage(1);
    NamedQuery &usr = dm1().query(QStringLiteral("UpdateTempUsr"));
    usr.close();
    const QVariantMap values = PendingSave::TempUsrValues(record, global, files);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        usr.setParam(it.key(), it.value());
    usr.execute();
    stage(2);
    const int id = usr.lastInsertId().toInt();
    if (id <= 0)
        throw DbError(QStringLiteral("El servidor no devolvió el número de la operación pendiente."), usr.name());

    stage(3);
    const QList<QVariantMap> regs = PendingSave::TempRegValues(record, global, id);
    NamedQuery &reg = multiInsert(QStringLiteral("UpdateTempReg"), int(regs.size()));
    reg.close();
    bindRows(reg, regs);
    reg.execute();

    const QList<QVariantMap> cils = PendingSave::TempCilValues(record, global, id, today, [&](const QString &code) {
        const auto it = venc.constFind(code.toUpper());
        return it == venc.cend() ? std::optional<int>() : std::optional<int>(*it);
    });
    stage(4);
    if (!cils.isEmpty()) {
        NamedQuery &cil = multiInsert(QStringLiteral("UpdateTempCil"), int(cils.size()));
        cil.close();
        bindRows(cil, cils);
        cil.execute();
    }
    tx.commit();
    return id;
}

void Delete(int id)
{
    Transaction tx(Conn::Operations);
    deleteRows(id);
    tx.commit();
}

} // namespace PendingStore
