#pragma once

#include <QWidget>

namespace Ui {
class LinearSelectorPage;
}

// The linear amplifier selector.
class LinearSelectorPage : public QWidget {
    Q_OBJECT
public:
    explicit LinearSelectorPage(QWidget *parent = nullptr);
    ~LinearSelectorPage() override;

private:
    Ui::LinearSelectorPage *ui;
};
