// The data module against the real schema: every catalogue statement runs,
// rows and parameters behave as the windows expect, connections come back
// after a close or a kill, and a rolled-back transaction leaves nothing.
#include "data/backgroundquery.h"
#include "data/dm1.h"
#include "data/errordetails.h"
#include "data/statements.h"
#include "tcprelay.h"
#include "testdb.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QtTest>
#include <optional>

class TstDm1 : public QObject
{
    Q_OBJECT
    QSqlDatabase admin;
    const QString dbName = QStringLiteral("t_dm1");

    void sql(const QString &text) { TestDb::exec(admin, text); }

    int countRows(const QString &table, const QString &where = QStringLiteral("1=1"))
    {
        QSqlQuery q(admin);
        if (!q.exec(QStringLiteral("select count(*) from %1 where %2").arg(table, where)) || !q.next())
            qFatal("count failed on %s", qPrintable(table));
        return q.value(0).toInt();
    }

    ConnectionSettings testSettings() const
    {
        return {TestDb::host(), dbName, TestDb::user(), TestDb::password(), QStringLiteral("Test")};
    }

    static QVariant sampleFor(const QString &param)
    {
        static const QStringList numbers = {
            QStringLiteral("nro"),       QStringLiteral("tnrointopr"),  QStringLiteral("user_id"),
            QStringLiteral("reg_id"),    QStringLiteral("cil_id"),      QStringLiteral("id"),
            QStringLiteral("estado"),    QStringLiteral("ultimo"),      QStringLiteral("ccapacidad"),
            QStringLiteral("or"),        QStringLiteral("ott"),         QStringLiteral("op"),
            QStringLiteral("nr"),        QStringLiteral("P_id"),        QStringLiteral("P_opv_nro"),
            QStringLiteral("P_falla"),   QStringLiteral("P_OTT_ID"),    QStringLiteral("P_trabajo_realizado"),
            QStringLiteral("P_tecnico"), QStringLiteral("P_CCAPACIDAD")};
        static const QStringList ottNumbers = {QStringLiteral("anio"),         QStringLiteral("cilindrada"),
                                               QStringLiteral("ott_nro"),      QStringLiteral("km"),
                                               QStringLiteral("cliente"),      QStringLiteral("propietario_id"),
                                               QStringLiteral("electricista"), QStringLiteral("instalador"),
                                               QStringLiteral("cunero"),       QStringLiteral("control_perdidas"),
                                               QStringLiteral("programador"),  QStringLiteral("flexxus")};
        const QString bare = param.startsWith(QLatin1String("P_")) ? param.mid(2).toLower() : param.toLower();
        if (numbers.contains(param) || ottNumbers.contains(bare))
            return 7;
        if (param.startsWith(QLatin1String("ufec")) || param == QLatin1String("cfecgest") ||
            param.compare(QLatin1String("fecvenccrpc"), Qt::CaseInsensitive) == 0 ||
            param.compare(QLatin1String("P_FECVENCRPC"), Qt::CaseInsensitive) == 0 ||
            param.compare(QLatin1String("P_fecha"), Qt::CaseInsensitive) == 0)
            return QDate(2026, 3, 14);
        if (param.endsWith(QLatin1String("string")))
            return QByteArray("\x00\xff", 2);
        return QStringLiteral("T"); // fits every text column, the one-letter codes included
    }

    NamedQuery &q(const char *name) { return dm1().query(QString::fromLatin1(name)); }

    int serverPort()
    {
        QSqlQuery p(admin);
        if (!p.exec(QStringLiteral("select @@port")) || !p.next())
            qFatal("no port");
        return p.value(0).toInt();
    }

private slots:
    void initTestCase()
    {
        admin = TestDb::create(dbName);
        dm1().configure(Conn::Operations, testSettings());
        dm1().configure(Conn::PostVenta, testSettings());
    }

    void cleanupTestCase()
    {
        BackgroundQuery::stopWorkers();
        dm1().closeAll();
        admin.close();
        TestDb::drop(dbName);
    }

    void defaultsAndNames()
    {
        QCOMPARE(DataModule::connectionName(Conn::Operations), QStringLiteral("SQLConnection1"));
        QCOMPARE(DataModule::connectionName(Conn::PostVenta), QStringLiteral("SQLConnectionPostVenta"));
        QCOMPARE(DataModule::connectionName(Conn::Sister), QStringLiteral("SQLConnection2"));
        const ConnectionSettings local = DataModule::defaultSettings(Conn::Operations);
        QCOMPARE(local.hostName, QStringLiteral("localhost"));
        QCOMPARE(local.database, QStringLiteral("tarvil"));
        QCOMPARE(local.label, QStringLiteral("Local DB"));
        QVERIFY(!DataModule::defaultSettings(Conn::PostVenta).isEmpty());
        QVERIFY(DataModule::defaultSettings(Conn::Sister).isEmpty());
    }

    void catalogueTextsAndParameters()
    {
        QCOMPARE(dm1().queryNames().size(), statementCatalogue().size());
        QVERIFY(!dm1().hasQuery(QStringLiteral("NoSuchStatement")));
        QVERIFY_THROWS_EXCEPTION(DbError, dm1().query(QStringLiteral("NoSuchStatement")));

        for (const StatementDef &def : statementCatalogue()) {
            // Names that differ only by case would bind to one another.
            QSet<QString> lower;
            for (const QString &p : dm1().query(def.name).paramNames()) {
                QVERIFY2(!lower.contains(p.toLower()), qPrintable(def.name + QLatin1Char(' ') + p));
                lower.insert(p.toLower());
            }
        }

        NamedQuery &usr = q("UpdateTempUsr");
        QVERIFY(usr.sql().startsWith(QLatin1String("insert into temp_usr(id, peccod, codtal,")));
        QVERIFY(usr.sql().contains(QLatin1String("values(0, :peccod, :codtal,")));
        const QStringList up = usr.paramNames();
        QCOMPARE(up.size(), 38 - 1 + 24 + 4);
        for (const char *p : {"P_SUJCIL_COD", "P_TUBER_NRO", "P_UCARACT", "P_TE_TIPO", "dnistring", "certificadopath"})
            QVERIFY2(up.contains(QString::fromLatin1(p)), p);
        QVERIFY(!up.contains(QStringLiteral("id")));

        const QStringList cp = q("UpdateTempCil").paramNames();
        for (const char *p : {"id", "codcil", "cilnroserie", "fecvenccrpc", "rvalgest"})
            QVERIFY2(cp.contains(QString::fromLatin1(p)), p);
        QVERIFY(!cp.contains(QStringLiteral("cilcodh")));

        const QStringList ott = q("SQLQueryInsertOTT").paramNames();
        QCOMPARE(ott.size(), 36);
        for (const char *p : {"P_Obs1", "P_Obs3", "P_Flexxus", "P_codigoPostal", "P_celular_carac"})
            QVERIFY2(ott.contains(QString::fromLatin1(p)), p);
        const QStringList upd = q("SQLQueryUpdateOTT").paramNames();
        QCOMPARE(upd.size(), 31 + 2);
        QVERIFY(upd.contains(QStringLiteral("P_codigopostal")));
        QVERIFY(!upd.contains(QStringLiteral("P_barrio")));
        QCOMPARE(q("sqlQuery_turnos_agendaUpdate").paramNames().count(QStringLiteral("P_hora")), 1);
    }

    // Each select opens and each write executes on the real schema.
    void everyStatementRuns()
    {
        int selects = 0, writes = 0;
        for (const StatementDef &def : statementCatalogue()) {
            NamedQuery &st = dm1().query(def.name);
            st.close();
            for (const QString &p : st.paramNames())
                st.setParam(p, sampleFor(p));
            try {
                const bool isSelect = def.sql.trimmed().startsWith(QLatin1String("select"), Qt::CaseInsensitive);
                if (isSelect) {
                    st.open();
                    ++selects;
                } else {
                    st.execute();
                    ++writes;
                }
                QVERIFY2(st.isActive(), qPrintable(def.name));
            } catch (const DbError &e) {
                QFAIL(qPrintable(def.name + QStringLiteral(": ") + e.text()));
            }
        }
        QCOMPARE(selects, 69);
        QCOMPARE(selects + writes, int(statementCatalogue().size()));
        QCOMPARE(countRows(QStringLiteral("ott"), QStringLiteral("ott_nro = 7 and taller = 'T'")), 1);
        QCOMPARE(countRows(QStringLiteral("ott_cil")), 0); // inserted, then the catalogue's delete ran
        sql(QStringLiteral("delete from fallas"));
        sql(QStringLiteral("delete from ott"));
        sql(QStringLiteral("delete from temp_usr"));
        sql(QStringLiteral("delete from temp_reg"));
        sql(QStringLiteral("delete from temp_cil"));
        sql(QStringLiteral("delete from operarios"));
        sql(QStringLiteral("delete from opv_fallas"));
        sql(QStringLiteral("delete from opv_trabajo_realizado"));
        sql(QStringLiteral("delete from ott_reg"));
    }

    void regulatorsOfTheSecondOperationOnly()
    {
        sql(QStringLiteral("insert into reg (peccod, talcuit, tnrointopr, udominio, rcodregh, rnroserie) values "
                           "('P1', '30-1-1', 1, 'AAA111', 'R1', 'S-A'), ('P1', '30-1-1', 1, 'AAA111', 'R1', 'S-B'), "
                           "('P1', '30-1-1', 2, 'BBB222', 'R2', 'S-C')"));
        NamedQuery &reg = q("SQLQueryReg");
        reg.close();
        reg.setParam(QStringLiteral("cu"), QStringLiteral("30-1-1"));
        reg.setParam(QStringLiteral("nro"), 1);
        reg.open();
        QCOMPARE(reg.rowCount(), 2);
        reg.close();
        QVERIFY(reg.eof());
        QCOMPARE(reg.rowCount(), 0);
        reg.setParam(QStringLiteral("cu"), QStringLiteral("30-1-1"));
        reg.setParam(QStringLiteral("nro"), 2);
        reg.open();
        QCOMPARE(reg.rowCount(), 1);
        QVERIFY(reg.first());
        QCOMPARE(reg.text(QStringLiteral("RNROSERIE")), QStringLiteral("S-C"));
        QCOMPARE(reg.integer(QStringLiteral("tnrointopr")), 2);
        QVERIFY(!reg.next());
        QVERIFY(reg.eof());
        QVERIFY(!reg.field(QStringLiteral("rnroserie")).isValid()); // past the end
    }

    void getIdForAPlateWithoutPendingRows()
    {
        NamedQuery &id = q("GetID");
        id.close();
        id.setParam(QStringLiteral("dominio"), QStringLiteral("ZZZ999"));
        id.open();
        QCOMPARE(id.rowCount(), 1);
        QVERIFY(id.first());
        QVERIFY(id.isNull(QStringLiteral("id")));
        QCOMPARE(id.integer(QStringLiteral("id")), 0);
    }

    void pendingInsertGivesItsIdAndFieldsReadBack()
    {
        NamedQuery &usr = q("UpdateTempUsr");
        usr.close();
        for (const QString &p : usr.paramNames())
            usr.setParam(p, p.endsWith(QLatin1String("string")) ? QVariant() : sampleFor(p));
        usr.setParam(QStringLiteral("udominio"), QStringLiteral("ABC123"));
        usr.setParam(QStringLiteral("uapeynom"), QStringLiteral("PEÑA JOSÉ"));
        usr.setParam(QStringLiteral("ufecrev"), QDate(2026, 2, 28));
        usr.setParam(QStringLiteral("estado"), 0);
        usr.setParam(QStringLiteral("p_te_tipo"), QStringLiteral("CELULAR")); // any case binds
        usr.execute();
        const int newId = usr.lastInsertId().toInt();
        QVERIFY(newId > 0);
        QCOMPARE(usr.numRowsAffected(), 1);

        NamedQuery &back = q("SQLQueryUsrTemp");
        back.close();
        back.setParam(QStringLiteral("user_id"), newId);
        back.open();
        QVERIFY(back.first());
        QCOMPARE(back.text(QStringLiteral("UAPEYNOM")), QStringLiteral("PEÑA JOSÉ"));
        QCOMPARE(back.date(QStringLiteral("ufecrev")), QDate(2026, 2, 28));
        QCOMPARE(back.text(QStringLiteral("te_tipo")), QStringLiteral("CELULAR"));
        QVERIFY(back.isNull(QStringLiteral("dnistring")));
        QVERIFY(!back.field(QStringLiteral("no_such_column")).isValid());

        NamedQuery &del = q("DeleteTempUSR");
        del.close();
        del.setParam(QStringLiteral("id"), newId);
        del.execute();
        QCOMPARE(del.numRowsAffected(), 1);
        QCOMPARE(countRows(QStringLiteral("temp_usr")), 0);
    }

    void duplicateJoinColumnsGetSuffixes()
    {
        sql(QStringLiteral("insert into fallas (id, falla) values (3, 'No arranca')"));
        sql(QStringLiteral("insert into opv_fallas (id, taller_id, opv_nro, falla) values (0, 'T0001', 9, 3)"));
        NamedQuery &f = q("SimpleDataSetFallasEnOPV");
        f.close();
        f.setParam(QStringLiteral("ta"), QStringLiteral("T0001"));
        f.setParam(QStringLiteral("nro"), 9);
        f.open();
        QVERIFY(f.first());
        QCOMPARE(f.integer(QStringLiteral("falla")), 3);
        QCOMPARE(f.text(QStringLiteral("falla_1")), QStringLiteral("No arranca"));
        QCOMPARE(f.rows().first().fieldName(2), QStringLiteral("falla_1"));

        sql(QStringLiteral("insert into propietarios (propietario_id, propietario) values (5, 'GOMEZ ANA')"));
        sql(QStringLiteral("insert into clientes (id, cliente) values (6, 'Concesionaria Sur')"));
        sql(QStringLiteral("insert into operarios (id, nombre) values (8, 'Luis')"));
        sql(QStringLiteral("insert into opv (taller, opv_nro, cliente, concesionario, recepcionista) "
                           "values ('T0001', 9, 5, 6, 8)"));
        NamedQuery &v = q("SQLQueryOpvVer");
        v.close();
        v.setParam(QStringLiteral("ta"), QStringLiteral("T0001"));
        v.setParam(QStringLiteral("nr"), 9);
        v.open();
        QVERIFY(v.first());
        QCOMPARE(v.integer(QStringLiteral("concesionario")), 6);
        QCOMPARE(v.text(QStringLiteral("concesionario_1")), QStringLiteral("Concesionaria Sur"));
        QCOMPARE(v.integer(QStringLiteral("recepcionista")), 8);
        QCOMPARE(v.text(QStringLiteral("Recepcionista_1")), QStringLiteral("Luis"));
        QCOMPARE(v.text(QStringLiteral("propietario")), QStringLiteral("GOMEZ ANA"));
    }

    void repeatedParameterTakesOneValue()
    {
        sql(QStringLiteral("insert into turnos_agenda (taller, fecha, hora) values ('T0001', '2026-05-04', '09:00'), "
                           "('T0001', '2026-05-04', '09:30')"));
        NamedQuery &u = q("sqlQuery_turnos_agendaUpdate");
        u.close();
        u.setParam(QStringLiteral("P_hora"), QStringLiteral("09:30"));
        u.setParam(QStringLiteral("P_cliente"), QStringLiteral("Ana"));
        u.setParam(QStringLiteral("P_vehiculo"), QStringLiteral("Gol"));
        u.setParam(QStringLiteral("P_dominio"), QStringLiteral("AB123CD"));
        u.setParam(QStringLiteral("P_celular"), QStringLiteral("1155"));
        u.setParam(QStringLiteral("P_falla"), QStringLiteral("x"));
        u.setParam(QStringLiteral("P_Taller"), QStringLiteral("T0001"));
        u.setParam(QStringLiteral("P_fecha"), QDate(2026, 5, 4));
        u.execute();
        QCOMPARE(u.numRowsAffected(), 1);
        QCOMPARE(countRows(QStringLiteral("turnos_agenda"), QStringLiteral("hora = '09:30' and cliente = 'Ana'")), 1);
        QCOMPARE(countRows(QStringLiteral("turnos_agenda"), QStringLiteral("cliente is not null")), 1);
    }

    void parametersAreCheckedAndNeverPasted()
    {
        NamedQuery &res = q("SQLQueryRes");
        res.close();
        QVERIFY_THROWS_EXCEPTION(DbError, res.setParam(QStringLiteral("nope"), 1));
        QVERIFY_THROWS_EXCEPTION(DbError, res.open()); // :res has no value
        QVERIFY(!res.isActive());

        sql(QStringLiteral("insert into res (RMATRESHAB, RAPELLIDO) values ('M1', 'PEREZ')"));
        res.setParam(QStringLiteral(":res"), QStringLiteral("' or '1'='1"));
        res.open();
        QVERIFY(res.isEmpty());
        res.close();
        res.setParam(QStringLiteral("RES"), QStringLiteral("M1"));
        res.open();
        QCOMPARE(res.rowCount(), 1);
        QCOMPARE(res.text(QStringLiteral("RAPELLIDO")), QStringLiteral("PEREZ"));
    }

    void failingStatementThrowsAndIsLeftClosed()
    {
        NamedQuery &ins = q("SQLQueryInsertOperario");
        ins.close();
        ins.setParam(QStringLiteral("P_id"), 40);
        ins.setParam(QStringLiteral("P_nombre"), QStringLiteral("Ana"));
        ins.execute();
        ins.close();
        ins.setParam(QStringLiteral("P_id"), 40);
        ins.setParam(QStringLiteral("P_nombre"), QStringLiteral("Otra"));
        try {
            ins.execute();
            QFAIL("a duplicate key must fail");
        } catch (const DbError &e) {
            QVERIFY2(e.text().contains(QLatin1String("Duplicate entry")), qPrintable(e.text()));
            QCOMPARE(e.statement(), QStringLiteral("SQLQueryInsertOperario"));
        }
        QVERIFY(!ins.isActive());
        QVERIFY_THROWS_EXCEPTION(DbError, ins.execute()); // parameters went with the close
        ins.setParam(QStringLiteral("P_id"), 41);
        ins.setParam(QStringLiteral("P_nombre"), QStringLiteral("Otra"));
        ins.execute(); // still usable after the failure
        QCOMPARE(countRows(QStringLiteral("operarios"), QStringLiteral("id in (40, 41)")), 2);

        NamedQuery &op = q("SQLQueryGetOperario");
        op.close();
        op.setParam(QStringLiteral("op"), 40);
        op.open();
        QCOMPARE(op.text(QStringLiteral("nombre")), QStringLiteral("Ana"));
    }

    void windowStatementsReachTheSameConnections()
    {
        NamedQuery own(QStringLiteral("SQLQueryPropio"), Conn::PostVenta,
                       QStringLiteral("select count(*) n from operarios where nombre like :n"));
        own.setParam(QStringLiteral("n"), QStringLiteral("A%"));
        own.open();
        QCOMPARE(own.integer(QStringLiteral("N")), 1);
        dm1().closeConnection(Conn::PostVenta); // drops the handle of this one too
        own.close();
        own.setParam(QStringLiteral("n"), QStringLiteral("%"));
        own.open();
        QVERIFY(own.integer(QStringLiteral("n")) >= 1);
    }

    void closedConnectionReopens()
    {
        NamedQuery &pec = q("SQLTablePEC");
        pec.close();
        pec.open();
        QVERIFY(dm1().isOpen(Conn::Operations));
        dm1().configure(Conn::Operations, testSettings()); // the same settings keep the session
        QVERIFY(dm1().isOpen(Conn::Operations));
        dm1().closeConnection(Conn::Operations);
        QVERIFY(!dm1().isOpen(Conn::Operations));
        pec.close();
        pec.open();
        QVERIFY(dm1().isOpen(Conn::Operations));
        QVERIFY(pec.isActive());
    }

    // A session the server closed while it sat idle is opened again before
    // the next statement, which then runs as if nothing had happened.
    void sessionDroppedWhileIdleIsOpenedAgainFirst()
    {
        NamedQuery who(QStringLiteral("QueryConnectionId"), Conn::Operations,
                       QStringLiteral("select connection_id() as cid"));
        who.open();
        const qlonglong cid = who.field(QStringLiteral("cid")).toLongLong();
        NamedQuery idle(QStringLiteral("QueryIdle"), Conn::Operations, QStringLiteral("set session wait_timeout = 1"));
        idle.execute();
        QTRY_VERIFY_WITH_TIMEOUT(
            countRows(QStringLiteral("information_schema.processlist"), QStringLiteral("id = %1").arg(cid)) == 0,
            10000);

        NamedQuery &pec = q("SQLTablePEC");
        pec.close();
        pec.open(); // no "server has gone away"
        QVERIFY(pec.isActive());
        who.close();
        who.open();
        QVERIFY(who.field(QStringLiteral("cid")).toLongLong() != cid);
    }

    // A session lost while a statement runs reports it in Spanish with the
    // client's own words, and the next statement gets a new session.
    void sessionLostDuringAStatement()
    {
        TcpRelay relay{quint16(serverPort())};
        ConnectionSettings viaRelay = testSettings();
        viaRelay.hostName = relay.hostPort();
        dm1().configure(Conn::Sister, viaRelay);
        NamedQuery who(QStringLiteral("QueryConnectionId"), Conn::Sister,
                       QStringLiteral("select connection_id() as cid"));
        who.open();
        const qlonglong cid = who.field(QStringLiteral("cid")).toLongLong();

        relay.cutAtBurst(1);
        who.close();
        try {
            who.open();
            QFAIL("a cut link must not answer");
        } catch (const DbError &e) {
            QVERIFY2(e.text().startsWith(QStringLiteral("Se perdió la conexión con el servidor")),
                     qPrintable(e.text()));
            QCOMPARE(e.statement(), QStringLiteral("QueryConnectionId"));
        }
        QVERIFY(!who.isActive());
        QVERIFY(!dm1().isOpen(Conn::Sister));
        who.close();
        who.open();
        QVERIFY(who.field(QStringLiteral("cid")).toLongLong() != cid);
        dm1().configure(Conn::Sister, {});
    }

    void unreachableOrUnconfiguredServerFailsQuickly()
    {
        NamedQuery sister(QStringLiteral("QueryGarantia"), Conn::Sister,
                          QStringLiteral("select * from usr where udominio = :do"));
        sister.setParam(QStringLiteral("do"), QStringLiteral("AAA111"));
        try {
            sister.open();
            QFAIL("the sister connection has no settings");
        } catch (const DbError &e) {
            QVERIFY2(e.text().contains(QLatin1String("SQLConnection2")), qPrintable(e.text()));
            QVERIFY(e.text().contains(u"no está configurada"));
        }

        dm1().configure(Conn::Sister, {QStringLiteral("127.0.0.1:1"), QStringLiteral("x"), QStringLiteral("u"),
                                       QStringLiteral("p"), QStringLiteral("Hermana")});
        QElapsedTimer t;
        t.start();
        try {
            sister.open();
            QFAIL("nobody listens on port 1");
        } catch (const DbError &e) {
            // What to do in Spanish; the host and the client's text under "Detalles".
            QVERIFY2(e.text().startsWith(QStringLiteral("No se pudo conectar con el servidor de la base de datos.")),
                     qPrintable(e.text()));
            QVERIFY2(!e.text().contains(QLatin1String("127.0.0.1")), qPrintable(e.text()));
            const QString details = ErrorDetails::lookup(e.text());
            QVERIFY2(details.contains(QLatin1String("127.0.0.1")), qPrintable(details));
        }
        QVERIFY(t.elapsed() < 15000);
        QVERIFY(!dm1().isOpen(Conn::Sister));

        // host:port reaches a real server too.
        ConnectionSettings tcp = testSettings();
        tcp.hostName = QStringLiteral("127.0.0.1:%1").arg(serverPort());
        dm1().configure(Conn::Sister, tcp);
        sister.close();
        sister.setParam(QStringLiteral("do"), QStringLiteral("AAA111"));
        sister.open();
        QVERIFY(dm1().isOpen(Conn::Sister));
        dm1().configure(Conn::Sister, {});
        QVERIFY(!dm1().isOpen(Conn::Sister));
    }

    // TLS when asked, trusting only the authority named: the test server's
    // certificate is its own authority's.
    void tlsWithTheNamedAuthorityOnly()
    {
        const QString ca = qEnvironmentVariable("TARVIL_TEST_DB_CA");
        QVERIFY2(QFile::exists(ca), qPrintable(ca));
        ConnectionSettings tcp = testSettings();
        tcp.hostName = QStringLiteral("127.0.0.1:%1").arg(serverPort());
        dm1().configure(Conn::Sister, tcp);
        dm1().setLinkOptions(Conn::Sister, {30, true, ca});
        NamedQuery cipher(QStringLiteral("Cifrado"), Conn::Sister,
                          QStringLiteral("show session status like 'Ssl_cipher'"));
        cipher.open();
        QVERIFY2(!cipher.text(QStringLiteral("Value")).isEmpty(), "the session is not encrypted");
        // Lists read off the window's thread travel the same way.
        BackgroundQuery bg;
        std::optional<QString> there;
        bg.start<QString>(
            Conn::Sister,
            [] {
                NamedQuery c(QStringLiteral("Cifrado"), Conn::Sister,
                             QStringLiteral("show session status like 'Ssl_cipher'"));
                c.open();
                return c.text(QStringLiteral("Value"));
            },
            [&](QString value) { there = value; });
        QTRY_VERIFY(there.has_value());
        QVERIFY2(!there->isEmpty(), "the worker's session is not encrypted");
        dm1().resetExchangeCount();
        cipher.close();
        cipher.open();
        cipher.close();
        cipher.open();
        QCOMPARE(dm1().exchangeCount(), quint64(2)); // no liveness ping on an encrypted link

        dm1().setLinkOptions(Conn::Sister, {30, true, TestDb::repoPath(QStringLiteral("tests/support/other-ca.pem"))});
        cipher.close();
        try {
            cipher.open();
            QFAIL("a server whose certificate another authority signed must be refused");
        } catch (const DbError &e) {
            QVERIFY2(e.text().contains(QLatin1String("TLS"), Qt::CaseInsensitive), qPrintable(e.text()));
        }
        QVERIFY(!dm1().isOpen(Conn::Sister));
        dm1().setLinkOptions(Conn::Sister, {30, true, {}}); // no authority named: no connection
        QVERIFY_THROWS_EXCEPTION(DbError, cipher.open());
        dm1().setLinkOptions(Conn::Sister, {});
        dm1().configure(Conn::Sister, {});
    }

    void transactionsKeepAllOrNothing()
    {
        NamedQuery &reg = q("UpdateTempReg");
        auto addReg = [&](int id, const QString &serie) {
            reg.close();
            reg.setParam(QStringLiteral("id"), id);
            reg.setParam(QStringLiteral("peccod"), QStringLiteral("P1"));
            reg.setParam(QStringLiteral("talcuit"), QStringLiteral("30-1-1"));
            reg.setParam(QStringLiteral("udominio"), QStringLiteral("TRX001"));
            reg.setParam(QStringLiteral("codreg"), QStringLiteral("R1"));
            reg.setParam(QStringLiteral("regnroserie"), serie);
            reg.setParam(QStringLiteral("rcodgest"), QStringLiteral("S"));
            reg.execute();
        };
        {
            Transaction t(Conn::Operations);
            addReg(900, QStringLiteral("A"));
            addReg(900, QStringLiteral("B"));
        } // not committed
        QCOMPARE(countRows(QStringLiteral("temp_reg"), QStringLiteral("id = 900")), 0);

        try {
            Transaction t(Conn::Operations);
            addReg(901, QStringLiteral("A"));
            throw DbError(QStringLiteral("falla a mitad de camino"));
        } catch (const DbError &) {
        }
        QCOMPARE(countRows(QStringLiteral("temp_reg"), QStringLiteral("id = 901")), 0);

        {
            Transaction t(Conn::Operations);
            addReg(902, QStringLiteral("A"));
            addReg(902, QStringLiteral("B"));
            t.commit();
        }
        QCOMPARE(countRows(QStringLiteral("temp_reg"), QStringLiteral("id = 902")), 2);

        // An inner transaction neither commits the outer one early nor lets it
        // commit after being abandoned.
        {
            Transaction outer(Conn::Operations);
            addReg(910, QStringLiteral("A"));
            {
                Transaction inner(Conn::Operations);
                addReg(910, QStringLiteral("B"));
                inner.commit();
            }
            QCOMPARE(countRows(QStringLiteral("temp_reg"), QStringLiteral("id = 910")), 0); // not yet visible
            outer.commit();
        }
        QCOMPARE(countRows(QStringLiteral("temp_reg"), QStringLiteral("id = 910")), 2);
        {
            Transaction outer(Conn::Operations);
            addReg(911, QStringLiteral("A"));
            {
                Transaction inner(Conn::Operations);
            }
            QVERIFY_THROWS_EXCEPTION(DbError, outer.commit());
        }
        QCOMPARE(countRows(QStringLiteral("temp_reg"), QStringLiteral("id = 911")), 0);

        // A session lost in the middle cannot commit what went with it.
        NamedQuery who(QStringLiteral("QueryConnectionId"), Conn::Operations,
                       QStringLiteral("select connection_id() as cid"));
        Transaction t(Conn::Operations);
        addReg(903, QStringLiteral("A"));
        who.open();
        sql(QStringLiteral("KILL CONNECTION %1").arg(who.field(QStringLiteral("cid")).toLongLong()));
        QVERIFY_THROWS_EXCEPTION(DbError, addReg(903, QStringLiteral("B")));
        addReg(904, QStringLiteral("A")); // a new session, outside the transaction
        QVERIFY_THROWS_EXCEPTION(DbError, t.commit());
        QCOMPARE(countRows(QStringLiteral("temp_reg"), QStringLiteral("id = 903")), 0);
    }

    // A run is one exchange: no prepare and no statement reset on the wire.
    void oneExchangePerRun()
    {
        sql(QStringLiteral("insert ignore into res (RMATRESHAB, RAPELLIDO) values ('M9', 'ROSSI')"));
        NamedQuery &res = q("SQLQueryRes");
        // Counters of the data module's own session: other suites share the server.
        auto status = [&](const char *name) {
            NamedQuery s(QStringLiteral("Estado"), Conn::Operations, QStringLiteral("show session status like :n"));
            s.setParam(QStringLiteral("n"), QString::fromLatin1(name));
            s.open();
            return s.first() ? s.field(QStringLiteral("Value")).toLongLong() : -1;
        };
        const qlonglong prep0 = status("Com_stmt_prepare");
        const qlonglong reset0 = status("Com_stmt_reset");
        const qlonglong select0 = status("Com_select");
        dm1().resetExchangeCount();
        for (int i = 0; i < 5; ++i) {
            res.close();
            res.setParam(QStringLiteral("res"), QStringLiteral("M9"));
            res.open();
            QCOMPARE(res.rowCount(), 1);
        }
        QCOMPARE(dm1().exchangeCount(), quint64(5));
        QCOMPARE(status("Com_stmt_prepare") - prep0, 0);
        QCOMPARE(status("Com_stmt_reset") - reset0, 0);
        QCOMPARE(status("Com_select") - select0, 5);
    }

    // Every session refuses what it would otherwise cut or change silently.
    // A new one gets its rules with its first statement, and its character
    // set and database from the handshake: no exchange of its own.
    void sessionsAreStrict()
    {
        dm1().closeAll();
        dm1().resetExchangeCount();
        NamedQuery mode(QStringLiteral("Modo"), Conn::Operations,
                        QStringLiteral("select @@session.sql_mode as m, @@character_set_client as cs, "
                                       "@@character_set_results as rs, database() as db"));
        mode.open();
        QCOMPARE(dm1().exchangeCount(), quint64(1));
        QVERIFY2(mode.text(QStringLiteral("m")).contains(QLatin1String("STRICT_ALL_TABLES")),
                 qPrintable(mode.text(QStringLiteral("m"))));
        QCOMPARE(mode.text(QStringLiteral("cs")), QStringLiteral("utf8mb4"));
        QCOMPARE(mode.text(QStringLiteral("rs")), QStringLiteral("utf8mb4"));
        QCOMPARE(mode.text(QStringLiteral("db")), dm1().settings(Conn::Operations).database);
        NamedQuery &ins = q("SQLQueryInsertOperario");
        ins.close();
        ins.setParam(QStringLiteral("P_id"), 77);
        ins.setParam(QStringLiteral("P_nombre"), QString(300, QLatin1Char('x')));
        try {
            ins.execute();
            QFAIL("a name longer than its column must be refused");
        } catch (const DbError &e) {
            QVERIFY2(e.text().startsWith(QStringLiteral("El servidor rechazó un dato más largo")),
                     qPrintable(e.text()));
        }
        QCOMPARE(countRows(QStringLiteral("operarios"), QStringLiteral("id = 77")), 0);
    }

    // Work sent off the window's thread reads through a session of its own,
    // under the same rules; its failure comes back as the client's text.
    void backgroundWorkHasItsOwnStrictSession()
    {
        struct Seen {
            QString mode;
            qulonglong session = 0;
        };
        const auto seen = [] {
            NamedQuery s(QStringLiteral("Sesion"), Conn::Operations,
                         QStringLiteral("select @@session.sql_mode as m, connection_id() as id"));
            s.open();
            s.first();
            return Seen{s.text(QStringLiteral("m")), s.field(QStringLiteral("id")).toULongLong()};
        };
        BackgroundQuery bg;
        std::optional<Seen> there;
        bg.start<Seen>(Conn::Operations, seen, [&](Seen s) { there = s; });
        QTRY_VERIFY(there.has_value());
        QVERIFY2(there->mode.contains(QLatin1String("STRICT_ALL_TABLES")), qPrintable(there->mode));
        QVERIFY(there->session != seen().session);

        QString failed;
        connect(&bg, &BackgroundQuery::failed, this, [&](const QString &text) { failed = text; });
        bg.start<int>(
            Conn::Operations,
            [] {
                NamedQuery bad(QStringLiteral("Mala"), Conn::Operations, QStringLiteral("select * from no_such_table"));
                bad.open();
                return 0;
            },
            [](int) { QFAIL("a failed reading has no result"); });
        QTRY_VERIFY(!failed.isEmpty());
        QVERIFY2(failed.contains(QLatin1String("no_such_table")), qPrintable(failed));
    }

    // A batch is one exchange; the statements before a failure keep their
    // results, an atomic batch leaves nothing, and a transaction's begin
    // travels with its first statement.
    void batchesAndTransactionsInOneExchange()
    {
        NamedQuery a(QStringLiteral("A"), Conn::Operations, QStringLiteral("select :x as v"));
        NamedQuery b(QStringLiteral("B"), Conn::Operations,
                     QStringLiteral("insert into fallas (id, falla) values (:id, :f)"));
        a.setParam(QStringLiteral("x"), 5);
        b.setParam(QStringLiteral("id"), 501);
        b.setParam(QStringLiteral("f"), QStringLiteral("uno"));
        dm1().resetExchangeCount();
        {
            Batch batch(Conn::Operations);
            batch.add(a, true);
            batch.add(b, false);
            batch.run();
        }
        QCOMPARE(dm1().exchangeCount(), quint64(1));
        QCOMPARE(a.integer(QStringLiteral("v")), 5);
        QCOMPARE(b.numRowsAffected(), 1);

        // The second insert fails on the duplicate key: nothing of the batch stays.
        NamedQuery c(QStringLiteral("C"), Conn::Operations,
                     QStringLiteral("insert into fallas (id, falla) values (:id, :f)"));
        b.close();
        b.setParam(QStringLiteral("id"), 502);
        b.setParam(QStringLiteral("f"), QStringLiteral("dos"));
        c.setParam(QStringLiteral("id"), 501);
        c.setParam(QStringLiteral("f"), QStringLiteral("otra"));
        dm1().resetExchangeCount();
        try {
            Batch batch(Conn::Operations);
            batch.setAtomic(true);
            batch.add(b, false);
            batch.add(c, false);
            batch.run();
            QFAIL("a duplicate key must fail the batch");
        } catch (const DbError &e) {
            QCOMPARE(e.statement(), QStringLiteral("C"));
        }
        QCOMPARE(dm1().exchangeCount(), quint64(2)); // the batch, then its rollback
        QVERIFY(b.isActive());
        QVERIFY(!c.isActive());
        QCOMPARE(countRows(QStringLiteral("fallas"), QStringLiteral("id in (501, 502)")), 1);

        dm1().resetExchangeCount();
        {
            Transaction t(Conn::Operations);
            b.close();
            b.setParam(QStringLiteral("id"), 503);
            b.setParam(QStringLiteral("f"), QStringLiteral("tres"));
            b.execute();
            t.commit();
        }
        QCOMPARE(dm1().exchangeCount(), quint64(2)); // begin with the insert, then the commit
        QCOMPARE(countRows(QStringLiteral("fallas"), QStringLiteral("id = 503")), 1);
        sql(QStringLiteral("delete from fallas"));
    }

    // Text that could break a statement's text goes in and comes back exactly,
    // as a value, a key and a pattern.
    void hostileTextRoundTrips()
    {
        const QString hostile = QStringLiteral("a'b\\c\"%_") + QChar(0) + QStringLiteral("ñ😀;--");
        NamedQuery ins(QStringLiteral("Ins"), Conn::Operations,
                       QStringLiteral("insert into res (RMATRESHAB, RAPELLIDO, RNOMBRE) values (:m, :a, :n)"));
        ins.setParam(QStringLiteral("m"), QStringLiteral("H'1\\"));
        ins.setParam(QStringLiteral("a"), hostile);
        ins.setParam(QStringLiteral("n"), QStringLiteral("100%_x"));
        ins.execute();
        sql(QStringLiteral("insert into res (RMATRESHAB, RAPELLIDO, RNOMBRE) values ('H2', 'other', '100xyx')"));

        NamedQuery &res = q("SQLQueryRes");
        res.close();
        res.setParam(QStringLiteral("res"), QStringLiteral("H'1\\"));
        res.open();
        QCOMPARE(res.rowCount(), 1);
        QCOMPARE(res.text(QStringLiteral("rapellido")), hostile);

        // '%' and '_' taken literally where the caller escapes them for like.
        NamedQuery like(QStringLiteral("Like"), Conn::Operations,
                        QStringLiteral("select RMATRESHAB from res where RNOMBRE like :p"));
        like.setParam(QStringLiteral("p"), QStringLiteral("100\\%\\_%"));
        like.open();
        QCOMPARE(like.rowCount(), 1);
        QCOMPARE(like.text(QStringLiteral("RMATRESHAB")), QStringLiteral("H'1\\"));

        // Bytes that are no text at all.
        QByteArray bytes;
        for (int i = 0; i < 256; ++i)
            bytes += char(i);
        NamedQuery blob(QStringLiteral("Blob"), Conn::Operations, QStringLiteral("select :b as b, length(:b) as n"));
        blob.setParam(QStringLiteral("b"), bytes);
        blob.open();
        QCOMPARE(blob.field(QStringLiteral("b")).toByteArray(), bytes);
        QCOMPARE(blob.integer(QStringLiteral("n")), 256);
        sql(QStringLiteral("delete from res where RMATRESHAB in ('H2') or RAPELLIDO like 'a%'"));
    }
};

QTEST_GUILESS_MAIN(TstDm1)
#include "tst_dm1.moc"
