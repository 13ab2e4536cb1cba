#include "tcprelay.h"

#include <QElapsedTimer>
#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QTimer>
#include <atomic>
#include <deque>
#include <list>

namespace
{

struct Chunk {
    qint64 due; // ms on the relay's clock
    QByteArray bytes;
};

} // namespace

// Lives on the relay thread; every member is touched only there, but for the
// atomics the caller reads.
class RelayWorker : public QObject
{
public:
    quint16 target;
    std::atomic<int> delay{0};
    std::atomic<quint64> bursts{0};
    std::atomic<quint64> accepted{0};
    std::atomic<quint64> bytesUp{0};
    std::atomic<bool> stalled{false};
    std::atomic<quint64> cutAt{0};                 // burst number that drops everything; 0 = never
    std::atomic<quint64> cutAnswer{0};             // burst number whose answer drops everything
    QByteArray stallNeedle, cutNeedle, muteNeedle; // relay thread only
    QTcpServer *server = nullptr;
    QElapsedTimer clock;

    struct Pipe {
        QPointer<QTcpSocket> client, upstream;
        std::deque<Chunk> up, down;  // waiting to be written
        bool serverSpokeLast = true; // the first client bytes open a burst
        bool muted = false;          // what the server says is thrown away
        quint64 lastBurst = 0;
        QTimer *timer = nullptr;
    };
    std::list<Pipe> pipes;

    explicit RelayWorker(quint16 t) : target(t) { clock.start(); }

    void start()
    {
        server = new QTcpServer(this);
        server->listen(QHostAddress::LocalHost, 0);
        connect(server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *c = server->nextPendingConnection())
                adopt(c);
        });
    }

    void adopt(QTcpSocket *client)
    {
        ++accepted;
        pipes.emplace_back();
        Pipe &p = pipes.back();
        p.client = client;
        p.upstream = new QTcpSocket(this);
        p.timer = new QTimer(this);
        p.timer->setSingleShot(true);
        client->setParent(this);
        client->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        p.upstream->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        Pipe *pp = &p;
        connect(p.timer, &QTimer::timeout, this, [this, pp] { flush(*pp); });
        connect(client, &QTcpSocket::readyRead, this, [this, pp] { fromClient(*pp); });
        connect(p.upstream, &QTcpSocket::readyRead, this, [this, pp] { fromServer(*pp); });
        connect(client, &QTcpSocket::disconnected, this, [this, pp] { close(*pp); });
        connect(p.upstream, &QTcpSocket::disconnected, this, [this, pp] { close(*pp); });
        p.upstream->connectToHost(QHostAddress::LocalHost, target);
    }

    void fromClient(Pipe &p)
    {
        const QByteArray bytes = p.client->readAll();
        if (bytes.isEmpty())
            return;
        bytesUp += quint64(bytes.size());
        if (!cutNeedle.isEmpty() && bytes.contains(cutNeedle)) {
            cutNeedle.clear();
            dropAll();
            return;
        }
        if (!muteNeedle.isEmpty() && bytes.contains(muteNeedle)) {
            muteNeedle.clear();
            p.muted = true;
        }
        if (!stallNeedle.isEmpty() && bytes.contains(stallNeedle)) {
            stallNeedle.clear();
            stalled = true;
        }
        if (p.serverSpokeLast) {
            p.serverSpokeLast = false;
            p.lastBurst = ++bursts;
            if (cutAt != 0 && p.lastBurst >= cutAt) {
                cutAt = 0;
                dropAll();
                return;
            }
        }
        p.up.push_back({clock.elapsed() + delay, bytes});
        schedule(p);
    }

    void fromServer(Pipe &p)
    {
        const QByteArray bytes = p.upstream->readAll();
        if (bytes.isEmpty() || p.muted)
            return;
        if (cutAnswer != 0 && p.lastBurst >= cutAnswer) {
            cutAnswer = 0;
            dropAll();
            return;
        }
        p.serverSpokeLast = true;
        p.down.push_back({clock.elapsed() + delay, bytes});
        schedule(p);
    }

    void schedule(Pipe &p)
    {
        if (stalled)
            return;
        qint64 next = -1;
        for (const auto *q : {&p.up, &p.down})
            if (!q->empty() && (next < 0 || q->front().due < next))
                next = q->front().due;
        if (next < 0)
            return;
        const qint64 wait = next - clock.elapsed();
        if (wait <= 0)
            flush(p);
        else
            p.timer->start(int(wait));
    }

    void flush(Pipe &p)
    {
        if (stalled)
            return;
        const qint64 now = clock.elapsed();
        auto drain = [now](std::deque<Chunk> &q, QTcpSocket *to) {
            while (!q.empty() && q.front().due <= now) {
                // Bytes for a peer that is still connecting wait in its buffer.
                if (to)
                    to->write(q.front().bytes);
                q.pop_front();
            }
            if (to)
                to->flush();
        };
        drain(p.up, p.upstream);
        drain(p.down, p.client);
        schedule(p);
    }

    void close(Pipe &p)
    {
        for (QTcpSocket *s : {p.client.data(), p.upstream.data()})
            if (s) {
                s->disconnect(this);
                s->abort();
                s->deleteLater();
            }
        p.up.clear();
        p.down.clear();
        if (p.timer)
            p.timer->stop();
    }

    void dropAll()
    {
        for (Pipe &p : pipes)
            close(p);
    }

    void resume()
    {
        for (Pipe &p : pipes)
            schedule(p);
    }
};

struct TcpRelay::Impl {
    QThread thread;
    RelayWorker *worker = nullptr;
    quint16 port = 0;

    template <typename F> void onRelay(F f) { QMetaObject::invokeMethod(worker, f, Qt::BlockingQueuedConnection); }
};

TcpRelay::TcpRelay(quint16 targetPort, int oneWayDelayMs) : d(std::make_unique<Impl>())
{
    d->worker = new RelayWorker(targetPort);
    d->worker->delay = oneWayDelayMs;
    d->worker->moveToThread(&d->thread);
    QObject::connect(&d->thread, &QThread::finished, d->worker, &QObject::deleteLater);
    d->thread.start();
    d->onRelay([this] {
        d->worker->start();
        d->port = d->worker->server->serverPort();
    });
}

TcpRelay::~TcpRelay()
{
    d->onRelay([this] { d->worker->dropAll(); });
    d->thread.quit();
    d->thread.wait();
}

quint16 TcpRelay::port() const
{
    return d->port;
}

QString TcpRelay::hostPort() const
{
    return QStringLiteral("127.0.0.1:%1").arg(d->port);
}

void TcpRelay::setDelay(int oneWayDelayMs)
{
    d->worker->delay = oneWayDelayMs;
}

quint64 TcpRelay::bursts() const
{
    return d->worker->bursts;
}

quint64 TcpRelay::connections() const
{
    return d->worker->accepted;
}

quint64 TcpRelay::bytesUp() const
{
    return d->worker->bytesUp;
}

void TcpRelay::resetCounts()
{
    d->onRelay([this] {
        d->worker->bursts = 0;
        d->worker->accepted = 0;
        d->worker->bytesUp = 0;
        // The next client bytes of a live connection open a new burst.
        for (auto &p : d->worker->pipes)
            p.serverSpokeLast = true;
    });
}

void TcpRelay::setStalled(bool stalled)
{
    d->onRelay([this, stalled] {
        d->worker->stalled = stalled;
        if (!stalled)
            d->worker->resume();
    });
}

void TcpRelay::cutAtBurst(quint64 n)
{
    d->onRelay([this, n] { d->worker->cutAt = d->worker->bursts + n; });
}

void TcpRelay::cutWhenAnswering(quint64 n)
{
    d->onRelay([this, n] { d->worker->cutAnswer = d->worker->bursts + n; });
}

void TcpRelay::stallOn(const QByteArray &needle)
{
    d->onRelay([this, needle] { d->worker->stallNeedle = needle; });
}

void TcpRelay::muteAnswerTo(const QByteArray &needle)
{
    d->onRelay([this, needle] { d->worker->muteNeedle = needle; });
}

void TcpRelay::cutOn(const QByteArray &needle)
{
    d->onRelay([this, needle] { d->worker->cutNeedle = needle; });
}

void TcpRelay::clearFaults()
{
    d->onRelay([this] {
        d->worker->cutAt = 0;
        d->worker->cutAnswer = 0;
        d->worker->stallNeedle.clear();
        d->worker->cutNeedle.clear();
        d->worker->muteNeedle.clear();
    });
}

void TcpRelay::dropAll()
{
    d->onRelay([this] { d->worker->dropAll(); });
}
