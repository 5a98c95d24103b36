// Tutorials: the step dialog beside the window, and each step's presets
// applied to the pages as a design file would apply them.
#include "app/mainwindow.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabWidget>

#include "app/dialogresponder.h"
#include "app/tutorialpresets.h"
#include "pages/examples/examplesdialog.h"
#include "pages/examples/examplespage.h"
#include "ui_mainwindow.h"

namespace {

bool isDesignKey(const QString &name, DesignFile::Key *found)
{
    for (const DesignFile::Key &key : DesignFile::keys())
        if (name == QLatin1String(key.name)) {
            *found = key;
            return true;
        }
    return false;
}

// A widget the design file does not name takes the value in the way its kind reads one.
void setWidget(QWidget *w, const QString &value)
{
    if (auto *edit = qobject_cast<QLineEdit *>(w))
        edit->setText(value);
    else if (auto *tabs = qobject_cast<QTabWidget *>(w))
        tabs->setCurrentIndex(value.toInt());
    else if (auto *stack = qobject_cast<QStackedWidget *>(w))
        stack->setCurrentIndex(value.toInt());
    else if (auto *box = qobject_cast<QComboBox *>(w)) {
        const int index = box->findText(value);
        if (index >= 0)
            box->setCurrentIndex(index);
    } else if (auto *spin = qobject_cast<QSpinBox *>(w))
        spin->setValue(value.toInt());
    else if (auto *spin = qobject_cast<QDoubleSpinBox *>(w))
        spin->setValue(value.toDouble());
    else if (auto *button = qobject_cast<QAbstractButton *>(w))
        button->setChecked(value.toInt() != 0);
}

} // namespace

void MainWindow::showExample(int index)
{
    showPage(examplesPage(), true);
    examplesPage()->showExample(index);
}

bool MainWindow::tutorialMayReplaceDesign()
{
    // The tutorial's own earlier steps are not the user's work.
    if (!m_designChanged || !m_changedOutsideTutorial)
        return true;
    const auto answer = QMessageBox::question(this, QStringLiteral("Start Tutorial"),
        QStringLiteral("The tutorial will replace the values of your design.\nSave Changes?"),
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, QMessageBox::Save);
    if (answer == QMessageBox::Save)
        return saveEntries(false);
    return answer == QMessageBox::Discard;
}

void MainWindow::startTutorial(int step)
{
    if (!tutorialMayReplaceDesign())
        return;
    // Saved or given up: what the tutorial changes from here on is its own.
    m_changedOutsideTutorial = false;
    openExDia(step);
    displayExample(step);
}

Examples *MainWindow::tutorialDialog() const
{
    // A closed dialog waits for its deletion until the event loop runs.
    return m_exDialog && m_exDialog->isVisible() ? m_exDialog.data() : nullptr;
}

void MainWindow::openExDia(int step)
{
    if (m_exDialog) {
        // One tutorial at a time: the open dialog moves to the new example.
        m_exDialog->showStep(step);
        m_exDialog->show();
        m_exDialog->raise();
        m_exDialog->activateWindow();
        return;
    }
    auto *dialog = new Examples(this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    // A script walks the tutorial by clicking the dialog's own buttons.
    dialog->setProperty(DialogResponder::kLeaveOpen, true);
    connect(dialog, &Examples::exampleNum, this, &MainWindow::loadExample);
    m_exDialog = dialog;
    dialog->showStep(step);
    dialog->adjustSize();

    // Beside the window on the window's screen: right of it where there is room,
    // else left of it, else over its right edge.
    const QRect frame = frameGeometry();
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect free = screen ? screen->availableGeometry() : frame;
    const QSize size = dialog->frameGeometry().size().boundedTo(free.size());
    int x = frame.right() + 1;
    if (x + size.width() > free.right() + 1)
        x = frame.left() - size.width() >= free.left() ? frame.left() - size.width()
                                                       : free.right() + 1 - size.width();
    const int y = qBound(free.top(), frame.top(), free.bottom() + 1 - size.height());
    dialog->move(x, y);
    dialog->show();
}

void MainWindow::loadExample(int step)
{
    displayExample(step);
}

void MainWindow::displayExample(int step)
{
    if (step == 0) {
        showPage(examplesPage(), true);
        return;
    }
    const TutorialStep presets = TutorialPresets::builtIn().step(step);
    m_applyingPresets = true;
    QVector<ToolPage *> touched;
    const auto flush = [this, &touched] {
        for (ToolPage *page : qAsConst(m_pages))
            if (touched.contains(page))
                page->refresh();
        touched.clear();
    };
    for (const TutorialAction &action : presets.actions) {
        if (action.name == QLatin1String("click")) {
            flush();
            if (auto *button = findChild<QAbstractButton *>(action.value))
                button->click();
            continue;
        }
        ToolPage *owner = nullptr;
        for (ToolPage *page : qAsConst(m_pages))
            if (page->storedEntries().find(action.name))
                owner = page;
        QWidget *w = findChild<QWidget *>(action.name);
        for (QWidget *p = w; p && !owner; p = p->parentWidget())
            owner = qobject_cast<ToolPage *>(p);
        DesignFile::Key key;
        if (isDesignKey(action.name, &key))
            m_design->apply(key, action.value, true);
        else if (w)
            setWidget(w, action.value);
        if (owner && !touched.contains(owner))
            touched.append(owner);
    }
    flush();
    ToolPage *shown = qobject_cast<ToolPage *>(ui->Page->currentWidget());
    if (shown && shown->redrawsWhenShown()) {
        ui->Page->setCurrentWidget(ui->page);
        ui->Page->setCurrentWidget(shown);
    }
    ui->HomeButton->setVisible(ui->Page->currentWidget() != ui->page);
    m_applyingPresets = false;
}
