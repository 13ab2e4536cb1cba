#pragma once

#include "core/operationrecord.h"
#include "data/writeonce.h"

#include <QDateTime>
#include <QHash>
#include <QObject>
#include <QString>
#include <QVector>
#include <array>
#include <optional>

// New pending operations stored on this workstation while the PEC's server
// cannot be reached, until they are sent. Each keeps the ticket of its
// write, so that however often it is sent (a send whose answer was lost
// included) the server stores it once, and the answers the operator gave to
// the checks' questions, so that a later send does not ask them again.
// An SQLite file beside the local tables ("SalidaPEC.db"), written with a
// full sync before a store is said: it survives a crash or a power cut.
struct OutboxEntry {
    qint64 id = 0;
    WriteOnce::Ticket ticket;
    QDateTime storedAt;
    int attempts = 0;
    QString lastError;    // why the last send did not store it
    bool refused = false; // the server's checks refused it: it waits for the operator
    OperationRecord record;
    QHash<QString, bool> answers;     // question text -> the operator's answer
    std::array<QByteArray, 3> files;  // the attachments' contents
    std::array<QString, 3> fileNames; // and their names, as attached
};

class Outbox : public QObject
{
    Q_OBJECT
public:
    static Outbox &instance(); // in LocalStore::directory()
    explicit Outbox(QString path, QObject *parent = nullptr);
    ~Outbox() override;

    static QString fileName();

    // Stores `r` with the contents of its attachments, in place of the entry
    // `replacing` when given; throws DbError when it cannot (the disk, an
    // attachment that cannot be read): then nothing changed.
    qint64 add(const OperationRecord &r, const WriteOnce::Ticket &ticket, const QHash<QString, bool> &answers,
               qint64 replacing = 0);
    // Without the records and files; oldest first.
    QVector<OutboxEntry> list();
    std::optional<OutboxEntry> entry(qint64 id);
    int count();
    // A send that did not store it: the reason, and the ticket as it left it.
    void noteAttempt(qint64 id, const QString &error, bool refused, const WriteOnce::Ticket &ticket);
    void remove(qint64 id);

signals:
    void changed();

private:
    void open();
    QString m_path, m_connection;
    bool m_open = false;
};
