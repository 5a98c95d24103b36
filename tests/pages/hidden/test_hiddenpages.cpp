// The hidden page's export and the demonstration plot's save, through their buttons.
#include <QFileDialog>
#include <QPushButton>
#include <QtTest>

#include "../pagewindow.h"
#include "app/dialogresponder.h"

class TestHiddenPages : public QObject {
    Q_OBJECT
private slots:
    void saveDemoPlot_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("magic");
        QTest::newRow("png") << "chart.png" << QByteArray("\x89PNG");
        QTest::newRow("jpg") << "chart.jpg" << QByteArray("\xff\xd8\xff");
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
        responder.setDialogHandler([&](QDialog *d) {
            auto *fd = qobject_cast<QFileDialog *>(d);
            if (!fd)
                return d->reject();
            offered = QFileInfo(fd->selectedFiles().value(0)).fileName();
            fd->selectFile(QDir(pw.folder()).filePath(name));
            QMetaObject::invokeMethod(fd, "accept");
        });
        pw.edit("demoAol1", QStringLiteral("100"));
        pw.w<QPushButton>("refreshDemoButton")->click();
        pw.w<QPushButton>("demoSaveButton")->click();
        QCOMPARE(offered, QStringLiteral("temp.jpg"));
        QFile file(QDir(pw.folder()).filePath(name));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(magic.size()) == magic);
    }

    void cancelledGuideWritesNothing()
    {
        PageWindow pw;
        DialogResponder responder;
        responder.setDialogHandler([](QDialog *d) { d->reject(); });
        pw.w<QPushButton>("PSGButton")->click();
        QCOMPARE(QDir(pw.folder()).entryList({ QStringLiteral("*.csv") }, QDir::Files), QStringList());
        for (const DialogResponder::Message &m : responder.messages())
            QVERIFY(m.text.isEmpty()); // only the folder dialog
    }

    void unwritableGuideNamesTheFile()
    {
        PageWindow pw;
        QDir out(pw.folder());
        QVERIFY(out.mkpath(QStringLiteral("guide/HighCurrentPWM.csv")));
        DialogResponder responder;
        responder.setDialogHandler([&](QDialog *d) {
            auto *fd = qobject_cast<QFileDialog *>(d);
            if (!fd)
                return d->reject();
            fd->selectFile(out.filePath(QStringLiteral("guide")));
            QMetaObject::invokeMethod(fd, "accept");
        });
        pw.w<QPushButton>("PSGButton")->click();
        QStringList texts;
        for (const DialogResponder::Message &m : responder.messages())
            if (!m.text.isEmpty())
                texts << m.text;
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.first().contains(QStringLiteral("HighCurrentPWM.csv")), qPrintable(texts.first()));
        QVERIFY(QFile::exists(out.filePath(QStringLiteral("guide/HighVoltageOpAmps.csv"))));
        QVERIFY(!QFile::exists(out.filePath(QStringLiteral("guide/HighVoltagePWM.csv"))));
    }
};

QTEST_MAIN(TestHiddenPages)
#include "test_hiddenpages.moc"
