#pragma once
// The real main window for page tests: opened off screen at the smallest
// supported size, offline, in a temporary working folder that is removed with it.
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtGlobal>

#include "app/mainwindow.h"
#include "qcustomplot.h"

class PageWindow {
public:
    PageWindow()
        : m_oldCwd(QDir::currentPath())
    {
        QDir::setCurrent(m_dir.path());
        StartOptions options;
        options.offline = true;
        window = new MainWindow(nullptr, options);
        window->resize(1230, 691);
    }
    ~PageWindow()
    {
        delete window;
        QDir::setCurrent(m_oldCwd);
    }
    PageWindow(const PageWindow &) = delete;
    PageWindow &operator=(const PageWindow &) = delete;

    // The widget of that object name; a missing one ends the test run.
    template <typename T> T *w(const char *name) const
    {
        T *widget = window->findChild<T *>(QLatin1String(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    QCustomPlot *plot(const char *name) const { return w<QCustomPlot>(name); }
    // Types into a field and finishes editing, as a user leaving it would.
    void edit(const char *name, const QString &text) const
    {
        QLineEdit *field = w<QLineEdit>(name);
        field->setText(text);
        emit field->editingFinished();
    }
    QString label(const char *name) const { return w<QLabel>(name)->text(); }

    // The temporary working folder.
    QString folder() const { return m_dir.path(); }

    MainWindow *window = nullptr;

private:
    QString m_oldCwd;
    QTemporaryDir m_dir;
};
