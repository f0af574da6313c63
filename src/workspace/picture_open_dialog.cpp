#include "workspace/picture_open_dialog.h"

#include "platform/pictures/picture_formats.h"
#include "platform/pictures/picture_loader.h"

#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTreeView>

namespace {

constexpr int kPreviewSize = 160;
// Room for the folder list, the file list with its name, size, type and
// date columns, the whole file-type filter and the preview.
constexpr QSize kDialogSize(900, 480);
// Larger files are not decoded just for the preview.
constexpr qint64 kPreviewFileLimit = 40 * 1024 * 1024;

}  // namespace

QStringList PictureOpenDialog::nameFilterList()
{
    return pictureNameFilters();
}

PictureOpenDialog::PictureOpenDialog(QWidget* parent, const QString& folder,
                                     const QString& fileName)
    : QFileDialog(parent, QStringLiteral("Öffnen"), folder)
{
    setOption(QFileDialog::DontUseNativeDialog);
    setFileMode(QFileDialog::ExistingFiles);
    setAcceptMode(QFileDialog::AcceptOpen);
    setNameFilters(nameFilterList());
    if (!fileName.isEmpty())
        selectFile(fileName);

    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFixedSize(kPreviewSize, kPreviewSize);
    m_preview->setAlignment(Qt::AlignCenter);
    m_preview->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    if (auto* grid = qobject_cast<QGridLayout*>(layout()))
        grid->addWidget(m_preview, 1, grid->columnCount(), 1, 1);
    connect(this, &QFileDialog::currentChanged, this, &PictureOpenDialog::showPreview);
    fitColumnsToTheirContent();
    resize(kDialogSize.boundedTo(availableRoom()));
}

// The detail columns as wide as what they show; the names take the rest.
void PictureOpenDialog::fitColumnsToTheirContent()
{
    auto* details = findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!details)
        return;
    QHeaderView* header = details->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
}

QSize PictureOpenDialog::availableRoom() const
{
    const QScreen* shownOn = parentWidget() ? parentWidget()->screen() : screen();
    return shownOn ? shownOn->availableSize() : kDialogSize;
}

void PictureOpenDialog::showPreview(const QString& path)
{
    m_preview->clear();
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kPreviewFileLimit)
        return;
    try {
        const Picture picture = loadPicture(path, {}, QSize(kPreviewSize, kPreviewSize));
        QSize size = picture.size().scaled(kPreviewSize - 4, kPreviewSize - 4, Qt::KeepAspectRatio);
        m_preview->setPixmap(QPixmap::fromImage(picture.rendered(size.expandedTo({1, 1}))));
    } catch (const std::exception&) {
        m_preview->setText(QStringLiteral("Keine Vorschau"));
    }
}
