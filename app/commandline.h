#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// What the command line asks for. See the README for the options.
struct CommandLine {
    enum class Mode { Window, Report, Screenshot, Spice, Help, Version };
    Mode mode = Mode::Window;
    QString designFile;
    QString screenshotPath;
    QString spicePath; // --spice: where the netlist goes
    int page = -1;
    QSize size = QSize(1230, 691);
    QStringList clicks;
    QString catalogDir;
    QString error; // non-empty: the arguments cannot be used
};

CommandLine parseCommandLine(const QStringList &arguments);

// Whether the run needs no window on a display.
inline bool isScripted(const CommandLine &c)
{
    return c.mode == CommandLine::Mode::Report || c.mode == CommandLine::Mode::Screenshot
        || c.mode == CommandLine::Mode::Spice;
}

// --help and --version: answered before any application object exists, so
// they work without a display.
inline bool isInformation(const CommandLine &c)
{
    return c.mode == CommandLine::Mode::Help || c.mode == CommandLine::Mode::Version;
}

// The usage summary --help prints.
QString helpText();

// Prints what --help or --version asks for; returns the process exit status.
int printInformation(const CommandLine &c);

// --report, --screenshot and --spice runs; returns the process exit status.
int runScripted(const CommandLine &c);
