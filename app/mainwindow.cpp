#include "app/mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QDir>
#include <QSaveFile>
#include <QStatusBar>
#include <QLabel>
#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSignalBlocker>
#include <QStandardItemModel>
#include <QTextStream>

#include "app/version.h"
#include "app/versioncheck.h"
#include "files/designfile.h"
#include "ui_mainwindow.h"

namespace {

const char *const kPreferencesFile = "preferences.txt";
const char *const kSupportPage = "https://www.zarn-power.example/support/technical_support.html";

// Page indices of the stacked widget; design files and examples store them.
namespace PageIndex {
enum : int {
    Home = 0,
    LinearSelector = 1,
    Soa = 2,
    Stability = 4,
    CurrentPump = 5,
    BodeGenerator = 6,
    Heatsinks = 7,
    PwmSelector = 8,
    PwmPower = 9,
    ThreePhase = 10,
    Examples = 11,
    Filter = 12,
    ControlStep1 = 13,
    ControlStep2 = 14,
    ControlStep3 = 15,
    Hidden = 17,
};
}

}  // namespace

MainWindow::MainWindow(QWidget *parent, const StartOptions &options)
    : QMainWindow(parent), ui(new Ui::MainWindow), m_options(options)
{
    ui->setupUi(this);
    setWindowIcon(QIcon(QStringLiteral(":/ZarnLinear/icon_zarn.png")));
    ui->Page->setCurrentIndex(PageIndex::Home);

    if (auto *version = findChild<QLabel *>(QStringLiteral("VersionLabel")))
        version->setText(QStringLiteral("Version ") + QLatin1String(kAmporaVersion));
    ui->HomeButton->hide();

    m_linearModel = new QStandardItemModel(0, 5, this);
    m_pwmModel = new QStandardItemModel(0, 5, this);
    m_heatsinkModel = new QStandardItemModel(0, 5, this);

    m_design = std::make_unique<DesignFile::Design>(this, &m_catalogs);

    m_network = new QNetworkAccessManager(this);
    connect(m_network, &QNetworkAccessManager::finished, this, &MainWindow::fileIsReady);
    if (!m_options.offline && !m_options.updateUrl.isEmpty())
        m_network->get(QNetworkRequest(QUrl(m_options.updateUrl)));

    loadAllCatalogs(m_catalogs, false, m_options.catalogDir);
    for (ToolPage *page : findChildren<ToolPage *>()) {
        page->setCatalogs(&m_catalogs);
        connect(page, &ToolPage::designChanged, this, [this] { m_designChanged = true; });
    }
    ui->page_2->setTableModel(m_linearModel);
    ui->page_7->setTableModel(m_pwmModel);
    ui->page_6->setTableModel(m_heatsinkModel);
    connect(ui->page_2, &LinearSelectorPage::hiddenPageRequested, this,
            [this] { ui->Page->setCurrentIndex(PageIndex::Hidden); });

    readPreferences();
    fillSupportLink();
    fillAllDropDownMenus();
    initialisePages();

    m_designChanged = false;
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::selectByText(const char *selector, const QString &text)
{
    if (auto *box = findChild<QComboBox *>(QLatin1String(selector))) {
        const int index = box->findText(text);
        if (index >= 0)
            box->setCurrentIndex(index);
    }
}

void MainWindow::initialisePages()
{
    // The order matters: later pages read what earlier ones computed.
    ui->SOApage->initialise();
    ui->page_2->initialise();
    ui->page_7->initialise();
    ui->page_4->initialise();
    ui->page_11->initialise();
    ui->page_8->initialise();
    ui->page_10->initialise();
    ui->page_6->initialise();
    ui->page_15->initialise();
    ui->page_16->initialise();
    ui->page_9->initialise();
    ui->page_3->initialise();
    ui->page_5->initialise();

    // Default parts of the pages whose own start-up does not choose one yet.
    selectByText("AmpSelecterSOA", QStringLiteral("QX415A"));
    selectByText("AmpSelectorStab", QStringLiteral("QX385"));
    selectByText("P3ampSelector", QStringLiteral("TZ662"));
    selectByText("IHCPampSelector", QStringLiteral("QX370"));
}

void MainWindow::fillAllDropDownMenus()
{
    auto fill = [this](const char *name, const QStringList &items) {
        auto *box = findChild<QComboBox *>(QLatin1String(name));
        if (!box)
            return;
        const QSignalBlocker blocker(box);
        box->clear();
        box->addItems(items);
    };

    QStringList linear;
    for (const amp &a : m_catalogs.linear)
        linear << a.ampName;
    QStringList power, all, control, threePhase;
    for (const pwm &p : m_catalogs.pwms) {
        all << p.ampName;
        if (p.outputs == 1 || p.outputs == 2)
            power << p.ampName;
        if (p.outputs == 2 && p.Ramp != QLatin1String("Digital"))
            control << p.ampName;
        if (p.outputs == 1 || p.outputs == 3)
            threePhase << p.ampName;
    }

    fill("AmpSelecterSOA", linear);
    fill("AmpSelectorStab", linear);
    fill("IHCPampSelector", linear);
    fill("ampSelectorPower", power);
    fill("ampSelectorFilter", all);
    fill("ampSelectorSCon", control);
    fill("P3ampSelector", threePhase);
    fill("HSpart", QStringList{QStringLiteral("All Parts")} + linear + all);
}

void MainWindow::on_includePreReleased_clicked(bool checked)
{
    loadLinearCatalog(m_catalogs.linear, checked, CatalogFiles::linearFile(m_options.catalogDir));
    loadPwmCatalog(m_catalogs.pwms, checked, CatalogFiles::pwmFile(m_options.catalogDir));
    loadPackageStyles(m_catalogs.packages, CatalogFiles::packageFile(m_options.catalogDir));
    loadHeatsinks(m_catalogs.heatsinks, CatalogFiles::heatsinkFile(m_options.catalogDir));
    fillAllDropDownMenus();
}

void MainWindow::openToolPage(int index)
{
    ui->Page->setCurrentIndex(index);
    ui->HomeButton->show();
}

void MainWindow::on_SPSButton_clicked()
{
    openToolPage(PageIndex::PwmSelector);
    ui->page_7->refreshSPS();
}

void MainWindow::on_LPSbutton_clicked()
{
    openToolPage(PageIndex::LinearSelector);
    ui->page_2->refreshLPS();
}

void MainWindow::on_PWMPowerButton_clicked() { openToolPage(PageIndex::PwmPower); }
void MainWindow::on_Examples_clicked() { openToolPage(PageIndex::Examples); }
void MainWindow::on_IHCPbutton_clicked() { openToolPage(PageIndex::CurrentPump); }
void MainWindow::on_ThreePhaseButton_clicked() { openToolPage(PageIndex::ThreePhase); }
void MainWindow::on_HSbutton_clicked()
{
    openToolPage(PageIndex::Heatsinks);
    ui->page_6->refreshHeatsinks();
}
void MainWindow::on_LstabButton_clicked() { openToolPage(PageIndex::Stability); }
void MainWindow::on_PWMControlButton_clicked()
{
    openToolPage(PageIndex::ControlStep1);
    ui->page_15->SConIcons();
}

void MainWindow::on_FilterButton_clicked() { openToolPage(PageIndex::Filter); }
void MainWindow::on_SOAbutton_clicked() { openToolPage(PageIndex::Soa); }

void MainWindow::on_ToPWMControl_clicked() { on_PWMControlButton_clicked(); }
void MainWindow::on_PWMTut_clicked() { showExample(6); }
void MainWindow::on_toFilterDesign_clicked() { ui->Page->setCurrentIndex(PageIndex::Filter); }
void MainWindow::on_toPWMPower_clicked() { ui->Page->setCurrentIndex(PageIndex::PwmPower); }
void MainWindow::on_toPWMPower_2_clicked() { ui->Page->setCurrentIndex(PageIndex::PwmPower); }
void MainWindow::on_NexttoStep2_clicked() { ui->Page->setCurrentIndex(PageIndex::ControlStep2); }
void MainWindow::on_PrevtoStep2_clicked() { ui->Page->setCurrentIndex(PageIndex::ControlStep2); }
void MainWindow::on_PrevtoStep1_clicked() { ui->Page->setCurrentIndex(PageIndex::ControlStep1); }
void MainWindow::on_NexttoStep3_clicked() { ui->Page->setCurrentIndex(PageIndex::ControlStep3); }
void MainWindow::on_StabTutorial_clicked() { showExample(1); }
void MainWindow::on_PWMTutFilter_clicked() { showExample(6); }

void MainWindow::showExample(int index)
{
    ui->Page->setCurrentIndex(PageIndex::Examples);
    if (auto *examples = findChild<QComboBox *>(QStringLiteral("ExampleSelection"))) {
        if (index < examples->count()) {
            examples->setCurrentIndex(index);
            emit examples->activated(index);
        }
    }
}

void MainWindow::on_loadCalcButton_clicked()
{
    ui->SOApage->openLoadCalculator();
}

void MainWindow::on_HomeButton_clicked()
{
    ui->Page->setCurrentIndex(PageIndex::Home);
    ui->HomeButton->hide();
}

void MainWindow::on_actionMain_Menu_triggered()
{
    ui->Page->setCurrentIndex(PageIndex::Home);
}

void MainWindow::on_bodePlotGenButton_clicked()
{
    ui->Page->setCurrentIndex(PageIndex::BodeGenerator);
}

bool MainWindow::saveEntries(bool saveAs)
{
    if (saveAs || !m_fileNamed)
        m_designPath = QFileDialog::getSaveFileName(this, QStringLiteral("SaveAs"), m_designPath,
                                                    QLatin1String(DesignFile::kFilter));
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
    statusBar()->showMessage(QStringLiteral("Saved %1").arg(shown), 5000);
    return true;
}

void MainWindow::loadEntries()
{
    const QString previous = m_designPath;
    m_designPath = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), m_designPath,
                                                QLatin1String(DesignFile::kFilter));
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
            QStringLiteral("%1 is not an Ampora design file").arg(QDir::toNativeSeparators(m_designPath)), 15000);
        return false;
    }
    m_fileNamed = true;

    // Every page recomputes from what the file gave it, in this order.
    ui->page_2->refreshLPS();
    ui->SOApage->refreshSOA();
    ui->page_4->refreshStab();
    ui->page_4->RCPC();
    ui->page_7->refreshSPS();
    ui->page_6->refreshHeatsinks();
    if (ui->Page->currentIndex() == PageIndex::ControlStep1) {
        ui->Page->setCurrentIndex(PageIndex::Home);
        ui->Page->setCurrentIndex(PageIndex::ControlStep1);
    }
    // A design shown on a tool page needs the way back home.
    ui->HomeButton->setVisible(ui->Page->currentIndex() != PageIndex::Home);
    m_designChanged = false;
    QApplication::restoreOverrideCursor();
    return true;
}


void MainWindow::on_actionSave_triggered() { saveEntries(false); }
void MainWindow::on_actionSave_As_triggered() { saveEntries(true); }
void MainWindow::on_actionOpen_triggered() { loadEntries(); }

void MainWindow::setFontSize(int points)
{
    QApplication::setFont(QFont(QStringLiteral("MS Shell Dlg 2"), points), "QWidget");
    const QList<QAction *> actions = ui->menuFont->actions();
    const QString own = QStringLiteral("action%1_pt").arg(points);
    for (QAction *action : actions)
        action->setChecked(action->objectName() == own);
}

void MainWindow::on_action24_pt_triggered() { setFontSize(24); }
void MainWindow::on_action20_pt_triggered() { setFontSize(20); }
void MainWindow::on_action18_pt_triggered() { setFontSize(18); }
void MainWindow::on_action14_pt_triggered() { setFontSize(14); }
void MainWindow::on_action12_pt_triggered() { setFontSize(12); }
void MainWindow::on_action10_pt_triggered() { setFontSize(10); }
void MainWindow::on_action8_pt_triggered() { setFontSize(8); }
void MainWindow::on_action6_pt_triggered() { setFontSize(6); }

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
        const auto answer = QMessageBox::question(
            this, QStringLiteral("Close Ampora"), QStringLiteral("Save Changes?\n"),
            QMessageBox::Save | QMessageBox::No | QMessageBox::Cancel);
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

void MainWindow::fillSupportLink()
{
    if (auto *link = findChild<QLabel *>(QStringLiteral("SupportLink"))) {
        link->setTextFormat(Qt::RichText);
        link->setOpenExternalLinks(true);
        link->setText(QStringLiteral("<a href=\"%1\"><span style=\"text-decoration: underline; "
                                     "color:#0000ff;\">Tap into a Wealth of Power Analog Design "
                                     "Expertise</span></a>")
                          .arg(QLatin1String(kSupportPage)));
    }
}

void MainWindow::on_actionSupport_triggered()
{
    QMessageBox box(this);
    box.setWindowTitle(QStringLiteral("Free Applications Support"));
    box.setTextFormat(Qt::RichText);
    box.setText(QStringLiteral(
                    "Tap into a Wealth of Power Analog Design Expertise with Zarn's Applications "
                    "Engineering Team. Product Selection, Technical Support, Schematic Review, Bench "
                    "Testing/Analysis, and More is available from our experienced staff. Click "
                    "<a href=\"%1\"><span style=\"text-decoration: underline; color:#0563c1;\">Here"
                    "</span></a> to contact the Apps Team today!")
                    .arg(QLatin1String(kSupportPage)));
    box.setTextInteractionFlags(Qt::TextBrowserInteraction);
    box.exec();
}

bool MainWindow::isNewerVersion(const QString &published, const QString &ours)
{
    return ::isNewerVersion(published, ours);
}

void MainWindow::fileIsReady(QNetworkReply *reply)
{
    const QString text = QString::fromUtf8(reply->readAll());
    reply->deleteLater();
    if (text.isEmpty())
        return;
    if (isNewerVersion(text, QString::fromLatin1(kAmporaVersion)))
        QMessageBox::information(this, QStringLiteral("Update"),
                                 QStringLiteral("There is a new update available. Go to ") +
                                     QLatin1String(kZarnHomePage) +
                                     QStringLiteral(" to download the newest modules and amplifiers."));
}
