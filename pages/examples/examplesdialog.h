#pragma once

#include <QDialog>

namespace Ui {
class Examples;
}

// The small step-by-step window of a tutorial. It shows the text of the
// current step and asks the window, through exampleNum, to put the pages into
// the state of the step it moves to.
class Examples : public QDialog {
    Q_OBJECT
public:
    explicit Examples(QWidget *parent = nullptr);
    ~Examples() override;

    int step() const { return m_step; }
    // Shows step `n`: its text, or, at the end of an example, the way back to
    // the examples page and the dialog closed.
    void showStep(int n);

    // Whether step `n` ends a tutorial (the steps that hold descriptions, and
    // the one past the last text).
    static bool isEndStep(int n);
    // The resource that holds the text of step `n`.
    static QString stepTextPath(int n);
    // The text of step `n`, read from its UTF-16 resource; empty when missing.
    static QString stepText(int n);

signals:
    void exampleNum(int exNumber);

private slots:
    void on_nextButton_clicked();
    void on_prevButton_clicked();
    void on_examplesButton_clicked();
    void on_closeButton_clicked();

private:
    Ui::Examples *ui;
    int m_step = 0;
};
