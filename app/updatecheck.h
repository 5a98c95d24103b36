#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class QNetworkAccessManager;
class QNetworkReply;
class QTimer;
class QWidget;

// The maker's web site: the build's default (the AMPORA_MAKER_SITE cache
// variable), unless the AMPORA_MAKER_SITE environment variable names another.
// Always ends with a slash.
QString makerSite();
// The version file and the applications-support page on that site.
QUrl versionFileUrl(const QString &site = makerSite());
QString supportPageUrl(const QString &site = makerSite());

// One request for the published version text. A reply that is not a plain
// success with a short body, or that has not finished within the time limit,
// ends the check without a word; only a version newer than ours is reported.
class UpdateCheck : public QObject {
    Q_OBJECT
public:
    explicit UpdateCheck(QObject *parent = nullptr);

    void start(const QUrl &url, int timeoutMs = 10000);

    // The longest body read as a version file; anything longer is not one.
    static constexpr qint64 kMaxReply = 256;

signals:
    void newerVersionFound(const QString &published);
    // The check has ended, whatever its outcome.
    void finished();

private:
    void fileIsReady(QNetworkReply *reply);

    QNetworkAccessManager *m_network = nullptr;
    QTimer *m_timer = nullptr;
};

// Starts the start-up check against the maker's site; a newer version is
// announced in an "Update" box over `window`.
void startUpdateCheck(QWidget *window);
