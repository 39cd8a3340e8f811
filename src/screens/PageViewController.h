#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

class FarlineAppDelegate;

// A read-only page of the bundle (rich text) with a title. A tapped link to the web or to mail
// goes to the system, and the page stays; any other link, or one the system refuses, loads in
// the page itself. About and help are two of them.
class PageViewController : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString title READ title CONSTANT)
    Q_PROPERTY(QString text READ text NOTIFY loaded)
    Q_PROPERTY(QUrl url READ url NOTIFY loaded)

public:
    // How a load came about: a tapped link, or anything else (the page's own file at creation).
    enum class Navigation { LinkClicked, Other };

    const QString &title() const { return m_title; }
    // The page's rich text, with {{version}} and {{access-numbers-version}} filled in.
    const QString &text() const { return m_text; }
    const QUrl &url() const { return m_url; }

    // Whether the page itself loads `address` (as written in the page): false when it was a
    // tapped "http", "https" or "mailto" link (the scheme so written) and the system took it.
    bool shouldStartLoad(const QString &address, Navigation navigation);
    // A link tapped in the page, relative to it.
    Q_INVOKABLE void linkActivated(const QString &link);

Q_SIGNALS:
    void loaded();

protected:
    // Loads the bundle's page `name` of type "html".
    PageViewController(FarlineAppDelegate &app, QString title, const QString &name, QObject *parent);

private:
    void load(const QUrl &url);
    void show(const QUrl &url, QString text);

    FarlineAppDelegate &m_app;
    const QString m_title;
    QString m_text;
    QUrl m_url;
};

class AboutViewController : public PageViewController
{
public:
    explicit AboutViewController(FarlineAppDelegate &app, QObject *parent = nullptr);
};

// Its title has no question mark, unlike the settings row that opens it.
class HelpViewController : public PageViewController
{
public:
    explicit HelpViewController(FarlineAppDelegate &app, QObject *parent = nullptr);
};
