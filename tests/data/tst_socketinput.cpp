#include "core/platform.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

// The idle-session check before each statement asks the platform whether the
// server wrote something unasked: a farewell, or a closed socket.
class TestSocketInput : public QObject
{
    Q_OBJECT
private slots:
    void seesPendingBytesAndInvalidSockets()
    {
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, server.serverPort());
        QVERIFY(client.waitForConnected(5000));
        QVERIFY(server.waitForNewConnection(5000));
        QTcpSocket *peer = server.nextPendingConnection();
        const qintptr fd = client.socketDescriptor();

        QVERIFY(!Platform::socketHasInput(fd));
        peer->write("bye");
        QVERIFY(peer->waitForBytesWritten(5000));
        QTRY_VERIFY(Platform::socketHasInput(fd));

        QVERIFY(Platform::socketHasInput(-1));
    }
};

QTEST_GUILESS_MAIN(TestSocketInput)
#include "tst_socketinput.moc"
