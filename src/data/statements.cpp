#include "data/statements.h"

#include "core/lookuprules.h"

#include <QStringList>

namespace
{

// Builds "insert into t(a, b) values(:a, :b)" from a column list; `params`
// holds the parameter of each column (a leading digit means a literal value,
// as the pending save's constant id 0).
QString insertText(const QString &head, const QStringList &columns, const QStringList &params,
                   const QString &open = QStringLiteral("("), const QString &close = QStringLiteral(")"))
{
    QStringList values;
    for (const QString &p : params)
        values << (p.at(0).isDigit() ? p : QLatin1Char(':') + p);
    return head + open + columns.join(QStringLiteral(", ")) + close + QStringLiteral(" values") + open +
           values.join(QStringLiteral(", ")) + close;
}

const QStringList &accessoryColumns()
{
    static const QStringList cols = [] {
        QStringList out;
        for (const char *base : {"SUJCIL", "ELVALN", "ELVALG", "MEZCL", "VENTEO", "LLAVEC", "VALCAI", "VALCAE", "MANG",
                                 "MANOM", "ACCE", "TUBER"}) {
            out << QString::fromLatin1(base) + QStringLiteral("_COD")
                << QString::fromLatin1(base) + QStringLiteral("_NRO");
        }
        return out;
    }();
    return cols;
}

QString updateTempUsr()
{
    QStringList cols = {QStringLiteral("id"),         QStringLiteral("peccod"),     QStringLiteral("codtal"),
                        QStringLiteral("talcuit"),    QStringLiteral("udominio"),   QStringLiteral("pmatreshab"),
                        QStringLiteral("rmatreshab"), QStringLiteral("ucodgest"),   QStringLiteral("udescgest"),
                        QStringLiteral("uobleaant"),  QStringLiteral("uobanoant"),  QStringLiteral("umarca"),
                        QStringLiteral("umodelo"),    QStringLiteral("utipuso"),    QStringLiteral("uano"),
                        QStringLiteral("uapeynom"),   QStringLiteral("utipdoc"),    QStringLiteral("unrodoc"),
                        QStringLiteral("ucalle"),     QStringLiteral("unro"),       QStringLiteral("ubarrio"),
                        QStringLiteral("ucodpostal"), QStringLiteral("ulocalidad"), QStringLiteral("uprovincia"),
                        QStringLiteral("utelefono"),  QStringLiteral("ufecrev"),    QStringLiteral("ufecmont"),
                        QStringLiteral("ufechab"),    QStringLiteral("ufecvenhab"), QStringLiteral("uobservac"),
                        QStringLiteral("email"),      QStringLiteral("dnistring"),  QStringLiteral("dorsostring"),
                        QStringLiteral("dnipath"),    QStringLiteral("dorsopath"),  QStringLiteral("estado"),
                        QStringLiteral("inyeccion"),  QStringLiteral("vin")};
    cols << accessoryColumns();
    cols << QStringLiteral("UCARACT") << QStringLiteral("TE_TIPO") << QStringLiteral("certificadostring")
         << QStringLiteral("certificadopath");

    const QStringList &acc = accessoryColumns();
    QStringList params;
    for (const QString &c : cols) {
        if (c == QLatin1String("id"))
            params << QStringLiteral("0"); // the server assigns the id
        else if (acc.contains(c) || c == QLatin1String("UCARACT") || c == QLatin1String("TE_TIPO"))
            params << QStringLiteral("P_") + c;
        else
            params << c;
    }
    return insertText(QStringLiteral("insert into temp_usr"), cols, params);
}

QString updateTempCil()
{
    const QStringList cols = {QStringLiteral("id"),         QStringLiteral("peccod"),   QStringLiteral("talcuit"),
                              QStringLiteral("udominio"),   QStringLiteral("cilcodh"),  QStringLiteral("cnroserie"),
                              QStringLiteral("ccodgest"),   QStringLiteral("cfecgest"), QStringLiteral("ccapacidad"),
                              QStringLiteral("cmesfabr"),   QStringLiteral("canofabr"), QStringLiteral("cuphmes"),
                              QStringLiteral("cuphano"),    QStringLiteral("cuphcrpc"), QStringLiteral("cuphresult"),
                              QStringLiteral("fecvencrpc"), QStringLiteral("cnuevo"),   QStringLiteral("valcod"),
                              QStringLiteral("valnro"),     QStringLiteral("valgest"),  QStringLiteral("nrocertif"),
                              QStringLiteral("rvalcod"),    QStringLiteral("rvalnro"),  QStringLiteral("rvalgest")};
    QStringList params;
    for (const QString &c : cols) {
        if (c == QLatin1String("cilcodh"))
            params << QStringLiteral("codcil");
        else if (c == QLatin1String("cnroserie"))
            params << QStringLiteral("cilnroserie");
        else if (c == QLatin1String("fecvencrpc"))
            params << QStringLiteral("fecvenccrpc");
        else
            params << c;
    }
    return insertText(QStringLiteral("insert into temp_cil"), cols, params);
}

// Every `tal` column but the password: no statement hands a stored password
// to the workstation.
QString talColumns(const QString &prefix = QString())
{
    static const char *const cols[] = {"tcodigoint", "Estado",          "TRAZSOC",          "TALCUIT",   "RMATRESHAB",
                                       "TCALLE",     "TNUMERO",         "TLOCALIDAD",       "TTELEFONO", "thabilitad",
                                       "codtalaso",  "sello1",          "sello2",           "sello3",    "sello4",
                                       "copias",     "localidad",       "provincia",        "hoja",      "pertenece",
                                       "garantia",   "mensajeWhatsApp", "mensajeWhatsAppPh"};
    QStringList out;
    for (const char *c : cols)
        out << prefix + QString::fromLatin1(c);
    return out.join(QStringLiteral(", "));
}

// A pending operation as the form loads it: every column the save writes
// but the attached files, which are read again from their paths on saving.
QString selectTempUsr()
{
    const QString insert = updateTempUsr();
    const qsizetype open = insert.indexOf(QLatin1Char('('));
    const QStringList written =
        insert.mid(open + 1, insert.indexOf(QLatin1Char(')')) - open - 1).split(QStringLiteral(", "));
    QStringList cols = {QStringLiteral("id"), QStringLiteral("hora")};
    for (const QString &c : written)
        if (c != QLatin1String("id") && !c.endsWith(QLatin1String("string")))
            cols << c;
    return QStringLiteral("select ") + cols.join(QStringLiteral(", ")) +
           QStringLiteral(" from temp_usr where id = :user_id");
}

// The key of the first operation found by a sticker column, kept in the
// session for the statements after it in the same batch.
QString operationKeyBy(const QString &column)
{
    const QString pick = QStringLiteral("from usr where %1 = :ob order by talcuit, tnrointopr limit 1").arg(column);
    return QStringLiteral("set @tarvil_cuit = (select talcuit %1), @tarvil_nro = (select tnrointopr %1)").arg(pick);
}

const QStringList &ottColumns()
{
    static const QStringList cols = {QStringLiteral("dominio"),
                                     QStringLiteral("propietario"),
                                     QStringLiteral("email"),
                                     QStringLiteral("telefono"),
                                     QStringLiteral("celular"),
                                     QStringLiteral("calle"),
                                     QStringLiteral("nro"),
                                     QStringLiteral("localidad"),
                                     QStringLiteral("codigoPostal"),
                                     QStringLiteral("provincia"),
                                     QStringLiteral("tipoDoc"),
                                     QStringLiteral("nroDoc"),
                                     QStringLiteral("marca"),
                                     QStringLiteral("modelo"),
                                     QStringLiteral("anio"),
                                     QStringLiteral("cilindrada"),
                                     QStringLiteral("taller"),
                                     QStringLiteral("fecha"),
                                     QStringLiteral("ott_nro"),
                                     QStringLiteral("vin"),
                                     QStringLiteral("km"),
                                     QStringLiteral("cliente"),
                                     QStringLiteral("propietario_id"),
                                     QStringLiteral("electricista"),
                                     QStringLiteral("instalador"),
                                     QStringLiteral("cunero"),
                                     QStringLiteral("control_perdidas"),
                                     QStringLiteral("programador"),
                                     QStringLiteral("cilindro"),
                                     QStringLiteral("electronica"),
                                     QStringLiteral("obs1"),
                                     QStringLiteral("obs2"),
                                     QStringLiteral("obs3"),
                                     QStringLiteral("flexxus"),
                                     QStringLiteral("barrio"),
                                     QStringLiteral("celular_carac")};
    return cols;
}

QString insertOtt()
{
    QStringList params;
    for (const QString &c : ottColumns()) {
        if (c.startsWith(QLatin1String("obs")) || c == QLatin1String("flexxus"))
            params << QStringLiteral("P_") + c.at(0).toUpper() + c.mid(1);
        else
            params << QStringLiteral("P_") + c;
    }
    return insertText(QStringLiteral("insert into ott"), ottColumns(), params, QStringLiteral("( "),
                      QStringLiteral(" )"));
}

QString updateOtt()
{
    static const QStringList skipped = {QStringLiteral("taller"), QStringLiteral("fecha"), QStringLiteral("ott_nro"),
                                        QStringLiteral("barrio"), QStringLiteral("celular_carac")};
    QStringList sets;
    for (const QString &c : ottColumns()) {
        if (!skipped.contains(c))
            sets << c + QStringLiteral(" = :P_") + c.toLower();
    }
    return QStringLiteral("UPDATE ott SET ") + sets.join(QStringLiteral(", ")) +
           QStringLiteral(" WHERE ott_nro = :ott and taller = :ta");
}

QString insertOttCil()
{
    const QStringList cols = {QStringLiteral("TALLER"),     QStringLiteral("OTT_ID"),   QStringLiteral("CILCODH"),
                              QStringLiteral("CNROSERIE"),  QStringLiteral("CCODGEST"), QStringLiteral("CCAPACIDAD"),
                              QStringLiteral("CMESFABR"),   QStringLiteral("CANOFABR"), QStringLiteral("CUPHCRPC"),
                              QStringLiteral("CUPHMES"),    QStringLiteral("CUPHANO"),  QStringLiteral("FECVENCRPC"),
                              QStringLiteral("CUPHRESULT"), QStringLiteral("CNUEVO"),   QStringLiteral("VALCOD"),
                              QStringLiteral("VALNRO"),     QStringLiteral("VALGEST"),  QStringLiteral("RVALCOD"),
                              QStringLiteral("RVALNRO"),    QStringLiteral("RVALGEST"), QStringLiteral("NROCERTIF")};
    QStringList params;
    for (const QString &c : cols)
        params << QStringLiteral("P_") + c;
    return insertText(QStringLiteral("INSERT INTO ott_cil"), cols, params, QStringLiteral("( "), QStringLiteral(" )"));
}

// The WhatsApp reminder lists: the workshop's vehicles expiring in the period
// whose owner has a mobile ("SD", "S/D", "SN", "S/N" in any case mean no
// phone), never a dismantled one ("D" is the dismantling's other letter).
// `distinctRows`: one row per distinct listed line, however many operations give it.
QString reminderList(const QString &expiryColumn, const QString &alsoWhere, bool distinctRows = false)
{
    return QStringLiteral("select u.udominio Dominio, concat(coalesce(trim(u.UMARCA), ''), ' ', "
                          "coalesce(trim(u.umodelo), '')) Auto, u.UANO Modelo, u.UAPEYNOM Propietario, ") +
           expiryColumn +
           QStringLiteral(", concat('549', trim(u.ucaract), trim(u.UTELEFONO)) Celular, trim(u.UTELEFONO) telefono "
                          "from usr u where u.codtal = :ta and u.ufecvenhab between :de and :ha and "
                          "upper(trim(u.utelefono)) not in ('SD', 'S/D', 'SN', 'S/N') and u.ucaract is not null and "
                          "u.UTELEFONO is not null and u.te_tipo = 'CELULAR' and coalesce(u.ucodgest, '') not in "
                          "('B', 'D')") +
           alsoWhere +
           (distinctRows ? QStringLiteral(" group by 1, 2, 3, 4, 5, 6, 7 order by min(u.UFECVENHAB), 1")
                         : QStringLiteral(" order by u.UFECVENHAB, u.udominio"));
}

QVector<StatementDef> build()
{
    const Conn op = Conn::Operations;
    const Conn pv = Conn::PostVenta;
    auto s = [](const char *text) { return QString::fromUtf8(text); };
    // The operations of the owners whose name matches :ayn (SDBusquedaPorApellido).
    const QString ownerColumns =
        s("u.uobleanew, u.uobleaant, u.ufecrev, u.udescgest, u.umarca, u.umodelo, u.uano, u.uapeynom, "
          "u.uobanonew, u.ucodgest, u.rmatreshab, u.pmatreshab, u.codtal, u.talcuit, u.udominio, u.tnrointopr, "
          "u.peccod");
    const QString ownerSearch =
        s("select ") + ownerColumns +
        s(" from (select distinct uapeynom from usr force index (usr_apeynom) where uapeynom like :ayn) n "
          "join usr u on u.uapeynom = n.uapeynom");

    QVector<StatementDef> c = {
        // Identity and login
        // The administrator password (`pec.Clave`) is compared on the server only.
        {s("SQLTablePEC"), op, s("select PECCOD, PECRSOC, PMATRESHAB, PRESHABAYN, DIRECCION from pec")},
        {s("SQLQueryRes"), op, s("select rapellido, rnombre,rnrodoc from res where rmatreshab = :res")},
        {s("SQLQueryTaller"), op,
         s("select ") + talColumns(s("tal.")) +
             s(", res.RAPELLIDO, res.RNOMBRE from tal LEFT OUTER JOIN res on tal.RMATRESHAB = "
               "res.RMATRESHAB where tcodigoint = :ct")},
        {s("SQLQueryEstadoTaller"), op,
         s("select thabilitad estado, codtalaso, trazsoc, tcalle, tnumero from tal where tcodigoint = :ta")},
        {s("SQLQueryTalleres"), op, s("select ") + talColumns() + s(" from tal order by tcodigoint")},
        // The login: the passwords are compared on the server, which answers
        // whether they match; the workshop's row comes only when one does.
        // `:clave` is the SHA-256 of the typed password in hexadecimal, so
        // that no password is ever in the text of a statement (the server's
        // logs and process list show that text).
        {s("SQLQueryAcceso"), op,
         s("select Estado, sha2(Password, 256) = :clave as propia, (select Clave <> '' and sha2(Clave, 256) = "
           ":clave from pec limit 1) as administrador from tal where tcodigoint = :empresaId")},
        {s("SQLQuery1"), op,
         s("select ") + talColumns(s("tal.")) +
             s(", res.rnombre, res.rapellido, res.RMATRESHAB is not null as rep_registrado from tal left outer join "
               "res "
               "on tal.RMATRESHAB = res.RMATRESHAB "
               "where tcodigoint = :empresaId and (sha2(tal.Password, 256) = :clave or (:admin = 1 and "
               "(select Clave <> '' and sha2(Clave, 256) = :clave from pec limit 1)))")},
        {s("SQLQueryPEC"), op,
         s("select pec.PECCOD, pec.PECRSOC, pec.PMATRESHAB, pec.PRESHABAYN, pec.DIRECCION, res.RNRODOC from pec, "
           "res where pec.PMATRESHAB = res.RMATRESHAB")},
        {s("SQLGetVersion"), op, s("select version from sistema")},
        {s("SimpleDataSetMensajes"), op,
         s("select d.*, m.mensaje from mensajes_destinatarios d, mensajes m where d.taller = :ta and "
           "d.mensaje_id = m.mensaje_id and d.leido = 0 order by mensaje_id")},

        // Recalling operations
        {s("SQLQueryObleaAnterior"), op, s("select * from usr where uobleanew = :ob order by talcuit, tnrointopr")},
        {s("SQLQueryUsrPorObleaAnt"), op, s("select * from usr where uobleaant = :ob order by talcuit, tnrointopr")},
        // The regulators and cylinders of the operation a sticker finds travel
        // in the same exchange as the operation: its key stays on the server.
        {s("SQLClaveOperacionPorOblea"), op, operationKeyBy(s("uobleanew"))},
        {s("SQLClaveOperacionPorObleaAnt"), op, operationKeyBy(s("uobleaant"))},
        {s("SQLQueryMarcasReg"), op,
         s("select CODIGO, MARCA from codreg where CODIGO in (select rcodregh from reg where talcuit = :cu and "
           "tnrointopr = :nro)")},
        {s("SQLQueryMarcasRegFull"), op,
         s("select CODIGO, MARCA from codreg where CODIGO in (select rcodregh from reg_full where peccod = :pec "
           "and talcuit = :talcuit and tnrointopr = :tnrointopr)")},
        {s("SQLQueryMarcasRegTemp"), op,
         s("select CODIGO, MARCA from codreg where CODIGO in (select rcodregh from temp_reg where id = :id)")},
        {s("SQLQueryObleaAnteriorDePendiente"), op,
         s("select uobleaant from usr where uobleanew = (select uobleaant from temp_usr where id = :id) order by "
           "talcuit, tnrointopr limit 1")},
        {s("SQLQueryAnteriorEnSerio"), op, s("select uobleaant, uobleanew from usr where uobleaant = :ob")},
        {s("SQLQueryBuscarDominio"), op, s("select udominio from usr where udominio = :do")},
        {s("SQLQueryReg"), op, s("select * from reg where talcuit = :cu and tnrointopr = :nro")},
        {s("SQLQueryCil"), op, s("select * from cil where talcuit = :cu and tnrointopr = :nro")},
        {s("SQLQueryUsrXNroIntNew"), op,
         s("select * from usr where peccod = :pec and talcuit = :talcuit and tnrointopr = :tnrointopr")},
        {s("SQLQueryRegXNroIntNew"), op,
         s("select * from reg where peccod = :pec and talcuit = :talcuit and tnrointopr = :tnrointopr")},
        {s("SQLQueryCilXNroIntNew"), op,
         s("select * from cil where peccod = :pec and talcuit = :talcuit and tnrointopr = :tnrointopr")},
        {s("SQLQueryUsrXNroIntFull"), op,
         s("select * from usr_full where peccod = :pec and talcuit = :talcuit and tnrointopr = :tnrointopr")},
        {s("SQLQueryRegXNroIntFull"), op,
         s("select * from reg_full where peccod = :pec and talcuit = :talcuit and tnrointopr = :tnrointopr")},
        {s("SQLQueryCilXNroIntFull"), op,
         s("select * from cil_full where peccod = :pec and talcuit = :talcuit and tnrointopr = :tnrointopr")},
        {s("SQLQueryUsrTemp"), op, selectTempUsr()},
        {s("SQLQueryRegTemp"), op, s("select * from temp_reg where id = :reg_id")},
        {s("SQLQueryCilTemp"), op, s("select * from temp_cil where id = :cil_id")},

        // Saving operations
        {s("UpdateTempUsr"), op, updateTempUsr()},
        // A new pending id is UpdateTempUsr's lastInsertId(): max(id) can be another
        // workstation's upload of the same plate.
        {s("GetID"), op, s("select max(id) as id from temp_usr where udominio = :dominio")},
        {s("UpdateTempReg"), op,
         s("insert into temp_reg(id, peccod, talcuit, udominio, rcodregh, rnroserie,rcodgest) values(:id, "
           ":peccod, :talcuit, :udominio, :codreg, :regnroserie, :rcodgest)")},
        {s("UpdateTempCil"), op, updateTempCil()},
        // Only a pending operation the PEC has not verified goes; the caller
        // checks that exactly one row went.
        {s("DeleteTempUSR"), op, s("delete from temp_usr where id = :id and estado = 0")},
        {s("SQLQueryEstadoPendiente"), op, s("select estado from temp_usr where id = :id")},
        {s("SQLSetIdPendiente"), op, s("set @tarvil_pendiente = last_insert_id()")},
        {s("DeleteTempREG"), op, s("delete from temp_reg where id = :id")},
        {s("DeleteTempCIL"), op, s("delete from temp_cil where id = :id")},

        // Catalogue look-ups
        {s("SQLQueryBuscarReg"), op, s("select * from codreg where codigo = :re")},
        {s("SQLQueryBUscarCil"), op, s("select * from codcil where codigo = :ci")},
        // Validity years of several models at once: `codigos` is their codes
        // separated by commas.
        {s("SQLQueryVencCodigos"), op, s("select CODIGO, VENC from codcil where find_in_set(CODIGO, :codigos)")},
        {s("SQLQueryBuscarCRCP"), op, s("select * from codcrp where codigo = :co")},
        {s("SQLQueryBuscarValvula"), op, s("select * from valcod where codval = :co")},
        {s("SQLQueryControlValvula"), op, s("select * from cil where valcod = :vc and valnro =:vn limit 100")},

        // Operation queries (read-only grids)
        {s("SDBusquedaPorDominio"), op,
         s("select uobleanew, ufecrev, udescgest, ucodgest, umarca, umodelo, uano, uapeynom, uobleaant, "
           "rmatreshab, pmatreshab, codtal, talcuit from usr where udominio = :do order by ufecrev")},
        {s("SDBusquedaPorRegulador"), op,
         s("select u.uobleanew, u.ufecrev, u.ucodgest, u.udescgest, u.umarca, u.umodelo, u.uano, u.uapeynom, "
           "u.uobanonew, r.rcodregh, r.rnroserie, u.peccod, u.tnrointopr, u.ufechab, u.codtal, u.talcuit, "
           "u.udominio from usr u, reg r where r.rnroserie = :re and r.talcuit = u.talcuit and r.tnrointopr = "
           "u.tnrointopr")},
        {s("SDBusquedaPorCilindro"), op,
         s("select u.uobleanew, u.ufecrev, u.ucodgest, u.udescgest, u.umarca, u.umodelo, u.uano, u.uapeynom, "
           "u.uobanonew, r.cilcodh, r.cnroserie, u.uobleaant, u.codtal, u.ufechab, u.tnrointopr, u.peccod, "
           "u.talcuit, u.udominio from usr u, cil r where r.cnroserie = :re and r.talcuit = u.talcuit and "
           "r.tnrointopr = u.tnrointopr order by u.ufechab")},
        // A name anywhere in the owner: the names are matched on the owner
        // index alone (a scan of it, never of the table), then their rows
        // are read through it.
        {s("SDBusquedaPorApellido"), op, ownerSearch + s(" order by u.uapeynom")},
        // The same a page at a time: the rows after (:ultimo, :cuit, :nro) in
        // name and key order, one more than a page to tell whether more follow.
        // The page's keys come from the name's index alone, which holds the
        // primary key (talcuit, tnrointopr) in that order after the name: the
        // scan stops at the page's last match, and only its rows are read.
        {s("SDBusquedaPorApellidoPagina"), op,
         s("select ") + ownerColumns +
             s(" from (select talcuit, tnrointopr from usr force index (usr_apeynom) where uapeynom like :ayn "
               "and (uapeynom, talcuit, tnrointopr) > (:ultimo, :cuit, :nro) order by uapeynom, talcuit, "
               "tnrointopr limit ") +
             QString::number(Lookups::kOwnerPage + 1) +
             s(") k join usr u on u.talcuit = k.talcuit and u.tnrointopr = k.tnrointopr order by u.uapeynom, "
               "u.talcuit, u.tnrointopr")},

        // Look-up dialogs: the typed text goes in a `like` pattern escaped with '!'
        {s("SQLQueryBusquedaRegulador"), op,
         s("select * from codreg where codigo like :re escape '!' order by codigo")},
        {s("SQLQueryBusquedaValvula"), op, s("select * from valcod where codval like :co escape '!' order by codval")},
        {s("SQLQueryBusquedaCRPC"), op, s("select * from codcrp where nombre like :co escape '!' order by nombre")},
        {s("SQLQueryBusquedaCilindro"), op, s("select * from codcil where codigo like :ci escape '!' order by codigo")},
        {s("SQLQueryBuscarPatente"), op, s("select * from usr where udominio = :do order by uobleanew")},
        {s("SQLQueryBuscarPatenteFull"), op, s("select * from usr_full where udominio = :do order by uobleanew")},
        {s("SQLQueryConsultaOblea"), op, s("select * from usr where uobleanew = :ob")},

        // Pending operations of the workshop: only the listed columns, since the
        // attached documents stored in the same rows would travel with each reading.
        {s("SQLQueryPendientes"), op,
         s("select id, estado, ucodgest, udescgest, uapeynom, umarca, umodelo, uano, udominio, vin, hora from "
           "temp_usr where codtal = :ct order by id")},
        {s("SQLQueryEstadoPendiente"), op, s("select estado from temp_usr where id = :id")},

        // Workshop account and PEC messages
        {s("SQLUpdateSello"), op,
         s("update tal set sello1 = :se1, sello2 = :se2, sello3 = :se3, sello4 = :se4 where tcodigoint = :tal")},
        {s("SQLQueryPasswordTaller"), op,
         s("select count(*) as propia from tal where tcodigoint = :tal and sha2(Password, 256) = :actual")},
        {s("SQLUpdatePasswordTaller"), op,
         s("update tal set Password = unhex(:nuevo) where tcodigoint = :tal and sha2(Password, 256) = :actual")},
        // Bounded by the last message shown, so one posted while the reader is
        // open stays unread for the next start.
        {s("UpdateMensajesLeidos"), op,
         s("update mensajes_destinatarios set leido = 1 where taller = :ta and leido = 0 and mensaje_id <= "
           ":ultimo")},

        // Post-sales
        {s("SQLQueryInsertOTT"), pv, insertOtt()},
        {s("SQLQueryUpdateOTT"), pv, updateOtt()},
        {s("SQLQueryInsertOttReg"), pv,
         s("INSERT INTO ott_reg( TALLER, OTT_ID, RCODREGH, RNROSERIE, RCODGEST, RNUEVO) VALUES( :P_TALLER, "
           ":P_OTT_ID, :P_RCODREGH, :P_RNROSERIE, :P_RCODGEST, :P_RNUEVO )")},
        {s("SQLQueryInsertOttCil"), pv, insertOttCil()},
        {s("SQLQueryDeleteFromOttReg"), pv, s("delete from ott_reg where taller = :ta and ott_id = :or")},
        {s("SQLQueryDeleteFromOttCil"), pv, s("delete from ott_cil where taller = :ta and ott_id = :or")},
        {s("SQLQueryGetRegFromOtt"), pv,
         s("select ott_reg.*, codreg.MARCA from ott_reg, codreg where taller = :ta AND ott_id = :id and "
           "ott_reg.RCODREGH = codreg.CODIGO")},
        {s("SQLQueryGetCilFromOtt"), pv, s("select ott_cil.* from ott_cil where taller = :ta AND ott_id = :id")},
        {s("SQLQueryGetOperario"), pv, s("select * from operarios where id = :op")},
        {s("SQLQueryInsertOperario"), pv, s("INSERT INTO operarios( id, nombre) VALUES( :P_id, :P_nombre )")},
        {s("SQLQueryInsertFalla"), pv, s("INSERT INTO fallas( id, falla) VALUES( :P_id, :P_nombre )")},
        {s("SQLQueryInsertOpvFallas"), pv,
         s("INSERT INTO opv_fallas( id, taller_id, opv_nro, falla) VALUES( :P_id, :P_taller_id, :P_opv_nro, "
           ":P_falla )")},
        {s("SQLQueryInsertOPVTrabajoRealizado"), pv,
         s("INSERT INTO opv_trabajo_realizado( id, taller_id, opv_nro, trabajo_realizado, tecnico) VALUES( "
           ":P_id, :P_taller_id, :P_opv_nro, :P_trabajo_realizado, :P_tecnico )")},
        {s("SimpleDataSetMarcas"), pv, s("select marca from marcas")},
        {s("SimpleDataSetModelos"), pv, s("select modelo_m from marcas_modelos where marca_m = :ma order by modelo_m")},
        {s("SimpleDataSetFallasEnOPV"), pv,
         s("select opv_fallas.id, opv_fallas.falla, fallas.falla from opv_fallas, fallas where "
           "opv_fallas.taller_id = :ta and opv_fallas.opv_nro = :nro and opv_fallas.falla = fallas.id")},
        {s("SimpleDataSetTrabajosEnOPV"), pv,
         s("select opv_trabajo_realizado.id, opv_trabajo_realizado.trabajo_realizado trabajo_realizado_id, "
           "trabajos_realizados.trabajo_realizado nombre, operarios.nombre tecnico, operarios.id tecnico_id from "
           "opv_trabajo_realizado, trabajos_realizados, operarios where opv_trabajo_realizado.taller_id = :ta and "
           "opv_trabajo_realizado.opv_nro = :nro and opv_trabajo_realizado.trabajo_realizado = "
           "trabajos_realizados.id and opv_trabajo_realizado.tecnico = operarios.id")},
        {s("SQLQueryOpvVer"), pv,
         s("select opv.*, propietarios.propietario, clientes.cliente concesionario, operarios.nombre recepcionista "
           "from opv, propietarios, clientes, operarios where taller = :ta and opv_nro = :nr and "
           "opv.cliente=propietarios.propietario_id and opv.concesionario = clientes.id and opv.recepcionista= "
           "operarios.id")},
        {s("SQLQueryTalleresConOPV"), pv, s("select taller from opv group by taller")},

        // Appointments
        {s("sqlQuery_turnos_agendaUpdate"), op,
         s("UPDATE turnos_agenda SET hora = :P_hora, cliente = :P_cliente, vehiculo = :P_vehiculo, dominio = "
           ":P_dominio, celular = :P_celular, falla = :P_falla WHERE taller = :P_Taller and fecha = :P_fecha and "
           "hora = :P_hora")},
        // A day's slots are created by whoever looks at it first; the key on
        // (taller, fecha, hora) and the no-op update make a second workstation
        // opening the same day at the same moment add nothing.
        {s("SQLInsertTurnosDelDia"), op,
         s("insert into turnos_agenda (taller, fecha, hora) select :ta, :fe, h.hora from turnos_horarios h order "
           "by h.hora on duplicate key update taller = taller")},
        {s("SQLQueryTurnosDelDia"), op,
         s("select hora, cliente, vehiculo, dominio, celular, falla from turnos_agenda where taller = :ta and "
           "fecha = :fe order by cast(hora as time), hora")},

        // Assigned stickers, and the parts of the same operations for the
        // detailed list (two readings for the whole period, not two per operation).
        {s("SQLQueryObleasAsignadas"), op,
         s("select talcuit, tnrointopr, udescgest, uapeynom, umarca, umodelo, uano, udominio, uobleanew, xfecasig, "
           "ucodgest from usr where codtal = :co and xfecasig between :fe and :ha order by xfecasig, talcuit, "
           "tnrointopr")},
        {s("SQLQueryObleasAsignadasReg"), op,
         s("select r.talcuit, r.tnrointopr, r.RCODREGH codigo, r.RNROSERIE numero, r.RCODGEST GESTION from usr u "
           "join reg r on r.talcuit = u.talcuit and r.tnrointopr = u.tnrointopr where u.codtal = :co and "
           "u.xfecasig between :fe and :ha")},
        {s("SQLQueryObleasAsignadasCil"), op,
         s("select c.talcuit, c.tnrointopr, c.Cilcodh codigo, c.CNROSERIE numero, c.CCODGEST GESTION, c.valcod, "
           "c.valnro, c.valgest, c.rvalcod, c.rvalnro, c.rvalgest from usr u join cil c on c.talcuit = u.talcuit "
           "and c.tnrointopr = u.tnrointopr where u.codtal = :co and u.xfecasig between :fe and :ha")},

        // Expiries and reminders.
        {s("SQLQueryVencimientoObleas"), op,
         s("select udominio, concat(coalesce(trim(UMARCA), ''), ' ', coalesce(trim(umodelo), '')) auto, UANO, "
           "UAPEYNOM, concat(coalesce(trim(UCALLE), ''), ' ', coalesce(trim(UNRO), '')) direccion, UBARRIO, "
           "UCODPOSTAL, ULOCALIDAD, UPROVINCIA, UTELEFONO, EMAIL, UFECVENHAB, CODTAL from usr where codtal = :ta "
           "and ufecvenhab between :de and :ha order by uapeynom, udominio")},
        {s("SQLQueryEnvioWhatsapp"), op, reminderList(s("u.UFECVENHAB Vencimiento"), QString())},
        // One row per listed line however many cylinders or operations give it.
        {s("SQLQueryEnvioWhatsappPH"), op,
         reminderList(s("date_format(u.ufecvenhab, '%m/%Y') Vencimiento"),
                      s(" and exists (select 1 from cil c where c.TALCUIT = u.TALCUIT and c.TNROINTOPR = "
                        "u.TNROINTOPR and c.FECVENCRPC between :de and :ha)"),
                      true)},
        {s("SQLQueryMensajesWhatsapp"), op,
         s("select mensajeWhatsApp, mensajeWhatsAppPh from tal where tcodigoint = :ta")},
        {s("SQLUpdateMensajeWhatsapp"), op, s("update tal set mensajeWhatsApp = :me where tcodigoint = :ta")},
        {s("SQLUpdateMensajeWhatsappPh"), op, s("update tal set mensajeWhatsAppPh = :me where tcodigoint = :ta")},
    };
    return c;
}

} // namespace

const QVector<StatementDef> &statementCatalogue()
{
    static const QVector<StatementDef> catalogue = build();
    return catalogue;
}
