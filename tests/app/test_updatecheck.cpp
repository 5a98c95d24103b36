// The update check against a real HTTP server on loopback.
#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

#include "app/dialogresponder.h"
#include "app/mainwindow.h"
#include "app/updatecheck.h"

namespace {

// Answers every request with one canned HTTP response, or never answers.
class VersionServer : public QTcpServer {
public:
    QByteArray response; // empty: keep the connection open and say nothing

    explicit VersionServer(const QByteArray &reply)
        : response(reply)
    {
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection()) {
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
                    socket->readAll();
                    if (response.isEmpty())
                        return;
                    socket->write(response);
                    socket->disconnectFromHost();
                });
            }
        });
        listen(QHostAddress::LocalHost);
    }
    QUrl url() const
    {
        return QUrl(
            QStringLiteral("http://127.0.0.1:%1/resources/tools/AmporaCurrentVersion.txt").arg(serverPort()));
    }
};

QByteArray http(const QByteArray &body, const QByteArray &status = "200 OK")
{
    return "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: "
        + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body;
}

// Runs one check; returns the version it announced ("" for none) and whether it ended.
QString check(const QUrl &url, bool *ended, int timeoutMs = 5000)
{
    UpdateCheck updateCheck;
    QSignalSpy found(&updateCheck, &UpdateCheck::newerVersionFound);
    QSignalSpy done(&updateCheck, &UpdateCheck::finished);
    updateCheck.start(url, timeoutMs);
    *ended = done.wait(timeoutMs + 5000);
    return found.isEmpty() ? QString() : found.first().first().toString();
}

} // namespace

class TestUpdateCheck : public QObject {
    Q_OBJECT
private slots:
    void replies_data()
    {
        QTest::addColumn<QByteArray>("response");
        QTest::addColumn<bool>("announced");
        QTest::newRow("9.0.3") << http("9.0.3") << true;
        QTest::newRow("9.0.2") << http("9.0.2") << false;
        QTest::newRow("8.9.9") << http("8.9.9") << false;
        QTest::newRow("9.1") << http("9.1") << true;
        QTest::newRow("9.0.2.1") << http("9.0.2.1") << false;
        QTest::newRow("10 alone") << http("10") << true;
        QTest::newRow("line end") << http("9.0.10\r\n") << true;
        QTest::newRow("empty") << http("") << false;
        QTest::newRow("negative parts") << http("9.-1.5") << false;
        QTest::newRow("binary") << http(QByteArray("\x00\xff\x10.\x01\x80", 6)) << false;
        QTest::newRow("not found") << http("10.0.0", "404 Not Found") << false;
        QTest::newRow("10 MB body") << http("10.0.0\n" + QByteArray(10 * 1024 * 1024, '7')) << false;
    }
    void replies()
    {
        QFETCH(QByteArray, response);
        QFETCH(bool, announced);
        VersionServer server(response);
        bool ended = false;
        const QString found = check(server.url(), &ended);
        QVERIFY(ended);
        QCOMPARE(!found.isEmpty(), announced);
    }

    // A refused connection and a server that never answers both end quietly, the
    // second when its time is up.
    void noAnswer()
    {
        quint16 port = 0;
        {
            QTcpServer closed;
            QVERIFY(closed.listen(QHostAddress::LocalHost));
            port = closed.serverPort();
        }
        bool ended = false;
        QVERIFY(check(QUrl(QStringLiteral("http://127.0.0.1:%1/v.txt").arg(port)), &ended).isEmpty());
        QVERIFY(ended);
        VersionServer server { QByteArray() };
        QElapsedTimer clock;
        clock.start();
        QVERIFY(check(server.url(), &ended, 300).isEmpty());
        QVERIFY(ended);
        QVERIFY(clock.elapsed() < 4000);
    }

    // The window starts the check by itself and says where to go.
    void windowShowsTheUpdateBox()
    {
        VersionServer server(http("10.0.0"));
        const QString site
            = QStringLiteral("http://127.0.0.1:%1").arg(server.serverPort()); // a slash is added
        qputenv("AMPORA_MAKER_SITE", site.toLatin1());
        DialogResponder responder;
        MainWindow window;
        QTRY_COMPARE_WITH_TIMEOUT(responder.messages().size(), 1, 10000);
        QCOMPARE(
            versionFileUrl().toString(), site + QStringLiteral("/resources/tools/AmporaCurrentVersion.txt"));
        qunsetenv("AMPORA_MAKER_SITE");
        QCOMPARE(responder.messages().first().title, QStringLiteral("Update"));
        QVERIFY(responder.messages().first().text.contains(site));
    }
};

QTEST_MAIN(TestUpdateCheck)
#include "test_updatecheck.moc"
