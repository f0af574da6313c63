#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// What a link list entry may open: a web address (http, https, ftp, or a
// text starting with "www.", taken as http) or an existing folder given by
// its absolute path. Anything else -- programs, scripts, plain files, other
// schemes such as file: or javascript: -- gives no address, so that a
// double-click never starts something the list is not meant for.
std::optional<QUrl> openableLink(const QString& entry);
