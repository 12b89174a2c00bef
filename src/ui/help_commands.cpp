#include "ui/help_commands.h"

#include "ui/about_box.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>

#ifndef QUARVEL_WEB_HOST
#define QUARVEL_WEB_HOST ""
#endif

namespace quarvel {

QString HelpCommands::configuredWebHost()
{
    return QStringLiteral(QUARVEL_WEB_HOST).trimmed();
}

HelpCommands::HelpCommands(QWidget *window) : HelpCommands(window, configuredWebHost()) {}

HelpCommands::HelpCommands(QWidget *window, const QString &webHost)
    : QObject(window), m_window(window), m_webHost(webHost.trimmed())
{
    openUrl = [](const QUrl &url) { return QDesktopServices::openUrl(url); };
}

QString HelpCommands::userGuidePath(const QString &programDir)
{
    const QDir dir(programDir);
    const QStringList candidates{dir.filePath(QStringLiteral("help/Quarvel.html")),
                                 dir.filePath(QStringLiteral("../share/quarvel/help/Quarvel.html"))};
    for (const QString &candidate : candidates) {
        if (QFileInfo::exists(candidate))
            return QDir::cleanPath(candidate);
    }
    return QDir::cleanPath(candidates.front());
}

QUrl HelpCommands::webPage(const QString &webHost, const QString &path)
{
    QString host = webHost.trimmed();
    if (host.isEmpty())
        return {};
    while (host.endsWith(QLatin1Char('/')))
        host.chop(1);
    if (!host.contains(QLatin1String("://")))
        host.prepend(QLatin1String("https://"));
    return QUrl(host + path);
}

QUrl HelpCommands::userGuideUrl() const
{
    return QUrl::fromLocalFile(userGuidePath(QCoreApplication::applicationDirPath()));
}

QUrl HelpCommands::onlineHelpUrl() const
{
    return m_webHost.isEmpty() ? userGuideUrl() : webPage(m_webHost, QStringLiteral("/quarvel/help.html"));
}

QUrl HelpCommands::versionCheckUrl() const
{
    return webPage(m_webHost, QStringLiteral("/quarvel/version.html"));
}

AboutBox &HelpCommands::aboutBox()
{
    if (!m_about)
        m_about = new AboutBox(m_window);
    return *m_about;
}

void HelpCommands::contents()
{
    openUrl(userGuideUrl());
}

void HelpCommands::onlineHelp()
{
    openUrl(onlineHelpUrl());
}

void HelpCommands::versionCheck()
{
    const QUrl page = versionCheckUrl();
    if (page.isEmpty())
        about();
    else
        openUrl(page);
}

void HelpCommands::about()
{
    aboutBox().exec();
}

} // namespace quarvel
