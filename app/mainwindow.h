#pragma once

#include <QMainWindow>
#include <QString>

#include <memory>

#include "catalog/catalogs.h"
#include "files/designfile.h"

class QNetworkAccessManager;
class QNetworkReply;
class QStandardItemModel;

namespace Ui {
class MainWindow;
}

// How the window is started: where the catalogs come from, and whether it may
// reach the network (scripts and tests run without it).
struct StartOptions {
    QString catalogDir;  // empty: the built-in resources
    bool offline = false;
    QString updateUrl;   // empty: no update check is sent
};

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(QWidget *parent = nullptr, const StartOptions &options = StartOptions());
    ~MainWindow() override;

    const Catalogs &catalogs() const { return m_catalogs; }
    void fillAllDropDownMenus();

    bool designChanged() const { return m_designChanged; }
    void setDesignChanged(bool changed = true) { m_designChanged = changed; }
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

    QStandardItemModel *linearTableModel() const { return m_linearModel; }
    QStandardItemModel *pwmTableModel() const { return m_pwmModel; }
    QStandardItemModel *heatsinkTableModel() const { return m_heatsinkModel; }

    // The published version text is newer than ours (compared part by part,
    // over the shorter list of parts).
    static bool isNewerVersion(const QString &published, const QString &ours);

protected:
    void closeEvent(QCloseEvent *event) override;

public slots:
    void fileIsReady(QNetworkReply *reply);

private slots:
    void on_SPSButton_clicked();
    void on_LPSbutton_clicked();
    void on_PWMPowerButton_clicked();
    void on_Examples_clicked();
    void on_IHCPbutton_clicked();
    void on_ThreePhaseButton_clicked();
    void on_HSbutton_clicked();
    void on_LstabButton_clicked();
    void on_PWMControlButton_clicked();
    void on_FilterButton_clicked();
    void on_SOAbutton_clicked();
    void on_HomeButton_clicked();
    void on_actionMain_Menu_triggered();
    void on_bodePlotGenButton_clicked();
    void on_ToPWMControl_clicked();
    void on_toFilterDesign_clicked();
    void on_toPWMPower_clicked();
    void on_toPWMPower_2_clicked();
    void on_NexttoStep2_clicked();
    void on_PrevtoStep2_clicked();
    void on_PrevtoStep1_clicked();
    void on_NexttoStep3_clicked();
    void on_StabTutorial_clicked();
    void on_PWMTutFilter_clicked();
    void on_PWMTut_clicked();
    void on_loadCalcButton_clicked();

    void on_actionSave_triggered();
    void on_actionSave_As_triggered();
    void on_actionOpen_triggered();
    void on_actionSupport_triggered();

    void on_action24_pt_triggered();
    void on_action20_pt_triggered();
    void on_action18_pt_triggered();
    void on_action14_pt_triggered();
    void on_action12_pt_triggered();
    void on_action10_pt_triggered();
    void on_action8_pt_triggered();
    void on_action6_pt_triggered();

    void on_includePreReleased_clicked(bool checked);

private:
    void openToolPage(int index);
    void showExample(int index);
    void setFontSize(int points);
    void readPreferences();
    void writePreferences() const;
    void fillSupportLink();
    void initialisePages();
    void selectByText(const char *selector, const QString &text);

    Ui::MainWindow *ui;
    StartOptions m_options;
    Catalogs m_catalogs;
    QStandardItemModel *m_linearModel = nullptr;
    QStandardItemModel *m_pwmModel = nullptr;
    QStandardItemModel *m_heatsinkModel = nullptr;
    QNetworkAccessManager *m_network = nullptr;
    std::unique_ptr<DesignFile::Design> m_design;
    QString m_designPath;
    bool m_fileNamed = false;  // Save writes without asking once a file was named
    bool m_designChanged = false;
};
