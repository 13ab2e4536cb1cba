// Hydraulic-test status, the two sticker-expiry limits, the CRPC expiry, the
// two-digit years and the cylinder dialog's acceptance sequence.
#include "core/cylinderrules.h"
#include "scriptedprompter.h"

#include <QtTest>

using namespace Cylinders;
Q_DECLARE_METATYPE(Cylinders::PhStatus)

class TstCylinderRules : public QObject
{
    Q_OBJECT

    static CylinderRow complete()
    {
        CylinderRow v;
        v.codigo = QStringLiteral("C001");
        v.nroSerie = QStringLiteral("SER123");
        v.gestion = QStringLiteral("SIN CAMBIOS");
        v.fabricac = QStringLiteral("03/2018");
        v.uphTaller = QStringLiteral("CR01");
        v.uphFecha = QStringLiteral("05/2022");
        v.uphResult = QStringLiteral("APROBADO");
        v.valCod = QStringLiteral("V01");
        v.valNro = QStringLiteral("VAL9");
        v.valGest = QStringLiteral("SIN CAMBIOS");
        v.nroCertif = QStringLiteral("CR01000123");
        return v;
    }
    static QString noValve(const QString &, const QString &) { return {}; }

private slots:
    void phStatus_data()
    {
        QTest::addColumn<int>("testMonth");
        QTest::addColumn<int>("testYear");
        QTest::addColumn<QDate>("enabling");
        QTest::addColumn<PhStatus>("status");
        const QDate h(2026, 12, 15);
        QTest::newRow("48 months") << 12 << 2022 << h << PhStatus::Valid;
        QTest::newRow("49 months") << 11 << 2022 << h << PhStatus::DueWithinYear;
        QTest::newRow("54 months") << 6 << 2022 << h << PhStatus::DueWithinYear;
        QTest::newRow("55 months") << 5 << 2022 << h << PhStatus::Required;
        QTest::newRow("ancient") << 1 << 1990 << h << PhStatus::Required;
        QTest::newRow("same month") << 12 << 2026 << h << PhStatus::Valid;
        QTest::newRow("test after enabling") << 3 << 2027 << h << PhStatus::Valid;
        QTest::newRow("day of month ignored") << 11 << 2022 << QDate(2026, 12, 1) << PhStatus::DueWithinYear;
    }
    void phStatus()
    {
        QFETCH(int, testMonth);
        QFETCH(int, testYear);
        QFETCH(QDate, enabling);
        QFETCH(PhStatus, status);
        QCOMPARE(PhDueStatus(testMonth, testYear, enabling), status);
    }

    void expiryLimits_data()
    {
        QTest::addColumn<int>("testMonth");
        QTest::addColumn<QDate>("enabling");
        QTest::addColumn<QDate>("today");
        QTest::addColumn<QDate>("onSave");
        QTest::addColumn<QDate>("onRecall");
        QTest::newRow("31 March, June") << 6 << QDate(2026, 3, 31) << QDate(2026, 4, 1) << QDate(2026, 6, 30)
                                        << QDate(2026, 6, 30);
        QTest::newRow("31 March, July") << 7 << QDate(2026, 3, 31) << QDate(2026, 4, 1) << QDate(2026, 7, 30)
                                        << QDate(2026, 7, 31);
        QTest::newRow("June already past")
            << 6 << QDate(2026, 3, 31) << QDate(2026, 7, 1) << QDate(2027, 6, 30) << QDate(2027, 6, 30);
        QTest::newRow("February capped at 28")
            << 2 << QDate(2028, 1, 30) << QDate(2028, 1, 30) << QDate(2028, 2, 28) << QDate(2028, 2, 28);
        QTest::newRow("small day kept on save")
            << 9 << QDate(2026, 1, 12) << QDate(2026, 1, 12) << QDate(2026, 9, 12) << QDate(2026, 9, 30);
        QTest::newRow("limit equal to today stays")
            << 9 << QDate(2026, 1, 12) << QDate(2026, 9, 12) << QDate(2026, 9, 12) << QDate(2026, 9, 30);
        QTest::newRow("December rolls into next year")
            << 12 << QDate(2026, 12, 31) << QDate(2027, 1, 5) << QDate(2027, 12, 30) << QDate(2027, 12, 31);
    }
    void expiryLimits()
    {
        QFETCH(int, testMonth);
        QFETCH(QDate, enabling);
        QFETCH(QDate, today);
        QFETCH(QDate, onSave);
        QFETCH(QDate, onRecall);
        QCOMPARE(ExpiryLimitOnSave(testMonth, enabling, today), onSave);
        QCOMPARE(ExpiryLimitOnRecall(testMonth, enabling, today), onRecall);
    }

    void crpcExpiry()
    {
        QCOMPARE(CrpcExpiryDate(std::nullopt, 6, 2022), QDate(2027, 6, 30)); // not in catalogue: 5 years
        QCOMPARE(CrpcExpiryDate(3, 2, 2021), QDate(2024, 2, 29));            // leap February
        QCOMPARE(CrpcExpiryDate(5, 2, 2021), QDate(2026, 2, 28));
        QCOMPARE(CrpcExpiryDate(1, 12, 2026), QDate(2027, 12, 31));
    }

    void centuryAndMonthYear()
    {
        QCOMPARE(CenturyYear(QStringLiteral("49")), QStringLiteral("2049"));
        QCOMPARE(CenturyYear(QStringLiteral("50")), QStringLiteral("1950"));
        QCOMPARE(CenturyYear(QStringLiteral("00")), QStringLiteral("2000"));
        QCOMPARE(CenturyYear(QStringLiteral("2018")), QStringLiteral("2018"));
        QCOMPARE(JoinMonthYear(QStringLiteral("6"), QStringLiteral("18")), QStringLiteral("06/2018"));
        QCOMPARE(JoinMonthYear(QString(), QString()), QString());
        int m = 0, y = 0;
        QVERIFY(SplitMonthYear(QStringLiteral("11/2049"), &m, &y));
        QCOMPARE(m, 11);
        QCOMPARE(y, 2049);
        QVERIFY(!SplitMonthYear(QStringLiteral("13/2020"), &m, &y));
        QVERIFY(!SplitMonthYear(QStringLiteral("  /    "), &m, &y));
    }

    void certificate()
    {
        const auto known = [](const QString &c) { return c == QLatin1String("ABCD"); };
        Certificate c = NormaliseCertificate(QStringLiteral("ABCD123"), known);
        QCOMPARE(c.outcome, Certificate::Normalised);
        QCOMPARE(c.text, QStringLiteral("ABCD000123"));
        c = NormaliseCertificate(QStringLiteral("ABCD000777"), known);
        QCOMPARE(c.text, QStringLiteral("ABCD000777"));
        c = NormaliseCertificate(QStringLiteral("WXYZ123"), known);
        QCOMPARE(c.outcome, Certificate::UnknownCentre);
        QCOMPARE(c.text, QStringLiteral("WXYZ123"));
        for (const char *bad : {"ABCD12X", "ABCD", "ABCD-12", "ABCD 12"}) {
            c = NormaliseCertificate(QString::fromLatin1(bad), known);
            QCOMPARE(c.outcome, Certificate::NotANumber);
            QCOMPARE(c.text, QString::fromLatin1(bad));
        }
    }

    void acceptSequence()
    {
        ScriptedPrompter p;
        AcceptResult r = CheckCylinderDialog(complete(), QStringLiteral("R"), QStringLiteral("AB123CD"), noValve, p);
        QVERIFY(r.accepted);
        QVERIFY(p.log.isEmpty());

        // FAB with a different test date stops on the date, before anything else.
        CylinderRow v = complete();
        v.uphTaller = QStringLiteral("FAB");
        v.nroSerie.clear();
        p = {};
        r = CheckCylinderDialog(v, QStringLiteral("R"), QString(), noValve, p);
        QCOMPARE(r.focus, Field::UphFecha);
        QCOMPARE(p.log, QStringList{QStringLiteral("error: Las fechas no pueden ser distintas si la UPH es FAB")});

        // A rejected cylinder needs a "Si"; then the blanks are reported in order.
        v = complete();
        v.uphResult = QStringLiteral("RECHAZADO");
        p = {};
        r = CheckCylinderDialog(v, QStringLiteral("R"), QString(), noValve, p);
        QCOMPARE(r.focus, Field::UphResult);
        v.nroSerie = QStringLiteral("  ");
        p = {};
        p.answers = {true};
        r = CheckCylinderDialog(v, QStringLiteral("R"), QString(), noValve, p);
        QCOMPARE(r.focus, Field::NroSerie);
        QVERIFY(r.highlight);
        QCOMPARE(p.log.last(), QStringLiteral("error: El número de serie no puede quedar en blanco."));

        v = complete();
        v.fabricac = QStringLiteral("  /    ");
        p = {};
        r = CheckCylinderDialog(v, QStringLiteral("C"), QString(), noValve, p);
        QCOMPARE(r.focus, Field::Fabricac);

        v = complete();
        v.valGest.clear();
        p = {};
        r = CheckCylinderDialog(v, QStringLiteral("C"), QString(), noValve, p);
        QCOMPARE(r.focus, Field::ValGest);
        QCOMPARE(p.log.last(), QStringLiteral("error: El código de gestión no puede quedar en blanco."));
    }

    void certificateWarnings()
    {
        ScriptedPrompter p;
        CylinderRow v = complete();
        v.nroCertif.clear();
        AcceptResult r = CheckCylinderDialog(v, QStringLiteral("R"), QString(), noValve, p);
        QCOMPARE(r.focus, Field::NroCertif);
        QCOMPARE(p.log, QStringList{QStringLiteral("warn: No se ingreso el número de Certificado.")});

        v = complete();
        v.uphTaller = QStringLiteral("FAB");
        v.uphFecha = v.fabricac;
        p = {};
        r = CheckCylinderDialog(v, QStringLiteral("R"), QString(), noValve, p);
        QCOMPARE(p.log, QStringList{QStringLiteral("warn: Siendo FAB no puede tener número de certificado.")});

        // A cylinder being dismantled or retired is not asked for its certificate.
        v = complete();
        v.nroCertif.clear();
        v.gestion = QStringLiteral("DESMONTAJE");
        p = {};
        QVERIFY(CheckCylinderDialog(v, QStringLiteral("M"), QString(), noValve, p).accepted);
        // Without a valve there is nothing to check about it.
        v = complete();
        v.valCod.clear();
        v.valNro.clear();
        v.nroCertif.clear();
        p = {};
        QVERIFY(CheckCylinderDialog(v, QStringLiteral("R"), QString(), noValve, p).accepted);
    }

    void valveMountedElsewhereOnlyWarnsInModification()
    {
        int asked = 0;
        const auto elsewhere = [&](const QString &cod, const QString &nro) {
            ++asked;
            return cod == QLatin1String("V01") && nro == QLatin1String("VAL9") ? QStringLiteral("XYZ789 ") : QString();
        };
        ScriptedPrompter p;
        QVERIFY(CheckCylinderDialog(complete(), QStringLiteral("M"), QStringLiteral("AB123CD"), elsewhere, p).accepted);
        QCOMPARE(p.log, QStringList{QStringLiteral("warn: ojo!! esa válvula está colocada en el dominio: XYZ789")});
        p = {};
        QVERIFY(CheckCylinderDialog(complete(), QStringLiteral("M"), QStringLiteral("XYZ789"), elsewhere, p).accepted);
        QVERIFY(p.log.isEmpty());
        p = {};
        asked = 0;
        QVERIFY(CheckCylinderDialog(complete(), QStringLiteral("R"), QStringLiteral("AB123CD"), elsewhere, p).accepted);
        QCOMPARE(asked, 0);
    }
};

QTEST_GUILESS_MAIN(TstCylinderRules)
#include "tst_cylinderrules.moc"
