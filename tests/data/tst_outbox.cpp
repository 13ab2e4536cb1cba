// The outbox: new operations kept on this workstation while the PEC's server
// cannot be reached, whole (cylinders, attachments, the write's ticket and
// the operator's answers), and a damaged file set aside, never lost.
#include "data/dberror.h"
#include "data/localstore.h"
#include "data/outbox.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TstOutbox : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString path() const { return m_dir.filePath(QStringLiteral("SalidaPEC.db")); }

    static OperationRecord sample(const QString &attachment)
    {
        OperationRecord r;
        r.kind = QStringLiteral("C");
        r.description = QStringLiteral("CONVERSION");
        r.dominio = QStringLiteral("AB123CD");
        r.nombre = QStringLiteral("PEREZ JOSÉ");
        r.calle = QStringLiteral("RIVADAVIA 900 🚗");
        r.fechaMontaje = QDate(2026, 12, 9);
        r.hasSecondRegulator = true;
        r.reguladorNuevo.codigo = QStringLiteral("R02");
        r.accesorios[3] = QStringLiteral("A-77");
        r.attachmentPaths[1] = attachment;
        CylinderRow c;
        c.nroSerie = QStringLiteral("CIL-1");
        c.capacidad = 60;
        c.fecVencCrpc = QDate(2031, 4, 30);
        r.cylinders << c << CylinderRow{};
        return r;
    }

private slots:
    void anEntryKeepsTheWholeOperation()
    {
        const QString file = m_dir.filePath(QStringLiteral("dorso.jpg"));
        {
            QFile f(file);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray("\xff\xd8 imagen \x00 binaria", 20));
        }
        Outbox box(path());
        QSignalSpy changed(&box, &Outbox::changed);
        WriteOnce::Ticket ticket;
        ticket.unresolved = true;
        ticket.lostSession = 4242;
        const OperationRecord r = sample(file);
        const QHash<QString, bool> answers{{QStringLiteral("El dominio ingresado ya figura. Sigue?"), true}};
        const qint64 id = box.add(r, ticket, answers);
        QFile::remove(file); // the outbox holds its own copy

        QCOMPARE(box.count(), 1);
        const std::optional<OutboxEntry> e = box.entry(id);
        QVERIFY(e);
        QCOMPARE(e->record.dominio, r.dominio);
        QCOMPARE(e->record.calle, r.calle);
        QCOMPARE(e->record.fechaMontaje, r.fechaMontaje);
        QCOMPARE(e->record.reguladorNuevo, r.reguladorNuevo);
        QCOMPARE(e->record.accesorios, r.accesorios);
        QCOMPARE(e->record.cylinders, r.cylinders);
        QCOMPARE(e->files[1], QByteArray("\xff\xd8 imagen \x00 binaria", 20));
        QCOMPARE(e->fileNames[1], QStringLiteral("dorso.jpg"));
        QVERIFY(e->files[0].isNull());
        QCOMPARE(e->answers, answers);
        QCOMPARE(e->ticket.token, ticket.token);
        QVERIFY(e->ticket.unresolved);
        QCOMPARE(e->ticket.lostSession, qulonglong(4242));

        // A refused send keeps it, with why; a corrected one takes its place.
        box.noteAttempt(id, QStringLiteral("Código de Regulador no encontrado."), true, ticket);
        QCOMPARE(box.list().first().attempts, 1);
        QVERIFY(box.list().first().refused);
        OperationRecord corrected = e->record;
        corrected.attachmentPaths = {};
        corrected.regulador.codigo = QStringLiteral("R01");
        const qint64 again = box.add(corrected, ticket, answers, id);
        QCOMPARE(box.count(), 1);
        QCOMPARE(box.entry(again)->record.regulador.codigo, QStringLiteral("R01"));
        QVERIFY(!box.entry(id));

        // An attachment that cannot be read keeps nothing.
        WriteOnce::Ticket other;
        QVERIFY_THROWS_EXCEPTION(DbError, box.add(sample(m_dir.filePath(QStringLiteral("no-esta.jpg"))), other, {}));
        QCOMPARE(box.count(), 1);
        box.remove(again);
        QCOMPARE(box.count(), 0);
        QCOMPARE(changed.count(), 4);
    }

    void aDamagedFileIsSetAsideNextToEarlierOnes()
    {
        QStringList notices;
        LocalStore::setNoticeHandler([&](const QString &text) { notices << text; });
        const auto damage = [this] {
            {
                Outbox box(path());
                box.add(sample(QString()), WriteOnce::Ticket(), {});
            }
            QFile f(path());
            QVERIFY(f.open(QIODevice::ReadWrite));
            f.write(QByteArray(100, 'x')); // the header: not a database any more
        };
        const auto aside = [this] {
            return QDir(m_dir.path()).entryList({QStringLiteral("SalidaPEC.db.dañada-*")}, QDir::Files, QDir::Name);
        };
        damage();
        {
            Outbox box(path());
            QCOMPARE(box.count(), 0);
        }
        QCOMPARE(aside().size(), 1);
        QVERIFY2(notices.value(0).contains(aside().first()), qPrintable(notices.value(0)));
        QFile first(m_dir.filePath(aside().first()));
        QVERIFY(first.open(QIODevice::ReadOnly));
        const QByteArray firstCopy = first.readAll();

        damage();
        Outbox box(path());
        QCOMPARE(box.count(), 0);
        QCOMPARE(aside().size(), 2);
        QFile stillThere(first.fileName());
        QVERIFY(stillThere.open(QIODevice::ReadOnly));
        QCOMPARE(stillThere.readAll(), firstCopy);
        LocalStore::setNoticeHandler({});
    }
};

QTEST_GUILESS_MAIN(TstOutbox)
#include "tst_outbox.moc"
