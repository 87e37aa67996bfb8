#include "shell/request_guard.h"

#include "base/inside_directory.h"

bool mayLoad(const QUrl& url, const std::filesystem::path& appDir)
{
    const QString scheme = url.scheme();
    if (scheme == u"data" || scheme == u"blob" || scheme == u"about")
        return true;
    // A host would make the path another machine's share.
    if (scheme != u"file" || !url.host().isEmpty())
        return false;
    return lexoria::liesInside(url.toLocalFile().toStdString(), appDir);
}

void RequestGuard::guard(QWebEngineProfile* profile, const std::filesystem::path& appDir)
{
    auto* guard = profile->findChild<RequestGuard*>(QString(), Qt::FindDirectChildrenOnly);
    if (!guard) {
        guard = new RequestGuard(profile);
        profile->setUrlRequestInterceptor(guard);
    }
    guard->appDir_ = appDir;
}

void RequestGuard::interceptRequest(QWebEngineUrlRequestInfo& info)
{
    info.block(!mayLoad(info.requestUrl(), appDir_));
}
