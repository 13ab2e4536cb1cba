// The letter's rules: which cylinders join without a question, which layout
// prints, how measures read and show, and the Buckeye letter's workshop.
#include "core/commitmentletter.h"

#include <QtTest>

class TstCommitmentLetter : public QObject
{
    Q_OBJECT
private slots:
    void dueCylindersJoinSilently()
    {
        const QDate enabling(2026, 12, 9);
        CylinderRow c;
        c.uphFecha = QStringLiteral("11/2021"); // five years and a month
        QVERIFY(Letter::CollectsSilently(c, enabling));
        c.uphFecha = QStringLiteral("06/2022"); // due within the year
        QVERIFY(!Letter::CollectsSilently(c, enabling));
        c.uphFecha = QStringLiteral("01/2025");
        QVERIFY(!Letter::CollectsSilently(c, enabling));
        c.uphFecha = QStringLiteral("  /    "); // no readable test: ask
        QVERIFY(!Letter::CollectsSilently(c, enabling));
    }

    void layoutByProfileAndCentre()
    {
        const InstallationProfile &sequoia = *profileById(QStringLiteral("SEQU01"));
        QCOMPARE(Letter::LayoutFor(sequoia, QStringLiteral(" birch ")), QStringLiteral("TQCartaBirchForm"));
        QCOMPARE(Letter::LayoutFor(sequoia, QStringLiteral("HORNBEAM")), QStringLiteral("TQCartaForm"));
        QVERIFY(Letter::LayoutFor(sequoia, QStringLiteral("OTRO CENTRO")).isEmpty());
        QVERIFY(Letter::LayoutFor(sequoia, QString()).isEmpty());
        // The centre matters only to a profile that chooses it.
        QCOMPARE(Letter::LayoutFor(*profileById(QStringLiteral("CEDA01")), QStringLiteral("BIRCH")),
                 QStringLiteral("TQCartaAlderForm"));
        int offering = 0;
        for (const InstallationProfile &p : installationProfiles()) {
            offering += p.offersCommitmentLetter;
            QVERIFY2(p.offersCommitmentLetter || Letter::LayoutFor(p, QStringLiteral("CYPRESS")).isEmpty(),
                     qPrintable(p.name));
        }
        QCOMPARE(offering, 9);
    }

    void measuresReadCommaOrPoint()
    {
        bool ok = false;
        QCOMPARE(Letter::ParseMeasure(QStringLiteral("48,5"), &ok), std::optional<double>(48.5));
        QVERIFY(ok);
        QCOMPARE(Letter::ParseMeasure(QStringLiteral(" 48.5 "), &ok), std::optional<double>(48.5));
        QVERIFY(!Letter::ParseMeasure(QString(), &ok) && ok);
        QVERIFY(!Letter::ParseMeasure(QStringLiteral("cuarenta"), &ok) && !ok);
        QVERIFY(!Letter::ParseMeasure(QStringLiteral("-3"), &ok) && !ok);
        // A float column gives 48.299999; the letter shows what was typed.
        QCOMPARE(Letter::MeasureText(double(float(48.3))), QStringLiteral("48,3"));
        QCOMPARE(Letter::MeasureText(60.0), QStringLiteral("60"));
        QVERIFY(Letter::MeasureText(std::nullopt).isEmpty());
    }

    void placeAndDate()
    {
        QCOMPARE(Letter::PlaceAndDate(QStringLiteral("RÍO CUARTO"), QDate(2026, 3, 4)),
                 QStringLiteral("RÍO CUARTO, 04/03/2026"));
        QCOMPARE(Letter::PlaceAndDate(QStringLiteral("  "), QDate(2026, 3, 4)), QStringLiteral("Córdoba, 04/03/2026"));
    }

    // The letterhead is the logged-in PEC's own; a PEC whose row says nothing
    // prints nothing, never another company's name or a placeholder.
    void letterheadFromThePecRow()
    {
        GlobalState g;
        g.PecName = QStringLiteral("GNC DEL CENTRO S.A.");
        g.PecAddress = QStringLiteral("AV. COLÓN 900 - CÓRDOBA");
        const InstallationProfile &cedar = *profileById(QStringLiteral("CEDA01"));
        Letter::PrintData d = Letter::MakePrintData({}, Letter::Purpose::PeriodicReview, {}, g, cedar, {2026, 3, 4});
        QCOMPARE(d.companyTitle, g.PecName);
        QCOMPARE(d.salutation, QStringLiteral("Señores GNC DEL CENTRO S.A.:"));
        QCOMPARE(d.contactLine, QStringLiteral("GNC DEL CENTRO S.A. - AV. COLÓN 900 - CÓRDOBA"));
        QCOMPARE(d.centreTitle.value(0), g.PecName);
        QCOMPARE(d.centreTitle.value(2), g.PecAddress);
        g.PecAddress.clear();
        QCOMPARE(Letter::MakePrintData({}, {}, {}, g, cedar, {}).contactLine, g.PecName);
        d = Letter::MakePrintData({}, {}, {}, GlobalState{}, cedar, {});
        QVERIFY(d.companyTitle.isEmpty() && d.salutation.isEmpty() && d.contactLine.isEmpty());
    }

    void buckeyeWorkshopFollowsEnablement()
    {
        GlobalState g;
        g.WorkshopCode = QStringLiteral("T000123");
        g.WorkshopName2 = QStringLiteral("TALLER SUR");
        g.WorkshopAddress = QStringLiteral("SAN MARTÍN 100");
        WorkshopRow own;
        own.enabled = 1;
        own.associatedCode = QStringLiteral("T000900");
        WorkshopRow associated;
        associated.street = QStringLiteral("BV. ILLIA");
        associated.number = QStringLiteral("55");
        associated.locality = QStringLiteral("VILLA MARÍA");
        const Letter::WorkshopBlock enabled{QStringLiteral("TALLER SUR [T000123]"), QStringLiteral("SAN MARTÍN 100"),
                                            QStringLiteral("T000123")};
        QCOMPARE(Letter::WorkshopByEnablement(g, own, associated), enabled);
        own.enabled = 0;
        QCOMPARE(Letter::WorkshopByEnablement(g, own, associated),
                 (Letter::WorkshopBlock{QStringLiteral("TALLER SUR [T000900]"),
                                        QStringLiteral("BV. ILLIA 55 - VILLA MARÍA"), QStringLiteral("T000900")}));
        QCOMPARE(Letter::WorkshopByEnablement(g, own, std::nullopt).address, QString());
    }
};

QTEST_APPLESS_MAIN(TstCommitmentLetter)
#include "tst_commitmentletter.moc"
