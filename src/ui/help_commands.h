#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

namespace quarvel {

class AboutBox;

// The "Help" menu: the user guide beside the program, the product's web pages and the about box.
// While the build names no web server, "Online help" opens the guide and "Version check" shows
// the about box.
class HelpCommands : public QObject
{
    Q_OBJECT
public:
    // The web server of the build (QUARVEL_WEB_HOST), empty unless the build names one.
    static QString configuredWebHost();

    explicit HelpCommands(QWidget *window);
    HelpCommands(QWidget *window, const QString &webHost);

    // First of help/Quarvel.html beside the program and share/quarvel/help/Quarvel.html of an
    // installed program that exists; the first when neither does.
    static QString userGuidePath(const QString &programDir);
    // A host alone gets https; a host given with its scheme keeps it. Empty without a host.
    static QUrl webPage(const QString &webHost, const QString &path);

    QUrl userGuideUrl() const;
    QUrl onlineHelpUrl() const;
    QUrl versionCheckUrl() const;

    // How addresses are opened: the desktop's default handler; tests look instead. A failure
    // is not reported.
    std::function<bool(const QUrl &)> openUrl;

    AboutBox &aboutBox();

public slots:
    void contents();
    void onlineHelp();
    void versionCheck();
    void about();

private:
    QWidget *m_window;
    QString m_webHost;
    QPointer<AboutBox> m_about;
};

} // namespace quarvel
