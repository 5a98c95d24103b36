#pragma once

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <QVector>

#include <functional>
#include <memory>

#include "catalog/catalogs.h"
#include "files/designfile.h"
#include "pages/spice/spicenetlist.h"

class ToolPage;
class LinearSelectorPage;
class SoaPage;
class StabilityPage;
class CurrentPumpPage;
class BodePlotPage;
class HeatsinkPage;
class PwmSelectorPage;
class PwmPowerPage;
class ThreePhasePage;
class ExamplesPage;
class Examples;
class FilterPage;
class ControlStep1Page;
class ControlStep2Page;
class ControlStep3Page;
class HiddenPage;
class PlaceholderPage;
class CommunicationPage;
class SchematicEditorPage;

namespace Ui {
class MainWindow;
}

// How the window is started: where the catalogs come from, and whether it may
// reach the network (scripts and tests run without it).
struct StartOptions {
    QString catalogDir; // empty: the built-in resources
    bool offline = false; // no update check
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr, const StartOptions &options = StartOptions());
    ~MainWindow() override;

    const Catalogs &catalogs() const { return m_catalogs; }

    bool designChanged() const { return m_designChanged; }
    void setDesignChanged(bool changed = true)
    {
        m_designChanged = changed;
        m_changedOutsideTutorial = changed;
    }
    QString designPath() const { return m_designPath; }
    void setDesignPath(const QString &path) { m_designPath = path; }

    // Design-file operations behind Save, Save As, Open and the close prompt.
    bool saveEntries(bool saveAs);
    void loadEntries();
    // Opens the current design path; a file that does not open, does not
    // carry the header or is past the design-file limits changes nothing and
    // gives false.
    bool openFile();
    DesignFile::Design &design() { return *m_design; }

    // The tool pages by what they do (the forms keep their object names).
    LinearSelectorPage *linearSelectorPage() const;
    SoaPage *soaPage() const;
    StabilityPage *stabilityPage() const;
    CurrentPumpPage *currentPumpPage() const;
    BodePlotPage *bodePlotPage() const;
    HeatsinkPage *heatsinkPage() const;
    PwmSelectorPage *pwmSelectorPage() const;
    PwmPowerPage *pwmPowerPage() const;
    ThreePhasePage *threePhasePage() const;
    ExamplesPage *examplesPage() const;
    FilterPage *filterPage() const;
    ControlStep1Page *controlStep1Page() const;
    ControlStep2Page *controlStep2Page() const;
    ControlStep3Page *controlStep3Page() const;
    HiddenPage *hiddenPage() const;
    PlaceholderPage *placeholderPage() const;
    CommunicationPage *communicationPage() const;
    SchematicEditorPage *schematicEditorPage() const;
    // Every tool page in the order they start up and recompute after a
    // design opens: later pages may read what earlier ones computed.
    const QVector<ToolPage *> &pages() const { return m_pages; }
    // Shows page `index` of the stack as navigation would: with the way home
    // on every page but the home page. False for a page that does not exist.
    bool showPageAt(int index);

    // The circuit of the page on screen, titled with the design's file name;
    // empty, with the reason, on a page that has none.
    SpiceNetlist currentSpiceNetlist() const;

    // Tutorials. startTutorial asks first when the user's own changes are
    // unsaved, then opens (or brings forward) the step dialog at `step`;
    // displayExample puts the pages into the state of a step.
    void startTutorial(int step);
    void openExDia(int step);
    void displayExample(int step);
    // The tutorial dialog while it is open; none otherwise.
    Examples *tutorialDialog() const;

public slots:
    // Shows the examples page with example `index` selected, for the
    // tutorial buttons of the tool pages.
    void showExample(int index);
    void loadExample(int step);

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void on_actionSave_triggered();
    void on_actionSave_As_triggered();
    void on_actionOpen_triggered();
    void on_actionSupport_triggered();
    void on_actionExport_SPICE_Netlist_triggered();

    void on_includePreReleased_clicked(bool checked);

private:
    void connectNavigation();
    void showPage(QWidget *page, bool showHome);
    void fillSelectors();
    void setFontSize(int points);
    void readPreferences();
    void writePreferences() const;
    // Enables the export on a page with a circuit, else says why in its tip.
    void updateSpiceAction();
    bool tutorialMayReplaceDesign();

    Ui::MainWindow *ui;
    StartOptions m_options;
    Catalogs m_catalogs;
    QVector<ToolPage *> m_pages;
    // What runs when a page is reached from the home page, for showPageAt.
    QHash<QWidget *, std::function<void()>> m_arrivals;
    std::unique_ptr<DesignFile::Design> m_design;
    QString m_designPath;
    bool m_fileNamed = false; // Save writes without asking once a file was named
    bool m_designChanged = false;
    // Whether a change came from somewhere other than a tutorial's presets.
    bool m_changedOutsideTutorial = false;
    bool m_applyingPresets = false;
    QPointer<Examples> m_exDialog;
};
