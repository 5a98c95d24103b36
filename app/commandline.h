#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// What the command line asks for. See the README for the options.
struct CommandLine {
    enum class Mode { Window, Report, Screenshot };
    Mode mode = Mode::Window;
    QString designFile;
    QString screenshotPath;
    int page = -1;
    QSize size = QSize(1230, 691);
    QStringList clicks;
    QString catalogDir;
    QString error;  // non-empty: the arguments cannot be used
};

CommandLine parseCommandLine(const QStringList &arguments);

// Whether the run needs no window on a display.
inline bool isScripted(const CommandLine &c) { return c.mode != CommandLine::Mode::Window; }

// --report and --screenshot runs; returns the process exit status.
int runScripted(const CommandLine &c);
