#pragma once

#include <QWidget>

namespace Ui {
class ThreePhasePage;
}

// The three-phase motor drive page.
class ThreePhasePage : public QWidget {
    Q_OBJECT
public:
    explicit ThreePhasePage(QWidget *parent = nullptr);
    ~ThreePhasePage() override;

private:
    Ui::ThreePhasePage *ui;
};
