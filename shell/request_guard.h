#pragma once

#include <QUrl>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestInterceptor>

#include <filesystem>

// Whether the view may load `url`: a file that lies inside the application
// directory, or an inline `data:`, `blob:` or `about:` document. Everything
// else (the web, other schemes, files outside) is third-party pages
// reaching out of the statute.
bool mayLoad(const QUrl& url, const std::filesystem::path& appDir);

// Refuses, before it leaves the program, every request of a profile's
// pages that mayLoad does not allow: documents, frames, images, scripts,
// stylesheets, fetches and forms alike.
class RequestGuard : public QWebEngineUrlRequestInterceptor {
    Q_OBJECT

public:
    // Guards the profile's pages for appDir. The guard belongs to the
    // profile, not to a page, so that no page that goes (a page printed)
    // takes the guard of the others with it.
    static void guard(QWebEngineProfile* profile, const std::filesystem::path& appDir);

    void interceptRequest(QWebEngineUrlRequestInfo& info) override;

private:
    using QWebEngineUrlRequestInterceptor::QWebEngineUrlRequestInterceptor;

    std::filesystem::path appDir_;
};
