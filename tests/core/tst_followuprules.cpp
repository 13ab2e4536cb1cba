// The follow-up rules: the assigned-stickers detail lines, the WhatsApp link
// and message, the reminder log's notice, the appointment booking texts.
#include "core/appointments.h"
#include "core/reminders.h"
#include "core/stickerdetail.h"

#include <QUrl>
#include <QUrlQuery>
#include <QtTest>

using namespace StickerDetail;

namespace
{

Part p(const char *code, const char *serial)
{
    return {QLatin1String(code), QLatin1String(serial), QStringLiteral("S")};
}

Operation operation(const char *kind)
{
    return {
        QStringLiteral("CONVERSION"), QStringLiteral("PEREZ JUAN"), QStringLiteral("FIAT"),       QStringLiteral("UNO"),
        QStringLiteral("2010"),       QStringLiteral("AB123CD"),    QStringLiteral("4500000007"), QDate(2024, 5, 6),
        QLatin1String(kind)};
}

// What a line carries, compactly: "H" for the header's texts, then the
// regulator, cylinder and valve serials ("-" for none).
QString shape(const Line &l)
{
    if (l == Line{})
        return QStringLiteral("sep");
    const auto s = [](const Part &x) { return x.numero.isEmpty() ? QStringLiteral("-") : x.numero; };
    return (l.dominio.isEmpty() ? QString() : QStringLiteral("H ")) + s(l.regulator) + QLatin1Char(' ') +
           s(l.cylinder) + QLatin1Char(' ') + s(l.valve);
}

QStringList shapes(const QVector<Line> &lines)
{
    QStringList out;
    for (const Line &l : lines)
        out << shape(l);
    return out;
}

} // namespace

class TstFollowupRules : public QObject
{
    Q_OBJECT
private slots:
    void detailPairsRegulatorsWithCylinders()
    {
        const QVector<Line> lines = Lines(operation("C"), {p("T009", "R1"), p("T007", "R2")},
                                          {{p("F040", "C1"), p("V1", "V1"), {}},
                                           {p("F040", "C2"), p("V1", "V2"), {}},
                                           {p("F060", "C3"), p("V2", "V3"), {}}});
        QCOMPARE(shapes(lines), (QStringList{"H R1 C1 V1", "R2 C2 V2", "- C3 V3", "sep"}));
        const Line &h = lines.first();
        QCOMPARE(h.propietario, QStringLiteral("PEREZ JUAN"));
        QCOMPARE(h.anio, std::optional<int>(2010));
        QCOMPARE(h.fecha, QDate(2024, 5, 6));
        QCOMPARE(h.regulator, p("T009", "R1"));
        QVERIFY(lines.at(1).propietario.isEmpty()); // parts only below the header

        // More regulators than cylinders: the last lines carry a regulator alone.
        QCOMPARE(
            shapes(Lines(operation("M"), {p("T009", "R1"), p("T007", "R2")}, {{p("F040", "C1"), p("V", "V1"), {}}})),
            (QStringList{"H R1 C1 V1", "R2 - -", "sep"}));
        // Nothing to list: the header and the separator.
        QCOMPARE(shapes(Lines(operation("B"), {}, {})), (QStringList{"H - - -", "sep"}));
    }

    void withoutRegulatorCylindersGoBelowTheHeader()
    {
        QCOMPARE(shapes(Lines(operation("R"), {},
                              {{p("F040", "C1"), p("V1", "V1"), {}}, {p("F040", "C2"), p("V1", "V2"), {}}})),
                 (QStringList{"H - - -", "- C1 V1", "- C2 V2", "sep"}));
        // A valve replacement follows each cylinder with the valve it replaced.
        const QVector<Line> h = Lines(operation("H"), {}, {{p("F040", "C1"), p("V1", "NEW"), p("V0", "OLD")}});
        QCOMPARE(shapes(h), (QStringList{"H - - -", "- C1 NEW", "- - OLD", "sep"}));
        QCOMPARE(h.at(2).valve, p("V0", "OLD"));
        QCOMPARE(shapes(Lines(operation("H"), {p("T009", "R1")}, {{p("F040", "C1"), p("V1", "NEW"), p("V0", "OLD")}})),
                 (QStringList{"H R1 C1 NEW", "- - OLD", "sep"}));
    }

    void yearOfBlankOrTextIsNothing()
    {
        QCOMPARE(YearOf(QStringLiteral("2010")), std::optional<int>(2010));
        QCOMPARE(YearOf(QStringLiteral(" 98 ")), std::optional<int>(98));
        QCOMPARE(YearOf(QStringLiteral("    ")), std::nullopt);
        QCOMPARE(YearOf(QStringLiteral("S/D")), std::nullopt);
    }

    void chatLinkEncodesTheWholeText()
    {
        QCOMPARE(Reminders::ChatLink(QStringLiteral("5491154327788"), QStringLiteral("Hola Juan")),
                 QStringLiteral("https://wa.me/5491154327788?text=Hola%20Juan"));
        QCOMPARE(Reminders::ChatLink(QStringLiteral("549111"), QStringLiteral("a  b")),
                 QStringLiteral("https://wa.me/549111?text=a%20%20b"));

        // What cut or corrupted the message when only blanks were encoded.
        const QString text = QStringLiteral("Oblea vence 06/2024 & PH #2\n¿Turno? +info: señor José 😀");
        const QString link = Reminders::ChatLink(QStringLiteral("5493511234567"), text);
        for (const char *raw : {"&", "#", "+", "\n", " ", "¿", "ñ"})
            QVERIFY2(!link.contains(QString::fromUtf8(raw)), raw);
        QCOMPARE(link.count(QLatin1Char('?')), 1);
        QVERIFY(link.contains(QLatin1String("se%C3%B1or%20Jos%C3%A9")));
        const QUrl url(link);
        QCOMPARE(url.host(), QStringLiteral("wa.me"));
        QCOMPARE(url.path(), QStringLiteral("/5493511234567"));
        QCOMPARE(QUrlQuery(url).queryItemValue(QStringLiteral("text"), QUrl::FullyDecoded), text);
    }

    void messageLengthCountsCharacters()
    {
        QCOMPARE(Reminders::CharacterCount(QString()), 0);
        QCOMPARE(Reminders::CharacterCount(QStringLiteral("Año 😀\nok")), 8);
    }

    void mobileNeedsASubscriberNumber()
    {
        QVERIFY(Reminders::HasMobile(QStringLiteral("5491154327788"), QStringLiteral("54327788")));
        QVERIFY(!Reminders::HasMobile(QStringLiteral("54911"), QStringLiteral(" ")));
        QVERIFY(!Reminders::HasMobile(QString(), QString()));
    }

    void recentReminderIsPointedOutForAWeek()
    {
        const QDate today(2024, 5, 10);
        QCOMPARE(Reminders::RecentNotice(today, today),
                 QStringLiteral("Ya se le envió un recordatorio a este vehículo hoy (10/05/2024)."));
        QCOMPARE(Reminders::RecentNotice(today.addDays(-1), today),
                 QStringLiteral("Ya se le envió un recordatorio a este vehículo ayer (09/05/2024)."));
        QVERIFY(Reminders::RecentNotice(today.addDays(-7), today).contains(QStringLiteral("hace 7 días")));
        QVERIFY(Reminders::RecentNotice(today.addDays(-8), today).isEmpty());
        QVERIFY(Reminders::RecentNotice(QDate(), today).isEmpty());
        QVERIFY(Reminders::RecentNotice(today.addDays(1), today).isEmpty()); // a clock set back
    }

    void bookingTextsAsStored()
    {
        const Appointments::Booking b = Appointments::Normalised(
            {QStringLiteral("  pérez juan carlos alberto "), QStringLiteral("fiat uno"), QStringLiteral("ab123cdx"),
             QStringLiteral(" 011-15-4433-22110 "), QStringLiteral("pierde gas")});
        QCOMPARE(b.cliente, QStringLiteral("PÉREZ JUAN CARLOS AL"));
        QCOMPARE(b.vehiculo, QStringLiteral("FIAT UNO"));
        QCOMPARE(b.dominio, QStringLiteral("AB123CD"));
        QCOMPARE(b.celular, QStringLiteral("011-15-4433-221"));
        QCOMPARE(b.falla, QStringLiteral("PIERDE GAS"));
        QVERIFY(!Appointments::IsFree(b));
        QVERIFY(Appointments::IsFree(Appointments::Normalised({QStringLiteral(" "), {}, {}, {}, {}})));
    }

    void monthLabelInTheLocale()
    {
        const QLocale spanish(QLocale::Spanish, QLocale::Argentina);
        QCOMPARE(Appointments::MonthLabel(QDate(2024, 5, 31), spanish), QStringLiteral("mayo 2024"));
        QCOMPARE(Appointments::MonthLabel(QDate(2025, 1, 1), spanish), QStringLiteral("enero 2025"));
    }
};

QTEST_APPLESS_MAIN(TstFollowupRules)
#include "tst_followuprules.moc"
