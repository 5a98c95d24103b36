// The window's ways between pages: one table of buttons, the page each shows
// and what runs once it is shown.
#include "app/mainwindow.h"

#include <QAbstractButton>
#include <QAction>
#include <QStackedWidget>

#include <functional>

#include "ui_mainwindow.h"

void MainWindow::showPage(QWidget *page, bool showHome)
{
    ui->Page->setCurrentWidget(page);
    if (showHome)
        ui->HomeButton->show();
}

bool MainWindow::showPageAt(int index)
{
    if (index < 0 || index >= ui->Page->count())
        return false;
    ui->Page->setCurrentIndex(index);
    ui->HomeButton->setVisible(ui->Page->currentWidget() != ui->page);
    // What the home page's button runs on arrival (a selector's refresh).
    if (const auto arrival = m_arrivals.value(ui->Page->currentWidget()))
        arrival();
    return true;
}

// Every button that moves between pages: the page it shows (none: it stays),
// whether the way home appears, and what runs once the page is shown.
void MainWindow::connectNavigation()
{
    struct Route {
        const char *button;
        QWidget *page;
        bool showHome;
        std::function<void()> after;
    };
    const auto example = [this](int index) { return [this, index] { examplesPage()->showExample(index); }; };
    const auto controlIcons = [this] { controlStep1Page()->SConIcons(); };
    const Route routes[] = {
        { "SPSButton", pwmSelectorPage(), true, [this] { pwmSelectorPage()->refreshSPS(); } },
        { "LPSbutton", linearSelectorPage(), true, [this] { linearSelectorPage()->refreshLPS(); } },
        { "PWMPowerButton", pwmPowerPage(), true, {} },
        { "Examples", examplesPage(), true, {} },
        { "IHCPbutton", currentPumpPage(), true, {} },
        { "ThreePhaseButton", threePhasePage(), true, {} },
        { "HSbutton", heatsinkPage(), true, [this] { heatsinkPage()->refreshHeatsinks(); } },
        { "LstabButton", stabilityPage(), true, {} },
        { "PWMControlButton", controlStep1Page(), true, controlIcons },
        { "ToPWMControl", controlStep1Page(), true, controlIcons },
        { "FilterButton", filterPage(), true, {} },
        { "SOAbutton", soaPage(), true, {} },
        { "toFilterDesign", filterPage(), false, {} },
        { "toPWMPower", pwmPowerPage(), false, {} },
        { "toPWMPower_2", pwmPowerPage(), false, {} },
        { "NexttoStep2", controlStep2Page(), false, [this] { controlStep2Page()->SConValidate(); } },
        { "PrevtoStep2", controlStep2Page(), false, {} },
        { "PrevtoStep1", controlStep1Page(), false, controlIcons },
        { "NexttoStep3", controlStep3Page(), false, [this] { controlStep3Page()->showStep(); } },
        { "bodePlotGenButton", bodePlotPage(), false, {} },
        { "StabTutorial", examplesPage(), false, example(1) },
        { "PWMTut", examplesPage(), false, example(6) },
        { "PWMTutFilter", examplesPage(), false, example(6) },
        { "loadCalcButton", nullptr, false, [this] { soaPage()->openLoadCalculator(); } },
        { "HomeButton", ui->page, false, [this] { ui->HomeButton->hide(); } },
    };
    for (const Route &route : routes) {
        if (route.page && route.showHome && route.after && !m_arrivals.contains(route.page))
            m_arrivals.insert(route.page, route.after);
        auto *button = findChild<QAbstractButton *>(QLatin1String(route.button));
        if (!button)
            continue;
        connect(button, &QAbstractButton::clicked, this, [this, route] {
            if (route.page)
                showPage(route.page, route.showHome);
            if (route.after)
                route.after();
        });
    }
    connect(ui->actionMain_Menu, &QAction::triggered, this, [this] { ui->Page->setCurrentWidget(ui->page); });
    for (QAction *action : ui->menuFont->actions()) {
        // "action12_pt" sets 12 points.
        const int points = action->objectName().section(QLatin1Char('_'), 0, 0).mid(6).toInt();
        connect(action, &QAction::triggered, this, [this, points] { setFontSize(points); });
    }
}
