#include "core/cylinderlife.h"

#include <QStringList>

#include <algorithm>

namespace CylinderLife
{

namespace
{

QString day(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

bool mounts(QChar letter)
{
    return letter == QLatin1Char('M') || letter == QLatin1Char('S');
}

bool removes(QChar letter)
{
    return letter == QLatin1Char('D') || letter == QLatin1Char('B');
}

} // namespace

QDate Event::date() const
{
    if (habilitation.isValid())
        return habilitation;
    if (installation.isValid())
        return installation;
    return revision;
}

QString Event::testDate() const
{
    const QString text = Cylinders::JoinMonthYear(testMonth.trimmed(), testYear.trimmed());
    int m = 0, y = 0;
    return Cylinders::SplitMonthYear(text, &m, &y) ? text : QString();
}

QChar Event::managementLetter() const
{
    const QString m = management.trimmed().toUpper();
    return m.isEmpty() ? QChar() : m.at(0);
}

QString Event::managementText() const
{
    switch (managementLetter().unicode()) {
    case 'S':
        return QStringLiteral("SIN CAMBIOS");
    case 'M':
        return QStringLiteral("MONTAJE");
    case 'D':
        return QStringLiteral("DESMONTAJE");
    case 'B':
        return QStringLiteral("BAJA");
    default:
        return management.trimmed();
    }
}

Life Build(QVector<Event> events, const QDate &today)
{
    // Undated rows go first: they cannot be placed, and the dated ones that
    // follow still tell the story in order.
    std::stable_sort(events.begin(), events.end(), [](const Event &a, const Event &b) {
        if (a.date() != b.date())
            return a.date() < b.date();
        return !a.pending && b.pending;
    });

    Life life;
    life.events = events;
    int current = -1; // index in vehicles of the mount still open
    QDate baja;
    QString bajaPlate;
    int bestMonth = 0, bestYear = 0;

    for (const Event &e : std::as_const(life.events)) {
        const QString plate = e.plate.trimmed();
        const QChar letter = e.managementLetter();

        // The same operation read twice (stored and still pending) is no use after the BAJA.
        if (baja.isValid() && !(e.date() == baja && plate == bajaPlate)) {
            life.warnings.push_back(
                {WarningKind::AfterBaja, e.date(),
                 QString::fromUtf8("El cilindro figura en el dominio %1 el %2, después de su BAJA del %3 (dominio %4).")
                     .arg(plate, day(e.date()), day(baja), bajaPlate)});
            baja = {}; // one warning per BAJA
        }

        // A second removal from the vehicle it already left repeats the first.
        const bool repeated =
            removes(letter) && current < 0 && !life.vehicles.isEmpty() && life.vehicles.last().plate == plate;
        if ((mounts(letter) || removes(letter)) && !repeated) {
            const bool elsewhere = current >= 0 && life.vehicles[current].plate != plate;
            if (elsewhere)
                life.warnings.push_back(
                    {WarningKind::TwoVehicles, e.date(),
                     QString::fromUtf8("El %1 el cilindro figura montado en el dominio %2 y en el dominio %3 a la vez.")
                         .arg(day(e.date()), life.vehicles[current].plate, plate)});
            if (current < 0 || elsewhere) {
                // Its first appearance may already be the dismounting.
                life.vehicles.push_back({plate, mounts(letter) ? e.date() : QDate(), {}});
                current = life.vehicles.size() - 1;
            }
            if (removes(letter)) {
                life.vehicles[current].until = e.date();
                current = -1;
            }
        }
        if (letter == QLatin1Char('B')) {
            baja = e.date();
            bajaPlate = plate;
        }

        int m = 0, y = 0;
        if (Cylinders::SplitMonthYear(e.testDate(), &m, &y) && (y > bestYear || (y == bestYear && m > bestMonth))) {
            bestMonth = m;
            bestYear = y;
            life.lastTest = e.testDate();
            life.lastTestCentre = e.testCentre.trimmed();
        }
    }
    if (bestYear > 0) {
        life.status = Cylinders::PhDueStatus(bestMonth, bestYear, today);
        life.monthsSinceTest = Cylinders::MonthsSinceTest(bestMonth, bestYear, today);
    }
    return life;
}

QString StatusText(Cylinders::PhStatus status)
{
    switch (status) {
    case Cylinders::PhStatus::Valid:
        return QStringLiteral("VIGENTE");
    case Cylinders::PhStatus::DueWithinYear:
        return QString::fromUtf8("VENCE DENTRO DEL AÑO");
    case Cylinders::PhStatus::Required:
        return QString::fromUtf8("REQUIERE PRUEBA HIDRÁULICA");
    }
    return {};
}

QString StatusLine(const Life &life)
{
    if (!life.status)
        return QString::fromUtf8("SIN DATOS DE PRUEBA HIDRÁULICA");
    return QString::fromUtf8("%1 (última prueba %2, CRPC %3, hace %4 meses)")
        .arg(StatusText(*life.status), life.lastTest, life.lastTestCentre)
        .arg(life.monthsSinceTest);
}

QString VehiclesText(const Life &life)
{
    const auto month = [](const QDate &d) { return d.toString(QStringLiteral("MM/yyyy")); };
    QStringList out;
    for (const Mount &m : life.vehicles) {
        QString span;
        if (m.from.isValid() && m.until.isValid())
            span = QStringLiteral("%1 a %2").arg(month(m.from), month(m.until));
        else if (m.from.isValid())
            span = QStringLiteral("desde ") + month(m.from);
        else if (m.until.isValid())
            span = QStringLiteral("hasta ") + month(m.until);
        out << (span.isEmpty() ? m.plate : QStringLiteral("%1 (%2)").arg(m.plate, span));
    }
    return out.join(QStringLiteral(", "));
}

QString PendingStateText(int state)
{
    switch (state) {
    case 1:
        return QStringLiteral("VERIFICADA CON OBS");
    case 2:
        return QStringLiteral("VERIFICADA");
    default:
        return QStringLiteral("A VERIFICAR");
    }
}

} // namespace CylinderLife
