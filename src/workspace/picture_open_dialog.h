#pragma once

#include <QFileDialog>

class QLabel;

// The picture-open dialog: several files may be chosen, and the picture
// under the cursor is previewed beside the file list.
class PictureOpenDialog : public QFileDialog {
    Q_OBJECT
public:
    PictureOpenDialog(QWidget* parent, const QString& folder, const QString& fileName);

    static QStringList nameFilterList();

private:
    void showPreview(const QString& path);
    void fitColumnsToTheirContent();
    QSize availableRoom() const;

    QLabel* m_preview = nullptr;
};
