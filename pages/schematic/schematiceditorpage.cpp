#include "pages/schematic/schematiceditorpage.h"

#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>

#include <cmath>

#include "app/schematic/primitives.h"
#include "pages/schematic/schematicsymbols.h"
#include "ui_schematiceditorpage.h"

SchematicEditorPage::SchematicEditorPage(QWidget *parent)
    : ToolPage(parent)
    , ui(new Ui::SchematicEditorPage)
{
    ui->setupUi(this);
    // There is no inductor symbol yet: the button, like L, only ends the current mode.
    ui->indButton->setToolTip(QStringLiteral("There is no inductor symbol yet"));
    connect(ui->indButton, &QPushButton::clicked, this, &SchematicEditorPage::placeInductor);
    setupSch();
}

SchematicEditorPage::~SchematicEditorPage()
{
    if (m_cursorOverridden)
        QApplication::restoreOverrideCursor();
    for (const QPointer<QShortcut> &shortcut : m_shortcuts)
        delete shortcut.data();
    delete ui;
}

void SchematicEditorPage::setupSch()
{
    const int grid = ui->snapBox->currentText().toInt(nullptr, 10);
    m_grid = grid > 0 ? grid : 100;
    m_held = nullptr;
    m_wireMode = false;
    QCustomPlot *sch = ui->sch;
    // The editor's clicks place and rotate parts; it is no chart.
    markSchematicCanvas(sch);
    connect(sch, &QCustomPlot::mousePress, this, &SchematicEditorPage::onMousePress);
    connect(sch, &QCustomPlot::mouseMove, this, &SchematicEditorPage::onMouseMove);
    connect(sch, &QCustomPlot::mouseRelease, this, &SchematicEditorPage::onMouseRelease);
    installShortcuts();
    for (QCPAxis *axis : { sch->xAxis, sch->yAxis }) {
        axis->setTickLabels(false);
        axis->setTicks(false);
        QSharedPointer<QCPAxisTickerFixed> ticker(new QCPAxisTickerFixed);
        ticker->setScaleStrategy(QCPAxisTickerFixed::ssNone);
        axis->setTicker(ticker);
        axis->grid()->setPen(QPen(QColor(200, 200, 200), 1, Qt::DotLine));
    }
    setSchTickVector();
    setEditing(false);
    sch->xAxis->setRange(0, 6000);
    sch->yAxis->setRange(0, 3000);
    keepScaleRatio();
    sch->installEventFilter(this);
    sch->replot();
}

// Grid lines at the multiples of the snap size, so the drawn grid is the snap grid.
void SchematicEditorPage::setSchTickVector()
{
    for (QCPAxis *axis : { ui->sch->xAxis, ui->sch->yAxis })
        if (auto fixed = axis->ticker().dynamicCast<QCPAxisTickerFixed>())
            fixed->setTickStep(m_grid);
}

// Equal units across and up, so symbols keep their shape when turned.
void SchematicEditorPage::keepScaleRatio()
{
    ui->sch->yAxis->setScaleRatio(ui->sch->xAxis, 1.0);
}

void SchematicEditorPage::installShortcuts()
{
    QWidget *top = window();
    if (!m_shortcuts.isEmpty() && m_shortcuts.first() && m_shortcuts.first()->parentWidget() == top)
        return;
    for (const QPointer<QShortcut> &shortcut : m_shortcuts)
        delete shortcut.data();
    m_shortcuts.clear();
    const struct {
        Qt::Key key;
        void (SchematicEditorPage::*action)();
    } keys[] = { { Qt::Key_R, &SchematicEditorPage::placeResistor },
        { Qt::Key_C, &SchematicEditorPage::placeCapacitor },
        { Qt::Key_L, &SchematicEditorPage::placeInductor }, { Qt::Key_W, &SchematicEditorPage::placeWire },
        { Qt::Key_Escape, &SchematicEditorPage::exitSchMode } };
    for (const auto &k : keys) {
        auto *shortcut = new QShortcut(QKeySequence(k.key), top);
        shortcut->setAutoRepeat(false);
        connect(shortcut, &QShortcut::activated, this, k.action);
        m_shortcuts << shortcut;
    }
}

bool SchematicEditorPage::event(QEvent *event)
{
    // The shortcuts belong to the window the page lives in.
    if (event->type() == QEvent::ParentChange && ui)
        installShortcuts();
    return ToolPage::event(event);
}

bool SchematicEditorPage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->sch && event->type() == QEvent::Resize) {
        keepScaleRatio();
        ui->sch->replot(QCustomPlot::rpQueuedReplot);
    }
    return ToolPage::eventFilter(watched, event);
}

bool SchematicEditorPage::isCurrentPage() const
{
    if (auto *stack = qobject_cast<QStackedWidget *>(parentWidget()))
        return stack->currentWidget() == this;
    return isVisible();
}

QPointF SchematicEditorPage::snap(const QPointF &pixel) const
{
    const double px = std::floor(pixel.x() + 0.5), py = std::floor(pixel.y() + 0.5);
    const double x = ui->sch->xAxis->pixelToCoord(px), y = ui->sch->yAxis->pixelToCoord(py);
    return QPointF(std::round(x / m_grid) * m_grid, std::round(y / m_grid) * m_grid);
}

// Drag and zoom of the canvas are off while something is being edited.
void SchematicEditorPage::setEditing(bool editing)
{
    ui->sch->setInteractions(editing ? QCP::Interactions() : QCP::iRangeDrag | QCP::iRangeZoom);
}

void SchematicEditorPage::hold(QCPAbstractItem *item, bool isNew)
{
    m_held = item;
    m_heldIsNew = isNew;
    if (auto *c = qobject_cast<component2 *>(item))
        m_heldOrigin = c->centre();
    else if (auto *a = qobject_cast<ampSym *>(item))
        m_heldOrigin = a->centre();
    else if (auto *w = qobject_cast<wire *>(item))
        m_heldOrigin = w->centre();
    setEditing(true);
}

void SchematicEditorPage::removeSymbol(QCPAbstractItem *item)
{
    if (auto *c = qobject_cast<component2 *>(item))
        c->removeComponent();
    else if (auto *w = qobject_cast<wire *>(item))
        w->removeComponent();
    else if (auto *a = qobject_cast<ampSym *>(item))
        a->removeComponent();
}

void SchematicEditorPage::exitSchMode()
{
    if (m_held) {
        if (m_heldIsNew) {
            removeSymbol(m_held);
        } else if (auto *c = qobject_cast<component2 *>(m_held)) {
            c->placeAt(m_heldOrigin);
        } else if (auto *a = qobject_cast<ampSym *>(m_held)) {
            a->placeAt(m_heldOrigin);
        } else if (auto *w = qobject_cast<wire *>(m_held)) {
            w->placeAt(m_heldOrigin);
        }
    }
    m_held = nullptr;
    m_wireMode = false;
    if (m_cursorOverridden)
        QApplication::restoreOverrideCursor();
    m_cursorOverridden = false;
    setEditing(false);
    ui->sch->replot();
}

namespace {

template <typename Symbol> Symbol *newSymbol(QCustomPlot *sch, const QPointF &centre)
{
    auto *symbol = new Symbol(sch);
    symbol->placeAt(centre);
    return symbol;
}

} // namespace

void SchematicEditorPage::placeResistor()
{
    exitSchMode();
    if (!isCurrentPage())
        return;
    const QPoint cursor = ui->sch->mapFromGlobal(QCursor::pos());
    const QPointF at = ui->sch->rect().contains(cursor) ? QPointF(cursor) : QPointF(ui->sch->rect().center());
    hold(newSymbol<resistor>(ui->sch, snap(at)), true);
    ui->sch->replot();
}

void SchematicEditorPage::placeCapacitor()
{
    exitSchMode();
    if (!isCurrentPage())
        return;
    const QPoint cursor = ui->sch->mapFromGlobal(QCursor::pos());
    const QPointF at = ui->sch->rect().contains(cursor) ? QPointF(cursor) : QPointF(ui->sch->rect().center());
    hold(newSymbol<capacitor>(ui->sch, snap(at)), true);
    ui->sch->replot();
}

void SchematicEditorPage::placeAmplifier()
{
    exitSchMode();
    if (!isCurrentPage())
        return;
    const QPoint cursor = ui->sch->mapFromGlobal(QCursor::pos());
    const QPointF at = ui->sch->rect().contains(cursor) ? QPointF(cursor) : QPointF(ui->sch->rect().center());
    hold(newSymbol<ampSym>(ui->sch, snap(at)), true);
    ui->sch->replot();
}

void SchematicEditorPage::placeInductor()
{
    exitSchMode();
}

void SchematicEditorPage::placeWire()
{
    exitSchMode();
    if (!isCurrentPage())
        return;
    m_wireMode = true;
    QApplication::setOverrideCursor(Qt::CrossCursor);
    m_cursorOverridden = true;
}

void SchematicEditorPage::onMousePress(QMouseEvent *event)
{
    if (m_wireMode)
        wireMousePress(event);
    else
        regMousePress(event);
}

void SchematicEditorPage::onMouseMove(QMouseEvent *event)
{
    if (m_wireMode)
        wireMouseMove(event);
    else
        regMouseMove(event);
}

void SchematicEditorPage::onMouseRelease(QMouseEvent *event)
{
    if (!m_wireMode)
        regMouseRelease(event);
}

void SchematicEditorPage::regMousePress(QMouseEvent *event)
{
    QCPAbstractItem *item = ui->sch->itemAt(event->pos(), false);
    const bool symbol = isComponent2(item) || qobject_cast<ampSym *>(item) || qobject_cast<wire *>(item);
    if (event->button() == Qt::LeftButton) {
        // A symbol already held (one being placed) stays held until released.
        if (!m_held && symbol) {
            hold(item, false);
            m_pressPoint = snap(event->pos());
        }
    } else if (event->button() == Qt::RightButton) {
        if (auto *held = isComponent2(m_held) ? static_cast<component2 *>(m_held.data()) : nullptr) {
            held->horizontal = !held->horizontal;
            held->placeAt(held->centre());
        } else if (!m_held && isComponent2(item)) {
            editValueLabel(static_cast<component2 *>(item));
        } else if (!m_held && qobject_cast<wire *>(item)) {
            static_cast<wire *>(item)->removeComponent();
        }
        ui->sch->replot();
    }
}

void SchematicEditorPage::moveHeld(const QPointF &pixel)
{
    const QPointF at = snap(pixel);
    if (auto *c = qobject_cast<component2 *>(m_held))
        c->placeAt(at);
    else if (auto *a = qobject_cast<ampSym *>(m_held))
        a->placeAt(at);
    else if (auto *w = qobject_cast<wire *>(m_held))
        w->placeAt(m_heldOrigin + (at - m_pressPoint));
}

void SchematicEditorPage::regMouseMove(QMouseEvent *event)
{
    if (!m_held)
        return;
    // A new symbol follows the cursor; a dragged one only while the button is down.
    if (!m_heldIsNew && !(event->buttons() & Qt::LeftButton))
        return;
    moveHeld(event->pos());
    ui->sch->replot();
}

void SchematicEditorPage::regMouseRelease(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_held) {
        moveHeld(event->pos());
        m_held = nullptr;
    }
    if (!m_held)
        setEditing(false);
    ui->sch->replot();
}

void SchematicEditorPage::wireMousePress(QMouseEvent *event)
{
    auto *held = qobject_cast<wire *>(m_held);
    if (event->button() == Qt::LeftButton) {
        // The next segment continues the chain from the end of the last one.
        const QPointF from = held ? held->end->coords() : snap(event->pos());
        auto *segment = new wire(ui->sch);
        segment->setStart(from);
        segment->setEnd(from);
        hold(segment, true);
        ui->sch->replot();
    } else if (event->button() == Qt::RightButton) {
        if (held) {
            held->removeComponent();
            m_held = nullptr;
            ui->sch->replot();
        } else {
            exitSchMode();
        }
    }
}

void SchematicEditorPage::wireMouseMove(QMouseEvent *event)
{
    auto *held = qobject_cast<wire *>(m_held);
    if (!held)
        return;
    const QPointF to = snap(event->pos());
    const QPointF from = held->start->coords();
    held->horizontal = !(std::fabs(to.y() - from.y()) > std::fabs(to.x() - from.x()));
    held->setEnd(held->horizontal ? QPointF(to.x(), from.y()) : QPointF(from.x(), to.y()));
    ui->sch->replot();
}

void SchematicEditorPage::editValueLabel(component2 *item)
{
    QDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Change Value & Label"));
    auto *layout = new QGridLayout(&dialog);
    auto *showValue = new QCheckBox(QStringLiteral("Show Value: "), &dialog);
    auto *value = new QLineEdit(item->value, &dialog);
    auto *showLabel = new QCheckBox(QStringLiteral("Show Label: "), &dialog);
    auto *label = new QLineEdit(item->label, &dialog);
    auto *remove = new QPushButton(QStringLiteral("Delete"), &dialog);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    showValue->setChecked(item->showValue);
    showLabel->setChecked(item->showLabel);
    value->selectAll();
    layout->addWidget(showValue, 0, 0);
    layout->addWidget(value, 0, 1);
    layout->addWidget(showLabel, 1, 0);
    layout->addWidget(label, 1, 1);
    layout->addWidget(remove, 2, 0);
    layout->addWidget(buttons, 2, 1);
    bool removed = false;
    connect(remove, &QPushButton::clicked, &dialog, [&] {
        removed = true;
        dialog.reject();
    });
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    value->setFocus();
    const bool accepted = dialog.exec() == QDialog::Accepted;
    if (removed) {
        item->removeComponent();
    } else if (accepted) {
        item->showValue = showValue->isChecked();
        item->showLabel = showLabel->isChecked();
        item->setValue(value->text());
        item->setLabel(label->text());
        item->updateTexts();
    }
}

void SchematicEditorPage::on_snapBox_currentIndexChanged(int index)
{
    const int grid = ui->snapBox->itemText(index).toInt(nullptr, 10);
    if (grid > 0)
        m_grid = grid;
    setSchTickVector();
    ui->sch->replot();
}

void SchematicEditorPage::on_SchGridBox_toggled(bool checked)
{
    ui->sch->xAxis->setVisible(checked);
    ui->sch->yAxis->setVisible(checked);
    ui->sch->replot();
}

void SchematicEditorPage::on_capButton_clicked()
{
    placeCapacitor();
}
void SchematicEditorPage::on_resButton_clicked()
{
    placeResistor();
}
void SchematicEditorPage::on_wireButton_clicked()
{
    placeWire();
}
void SchematicEditorPage::on_ampButton_clicked()
{
    placeAmplifier();
}
