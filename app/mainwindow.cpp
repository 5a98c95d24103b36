#include "app/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QSaveFile>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTextStream>

#include "amporaversion.h"
#include "app/headertips.h"
#include "app/homepage.h"
#include "app/pumphandoff.h"
#include "app/spiceexport.h"
#include "app/updatecheck.h"
#include "files/designfile.h"
#include "pages/charthelper.h"
#include "pages/examples/examplespage.h"
#include "ui_mainwindow.h"

namespace {

const char *const kPreferencesFile = "preferences.txt";

} // namespace

MainWindow::MainWindow(QWidget *parent, const StartOptions &options)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
    , m_options(options)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/ZarnLinear/icon_zarn.png")));
    ui->Page->setCurrentWidget(ui->page);
    ui->HomeButton->hide();

    // The page order of start-up and of the recompute after a design opens.
    m_pages = { linearSelectorPage(), soaPage(), stabilityPage(), pwmSelectorPage(), filterPage(),
        pwmPowerPage(), heatsinkPage(), controlStep1Page(), controlStep2Page(), controlStep3Page(),
        currentPumpPage(), threePhasePage(), examplesPage(), bodePlotPage(), hiddenPage(), placeholderPage(),
        communicationPage(), schematicEditorPage() };

    m_design = std::make_unique<DesignFile::Design>(this);

    if (!m_options.offline)
        startUpdateCheck(this);

    loadAllCatalogs(m_catalogs, false, m_options.catalogDir);
    for (ToolPage *page : m_pages) {
        page->setCatalogs(&m_catalogs);
        connect(page, &ToolPage::designChanged, this, [this] {
            m_designChanged = true;
            if (!m_applyingPresets)
                m_changedOutsideTutorial = true;
        });
    }
    connect(linearSelectorPage(), &LinearSelectorPage::hiddenPageRequested, this,
        [this] { ui->Page->setCurrentWidget(hiddenPage()); });
    connect(currentPumpPage(), &CurrentPumpPage::importFromSoaRequested, this,
        [this] { ImportSOAtoIHCP(*soaPage(), *currentPumpPage()); });
    connect(currentPumpPage(), &CurrentPumpPage::exportToSoaRequested, this, [this] {
        ExportIHCPtoSOA(*currentPumpPage(), *soaPage());
        showPage(soaPage(), true);
    });
    connectNavigation();
    // A page's state decides too, so the action is brought up to date when
    // the menu opens as well as when the page changes.
    ui->menuFile->setToolTipsVisible(true);
    connect(ui->Page, &QStackedWidget::currentChanged, this, &MainWindow::updateSpiceAction);
    connect(ui->menuFile, &QMenu::aboutToShow, this, &MainWindow::updateSpiceAction);
    // The control steps read the circuit of step 1 and the inputs of step 2.
    controlStep2Page()->setCircuitSource([this] { return controlStep1Page()->circuit(); });
    controlStep3Page()->setInputSource([this] { return controlStep2Page()->controlInput(); });
    // "Load Filter to Power Sheet" and the power page's import both carry the
    // filter page's design over and show it on the power page.
    const auto loadFilter = [this] {
        pwmPowerPage()->applyFilterExport(filterPage()->filterExport());
        showPage(pwmPowerPage(), true);
    };
    connect(filterPage(), &FilterPage::loadFilterRequested, this, loadFilter);
    connect(pwmPowerPage(), &PwmPowerPage::importFilterRequested, this, loadFilter);
    // The control design drives the power page's network with its amplifier and supply.
    controlStep2Page()->setPowerSource([this] { return pwmPowerPage()->powerState(); });
    connect(examplesPage(), &ExamplesPage::tutorialRequested, this, &MainWindow::startTutorial);

    readPreferences();
    fillSelectors();
    for (ToolPage *page : m_pages)
        page->initialise();
    // Every chart of every page gets its menu, zoom and legend care here, once
    // the pages have set up their charts and schematic canvases.
    installChartHelpers(this);
    installHeaderTips(this);

    updateSpiceAction();
    m_designChanged = false;
    m_changedOutsideTutorial = false;
}

MainWindow::~MainWindow()
{
    delete ui;
}

LinearSelectorPage *MainWindow::linearSelectorPage() const
{
    return ui->page_2;
}
SoaPage *MainWindow::soaPage() const
{
    return ui->SOApage;
}
StabilityPage *MainWindow::stabilityPage() const
{
    return ui->page_4;
}
CurrentPumpPage *MainWindow::currentPumpPage() const
{
    return ui->page_3;
}
BodePlotPage *MainWindow::bodePlotPage() const
{
    return ui->page_5;
}
HeatsinkPage *MainWindow::heatsinkPage() const
{
    return ui->page_6;
}
PwmSelectorPage *MainWindow::pwmSelectorPage() const
{
    return ui->page_7;
}
PwmPowerPage *MainWindow::pwmPowerPage() const
{
    return ui->page_8;
}
ThreePhasePage *MainWindow::threePhasePage() const
{
    return ui->page_9;
}
ExamplesPage *MainWindow::examplesPage() const
{
    return ui->page_10;
}
FilterPage *MainWindow::filterPage() const
{
    return ui->page_11;
}
ControlStep1Page *MainWindow::controlStep1Page() const
{
    return ui->page_15;
}
ControlStep2Page *MainWindow::controlStep2Page() const
{
    return ui->page_16;
}
ControlStep3Page *MainWindow::controlStep3Page() const
{
    return ui->page_17;
}
HiddenPage *MainWindow::hiddenPage() const
{
    return ui->page_25;
}
PlaceholderPage *MainWindow::placeholderPage() const
{
    return ui->page_13;
}
CommunicationPage *MainWindow::communicationPage() const
{
    return ui->page_21;
}
SchematicEditorPage *MainWindow::schematicEditorPage() const
{
    return ui->page_35;
}

void MainWindow::fillSelectors()
{
    for (ToolPage *page : m_pages)
        page->fillSelectors();
}

void MainWindow::on_includePreReleased_clicked(bool checked)
{
    loadLinearCatalog(m_catalogs.linear, checked, CatalogFiles::linearFile(m_options.catalogDir));
    loadPwmCatalog(m_catalogs.pwms, checked, CatalogFiles::pwmFile(m_options.catalogDir));
    loadPackageStyles(m_catalogs.packages, CatalogFiles::packageFile(m_options.catalogDir));
    loadHeatsinks(m_catalogs.heatsinks, CatalogFiles::heatsinkFile(m_options.catalogDir));
    fillSelectors();
}

bool MainWindow::saveEntries(bool saveAs)
{
    if (saveAs || !m_fileNamed)
        m_designPath = QFileDialog::getSaveFileName(
            this, QStringLiteral("SaveAs"), m_designPath, QLatin1String(DesignFile::kFilter));
    if (m_designPath.isEmpty())
        return false;
    // Written beside the old file and swapped in at the end, so a failed
    // write leaves the design that was there.
    QSaveFile file(m_designPath);
    bool written = file.open(QIODevice::WriteOnly);
    if (written) {
        // A short write is only seen by the flush: commit alone would swap in
        // the truncated file and report success.
        const QByteArray text = m_design->serialise();
        if (file.write(text) != text.size() || !file.flush()) {
            file.cancelWriting();
            file.commit();
            written = false;
        } else {
            written = file.commit();
        }
    }
    const QString shown = QDir::toNativeSeparators(m_designPath);
    if (!written) {
        // Nothing was saved and the old file is untouched; say so where it does not interrupt.
        statusBar()->showMessage(QStringLiteral("The design could not be saved to %1").arg(shown), 15000);
        return false;
    }
    m_fileNamed = true;
    m_designChanged = false;
    m_changedOutsideTutorial = false;
    statusBar()->showMessage(QStringLiteral("Saved %1").arg(shown), 5000);
    return true;
}

void MainWindow::loadEntries()
{
    const QString previous = m_designPath;
    m_designPath = QFileDialog::getOpenFileName(
        this, QStringLiteral("Open"), m_designPath, QLatin1String(DesignFile::kFilter));
    // A refused file leaves the design as it was, including where Save writes it.
    if (!openFile())
        m_designPath = previous;
}

bool MainWindow::openFile()
{
    QFile file(m_designPath);
    if (m_designPath.isEmpty())
        return false;
    if (!file.open(QIODevice::ReadOnly)) {
        statusBar()->showMessage(
            QStringLiteral("%1 could not be opened").arg(QDir::toNativeSeparators(m_designPath)), 15000);
        return false;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QCoreApplication::processEvents();
    // One byte past the limit is enough to refuse a file, however large it is.
    const QByteArray content = file.read(DesignFile::kMaxFileBytes + 1);
    file.close();
    if (!m_design->parse(content)) {
        QApplication::restoreOverrideCursor();
        statusBar()->showMessage(
            QStringLiteral("%1 is not an Ampora design file").arg(QDir::toNativeSeparators(m_designPath)),
            15000);
        return false;
    }
    m_fileNamed = true;

    // Every page recomputes from what the file gave it, in the window's page order.
    for (ToolPage *page : m_pages) {
        page->refresh();
        if (page->redrawsWhenShown() && ui->Page->currentWidget() == page) {
            ui->Page->setCurrentWidget(ui->page);
            ui->Page->setCurrentWidget(page);
        }
    }
    // A design shown on a tool page needs the way back home.
    ui->HomeButton->setVisible(ui->Page->currentWidget() != ui->page);
    updateSpiceAction();
    m_designChanged = false;
    m_changedOutsideTutorial = false;
    QApplication::restoreOverrideCursor();
    return true;
}

void MainWindow::on_actionSave_triggered()
{
    saveEntries(false);
}
void MainWindow::on_actionSave_As_triggered()
{
    saveEntries(true);
}
void MainWindow::on_actionOpen_triggered()
{
    loadEntries();
}

void MainWindow::setFontSize(int points)
{
    QApplication::setFont(QFont(QStringLiteral("MS Shell Dlg 2"), points), "QWidget");
    const QList<QAction *> actions = ui->menuFont->actions();
    const QString own = QStringLiteral("action%1_pt").arg(points);
    for (QAction *action : actions)
        action->setChecked(action->objectName() == own);
}

void MainWindow::readPreferences()
{
    QFile file(QString::fromLatin1(kPreferencesFile));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        m_designPath.clear();
        return;
    }
    m_designPath = QTextStream(&file).readAll();
    // The path is only a starting point for the file dialogs: one that no
    // longer opens is forgotten.
    if (!QFile(m_designPath).open(QIODevice::ReadOnly))
        m_designPath.clear();
}

void MainWindow::writePreferences() const
{
    QFile file(QString::fromLatin1(kPreferencesFile));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return;
    QTextStream(&file) << m_designPath;
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    bool accept = true;
    if (m_designChanged) {
        const auto answer = QMessageBox::question(this, QStringLiteral("Close Ampora"),
            QStringLiteral("Save Changes?\n"), QMessageBox::Save | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Save)
            accept = saveEntries(false);
        else if (answer != QMessageBox::No)
            accept = false;
    }
    writePreferences();
    if (accept)
        event->accept();
    else
        event->ignore();
}

void MainWindow::on_actionSupport_triggered()
{
    showSupportMessage(this);
}

SpiceNetlist MainWindow::currentSpiceNetlist() const
{
    const auto *page = qobject_cast<const ToolPage *>(ui->Page->currentWidget());
    if (!page) {
        SpiceNetlist none;
        none.unavailable
            = QStringLiteral("Choose a tool page with a circuit to export it as a SPICE netlist.");
        return none;
    }
    return page->spiceNetlist(m_designPath.isEmpty() ? QString() : QFileInfo(m_designPath).fileName());
}

void MainWindow::updateSpiceAction()
{
    const SpiceNetlist netlist = currentSpiceNetlist();
    ui->actionExport_SPICE_Netlist->setEnabled(!netlist.isEmpty());
    const QString tip = netlist.isEmpty()
        ? netlist.unavailable
        : QStringLiteral("Writes this page's circuit as a SPICE netlist (.cir).");
    ui->actionExport_SPICE_Netlist->setToolTip(tip);
    ui->actionExport_SPICE_Netlist->setStatusTip(tip);
}

void MainWindow::on_actionExport_SPICE_Netlist_triggered()
{
    const SpiceNetlist netlist = currentSpiceNetlist();
    if (netlist.isEmpty()) {
        statusBar()->showMessage(netlist.unavailable, 10000);
        return;
    }
    const QString suggested = m_designPath.isEmpty()
        ? QStringLiteral("circuit.cir")
        : QFileInfo(m_designPath)
              .dir()
              .filePath(QFileInfo(m_designPath).completeBaseName() + QStringLiteral(".cir"));
    const QString path = QFileDialog::getSaveFileName(
        this, QStringLiteral("Export SPICE Netlist"), suggested, QStringLiteral("SPICE netlists (*.cir)"));
    if (path.isEmpty())
        return;
    QString error;
    const QString shown = QDir::toNativeSeparators(path);
    if (writeSpiceNetlist(path, netlist.text, &error))
        statusBar()->showMessage(QStringLiteral("Wrote %1").arg(shown), 5000);
    else
        QMessageBox::warning(this, QStringLiteral("Export SPICE Netlist"),
            QStringLiteral("The netlist could not be written to %1: %2").arg(shown, error));
}
