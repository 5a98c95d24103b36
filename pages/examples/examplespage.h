#pragma once

#include <QWidget>

namespace Ui {
class ExamplesPage;
}

// The examples and tutorials page.
class ExamplesPage : public QWidget {
    Q_OBJECT
public:
    explicit ExamplesPage(QWidget *parent = nullptr);
    ~ExamplesPage() override;

private:
    Ui::ExamplesPage *ui;
};
