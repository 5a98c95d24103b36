#pragma once

#include <QWidget>

namespace Ui {
class FilterPage;
}

// The PWM output filter design page.
class FilterPage : public QWidget {
    Q_OBJECT
public:
    explicit FilterPage(QWidget *parent = nullptr);
    ~FilterPage() override;

private:
    Ui::FilterPage *ui;
};
