#pragma once

#include <QPointF>
#include <QPointer>
#include <QVector>

#include "pages/toolpage.h"
#include "qcustomplot.h"

class QMouseEvent;
class QShortcut;
class component2;

namespace Ui {
class SchematicEditorPage;
}

// The free schematic editor: resistors, capacitors, amplifiers and orthogonal
// wires placed, dragged and rotated on a snap grid. Nothing is computed from
// the drawing.
class SchematicEditorPage : public ToolPage {
    Q_OBJECT
public:
    explicit SchematicEditorPage(QWidget *parent = nullptr);
    ~SchematicEditorPage() override;

    void placeResistor();
    void placeCapacitor();
    void placeInductor();
    void placeWire();
    void placeAmplifier();
    // Back to idle: a symbol being placed is deleted, one being dragged goes
    // back where it was, a wire segment in progress is deleted.
    void exitSchMode();

    int grid() const { return m_grid; }
    QCPAbstractItem *heldItem() const { return m_held; }
    bool wireMode() const { return m_wireMode; }

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private slots:
    void on_snapBox_currentIndexChanged(int index);
    void on_capButton_clicked();
    void on_resButton_clicked();
    void on_SchGridBox_toggled(bool checked);
    void on_wireButton_clicked();
    void on_ampButton_clicked();

private:
    void setupSch();
    void setSchTickVector();
    void keepScaleRatio();
    void installShortcuts();
    bool isCurrentPage() const;
    QPointF snap(const QPointF &pixel) const;
    void hold(QCPAbstractItem *item, bool isNew);
    void moveHeld(const QPointF &pixel);
    void setEditing(bool editing);
    void removeSymbol(QCPAbstractItem *item);
    void editValueLabel(component2 *item);

    void onMousePress(QMouseEvent *event);
    void onMouseMove(QMouseEvent *event);
    void onMouseRelease(QMouseEvent *event);
    void wireMousePress(QMouseEvent *event);
    void regMousePress(QMouseEvent *event);
    void wireMouseMove(QMouseEvent *event);
    void regMouseMove(QMouseEvent *event);
    void regMouseRelease(QMouseEvent *event);

    Ui::SchematicEditorPage *ui;
    int m_grid = 100;
    QPointer<QCPAbstractItem> m_held;
    bool m_heldIsNew = false;
    QPointF m_heldOrigin; // centre of a dragged item before the drag
    QPointF m_pressPoint; // snapped point where a drag began
    bool m_wireMode = false;
    bool m_cursorOverridden = false;
    QVector<QPointer<QShortcut>> m_shortcuts;
};
