#include "dragdrop/t_drag_drop_files.h"

#include <QDir>
#include <QMimeData>
#include <QUrl>

namespace {

QStringList localFilesOf(const QMimeData* data)
{
    QStringList files;
    if (!data || !data->hasUrls())
        return files;
    for (const QUrl& url : data->urls()) {
        const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
        if (!path.isEmpty())
            files.append(QDir::toNativeSeparators(path));
    }
    return files;
}

}  // namespace

TDragDropFiles::TDragDropFiles(QObject* owner) : TDragDrop(owner)
{ }

bool TDragDropFiles::AcceptsFormat(const QMimeData* data) const
{
    return !localFilesOf(data).isEmpty();
}

void TDragDropFiles::FetchDroppedData(const QMimeData* data)
{
    m_fileList = localFilesOf(data);
}
