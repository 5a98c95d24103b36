#include <QAction>
#include <QFileDialog>
#include <QMenu>
#include <QtTest>

#include "app/dialogresponder.h"
#include "tests/pages/pagewindow.h"

// The schematic's right-click entry goes the File menu action's way: its
// save dialog, and the netlist written where the user chose.
class TestSpiceExportEntry : public QObject {
    Q_OBJECT
private slots:
    void schematicEntryExports()
    {
        PageWindow win;
        const QString path = QDir(win.folder()).filePath(QStringLiteral("loop.cir"));
        DialogResponder responder;
        responder.setDialogHandler([&](QDialog *d) {
            if (auto *files = qobject_cast<QFileDialog *>(d)) {
                files->selectFile(path);
                static_cast<QDialog *>(files)->accept();
            } else {
                d->reject();
            }
        });
        QVERIFY(win.window->showPageAt(4));
        QCustomPlot *canvas = win.plot("StabSch");
        QSignalSpy fileAction(win.w<QAction>("actionExport_SPICE_Netlist"), &QAction::triggered);
        emit canvas->customContextMenuRequested(QPoint(10, 10));
        auto *menu = canvas->findChild<QMenu *>();
        QVERIFY(menu);
        QCOMPARE(menu->actions().size(), 1);
        QAction *entry = menu->actions().first();
        QVERIFY(entry->isEnabled());
        entry->trigger();
        QCOMPARE(fileAction.count(), 1);
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QVERIFY(f.readLine().startsWith("Ampora stability page"));
    }
};

QTEST_MAIN(TestSpiceExportEntry)
#include "test_spiceexportentry.moc"
