#include "pages/spice/spicemenu.h"

#include <QAction>
#include <QMenu>

#include "pages/toolpage.h"

void addSpiceExportEntry(QWidget *canvas, const ToolPage *page)
{
    if (canvas->property("spiceExportEntry").toBool())
        return;
    canvas->setProperty("spiceExportEntry", true);
    canvas->setContextMenuPolicy(Qt::CustomContextMenu);
    QObject::connect(canvas, &QWidget::customContextMenuRequested, canvas, [canvas, page](const QPoint &at) {
        auto *windowAction
            = canvas->window()->findChild<QAction *>(QStringLiteral("actionExport_SPICE_Netlist"));
        if (!windowAction)
            return;
        auto *menu = new QMenu(canvas);
        menu->setAttribute(Qt::WA_DeleteOnClose);
        menu->setToolTipsVisible(true);
        QAction *entry = menu->addAction(windowAction->text());
        const SpiceNetlist netlist = page->spiceNetlist(QString());
        entry->setEnabled(!netlist.isEmpty());
        const QString tip = netlist.isEmpty()
            ? netlist.unavailable
            : QStringLiteral("Writes this page's circuit as a SPICE netlist (.cir).");
        entry->setToolTip(tip);
        entry->setStatusTip(tip);
        QObject::connect(entry, &QAction::triggered, windowAction, [windowAction] {
            // The window brings the action up to date when the page or the File
            // menu is shown; an edit since then may have given the page a circuit.
            windowAction->setEnabled(true);
            windowAction->trigger();
        });
        menu->popup(canvas->mapToGlobal(at));
    });
}
