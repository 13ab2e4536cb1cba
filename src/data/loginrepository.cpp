#include "data/loginrepository.h"

#include "data/dm1.h"

#include <QCryptographicHash>

namespace LoginRepository
{

std::optional<PecHeader> ReadPec()
{
    NamedQuery &pec = dm1().query(QStringLiteral("SQLTablePEC"));
    pec.close();
    pec.open();
    if (!pec.first())
        return std::nullopt;
    return PecHeader{pec.text(QStringLiteral("PECCOD")), pec.text(QStringLiteral("PECRSOC"))};
}

Reply Login(const QString &code, const QString &typedPassword, bool adminAllowed)
{
    NamedQuery &check = dm1().query(QStringLiteral("SQLQueryAcceso"));
    NamedQuery &row = dm1().query(QStringLiteral("SQLQuery1"));
    NamedQuery &pec = dm1().query(QStringLiteral("SQLQueryPEC"));
    NamedQuery &version = dm1().query(QStringLiteral("SQLGetVersion"));
    NamedQuery &messages = dm1().query(QStringLiteral("SimpleDataSetMensajes"));
    for (NamedQuery *q : {&check, &row, &pec, &version, &messages})
        q->close();
    messages.setParam(QStringLiteral("ta"), code);
    // Compared as hashes on the server: the typed password never travels.
    const QString typedHash =
        QString::fromLatin1(QCryptographicHash::hash(typedPassword.toUtf8(), QCryptographicHash::Sha256).toHex());
    check.setParam(QStringLiteral("empresaId"), code);
    check.setParam(QStringLiteral("clave"), typedHash);
    row.setParam(QStringLiteral("empresaId"), code);
    row.setParam(QStringLiteral("clave"), typedHash);
    row.setParam(QStringLiteral("admin"), adminAllowed ? 1 : 0);

    Batch b(Conn::Operations);
    b.add(check, true);
    b.add(row, true);
    b.add(pec, true);
    b.add(version, true);
    b.add(messages, true);
    Reply reply;
    try {
        b.run();
    } catch (const DbError &e) {
        if (!pec.isActive())
            throw; // the dialog stays open
        reply.lateError = e;
    }

    if (check.first())
        reply.account = Login::Account{check.integer(QStringLiteral("propia")) == 1,
                                       check.integer(QStringLiteral("administrador")) == 1,
                                       check.integer(QStringLiteral("Estado"))};
    if (row.first()) {
        Login::WorkshopRow w;
        w.code = code;
        w.name = row.text(QStringLiteral("TRAZSOC"));
        w.cuit = row.text(QStringLiteral("TALCUIT"));
        w.street = row.text(QStringLiteral("TCALLE"));
        w.number = row.text(QStringLiteral("TNUMERO"));
        w.town = row.text(QStringLiteral("TLOCALIDAD"));
        w.repMatricula = row.text(QStringLiteral("RMATRESHAB"));
        w.stamp1 = row.text(QStringLiteral("sello1"));
        w.stamp2 = row.text(QStringLiteral("sello2"));
        w.stamp3 = row.text(QStringLiteral("sello3"));
        w.stamp4 = row.text(QStringLiteral("sello4"));
        w.copies = row.integer(QStringLiteral("copias"));
        w.locality = row.text(QStringLiteral("localidad"));
        w.province = row.text(QStringLiteral("provincia"));
        w.sheetFormat = row.integer(QStringLiteral("hoja"));
        w.managesWorkshop = row.integer(QStringLiteral("pertenece"));
        reply.workshop = w;
        reply.repFound = row.integer(QStringLiteral("rep_registrado")) == 1;
        reply.repFirstName = row.text(QStringLiteral("rnombre"));
        reply.repSurname = row.text(QStringLiteral("rapellido"));
    }
    if (pec.first())
        reply.pec = Login::PecRow{pec.text(QStringLiteral("PECCOD")),     pec.text(QStringLiteral("PECRSOC")),
                                  pec.text(QStringLiteral("PMATRESHAB")), pec.text(QStringLiteral("PRESHABAYN")),
                                  pec.text(QStringLiteral("RNRODOC")),    pec.text(QStringLiteral("DIRECCION"))};
    if (version.first())
        reply.version = version.integer(QStringLiteral("version"));
    if (reply.workshop && messages.isActive())
        reply.messages = messages.rows();
    for (NamedQuery *q : {&check, &row, &pec, &version, &messages})
        q->close();
    return reply;
}

} // namespace LoginRepository
