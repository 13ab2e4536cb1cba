#include "data/pendingstore.h"

#include "core/attachments.h"
#include "core/pendingsave.h"
#include "data/catalogue.h"
#include "data/checklookups.h"
#include "data/dm1.h"
#include "data/writeonce.h"

#include <QFile>
#include <QHash>
#include <memory>

namespace PendingStore
{

namespace
{

const QString kPendingVariable = QStringLiteral("tarvil_pendiente");

// Row i's values on the statement; the pending id is the one the server just
// generated, held in a session variable of the same batch.
void bindRows(NamedQuery &q, const QList<QVariantMap> &rows)
{
    q.close();
    for (int i = 0; i < rows.size(); ++i)
        for (auto it = rows[i].cbegin(); it != rows[i].cend(); ++it) {
            const bool isId = it.key() == QLatin1String("id");
            q.setParam(it.key() + QLatin1Char('_') + QString::number(i),
                       isId ? QVariant::fromValue(SessionVariable{kPendingVariable}) : it.value());
        }
}

// Each attached file whole, checked against the limit again: it may have
// grown since it was attached. Nothing larger than the limit is read.
PendingSave::Contents readAttachments(const OperationRecord &r)
{
    PendingSave::Contents files;
    for (int i = 0; i < 3; ++i) {
        const QString &path = r.attachmentPaths[i];
        if (path.isEmpty())
            continue;
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw AttachmentError(
                QStringLiteral("No se puede leer el archivo adjunto \"%1\": %2").arg(path, f.errorString()));
        if (f.size() > Attachments::kMaxBytes)
            throw AttachmentError(Attachments::TooLargeOnSave(path, f.size()));
        files[i] = f.read(Attachments::kMaxBytes + 1);
        if (f.error() != QFileDevice::NoError)
            throw AttachmentError(
                QStringLiteral("No se puede leer el archivo adjunto \"%1\": %2").arg(path, f.errorString()));
        if (files[i].size() > Attachments::kMaxBytes)
            throw AttachmentError(Attachments::TooLargeOnSave(path, files[i].size()));
    }
    return files;
}

enum class Purpose { Replace, Delete };

QString notPendingText(NotPending::Reason reason, Purpose purpose)
{
    if (reason == NotPending::Reason::Verified)
        return purpose == Purpose::Delete
                   ? QStringLiteral("La operación ya fue verificada y no puede eliminarse.")
                   : QStringLiteral("La operación ya fue verificada por el PEC y no puede modificarse; no se guardó "
                                    "ningún cambio.");
    return purpose == Purpose::Delete
               ? QStringLiteral("La operación ya no está pendiente: fue eliminada o guardada de nuevo desde otro "
                                "puesto.")
               : QStringLiteral("La operación pendiente ya no existe: fue eliminada o guardada de nuevo desde otro "
                                "puesto; no se guardó ningún cambio.");
}

// Inside the caller's transaction: the old operation's `temp_usr` row goes
// only while the PEC has not verified it, and exactly that one row.
void takePending(int id, Purpose purpose, CheckLookups *checks = nullptr)
{
    NamedQuery &del = dm1().query(QStringLiteral("DeleteTempUSR"));
    NamedQuery &state = dm1().query(QStringLiteral("SQLQueryEstadoPendiente"));
    del.close();
    del.setParam(QStringLiteral("id"), id);
    state.close();
    state.setParam(QStringLiteral("id"), id);
    Batch b(Conn::Operations);
    if (checks)
        checks->addTo(b);
    b.add(del, false);
    b.add(state, true); // what is left of it tells why, when it did not go
    b.run();
    if (del.numRowsAffected() == 1)
        return;
    const NotPending::Reason reason = state.first() && state.integer(QStringLiteral("estado")) != 0
                                          ? NotPending::Reason::Verified
                                          : NotPending::Reason::Gone;
    throw NotPending(reason, notPendingText(reason, purpose));
}

void addChildDeletes(Batch &b, int id)
{
    for (const char *name : {"DeleteTempREG", "DeleteTempCIL"}) {
        NamedQuery &q = dm1().query(QString::fromLatin1(name));
        q.close();
        q.setParam(QStringLiteral("id"), id);
        b.add(q, false);
    }
}

} // namespace

int Save(const OperationRecord &record, const GlobalState &global, const QDate &today, std::optional<int> replacing,
         const std::function<void(int)> &step, WriteOnce::Ticket *ticket, CheckLookups *checks)
{
    WriteOnce::Ticket once;
    WriteOnce::Ticket &t = ticket ? *ticket : once;
    const auto stage = [&](int n) {
        if (step)
            step(n);
    };
    // Files first: one that cannot be read stops the save before any row.
    const PendingSave::Contents files = readAttachments(record);
    QStringList codes;
    for (const CylinderRow &c : record.cylinders)
        codes << c.codigo;
    const QHash<QString, std::optional<int>> venc = Catalogue::CylinderValidityYears(codes);

    NamedQuery &usr = dm1().query(QStringLiteral("UpdateTempUsr"));
    usr.close();
    const QVariantMap values = PendingSave::TempUsrValues(record, global, files);
    for (auto it = values.cbegin(); it != values.cend(); ++it)
        usr.setParam(it.key(), it.value());

    // The ids of the regulator and cylinder rows are the server's new one.
    const QList<QVariantMap> regs = PendingSave::TempRegValues(record, global, 0);
    NamedQuery &reg = dm1().multiRowInsert(QStringLiteral("UpdateTempReg"), int(regs.size()));
    bindRows(reg, regs);
    const QList<QVariantMap> cils =
        PendingSave::TempCilValues(record, global, 0, today, [&](const QString &code) { return venc.value(code); });
    NamedQuery *cil = nullptr;
    if (!cils.isEmpty()) {
        cil = &dm1().multiRowInsert(QStringLiteral("UpdateTempCil"), int(cils.size()));
        bindRows(*cil, cils);
    }

    auto fill = [&](Batch &b) {
        b.add(usr, false);
        b.add(dm1().query(QStringLiteral("SQLSetIdPendiente")), false);
        WriteOnce::AddToken(b, Conn::Operations, t, QStringLiteral("temp_usr"),
                            QVariant::fromValue(SessionVariable{kPendingVariable}));
        b.add(reg, false);
        if (cil)
            b.add(*cil, false);
    };

    stage(1);
    const int id = WriteOnce::Run(Conn::Operations, t, [&]() -> QVariant {
                       if (replacing) {
                           Transaction tx(Conn::Operations);
                           takePending(*replacing, Purpose::Replace, checks);
                           Batch b(Conn::Operations);
                           addChildDeletes(b, *replacing);
                           fill(b);
                           tx.commit(b);
                       } else {
                           Batch b(Conn::Operations);
                           b.setAtomic(true);
                           if (checks)
                               checks->addTo(b);
                           fill(b);
                           b.run();
                       }
                       return usr.lastInsertId();
                   }).toInt();
    stage(2);
    if (id <= 0)
        throw DbError(QStringLiteral("El servidor no devolvió el número de la operación pendiente."), usr.name());
    stage(3);
    stage(4);
    return id;
}

void Delete(int id)
{
    // A lost answer is cleared up like a save's: the operator is told
    // whether it went.
    WriteOnce::Ticket t;
    WriteOnce::Run(Conn::Operations, t, [&]() -> QVariant {
        Transaction tx(Conn::Operations);
        takePending(id, Purpose::Delete);
        Batch b(Conn::Operations);
        addChildDeletes(b, id);
        WriteOnce::AddToken(b, Conn::Operations, t, QStringLiteral("temp_usr baja"), id);
        tx.commit(b);
        return id;
    });
}

int State(int id)
{
    NamedQuery &state = dm1().query(QStringLiteral("SQLQueryEstadoPendiente"));
    state.close();
    state.setParam(QStringLiteral("id"), id);
    state.open();
    const int estado = state.first() ? state.integer(QStringLiteral("estado")) : -1;
    state.close();
    return estado;
}

QVector<QSqlRecord> List(const QString &workshopCode)
{
    NamedQuery &list = dm1().query(QStringLiteral("SQLQueryPendientes"));
    list.close();
    list.setParam(QStringLiteral("ct"), workshopCode);
    list.open();
    QVector<QSqlRecord> found = list.rows();
    list.close();
    return found;
}

} // namespace PendingStore
