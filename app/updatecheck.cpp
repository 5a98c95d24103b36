#include "app/updatecheck.h"

#include <QMessageBox>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QTimer>
#include <QWidget>

#include "amporaversion.h"
#include "app/versioncheck.h"

#ifndef AMPORA_MAKER_SITE
#define AMPORA_MAKER_SITE "https://www.zarn-power.example/"
#endif

QString makerSite()
{
    QString site = qEnvironmentVariable("AMPORA_MAKER_SITE").trimmed();
    if (site.isEmpty())
        site = QStringLiteral(AMPORA_MAKER_SITE);
    if (!site.endsWith(QLatin1Char('/')))
        site += QLatin1Char('/');
    return site;
}

QUrl versionFileUrl(const QString &site)
{
    return QUrl(site + QStringLiteral("resources/tools/AmporaCurrentVersion.txt"));
}

QString supportPageUrl(const QString &site)
{
    return site + QStringLiteral("support/technical_support.html");
}

UpdateCheck::UpdateCheck(QObject *parent)
    : QObject(parent)
{
    m_network = new QNetworkAccessManager(this);
    connect(m_network, &QNetworkAccessManager::finished, this, &UpdateCheck::fileIsReady);
    m_timer = new QTimer(this);
    m_timer->setSingleShot(true);
}

void UpdateCheck::start(const QUrl &url, int timeoutMs)
{
    QNetworkRequest request(url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::NoLessSafeRedirectPolicy);
    QNetworkReply *reply = m_network->get(request);
    // A reply that keeps coming is no version file: stop reading it at once.
    connect(reply, &QNetworkReply::downloadProgress, reply, [reply](qint64 received, qint64) {
        if (received > kMaxReply)
            reply->abort();
    });
    connect(m_timer, &QTimer::timeout, reply, &QNetworkReply::abort);
    m_timer->start(timeoutMs);
}

void UpdateCheck::fileIsReady(QNetworkReply *reply)
{
    m_timer->stop();
    reply->deleteLater();
    const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply->error() == QNetworkReply::NoError && status == 200) {
        const QByteArray body = reply->read(kMaxReply + 1);
        const QString text = QString::fromUtf8(body).trimmed();
        if (body.size() <= kMaxReply && !text.isEmpty()
            && isNewerVersion(text, QString::fromLatin1(kAmporaVersion)))
            emit newerVersionFound(text);
    }
    emit finished();
}

void startUpdateCheck(QWidget *window)
{
    auto *check = new UpdateCheck(window);
    QObject::connect(check, &UpdateCheck::newerVersionFound, window, [window] {
        QMessageBox::information(window, QStringLiteral("Update"),
            QStringLiteral("There is a new update available. Go to ") + makerSite()
                + QStringLiteral(" to download the newest modules and amplifiers."));
    });
    QObject::connect(check, &UpdateCheck::finished, check, &QObject::deleteLater);
    check->start(versionFileUrl());
}
