#include "screens/PageViewController.h"

#include "core/AppSettings.h"
#include "core/FarlineAppDelegate.h"
#include "platform/Bundle.h"
#include "platform/PlatformServices.h"

#include <QDir>
#include <QFile>

namespace {
// Where the bundle's file lies, as a URL the view can resolve the page's links and images against.
QUrl urlOfPath(const QString &path)
{
    return path.startsWith(u':') ? QUrl(QStringLiteral("qrc") + path) : QUrl::fromLocalFile(path);
}

// The local file a URL names, when it lies inside the bundle: pages never show other files.
std::optional<QString> bundlePath(const QUrl &url, const Bundle &bundle)
{
    QString path;
    if (url.scheme() == u"qrc")
        path = u':' + url.path();
    else if (url.isLocalFile())
        path = url.toLocalFile();
    else
        return std::nullopt;
    path = QDir::cleanPath(path);
    if (!path.startsWith(bundle.root() + u'/'))
        return std::nullopt;
    return path;
}

QString notice(const QString &message)
{
    return QStringLiteral("<p style=\"color:#808080\">%1</p>").arg(message.toHtmlEscaped());
}
}

PageViewController::PageViewController(FarlineAppDelegate &app, QString title, const QString &name, QObject *parent)
    : QObject(parent)
    , m_app(app)
    , m_title(std::move(title))
{
    const auto path = m_app.bundle().pathForResource(name, QStringLiteral("html"), QStringLiteral("/"));
    if (path)
        load(urlOfPath(*path));
    else
        show({}, notice(QStringLiteral("This page is missing from this installation of Farline.")));
}

bool PageViewController::shouldStartLoad(const QString &address, Navigation navigation)
{
    static const QStringList systemSchemes = {QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("mailto")};
    // Compared as written: "HTTP:" is not handed on, and QUrl would have lowered it.
    const qsizetype colon = address.indexOf(u':');
    if (navigation == Navigation::LinkClicked && colon > 0 && systemSchemes.contains(address.first(colon)))
        return !m_app.openURL(QUrl(address));
    return true;
}

void PageViewController::linkActivated(const QString &link)
{
    if (shouldStartLoad(link, Navigation::LinkClicked))
        load(m_url.resolved(QUrl(link)));
}

void PageViewController::load(const QUrl &url)
{
    const auto path = bundlePath(url, m_app.bundle());
    QFile file(path.value_or(QString()));
    if (!path || !file.open(QIODevice::ReadOnly)) {
        show(url, notice(QStringLiteral("%1 cannot be shown here.").arg(url.toDisplayString())));
        return;
    }
    const int version = m_app.appSettings().currentVersionNumber;
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QStringLiteral("{{version}}"), QStringLiteral(FARLINE_VERSION));
    text.replace(QStringLiteral("{{access-numbers-version}}"),
                 version > 0 ? QStringLiteral("version %1").arg(version) : QStringLiteral("as shipped with Farline"));
    text.replace(QStringLiteral("{{updates}}"), PlatformServices::updatesText(m_app.updateKey()));
    show(url, text);
}

void PageViewController::show(const QUrl &url, QString text)
{
    m_url = url;
    m_text = std::move(text);
    Q_EMIT loaded();
}

AboutViewController::AboutViewController(FarlineAppDelegate &app, QObject *parent)
    : PageViewController(app, QStringLiteral("About Farline"), QStringLiteral("about"), parent)
{
}

HelpViewController::HelpViewController(FarlineAppDelegate &app, QObject *parent)
    : PageViewController(app, QStringLiteral("How does it work"), QStringLiteral("help"), parent)
{
}
