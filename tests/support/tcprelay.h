#pragma once

#include <QString>
#include <QtGlobal>
#include <memory>

// A TCP relay on 127.0.0.1 in front of a server port: the slow link of the
// benchmarks and the broken link of the fault tests. It runs on a thread of
// its own, so it keeps moving bytes while the caller is blocked in a
// database call.
//
// Every byte is held `oneWayDelayMs` in each direction (a 50 ms round trip
// is 25 each way). A request burst is data from the client after the server
// last spoke (or the first data of a connection): one round trip on the wire.
class TcpRelay
{
public:
    explicit TcpRelay(quint16 targetPort, int oneWayDelayMs = 0);
    ~TcpRelay();
    TcpRelay(const TcpRelay &) = delete;
    TcpRelay &operator=(const TcpRelay &) = delete;

    quint16 port() const;
    QString hostPort() const; // "127.0.0.1:<port>", as connection settings write it

    void setDelay(int oneWayDelayMs);
    quint64 bursts() const;      // request bursts since the last reset
    quint64 connections() const; // connections accepted since the last reset
    quint64 bytesUp() const;     // client to server since the last reset
    void resetCounts();

    // Nothing is forwarded while stalled: a server that stopped answering.
    void setStalled(bool stalled);
    // When burst number `n` (counted from now, 1 = the next request) arrives,
    // every connection is dropped before that request reaches the server.
    void cutAtBurst(quint64 n);
    // When the server starts answering request number `n` from now, the
    // answer is thrown away and every connection dropped: the request was
    // carried out but the client never hears so.
    void cutWhenAnswering(quint64 n);
    // The first request whose bytes hold `needle` (the link carries plain
    // text) is held and the link stalls from then on, or every connection is
    // dropped before it reaches the server.
    void stallOn(const QByteArray &needle);
    void cutOn(const QByteArray &needle);
    // The first request holding `needle` reaches the server, but nothing the
    // server says on that connection comes back: it did the work and the
    // client waits until its timeout. Other connections go on.
    void muteAnswerTo(const QByteArray &needle);
    void dropAll();
    // Forgets the cuts, stalls and mutes still waiting for their request.
    void clearFaults();

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};
