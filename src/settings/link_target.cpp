#include "settings/link_target.h"

#include <QDir>
#include <QFileInfo>

namespace {

const char* const kWebSchemes[] = {"http", "https", "ftp"};

bool isWebScheme(const QString& scheme)
{
    for (const char* web : kWebSchemes) {
        if (scheme.compare(QLatin1String(web), Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

std::optional<QUrl> webAddress(const QString& text)
{
    const bool bareHost = text.startsWith(QLatin1String("www."), Qt::CaseInsensitive);
    const QUrl url(bareHost ? QStringLiteral("http://") + text : text, QUrl::StrictMode);
    if (url.isValid() && isWebScheme(url.scheme()) && !url.host().isEmpty())
        return url;
    return std::nullopt;
}

std::optional<QUrl> folder(const QString& text)
{
    if (!QDir::isAbsolutePath(text) || !QFileInfo(text).isDir())
        return std::nullopt;
    return QUrl::fromLocalFile(QDir::cleanPath(text));
}

}  // namespace

std::optional<QUrl> openableLink(const QString& entry)
{
    const QString text = entry.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    if (auto url = webAddress(text))
        return url;
    return folder(text);
}
