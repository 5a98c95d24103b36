#pragma once

#include <QWidget>

namespace Ui {
class SchematicEditorPage;
}

// The free schematic editor page.
class SchematicEditorPage : public QWidget {
    Q_OBJECT
public:
    explicit SchematicEditorPage(QWidget *parent = nullptr);
    ~SchematicEditorPage() override;

private:
    Ui::SchematicEditorPage *ui;
};
