#pragma once

#include "core/connectionsettings.h"

#include <QObject>
#include <QSqlRecord>
#include <QVariantMap>
#include <QVector>

// A long select run off the window's thread, so that a list of thousands of
// operations never freezes the window. Each connection of the data module
// has a worker thread with a session of its own to the same server, opened on
// first use and kept; the statements are the catalogue's. The rows come back
// on the thread that started the run; cancel() stops the statement on the
// server. One run at a time per object: a new start() cancels the last.
class BackgroundQuery : public QObject
{
    Q_OBJECT
public:
    explicit BackgroundQuery(QObject *parent = nullptr);
    ~BackgroundQuery() override; // a run still going is cancelled

    // The catalogue statement `statement` (dm1) with `params` by name, on
    // the worker of the statement's connection.
    void start(const QString &statement, const QVariantMap &params);
    void cancel();
    bool isRunning() const { return m_job != 0; }

    // Stops every worker and closes their sessions (tests, program end).
    static void stopWorkers();

signals:
    void finished(const QVector<QSqlRecord> &rows);
    void failed(const QString &text); // the client's text, or why it could not run
    void cancelled();

private:
    void onDone(quint64 job, const QVector<QSqlRecord> &rows, const QString &error, bool killed);

    quint64 m_job = 0;
    Conn m_conn = Conn::Operations;
};
