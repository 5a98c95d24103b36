// The hidden page's export and the demonstration plot's save, through their buttons.
#include <QFileDialog>
#include <QPushButton>
#include <QtTest>

#include "../pagewindow.h"
#include "app/dialogresponder.h"

namespace {

// Answers every file dialog with path, and rejects any other dialog.
void chooseFile(DialogResponder &responder, const QString &path, QString *offered = nullptr)
{
    responder.setDialogHandler([path, offered](QDialog *d) {
        auto *fd = qobject_cast<QFileDialog *>(d);
        if (!fd)
            return d->reject();
        if (offered)
            *offered = QFileInfo(fd->selectedFiles().value(0)).fileName();
        fd->selectFile(path);
        QMetaObject::invokeMethod(fd, "accept");
    });
}

QStringList texts(const DialogResponder &responder)
{
    QStringList out;
    for (const DialogResponder::Message &m : responder.messages())
        if (!m.text.isEmpty()) // a file dialog has no text
            out << m.text;
    return out;
}

} // namespace

class TestHiddenPages : public QObject {
    Q_OBJECT
private slots:
    void saveDemoPlot_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("png") << "chart.png" << QByteArray("\x89PNG");
        QTest::newRow("pdf") << "chart.pdf" << QByteArray("%PDF");
    }
    void saveDemoPlot()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, magic);
        PageWindow pw;
        pw.window->show();
        QString offered;
        DialogResponder responder;
        chooseFile(responder, QDir(pw.folder()).filePath(name), &offered);
        pw.edit("demoAol1", QStringLiteral("100"));
        pw.w<QPushButton>("refreshDemoButton")->click();
        pw.w<QPushButton>("demoSaveButton")->click();
        QCOMPARE(offered, QStringLiteral("temp.jpg"));
        QFile file(QDir(pw.folder()).filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.read(magic.size()), magic);
    }

    // Cancelled, the guide writes nothing; a file it cannot write is named and
    // stops the export there.
    void productGuideExport()
    {
        PageWindow pw;
        QDir out(pw.folder());
        DialogResponder responder;
        responder.setDialogHandler([](QDialog *d) { d->reject(); });
        pw.w<QPushButton>("PSGButton")->click();
        QCOMPARE(out.entryList({ QStringLiteral("*.csv") }, QDir::Files), QStringList());
        QCOMPARE(texts(responder), QStringList());

        QVERIFY(out.mkpath(QStringLiteral("guide/HighCurrentPWM.csv")));
        chooseFile(responder, out.filePath(QStringLiteral("guide")));
        pw.w<QPushButton>("PSGButton")->click();
        QCOMPARE(texts(responder).size(), 1);
        QVERIFY2(texts(responder).first().contains(QStringLiteral("HighCurrentPWM.csv")),
            qPrintable(texts(responder).first()));
        QVERIFY(QFile::exists(out.filePath(QStringLiteral("guide/HighVoltageOpAmps.csv"))));
        QVERIFY(!QFile::exists(out.filePath(QStringLiteral("guide/HighVoltagePWM.csv"))));
    }
};

QTEST_MAIN(TestHiddenPages)
#include "test_hiddenpages.moc"
