#pragma once

#include <QWidget>

namespace Ui {
class StabilityPage;
}

// The loop-stability page of a linear amplifier.
class StabilityPage : public QWidget {
    Q_OBJECT
public:
    explicit StabilityPage(QWidget *parent = nullptr);
    ~StabilityPage() override;

private:
    Ui::StabilityPage *ui;
};
