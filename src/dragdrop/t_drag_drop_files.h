#pragma once

#include "dragdrop/t_drag_drop.h"

#include <QStringList>

// A drop target for files from the desktop's file manager: it accepts drags
// that carry at least one local file and lists the dropped files.
class TDragDropFiles : public TDragDrop {
    Q_OBJECT

public:
    explicit TDragDropFiles(QObject* owner = nullptr);

    // Full native paths of the local files of the last drop, in the order
    // of the drop; other addresses are left out.
    const QStringList& FileList() const { return m_fileList; }

protected:
    bool AcceptsFormat(const QMimeData* data) const override;
    void FetchDroppedData(const QMimeData* data) override;

private:
    QStringList m_fileList;
};
