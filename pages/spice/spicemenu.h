#pragma once

class QWidget;
class ToolPage;

// Gives a page's schematic canvas a right-click menu with one entry, "Export
// SPICE Netlist…", which triggers the window's File menu action of that name
// (object name actionExport_SPICE_Netlist): one way to the save dialog for
// both. The entry is disabled, with the page's reason as its tip, when the
// page has nothing to export; a canvas outside a window gets no menu.
void addSpiceExportEntry(QWidget *canvas, const ToolPage *page);
