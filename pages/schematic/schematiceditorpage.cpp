#include "pages/schematic/schematiceditorpage.h"

#include "ui_schematiceditorpage.h"

SchematicEditorPage::SchematicEditorPage(QWidget *parent) : ToolPage(parent), ui(new Ui::SchematicEditorPage)
{
    ui->setupUi(this);
}

SchematicEditorPage::~SchematicEditorPage()
{
    delete ui;
}
