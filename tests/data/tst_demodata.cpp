// The demo data loaded into a fresh central database: every window of the
// demo must find something to show, and the rows must hang together the way
// the back office leaves them (operations with their parts, catalogue codes
// that exist, dates relative to the day of the load).
#include "testdb.h"

#include "core/installationprofile.h"

#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTime>
#include <QtTest>

class TstDemoData : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_demodata");
    const QString demoWorkshop = QStringLiteral("TDM0001");

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

    qlonglong count(const QString &sql, const QVariantList &binds = {})
    {
        QSqlQuery q = run(sql, binds);
        return q.next() ? q.value(0).toLongLong() : -1;
    }

    QStringList column(const QString &sql, const QVariantList &binds = {})
    {
        QSqlQuery q = run(sql, binds);
        QStringList out;
        while (q.next())
            out << q.value(0).toString();
        return out;
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        TestDb::runSqlFile(db, TestDb::repoPath(QStringLiteral("db/demo-data.sql")));
    }
    void cleanupTestCase()
    {
        db.close();
        TestDb::drop(dbName);
    }

    void identityForTheLogin()
    {
        QCOMPARE(count(QStringLiteral("select version from sistema")), 314);
        QCOMPARE(count(QStringLiteral("select count(*) from sistema")), 1);
        // The login reads the PEC joined with its representative; the
        // administrator password must be typeable in a lower-case box.
        QSqlQuery pec =
            run(QStringLiteral("select pec.*, res.RNRODOC from pec, res where pec.PMATRESHAB = res.RMATRESHAB"));
        QVERIFY(pec.next());
        QVERIFY(!pec.value(QStringLiteral("PECRSOC")).toString().isEmpty());
        const QString admin = pec.value(QStringLiteral("Clave")).toString();
        QVERIFY(!admin.isEmpty());
        QCOMPARE(admin, admin.toLower());
        QVERIFY(!pec.next());
        QVERIFY(count(QStringLiteral("select count(*) from userpa")) > 0);
    }

    void workshopsCoverEveryLoginCase()
    {
        const QRegularExpression code(QStringLiteral("^[A-Z]{3}[0-9]{4}$"));
        const QRegularExpression cuit(QStringLiteral("^[0-9]{2}-[0-9]{8}-[0-9]$"));
        QSqlQuery q = run(QStringLiteral("select tcodigoint, Password, TALCUIT from tal"));
        int n = 0;
        while (q.next()) {
            ++n;
            const QString c = q.value(0).toString();
            // Typed in an upper-case box of 7 letters/digits, inside the
            // "all workshops" range the lists use.
            QVERIFY2(code.match(c).hasMatch(), qPrintable(c));
            const QString pw = q.value(1).toString();
            QVERIFY2(!pw.isEmpty() && pw == pw.toLower(), qPrintable(c));
            QVERIFY2(cuit.match(q.value(2).toString()).hasMatch(), qPrintable(c));
        }
        QVERIFY(n >= 6);
        QCOMPARE(count(QStringLiteral("select count(*) from tal where tcodigoint = ? and Estado = 1 "
                                      "and pertenece = 1 and thabilitad = 1"),
                       {demoWorkshop}),
                 1);
        QVERIFY(count(QStringLiteral("select count(*) from tal where Estado = 1 and pertenece = 0")) > 0);
        QVERIFY(count(QStringLiteral("select count(*) from tal where Estado <> 1")) > 0);
        QVERIFY(count(QStringLiteral("select count(*) from tal where tcodigoint like 'TAL%' and Estado = 1")) > 0);
        // An unlicensed workshop prints under a licensed one that exists.
        QVERIFY(count(QStringLiteral("select count(*) from tal t join tal a on a.tcodigoint = t.codtalaso "
                                     "where t.thabilitad = 0 and a.thabilitad = 1")) > 0);
        QCOMPARE(count(QStringLiteral("select count(*) from tal t left join tal a on a.tcodigoint = t.codtalaso "
                                      "where t.thabilitad = 0 and a.tcodigoint is null")),
                 0);
        // Every workshop's representative exists; the stamp and the two
        // WhatsApp templates of the demo workshop are filled.
        QCOMPARE(count(QStringLiteral("select count(*) from tal left join res on res.RMATRESHAB = tal.RMATRESHAB "
                                      "where res.RMATRESHAB is null")),
                 0);
        QSqlQuery t = run(QStringLiteral("select * from tal where tcodigoint = ?"), {demoWorkshop});
        QVERIFY(t.next());
        for (const char *f :
             {"sello1", "sello2", "sello3", "mensajeWhatsApp", "mensajeWhatsAppPh", "localidad", "provincia"})
            QVERIFY2(!t.value(QLatin1String(f)).toString().isEmpty(), f);
        QVERIFY(t.value(QStringLiteral("copias")).toInt() >= 1);
    }

    void everyOperationKindWithItsText()
    {
        const QStringList kinds = {QStringLiteral("C"), QStringLiteral("M"), QStringLiteral("R"),
                                   QStringLiteral("B"), QStringLiteral("X"), QStringLiteral("H")};
        const QStringList texts = {QStringLiteral("CONVERSION"),   QStringLiteral("MODIFICACION"),
                                   QStringLiteral("REVISION"),     QStringLiteral("DESMONTAJE"),
                                   QStringLiteral("REVISIONCRPC"), QStringLiteral("REEMPLAZO")};
        for (int i = 0; i < kinds.size(); ++i) {
            QVERIFY2(count(QStringLiteral("select count(*) from usr where ucodgest = ? and codtal = ?"),
                           {kinds[i], demoWorkshop}) > 0,
                     qPrintable(kinds[i]));
            QCOMPARE(count(QStringLiteral("select count(*) from usr where ucodgest = ? and trim(udescgest) <> ?"),
                           {kinds[i], texts[i]}),
                     0);
        }
        QCOMPARE(count(QStringLiteral("select count(*) from usr where ucodgest not in ('C','M','R','B','X','H')")), 0);
        QVERIFY(count(QStringLiteral("select count(*) from usr")) >= 200);
        // A dismantling leaves no enabling and no expiry.
        QCOMPARE(count(QStringLiteral("select count(*) from usr where ucodgest = 'B' "
                                      "and (ufechab is not null or ufecvenhab is not null)")),
                 0);
    }

    void stickersAssignedOverThePastYear()
    {
        // Assigned stickers are ten digits, unique, dated on or before today.
        QCOMPARE(count(QStringLiteral("select count(*) from usr where uobleanew <> '' "
                                      "and (uobleanew not regexp '^[0-9]{10}$' or xfecasig is null "
                                      "or xfecasig > curdate())")),
                 0);
        QCOMPARE(count(QStringLiteral("select count(*) from (select uobleanew from usr where uobleanew <> '' "
                                      "group by uobleanew having count(*) > 1) d")),
                 0);
        // The assigned-stickers list over the last month and the last year.
        QVERIFY(count(QStringLiteral("select count(*) from usr where codtal = ? and xfecasig "
                                     "between curdate() - interval 1 month and curdate()"),
                      {demoWorkshop}) >= 3);
        const qlonglong lastYear = count(QStringLiteral("select count(*) from usr where codtal = ? and xfecasig "
                                                        "between curdate() - interval 1 year and curdate()"),
                                         {demoWorkshop});
        QVERIFY2(lastYear >= 50, qPrintable(QString::number(lastYear)));
        // Spread over the year, not bunched on a few days.
        QVERIFY(count(QStringLiteral("select count(distinct date_format(xfecasig, '%Y%m')) from usr "
                                     "where codtal = ? and xfecasig >= curdate() - interval 1 year"),
                      {demoWorkshop}) >= 11);
        // Some operations still wait for their sticker: empty text, no date.
        QVERIFY(count(QStringLiteral("select count(*) from usr where uobleanew = '' and codtal = ?"), {demoWorkshop}) >
                0);
        QCOMPARE(count(QStringLiteral("select count(*) from usr where uobleanew = '' and xfecasig is not null")), 0);
        // A renewal names the sticker it renews; a conversion has none.
        QCOMPARE(count(QStringLiteral("select count(*) from usr where ucodgest <> 'C' "
                                      "and uobleaant not regexp '^[0-9]{10}$'")),
                 0);
    }

    void expiriesAndRemindersAhead()
    {
        // The sticker-renewal reminder list of the next three months.
        const QString reminders = QStringLiteral(
            "select count(*) from usr where codtal = ? and ufecvenhab between curdate() and curdate() + interval 3 "
            "month "
            "and upper(utelefono) not in ('SD','S/D','SN','S/N') and ucaract is not null and utelefono is not null "
            "and te_tipo = 'CELULAR' and ucodgest <> 'B'");
        QVERIFY(count(reminders, {demoWorkshop}) >= 10);
        // Owners without a phone, in every spelling the list must skip.
        const QString spelled = QStringLiteral("select count(*) from usr where binary trim(utelefono) = ?");
        for (const char *none : {"S/N", "s/n", "SD"})
            QVERIFY2(count(spelled, {QString::fromLatin1(none)}) > 0, none);
        QVERIFY(count(QStringLiteral("select count(*) from usr where te_tipo = 'FIJO'")) > 0);
        // A mobile makes a 549 + area + number link of 13 digits.
        QCOMPARE(count(QStringLiteral("select count(*) from usr where te_tipo = 'CELULAR' and ucaract is not null "
                                      "and upper(utelefono) not in ('SD','S/D','SN','S/N') "
                                      "and concat('549', ucaract, trim(utelefono)) not regexp '^549[0-9]{10}$'")),
                 0);
        // Expired stickers too (last year's operations).
        QVERIFY(count(QStringLiteral("select count(*) from usr where codtal = ? and ufecvenhab < curdate()"),
                      {demoWorkshop}) > 0);
    }

    // The follow-up windows open on today's date and show something then:
    // stickers assigned today (one operation with two regulators and three
    // cylinders, a valve replacement), stickers expiring today and next
    // month with a mobile, cylinder tests next month, bookable slots today.
    void followUpWindowsShowTheLoadDay()
    {
        QVERIFY(count(QStringLiteral("select count(*) from usr where codtal = ? and xfecasig = curdate()"),
                      {demoWorkshop}) >= 2);
        QVERIFY(count(QStringLiteral("select count(*) from usr u where u.codtal = ? and u.xfecasig = curdate() "
                                     "and (select count(*) from reg r where r.talcuit = u.talcuit and r.tnrointopr = "
                                     "u.tnrointopr) = 2 and (select count(*) from cil c where c.talcuit = u.talcuit "
                                     "and c.tnrointopr = u.tnrointopr) = 3"),
                      {demoWorkshop}) >= 1);
        QVERIFY(count(QStringLiteral("select count(*) from usr where codtal = ? and xfecasig = curdate() and "
                                     "ucodgest = 'H'"),
                      {demoWorkshop}) >= 1);
        const QString reminders = QStringLiteral(
            "select count(*) from usr u where codtal = ? and ufecvenhab between ? and ? "
            "and upper(utelefono) not in ('SD','S/D','SN','S/N') and ucaract is not null and te_tipo = 'CELULAR' "
            "and ucodgest <> 'B' and (? = 0 or exists (select 1 from cil c where c.talcuit = u.talcuit and "
            "c.tnrointopr = u.tnrointopr and c.fecvencrpc between ? and ?))");
        const QDate today = QDate::currentDate();
        const QDate next(today.addMonths(1).year(), today.addMonths(1).month(), 1);
        const QDate nextEnd = next.addMonths(1).addDays(-1);
        QVERIFY(count(reminders, {demoWorkshop, today, today, 0, today, today}) >= 2);
        QVERIFY(count(reminders, {demoWorkshop, next, nextEnd, 0, next, nextEnd}) >= 3);
        QVERIFY(count(reminders, {demoWorkshop, next, nextEnd, 1, next, nextEnd}) >= 2);
        QVERIFY(count(QStringLiteral("select count(*) from turnos_agenda where taller = ? and fecha = curdate() "
                                     "and cliente = ''"),
                      {demoWorkshop}) >= 10);
    }

    void hydraulicTestsDueAndOverdue()
    {
        QVERIFY(count(QStringLiteral("select count(*) from cil c join usr u on u.talcuit = c.talcuit "
                                     "and u.tnrointopr = c.tnrointopr where u.codtal = ? and c.fecvencrpc < curdate()"),
                      {demoWorkshop}) >= 5);
        // The hydraulic-test reminder list: sticker and test both expiring
        // in the period, owner with a mobile.
        QVERIFY(count(QStringLiteral("select count(distinct u.udominio) from usr u join cil c on c.talcuit = u.talcuit "
                                     "and c.tnrointopr = u.tnrointopr where u.codtal = ? "
                                     "and u.ufecvenhab between curdate() and curdate() + interval 6 month "
                                     "and c.fecvencrpc between curdate() and curdate() + interval 6 month "
                                     "and upper(u.utelefono) not in ('SD','S/D','SN','S/N') and u.ucaract is not null "
                                     "and u.te_tipo = 'CELULAR' and u.ucodgest <> 'B'"),
                      {demoWorkshop}) >= 3);
        // Months between last test and enabling: some due within the year
        // (49..54), some required (55 or more) among the renewals.
        const QString months = QStringLiteral(
            "select count(*) from cil c join usr u on u.talcuit = c.talcuit and u.tnrointopr = c.tnrointopr "
            "where u.ufechab is not null and 12 * (year(u.ufechab) - (2000 + c.cuphano)) "
            "+ (month(u.ufechab) - c.cuphmes) between ? and ?");
        QVERIFY(count(months, {49, 54}) > 0);
        QVERIFY(count(months, {55, 9999}) > 0);
    }

    void cylinderRowsFollowTheStoredForm()
    {
        // Two-digit month and year; "FAB" means the test is the fabrication
        // and carries no certificate; a certificate starts with its CRPC.
        QCOMPARE(count(QStringLiteral("select count(*) from cil where cmesfabr not regexp '^(0[1-9]|1[0-2])$' "
                                      "or cuphmes not regexp '^(0[1-9]|1[0-2])$' or canofabr not regexp '^[0-9]{2}$' "
                                      "or cuphano not regexp '^[0-9]{2}$'")),
                 0);
        QCOMPARE(count(QStringLiteral("select count(*) from cil where cuphcrpc = 'FAB' and "
                                      "(cmesfabr <> cuphmes or canofabr <> cuphano or nrocertif <> '')")),
                 0);
        QCOMPARE(count(QStringLiteral("select count(*) from cil where cuphcrpc <> 'FAB' and "
                                      "(left(nrocertif, 4) <> cuphcrpc or nrocertif not regexp '^.{4}[0-9]{6}$')")),
                 0);
        QVERIFY(count(QStringLiteral("select count(*) from cil where cuphcrpc = 'FAB'")) > 0);
        QVERIFY(count(QStringLiteral("select count(*) from cil where cuphcrpc <> 'FAB'")) > 0);
        // Test expiry: end of the test month, VENC years on.
        QCOMPARE(count(QStringLiteral("select count(*) from cil c join codcil k on k.CODIGO = c.cilcodh "
                                      "where c.fecvencrpc <> last_day(str_to_date(concat(2000 + c.cuphano + k.VENC, "
                                      "'-', c.cuphmes, '-01'), '%Y-%m-%d'))")),
                 0);
        // A valve replacement carries the new valve.
        QVERIFY(count(QStringLiteral("select count(*) from cil c join usr u on u.talcuit = c.talcuit "
                                     "and u.tnrointopr = c.tnrointopr where u.ucodgest = 'H' and c.rvalcod <> '' "
                                     "and c.rvalgest = 'M' and c.valgest = 'D'")) > 0);
        // Several cylinders on one operation, and no serial twice in one.
        QVERIFY(count(QStringLiteral("select count(*) from (select 1 from cil group by talcuit, tnrointopr "
                                     "having count(*) > 1) d")) > 0);
    }

    void everyPartBelongsToAnOperation()
    {
        for (const QString &t : {QStringLiteral("reg"), QStringLiteral("cil")}) {
            QCOMPARE(count(QStringLiteral("select count(*) from %1 p left join usr u on u.talcuit = p.talcuit "
                                          "and u.tnrointopr = p.tnrointopr and u.udominio = p.udominio "
                                          "and u.peccod = p.peccod where u.tnrointopr is null")
                               .arg(t)),
                     0);
            QCOMPARE(count(QStringLiteral("select count(*) from %1_full p left join usr_full u on u.peccod = p.peccod "
                                          "and u.talcuit = p.talcuit and u.tnrointopr = p.tnrointopr "
                                          "where u.tnrointopr is null")
                               .arg(t)),
                     0);
            QCOMPARE(count(QStringLiteral("select count(*) from temp_%1 p left join temp_usr u on u.id = p.id "
                                          "and u.udominio = p.udominio where u.id is null")
                               .arg(t)),
                     0);
            // ... and every operation has its regulator and cylinders.
            QCOMPARE(count(QStringLiteral("select count(*) from usr u where not exists (select 1 from %1 p "
                                          "where p.talcuit = u.talcuit and p.tnrointopr = u.tnrointopr)")
                               .arg(t)),
                     0);
        }
        // Operations are stamped with a workshop of the PEC and its CUIT.
        QCOMPARE(count(QStringLiteral("select count(*) from usr u left join tal t on t.tcodigoint = u.codtal "
                                      "and t.TALCUIT = u.talcuit where t.tcodigoint is null")),
                 0);
        QCOMPARE(count(QStringLiteral("select count(*) from usr u left join pec p on p.PECCOD = u.peccod "
                                      "where p.PECCOD is null")),
                 0);
    }

    void catalogueCodesUsedExist()
    {
        const QStringList checks = {
            QStringLiteral(
                "select count(*) from reg p left join codreg k on k.CODIGO = p.rcodregh where k.CODIGO is null"),
            QStringLiteral(
                "select count(*) from cil p left join codcil k on k.CODIGO = p.cilcodh where k.CODIGO is null"),
            QStringLiteral(
                "select count(*) from cil p left join valcod k on k.CODVAL = p.valcod where k.CODVAL is null"),
            QStringLiteral("select count(*) from cil p left join valcod k on k.CODVAL = p.rvalcod "
                           "where p.rvalcod <> '' and k.CODVAL is null"),
            QStringLiteral(
                "select count(*) from cil p left join codcrp k on k.CODIGO = p.cuphcrpc where k.CODIGO is null"),
            QStringLiteral(
                "select count(*) from temp_reg p left join codreg k on k.CODIGO = p.rcodregh where k.CODIGO is null"),
            QStringLiteral(
                "select count(*) from temp_cil p left join codcil k on k.CODIGO = p.cilcodh where k.CODIGO is null"),
            QStringLiteral(
                "select count(*) from temp_cil p left join codcrp k on k.CODIGO = p.cuphcrpc where k.CODIGO is null"),
            QStringLiteral(
                "select count(*) from temp_cil p left join valcod k on k.CODVAL = p.valcod where k.CODVAL is null"),
            QStringLiteral(
                "select count(*) from reg_full p left join codreg k on k.CODIGO = p.rcodregh where k.CODIGO is null"),
            QStringLiteral(
                "select count(*) from cil_full p left join codcil k on k.CODIGO = p.cilcodh where k.CODIGO is null"),
            // A conversion order's regulator joins codreg or shows none.
            QStringLiteral(
                "select count(*) from ott_reg p left join codreg k on k.CODIGO = p.RCODREGH where k.CODIGO is null"),
            QStringLiteral(
                "select count(*) from ott_cil p left join codcil k on k.CODIGO = p.CILCODH where k.CODIGO is null"),
        };
        for (const QString &sql : checks)
            QVERIFY2(count(sql) == 0, qPrintable(sql));
        // New cylinders are entered with "FAB" as their test centre.
        QCOMPARE(count(QStringLiteral("select count(*) from codcrp where CODIGO = 'FAB'")), 1);
        QCOMPARE(column(QStringLiteral("select crpc from carta_crpc order by crpc")),
                 QStringList({QStringLiteral("BIRCH"), QStringLiteral("BUCKEYE"), QStringLiteral("CYPRESS"),
                              QStringLiteral("HORNBEAM")}));
        QVERIFY(count(QStringLiteral("select count(*) from codcil where VENC is null or VENC <= 0")) == 0);
    }

    void platesInBothFormats()
    {
        const QRegularExpression oldPlate(QStringLiteral("^[A-Z]{3}[0-9]{3}$"));
        const QRegularExpression newPlate(QStringLiteral("^[A-Z]{2}[0-9]{3}[A-Z]{2}$"));
        QSqlQuery q = run(QStringLiteral("select trim(udominio), uano from usr"));
        int olds = 0, news = 0;
        while (q.next()) {
            const QString plate = q.value(0).toString();
            const int year = q.value(1).toInt();
            // The form masks the plate by model year: new format from 2016.
            if (year < 2016) {
                QVERIFY2(oldPlate.match(plate).hasMatch(), qPrintable(plate));
                ++olds;
            } else {
                QVERIFY2(newPlate.match(plate).hasMatch(), qPrintable(plate));
                ++news;
            }
            QVERIFY2(plate != QLatin1String("AAA000"), "the exempt plate is not demo material");
        }
        QVERIFY(olds > 20);
        QVERIFY(news > 20);
        // Vehicles come back: a plate with a conversion and a later renewal,
        // and plates with history at other PECs.
        QVERIFY(count(QStringLiteral("select count(*) from usr c join usr r on r.udominio = c.udominio "
                                     "and r.ucodgest = 'R' and r.uobleaant = c.uobleanew where c.ucodgest = 'C'")) >
                10);
        QVERIFY(count(QStringLiteral("select count(distinct peccod) from usr_full")) >= 3);
        QVERIFY(count(QStringLiteral("select count(*) from usr u join usr_full f on f.udominio = u.udominio "
                                     "and f.peccod <> u.peccod and f.uobleanew = u.uobleaant")) > 10);
    }

    void pendingOperationsAndLetters()
    {
        QVERIFY(count(QStringLiteral("select count(*) from temp_usr where codtal = ? and estado = 0"),
                      {demoWorkshop}) >= 2);
        QVERIFY(count(QStringLiteral("select count(*) from temp_usr where codtal = ? and estado > 0"),
                      {demoWorkshop}) >= 1);
        QCOMPARE(count(QStringLiteral("select count(*) from temp_usr u where not exists "
                                      "(select 1 from temp_reg r where r.id = u.id)")),
                 0);
        // The next upload gets a fresh id after the demo's ones.
        QSqlQuery ins(db);
        QVERIFY(ins.exec(QStringLiteral("insert into temp_usr (id, udominio) values (0, 'ZZ999ZZ')")));
        QVERIFY(ins.lastInsertId().toInt() >
                int(count(QStringLiteral("select max(id) from temp_usr where udominio <> 'ZZ999ZZ'"))));
        run(QStringLiteral("delete from temp_usr where udominio = 'ZZ999ZZ'"));
        QVERIFY(count(QStringLiteral("select count(*) from carta_compromiso_cab c join carta_compromiso_det d "
                                     "on d.id_carta = c.id where c.taller = ?"),
                      {demoWorkshop}) > 0);
    }

    void unreadMessagesAndAppointments()
    {
        QVERIFY(count(QStringLiteral("select count(*) from mensajes_destinatarios d join mensajes m "
                                     "on m.mensaje_id = d.mensaje_id where d.taller = ? and d.leido = 0"),
                      {demoWorkshop}) >= 2);
        QVERIFY(count(QStringLiteral("select count(*) from mensajes_destinatarios where taller = ? and leido = 1"),
                      {demoWorkshop}) >= 1);
        QCOMPARE(count(QStringLiteral("select count(*) from mensajes_destinatarios d left join mensajes m "
                                      "on m.mensaje_id = d.mensaje_id where m.mensaje_id is null")),
                 0);

        const QStringList times = column(QStringLiteral("select hora from turnos_horarios order by hora"));
        QVERIFY(times.size() >= 16);
        for (int i = 0; i < times.size(); ++i) {
            const QTime t = QTime::fromString(times[i], QStringLiteral("HH:mm"));
            QVERIFY2(t.isValid(), qPrintable(times[i]));
            if (i > 0)
                QCOMPARE(QTime::fromString(times[i - 1], QStringLiteral("HH:mm")).secsTo(t), 30 * 60);
        }
        // Today's book of the demo workshop exists, with every slot and a
        // few bookings.
        QCOMPARE(count(QStringLiteral("select count(*) from turnos_agenda where taller = ? and fecha = curdate()"),
                       {demoWorkshop}),
                 qlonglong(times.size()));
        QVERIFY(count(QStringLiteral("select count(*) from turnos_agenda where taller = ? and fecha = curdate() "
                                     "and cliente <> ''"),
                      {demoWorkshop}) >= 2);
    }

    void workshopManagementFiles()
    {
        for (const char *t :
             {"operarios", "fallas", "trabajos_realizados", "clientes", "operaciones", "marcas", "propietarios"})
            QVERIFY2(count(QStringLiteral("select count(*) from %1").arg(QLatin1String(t))) >= 5, t);
        QCOMPARE(count(QStringLiteral("select count(*) from marcas_modelos m left join marcas b on b.marca = m.marca_m "
                                      "where b.marca is null")),
                 0);
        // Model normalisation keeps models seen more than 10 times per brand.
        QVERIFY(count(QStringLiteral("select count(*) from (select trim(umodelo) from usr where trim(umarca) = 'FIAT' "
                                     "group by trim(umodelo) having count(*) > 10) d")) > 0);
        // Conversion orders: numbered per workshop, with regulator and
        // cylinders, open and closed; owners and technicians exist.
        QVERIFY(count(QStringLiteral("select count(*) from ott where taller = ? and estado = 'C'"), {demoWorkshop}) >
                0);
        QVERIFY(count(QStringLiteral("select count(*) from ott where taller = ? and estado <> 'C'"), {demoWorkshop}) >
                0);
        QCOMPARE(count(QStringLiteral("select count(*) from ott where dominio is null or propietario is null "
                                      "or vin is null or fecha is null")),
                 0);
        QCOMPARE(count(QStringLiteral("select count(*) from ott_cil c left join ott o on o.taller = c.TALLER "
                                      "and o.ott_nro = c.OTT_ID where o.id is null")),
                 0);
        QCOMPARE(count(QStringLiteral("select count(*) from ott_reg c left join ott o on o.taller = c.TALLER "
                                      "and o.ott_nro = c.OTT_ID where o.id is null")),
                 0);
        QCOMPARE(count(QStringLiteral("select count(*) from ott o left join operarios e on e.id = o.instalador "
                                      "where e.id is null")),
                 0);
        // Work orders with their faults and jobs; warranty values used.
        QVERIFY(count(QStringLiteral("select count(*) from opv where taller = ?"), {demoWorkshop}) >= 10);
        QCOMPARE(column(QStringLiteral("select distinct garantia from opv order by garantia")),
                 QStringList({QStringLiteral("NO"), QStringLiteral("RE"), QStringLiteral("SI")}));
        QCOMPARE(count(QStringLiteral("select count(*) from opv_fallas f left join opv o on o.taller = f.taller_id "
                                      "and o.opv_nro = f.opv_nro left join fallas k on k.id = f.falla "
                                      "where o.opv_nro is null or k.id is null")),
                 0);
        QCOMPARE(count(QStringLiteral(
                     "select count(*) from opv_trabajo_realizado f left join opv o on o.taller = f.taller_id "
                     "and o.opv_nro = f.opv_nro left join trabajos_realizados k on k.id = f.trabajo_realizado "
                     "left join operarios e on e.id = f.tecnico where o.opv_nro is null or k.id is null "
                     "or e.id is null")),
                 0);
        QCOMPARE(
            count(QStringLiteral("select count(*) from opv o left join propietarios p on p.propietario_id = o.cliente "
                                 "left join operarios r on r.id = o.recepcionista left join clientes c "
                                 "on c.id = o.concesionario where p.propietario_id is null or r.id is null "
                                 "or c.id is null")),
            0);
        // An order under warranty matches a running conversion of a workshop
        // that gives warranty.
        QCOMPARE(count(QStringLiteral(
                     "select count(*) from opv o where o.garantia = 'SI' and not exists ("
                     "select 1 from usr u join tal t on t.tcodigoint = u.codtal where trim(u.udominio) = o.dominio "
                     "and u.ucodgest = 'C' and t.garantia = 1 and u.ufecvenhab > curdate())")),
                 0);
    }

    // scripts/demo picks for each profile a server letter that reaches the
    // local database; its table must agree with the built-in profiles.
    void demoScriptLettersReachTheLocalDatabase()
    {
        QFile f(TestDb::repoPath(QStringLiteral("scripts/demo")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        const QRegularExpression row(QStringLiteral("^([A-Z][a-z]+):([A-Z0-9]{6}):([A-Z]):(\\w*)$"),
                                     QRegularExpression::MultilineOption);
        const QRegularExpressionMatch postSales =
            QRegularExpression(QStringLiteral("LOCAL_POSTSALES=\"([^\"]*)\"")).match(text);
        QVERIFY(postSales.hasMatch());
        const QStringList localPostSales = postSales.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const auto isLocal = [](const SettingsChoice &c) {
            // Leaving the default keeps the operations connection local.
            return c.action == SettingsChoice::LeaveDefault ||
                   (c.action == SettingsChoice::Write && c.settings.hostName == QLatin1String("localhost"));
        };
        int rows = 0;
        for (auto it = row.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            ++rows;
            const InstallationProfile *p = profileById(m.captured(2));
            QVERIFY2(p, qPrintable(m.captured(2)));
            QCOMPARE(p->name, m.captured(1));
            const QString letter = m.captured(3);
            const SettingsChoice ops = resolveSettings(*p, Conn::Operations, letter);
            if (m.captured(4) == QLatin1String("nolocal")) {
                QVERIFY2(!(ops.action == SettingsChoice::Write && ops.settings.hostName == QLatin1String("localhost")),
                         qPrintable(p->name));
            } else {
                QVERIFY2(isLocal(ops), qPrintable(p->name + QLatin1Char(' ') + letter));
                if (ops.action == SettingsChoice::Write)
                    QVERIFY2(ops.settings.database == QLatin1String("tarvil") ||
                                 ops.settings.database == QLatin1String("tarvil_pec"),
                             qPrintable(p->name));
            }
            const SettingsChoice post = resolveSettings(*p, Conn::PostVenta, letter);
            const bool postLocal =
                post.action == SettingsChoice::Write && post.settings.hostName == QLatin1String("localhost");
            QVERIFY2(postLocal == localPostSales.contains(p->name), qPrintable(p->name));
        }
        QCOMPARE(rows, int(installationProfiles().size()));
    }

    // scripts/gen-data on a copy of the demo database: runs in batches, goes
    // on numbering on a second run and leaves the indexes as it found them.
    void generatorAddsWholeOperations()
    {
        const QString genName = QStringLiteral("t_demodata_gen");
        QSqlDatabase gen = TestDb::create(genName, QStringLiteral("gen"));
        TestDb::runSqlFile(gen, TestDb::repoPath(QStringLiteral("db/demo-data.sql")));
        auto scalar = [&](const QString &sql) {
            QSqlQuery q(gen);
            if (!q.exec(sql) || !q.next())
                qFatal("%s / %s", qPrintable(sql), qPrintable(q.lastError().text()));
            return q.value(0).toLongLong();
        };
        const QString indexes = QStringLiteral(
            "select group_concat(concat(table_name, '.', index_name, ':', seq_in_index, ':', column_name) "
            "order by table_name, index_name, seq_in_index) from information_schema.statistics "
            "where table_schema = database() and table_name in ('usr', 'reg', 'cil')");
        QSqlQuery before(gen);
        QVERIFY(before.exec(indexes) && before.next());
        const QString indexesBefore = before.value(0).toString();
        const qlonglong usrBefore = scalar(QStringLiteral("select count(*) from usr"));

        auto runGen = [&](const QStringList &args, bool dropIndexes) {
            QProcess p;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QStringLiteral("GEN_DATA_INDEX_MIN"),
                       dropIndexes ? QStringLiteral("1") : QStringLiteral("999999999"));
            p.setProcessEnvironment(env);
            p.start(TestDb::repoPath(QStringLiteral("scripts/gen-data")),
                    QStringList{QStringLiteral("--database"), genName} + args);
            QVERIFY(p.waitForFinished(300000));
            const QString out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
            QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, qPrintable(out));
            QVERIFY2(out.contains(QLatin1String("cargadas en")), qPrintable(out)); // prints the time taken
        };
        runGen(
            {QStringLiteral("--operations"), QStringLiteral("2500"), QStringLiteral("--batch"), QStringLiteral("1000")},
            true);
        if (QTest::currentTestFailed())
            return;
        runGen({QStringLiteral("--operations"), QStringLiteral("700")}, false);
        if (QTest::currentTestFailed())
            return;

        QCOMPARE(scalar(QStringLiteral("select count(*) from usr")), usrBefore + 3200);
        QSqlQuery after(gen);
        QVERIFY(after.exec(indexes) && after.next());
        QCOMPARE(after.value(0).toString(), indexesBefore);

        // Each operation has its regulator and one or two cylinders, with
        // serials of its own, and belongs to a workshop of the PEC.
        QCOMPARE(scalar(QStringLiteral("select count(*) from usr u where not exists (select 1 from reg r "
                                       "where r.talcuit = u.talcuit and r.tnrointopr = u.tnrointopr)")),
                 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from usr u where not exists (select 1 from cil c "
                                       "where c.talcuit = u.talcuit and c.tnrointopr = u.tnrointopr)")),
                 0);
        QCOMPARE(scalar(QStringLiteral(
                     "select count(*) from cil c left join usr u on u.talcuit = c.talcuit "
                     "and u.tnrointopr = c.tnrointopr and u.udominio = c.udominio where u.tnrointopr is null")),
                 0);
        QCOMPARE(scalar(QStringLiteral(
                     "select count(*) - count(distinct c.cnroserie) from cil c join usr u "
                     "on u.talcuit = c.talcuit and u.tnrointopr = c.tnrointopr where u.codtal like 'GEN%'")),
                 0);
        QCOMPARE(scalar(QStringLiteral(
                     "select count(*) - count(distinct r.rnroserie) from reg r join usr u "
                     "on u.talcuit = r.talcuit and u.tnrointopr = r.tnrointopr where u.codtal like 'GEN%'")),
                 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from usr u left join tal t on t.tcodigoint = u.codtal "
                                       "and t.TALCUIT = u.talcuit where t.tcodigoint is null")),
                 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) - count(distinct uobleanew) from usr where uobleanew <> ''")),
                 0);
        QVERIFY(scalar(QStringLiteral("select count(distinct codtal) from usr where codtal like 'GEN%'")) > 100);
        QVERIFY(scalar(QStringLiteral(
                    "select count(*) from usr where codtal like 'GEN%' and uapeynom like '%GONZALEZ%'")) > 20);
        QCOMPARE(scalar(QStringLiteral("select count(*) from usr where codtal like 'GEN%' and not ("
                                       "(uano < 2016 and udominio regexp '^[A-Z]{3}[0-9]{3}$') or "
                                       "(uano >= 2016 and udominio regexp '^[A-Z]{2}[0-9]{3}[A-Z]{2}$'))")),
                 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from reg p left join codreg k on k.CODIGO = p.rcodregh "
                                       "where k.CODIGO is null")),
                 0);
        QCOMPARE(scalar(QStringLiteral("select count(*) from cil p left join codcil k on k.CODIGO = p.cilcodh "
                                       "where k.CODIGO is null")),
                 0);
        gen.close();
        TestDb::drop(genName);
    }
};

QTEST_GUILESS_MAIN(TstDemoData)
#include "tst_demodata.moc"
