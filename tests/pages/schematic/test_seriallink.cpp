// The serial greeting, read from the far end of a pseudo-terminal pair made by socat.
#include <QProcess>
#include <QPushButton>
#include <QSerialPort>
#include <QStatusBar>
#include <QtTest>

#include "../pagewindow.h"

class TestSerialLink : public QObject {
    Q_OBJECT
private slots:
    void greetingArrives()
    {
        QTemporaryDir dir;
        const QString near = dir.filePath(QStringLiteral("near")), far = dir.filePath(QStringLiteral("far"));
        QProcess socat;
        socat.start(QStringLiteral("socat"),
            { QStringLiteral("pty,raw,echo=0,link=") + near, QStringLiteral("pty,raw,echo=0,link=") + far });
        QVERIFY2(socat.waitForStarted(), "socat is not installed");
        QTRY_VERIFY(QFile::exists(near) && QFile::exists(far));

        QSerialPort board(far);
        QVERIFY(board.open(QIODevice::ReadOnly));
        qputenv("AMPORA_SERIAL_PORT", near.toLocal8Bit());
        {
            PageWindow pw;
            pw.w<QPushButton>("connectButton")->click();
        }
        QByteArray got;
        while (got.size() < 3 && board.waitForReadyRead(3000))
            got += board.readAll();
        QCOMPARE(got, QByteArray("ok*"));
        qunsetenv("AMPORA_SERIAL_PORT");
        socat.terminate();
        socat.waitForFinished();
    }

    void openFailureInStatusBar()
    {
        const QString missing = QStringLiteral("/nonexistent/ttyAMPORA");
        qputenv("AMPORA_SERIAL_PORT", missing.toLocal8Bit());
        PageWindow pw;
        pw.w<QPushButton>("connectButton")->click();
        const QString shown = pw.window->statusBar()->currentMessage();
        qunsetenv("AMPORA_SERIAL_PORT");
        QVERIFY2(shown.contains(missing), qPrintable(shown));
        QSerialPort probe(missing);
        QVERIFY(!probe.open(QIODevice::ReadWrite));
        QVERIFY2(shown.contains(probe.errorString()), qPrintable(shown));
    }
};

QTEST_MAIN(TestSerialLink)
#include "test_seriallink.moc"
