// The central schema on a real MariaDB: every table takes and gives back a
// row through QMYSQL on host "localhost", generated ids behave as the
// back office and the pending-operation save expect, and blobs survive.
#include "testdb.h"

#include <QDate>
#include <QDateTime>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtTest>

class TstSchema : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_schema");

    QSqlQuery run(const QString &sql, const QVariantList &binds = {})
    {
        QSqlQuery q(db);
        if (!q.prepare(sql))
            qFatal("prepare failed: %s / %s", qPrintable(sql), qPrintable(q.lastError().text()));
        for (const QVariant &v : binds)
            q.addBindValue(v);
        if (!q.exec())
            qFatal("exec failed: %s / %s", qPrintable(sql), qPrintable(q.lastError().text()));
        return q;
    }

private slots:
    void initTestCase() { db = TestDb::create(dbName); }
    void cleanupTestCase()
    {
        db.close();
        TestDb::drop(dbName);
    }

    void connectsThroughLocalhostSocket()
    {
        QCOMPARE(db.hostName(), QStringLiteral("localhost"));
        QSqlQuery q = run(QStringLiteral("select database(), @@character_set_database"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), dbName);
        QCOMPARE(q.value(1).toString(), QStringLiteral("utf8mb4"));
    }

    void everyTableIsInnoDbUtf8mb4()
    {
        QSqlQuery q = run(QStringLiteral("select table_name, engine, table_collation from information_schema.tables "
                                         "where table_schema = ? order by table_name"),
                          {dbName});
        QStringList names;
        while (q.next()) {
            names << q.value(0).toString();
            QCOMPARE(q.value(1).toString(), QStringLiteral("InnoDB"));
            QVERIFY2(q.value(2).toString().startsWith(QLatin1String("utf8mb4")), qPrintable(q.value(0).toString()));
        }
        const QStringList expected = {QStringLiteral("carta_compromiso_cab"),
                                      QStringLiteral("carta_compromiso_det"),
                                      QStringLiteral("carta_crpc"),
                                      QStringLiteral("cil"),
                                      QStringLiteral("cil_full"),
                                      QStringLiteral("clientes"),
                                      QStringLiteral("codcil"),
                                      QStringLiteral("codcrp"),
                                      QStringLiteral("codreg"),
                                      QStringLiteral("fallas"),
                                      QStringLiteral("marcas"),
                                      QStringLiteral("marcas_modelos"),
                                      QStringLiteral("mensajes"),
                                      QStringLiteral("mensajes_destinatarios"),
                                      QStringLiteral("operaciones"),
                                      QStringLiteral("operarios"),
                                      QStringLiteral("opv"),
                                      QStringLiteral("opv_fallas"),
                                      QStringLiteral("opv_trabajo_realizado"),
                                      QStringLiteral("ott"),
                                      QStringLiteral("ott_cil"),
                                      QStringLiteral("ott_reg"),
                                      QStringLiteral("pec"),
                                      QStringLiteral("propietarios"),
                                      QStringLiteral("reg"),
                                      QStringLiteral("reg_full"),
                                      QStringLiteral("res"),
                                      QStringLiteral("sistema"),
                                      QStringLiteral("tal"),
                                      QStringLiteral("tarvil_escrituras"),
                                      QStringLiteral("temp_cil"),
                                      QStringLiteral("temp_reg"),
                                      QStringLiteral("temp_usr"),
                                      QStringLiteral("trabajos_realizados"),
                                      QStringLiteral("turnos_agenda"),
                                      QStringLiteral("turnos_horarios"),
                                      QStringLiteral("userpa"),
                                      QStringLiteral("usr"),
                                      QStringLiteral("usr_full"),
                                      QStringLiteral("valcod")};
        QCOMPARE(names, expected);
    }

    // A generic value for each column type, sized to the column.
    static QVariant sampleFor(const QString &type, qlonglong maxLen, int salt)
    {
        if (type == QLatin1String("int") || type == QLatin1String("decimal"))
            return 40 + salt;
        if (type == QLatin1String("float"))
            return 2.5 + salt;
        if (type == QLatin1String("date"))
            return QDate(2026, 2, 28).addDays(salt);
        if (type == QLatin1String("datetime") || type == QLatin1String("timestamp"))
            return QDateTime(QDate(2026, 3, 1), QTime(9, 30, salt % 60));
        if (type.endsWith(QLatin1String("blob")))
            return QByteArray("\x00\x01\xff\xfe", 4) + QByteArray::number(salt);
        QString s = QStringLiteral("Ñ%1").arg(salt);
        if (maxLen > 0 && s.size() > maxLen)
            s = s.right(int(maxLen));
        return s;
    }

    void everyTableTakesAndGivesBackARow()
    {
        QSqlQuery tables =
            run(QStringLiteral(
                    "select table_name from information_schema.tables where table_schema = ? order by table_name"),
                {dbName});
        int checked = 0;
        while (tables.next()) {
            const QString table = tables.value(0).toString();
            QSqlQuery cols =
                run(QStringLiteral(
                        "select column_name, data_type, character_maximum_length from information_schema.columns "
                        "where table_schema = ? and table_name = ? order by ordinal_position"),
                    {dbName, table});
            QStringList names;
            QVariantList values;
            int salt = 0;
            while (cols.next()) {
                names << cols.value(0).toString();
                values << sampleFor(cols.value(1).toString(), cols.value(2).toLongLong(), ++salt);
            }
            QStringList marks(names.size(), QStringLiteral("?"));
            run(QStringLiteral("insert into %1 (%2) values (%3)")
                    .arg(table, names.join(QLatin1Char(',')), marks.join(QLatin1Char(','))),
                values);
            QSqlQuery back = run(QStringLiteral("select * from %1").arg(table));
            QVERIFY2(back.next(), qPrintable(table));
            for (int i = 0; i < names.size(); ++i) {
                const QVariant got = back.value(names[i]);
                const QVariant want = values[i];
                const QString where = table + QLatin1Char('.') + names[i];
                if (want.typeId() == QMetaType::QDate)
                    QCOMPARE(got.toDate(), want.toDate());
                else if (want.typeId() == QMetaType::QDateTime)
                    QCOMPARE(got.toDateTime(), want.toDateTime());
                else if (want.typeId() == QMetaType::QByteArray)
                    QCOMPARE(got.toByteArray(), want.toByteArray());
                else if (want.typeId() == QMetaType::Double)
                    QCOMPARE(got.toDouble(), want.toDouble());
                else
                    QVERIFY2(got.toString() == want.toString(),
                             qPrintable(where + QStringLiteral(": ") + got.toString() + QStringLiteral(" != ") +
                                        want.toString()));
            }
            ++checked;
            run(QStringLiteral("delete from %1").arg(table));
        }
        QCOMPARE(checked, 40);
    }

    void generatedIdsComeFromTheInsert()
    {
        // The pending save passes 0 as the id: the server assigns the next one,
        // and two uploads for one plate give increasing ids.
        QSqlQuery a(db);
        QVERIFY(a.exec(QStringLiteral("insert into temp_usr (id, udominio, codtal) values (0, 'ABC123', 'T0001')")));
        const int first = a.lastInsertId().toInt();
        QVERIFY(a.exec(QStringLiteral("insert into temp_usr (id, udominio, codtal) values (0, 'ABC123', 'T0001')")));
        const int second = a.lastInsertId().toInt();
        QVERIFY(first > 0);
        QCOMPARE(second, first + 1);
        QSqlQuery m =
            run(QStringLiteral("select max(id) as id from temp_usr where udominio = ?"), {QStringLiteral("ABC123")});
        QVERIFY(m.next());
        QCOMPARE(m.value("id").toInt(), second);
        QSqlQuery none =
            run(QStringLiteral("select max(id) as id from temp_usr where udominio = ?"), {QStringLiteral("ZZZ999")});
        QVERIFY(none.next());
        QVERIFY(none.value("id").isNull());

        for (const QString &t : {QStringLiteral("clientes (id, cliente) values (0, 'A')"),
                                 QStringLiteral("propietarios (propietario_id, propietario) values (0, 'B')"),
                                 QStringLiteral("carta_compromiso_cab (id, dominio) values (0, 'C')"),
                                 QStringLiteral("opv_fallas (id, taller_id, opv_nro, falla) values (0, 'T1', 1, 1)")}) {
            QSqlQuery q(db);
            QVERIFY2(q.exec(QStringLiteral("insert into ") + t), qPrintable(q.lastError().text()));
            QVERIFY2(q.lastInsertId().toInt() > 0, qPrintable(t));
        }
    }

    void blobRoundTripsByteForByte()
    {
        QByteArray jpeg(512000, Qt::Uninitialized);
        QRandomGenerator gen(314);
        for (char &c : jpeg)
            c = char(gen.bounded(256));
        jpeg[0] = char(0xFF);
        jpeg[1] = char(0xD8);
        QSqlQuery q(db);
        QVERIFY(q.prepare(
            QStringLiteral("insert into temp_usr (id, udominio, dnistring, dnipath) values (0, :d, :b, :p)")));
        q.bindValue(QStringLiteral(":d"), QStringLiteral("BLB001"));
        q.bindValue(QStringLiteral(":b"), jpeg);
        q.bindValue(QStringLiteral(":p"), QStringLiteral("C:\\fotos\\dni.jpg"));
        QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
        const QVariant id = q.lastInsertId();
        QSqlQuery back = run(QStringLiteral("select dnistring, dorsostring, dnipath from temp_usr where id = ?"), {id});
        QVERIFY(back.next());
        QCOMPARE(back.value(0).toByteArray().size(), jpeg.size());
        QVERIFY(back.value(0).toByteArray() == jpeg);
        QVERIFY(back.value(1).isNull());
        QCOMPARE(back.value(2).toString(), QStringLiteral("C:\\fotos\\dni.jpg"));
    }

    void keysTheOperationsRelyOn()
    {
        // One appointment row per workshop, day and time.
        run(QStringLiteral("insert into turnos_agenda (taller, fecha, hora) values ('T1', '2026-12-10', '08:30')"));
        QSqlQuery dup(db);
        QVERIFY(!dup.exec(
            QStringLiteral("insert into turnos_agenda (taller, fecha, hora) values ('T1', '2026-12-10', '08:30')")));
        // Order numbers are unique within a workshop, free across workshops.
        run(QStringLiteral("insert into ott (taller, ott_nro) values ('T1', 1), ('T2', 1)"));
        QVERIFY(!dup.exec(QStringLiteral("insert into ott (taller, ott_nro) values ('T1', 1)")));
        run(QStringLiteral("insert into opv (taller, opv_nro) values ('T1', 1), ('T2', 1)"));
        QVERIFY(!dup.exec(QStringLiteral("insert into opv (taller, opv_nro) values ('T2', 1)")));
        // An operation is (talcuit, tnrointopr); the consolidated tables add the PEC.
        run(QStringLiteral("insert into usr (peccod, talcuit, tnrointopr) values ('P1', '30-1-1', 5)"));
        QVERIFY(!dup.exec(QStringLiteral("insert into usr (peccod, talcuit, tnrointopr) values ('P2', '30-1-1', 5)")));
        run(QStringLiteral(
            "insert into usr_full (peccod, talcuit, tnrointopr) values ('P1', '30-1-1', 5), ('P2', '30-1-1', 5)"));
    }

    // A post-sales database of the earlier columns (FLOAT amounts, job
    // descriptions of 60): the upgrade brings it to the schema's, and
    // running it twice does no harm.
    void olderPostSalesDatabaseUpgrades()
    {
        run(QStringLiteral("ALTER TABLE opv MODIFY presupuesto float NULL, MODIFY horas_hombre float NULL, "
                           "MODIFY abonado_importe float NULL"));
        run(QStringLiteral("ALTER TABLE trabajos_realizados MODIFY trabajo_realizado varchar(60) NULL"));
        for (int i = 0; i < 2; ++i)
            TestDb::runSqlFile(db, TestDb::repoPath(QStringLiteral("db/upgrade-postsales.sql")));
        run(QStringLiteral("INSERT INTO opv (taller, opv_nro, presupuesto, horas_hombre, abonado_importe) "
                           "VALUES ('TMG0001', 1, ?, ?, ?)"),
            {1234567.89, 99999.99, 12000.75});
        QSqlQuery q = run(QStringLiteral("select concat(presupuesto, '|', horas_hombre, '|', abonado_importe) "
                                         "from opv where taller = 'TMG0001'"));
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toString(), QStringLiteral("1234567.89|99999.99|12000.75"));
        run(QStringLiteral("DELETE FROM opv WHERE taller = 'TMG0001'"));
        q = run(QStringLiteral("select character_maximum_length from information_schema.columns where table_schema = ? "
                               "and table_name = 'trabajos_realizados' and column_name = 'trabajo_realizado'"),
                {dbName});
        QVERIFY(q.next());
        QCOMPARE(q.value(0).toInt(), 80);
    }

    void fixedWidthTextAndCaseInsensitiveNames()
    {
        // An unassigned sticker is the empty text; column names in any case.
        run(QStringLiteral("insert into usr (peccod, TALCUIT, tnrointopr, udominio, UOBLEANEW) values ('P1', '30-9-9', "
                           "9, 'AB123CD', '')"));
        QSqlQuery q = run(QStringLiteral("select UDOMINIO from usr where uobleanew = '' and talcuit = '30-9-9'"));
        QVERIFY(q.next());
        QCOMPARE(q.value(QStringLiteral("udominio")).toString(), QStringLiteral("AB123CD"));
        run(QStringLiteral("insert into tal (tcodigoint, Password, Estado) values ('TAL0001', 'clave', 1)"));
        QSqlQuery t = run(QStringLiteral("select Password from tal where TCODIGOINT = ?"), {QStringLiteral("TAL0001")});
        QVERIFY(t.next());
        QCOMPARE(t.value(0).toString(), QStringLiteral("clave"));
    }
};

QTEST_GUILESS_MAIN(TstSchema)
#include "tst_schema.moc"
