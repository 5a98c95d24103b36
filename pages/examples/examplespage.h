#pragma once

#include "pages/toolpage.h"

namespace Ui {
class ExamplesPage;
}

// The examples and tutorials page: the example selector and its description.
class ExamplesPage : public ToolPage {
    Q_OBJECT
public:
    static constexpr int kExampleCount = 12;

    explicit ExamplesPage(QWidget *parent = nullptr);
    ~ExamplesPage() override;

    void initialise() override;

    // Selects example `index` (when it exists) and shows its description; the
    // tutorial buttons of other pages and design files come through here.
    void showExample(int index);

    // The description text resource of an example; 0 for an index outside the list.
    static int descriptionFile(int index);
    // The first tutorial step of an example; -1 for an index outside the list.
    static int firstStep(int index);
    int selectedExample() const;

signals:
    // "Start Tutorial" for the example that starts at `step`.
    void tutorialRequested(int step);

private slots:
    void on_ExampleSelection_activated(int index);
    void on_startTutorial_clicked();

private:
    Ui::ExamplesPage *ui;
};
