#pragma once

#include "catalog/records.h"

// The five catalogs the main window owns; pages receive it by const reference.
struct Catalogs {
    QVector<amp> linear;
    QVector<amp> host;
    QVector<pwm> pwms;
    QVector<PackageStyle> packages;
    QVector<Heatsink> heatsinks;
};

namespace CatalogFiles {
// Resource paths of the built-in catalogs; a folder given with --catalogs
// replaces the ":/ZarnLinear" prefix.
QString linearFile(const QString &dir = QString());
QString hostFile(const QString &dir = QString());
QString pwmFile(const QString &dir = QString());
QString packageFile(const QString &dir = QString());
QString heatsinkFile(const QString &dir = QString());
} // namespace CatalogFiles

// Parsers of catalog text (already read whole). `source` names the catalog in
// the debug-log line written for a record line with too few cells.
QVector<amp> parseLinearCatalog(
    const QString &text, bool includePreReleased, const QString &source = QStringLiteral("Linear Amp"));
QVector<amp> parseHostCatalog(const QString &text, const QString &source = QStringLiteral("Host Amp"));
QVector<pwm> parsePwmCatalog(
    const QString &text, bool includePreReleased, const QString &source = QStringLiteral("PWM Amp"));
QVector<PackageStyle> parsePackageStyles(
    const QString &text, const QString &source = QStringLiteral("Package Style"));
QVector<Heatsink> parseHeatsinks(const QString &text, const QString &source = QStringLiteral("Heatsink"));

// Loaders: clear the target, read the file (a resource path or a file path);
// a file that cannot be opened leaves the target empty after a debug-log line.
void loadLinearCatalog(QVector<amp> &target, bool includePreReleased, const QString &path);
void loadHostCatalog(QVector<amp> &target, const QString &path);
void loadPwmCatalog(QVector<pwm> &target, bool includePreReleased, const QString &path);
void loadPackageStyles(QVector<PackageStyle> &target, const QString &path);
void loadHeatsinks(QVector<Heatsink> &target, const QString &path);

// Loads all five from `dir` (empty: the built-in resources) in the order
// linear, host, PWM, package styles, heatsinks.
void loadAllCatalogs(Catalogs &c, bool includePreReleased, const QString &dir = QString());

// Look-ups.
int ampVectorIndex(const QVector<amp> &linear, const QString &name);
QString interpretPackage(const QVector<PackageStyle> &styles, const QString &code);
QString interpretPackageFullDesc(const QVector<PackageStyle> &styles, const QString &code);
QString beforeV7IndextoAmpName(const QVector<amp> &linear, int index);
QString beforeV7IndextoHostName(const QVector<amp> &host, int index);
QString beforeV7IndextoPwmName(const QVector<pwm> &pwms, int index);
// First record of that name, else the first record, else a default record.
amp findLinear(const QVector<amp> &linear, const QString &name);
pwm findSwitching(const QVector<pwm> &pwms, const QString &name);
