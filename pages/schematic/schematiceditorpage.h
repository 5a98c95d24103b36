#pragma once

#include "pages/toolpage.h"

namespace Ui {
class SchematicEditorPage;
}

// The free schematic editor page.
class SchematicEditorPage : public ToolPage {
    Q_OBJECT
public:
    explicit SchematicEditorPage(QWidget *parent = nullptr);
    ~SchematicEditorPage() override;

private:
    Ui::SchematicEditorPage *ui;
};
