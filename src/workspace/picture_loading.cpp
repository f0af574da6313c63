// Loading picture files into the slots, with automatic size recognition.
#include "model/program_values.h"
#include "platform/desktop/modules.h"
#include "platform/pictures/picture_loader.h"
#include "platform/store/settings_store.h"
#include "platform/widgets/error_box.h"
#include "platform/widgets/image_view.h"
#include "settings/t_cd_setup.h"
#include "workspace/picture_open_dialog.h"
#include "workspace/slot_panel.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace {

const QString kInvalidFormat = QStringLiteral("Ungültiges Format...");

// A square picture is a front page; every other shape goes to slot 2.
int slotForShape(const Picture& picture)
{
    return picture.width() == picture.height() ? 1 : 2;
}

}  // namespace

void TSleevix::connectPictureHandlers()
{
    connect(Image1, &ImageView::doubleClicked, this, &TSleevix::Image1DblClick);
    connect(Image2, &ImageView::doubleClicked, this, &TSleevix::Image2DblClick);
    connect(Image3, &ImageView::doubleClicked, this, &TSleevix::Image3DblClick);
    connect(Image4, &ImageView::doubleClicked, this, &TSleevix::Image4DblClick);
    connect(popupItem(1, kLoadItem), &QAction::triggered, this, &TSleevix::Bildladen2Click);
    connect(popupItem(2, kLoadItem), &QAction::triggered, this, &TSleevix::Bildladen1Click);
    connect(bFront, &QPushButton::clicked, this, &TSleevix::Button1Click);
    connect(bBack, &QPushButton::clicked, this, &TSleevix::bBackClick);
    connect(popupItem(1, kRecognitionItem), &QAction::triggered, this,
            &TSleevix::Bilderkennung1Click);
    connect(popupItem(2, kRecognitionItem), &QAction::triggered, this,
            &TSleevix::Bilderkennung2Click);
}

void TSleevix::emptySlot(int slot)
{
    slotView(slot)->clear();
    setStatusText(slot, QString());
    (slot == 1 ? sbTrash1 : sbTrash2)->setEnabled(false);
}

void TSleevix::updateTrashButtons()
{
    sbTrash1->setEnabled(Image1->hasPicture());
    sbTrash2->setEnabled(Image2->hasPicture());
}

// Either panel, as the picture may go to either with or without
// recognition; printing and the clipboard decode the file anew.
QSize TSleevix::panelPixels() const
{
    return Image1->shownPixels().expandedTo(Image2->shownPixels());
}

bool TSleevix::OpenFile(int slot, const QString& fileName, Picture& holder,
                        const std::function<void(const QImage&)>& showPartial)
{
    try {
        holder = loadPicture(fileName, showPartial, panelPixels());
    } catch (const InvalidPictureError&) {
        emptySlot(slot);
        setStatusText(slot, kInvalidFormat);
        holder = Picture();
        return false;
    } catch (const UnreadableFileError&) {
        // Nothing was decoded; the slot keeps what it shows.
        setStatusText(slot, QStringLiteral("Datei kann nicht gelesen werden: %1").arg(fileName));
        holder = Picture();
        return false;
    } catch (const ModuleError& error) {
        // The decoder itself is missing: the file is not to blame.
        showErrorBox(this, error.message());
        holder = Picture();
        return false;
    }
    SetJPEGOptions(holder);
    return true;
}

void TSleevix::SetJPEGOptions(Picture&)
{
    // JPEG pictures are always decoded at 24 bits per pixel with the accurate
    // DCT and fancy upsampling, progressive ones shown coarsely first; there
    // is no cheaper decode to switch away from.
}

bool TSleevix::recognitionApplies() const
{
    return program().AutoFormat && !cbDouble->isChecked() && !cbSecFront->isChecked()
        && !cbCD->isChecked();
}

// A progressive JPEG shows its coarse first scan in the slot while the rest
// decodes. The slot keeps a copy at the view's size only: were it to share
// the decoder's picture, the decoder would have to copy all of it to go on.
void TSleevix::showPartialPicture(int slot, const QImage& partial)
{
    ImageView* view = slotView(slot);
    const QSize pixels = (QSizeF(view->size()) * view->devicePixelRatioF()).toSize();
    if (pixels.isEmpty())
        return;
    const QImage preview = partial.scaled(pixels.boundedTo(partial.size()), Qt::IgnoreAspectRatio,
                                          Qt::FastTransformation);
    view->setPicture(Picture::fromImage(preview, true));
    view->repaint();
}

void TSleevix::loadDirect(int slot, const QString& fileName)
{
    Picture picture;
    auto showPartial = [this, slot](const QImage& partial) { showPartialPicture(slot, partial); };
    if (OpenFile(slot, fileName, picture, showPartial)) {
        slotView(slot)->setPicture(picture);
        setStatusText(slot, fileName);
    }
}

void TSleevix::loadRecognised(int errorSlot, const QString& fileName)
{
    // Partial passes already show in the slot the shape names; should the
    // file then turn out corrupt, that slot gets its picture back.
    int partialSlot = 0;
    Picture before;
    auto showPartial = [&](const QImage& partial) {
        if (!partialSlot) {
            partialSlot = partial.width() == partial.height() ? 1 : 2;
            before = slotPicture(partialSlot);
        }
        showPartialPicture(partialSlot, partial);
    };
    Picture picture;
    if (OpenFile(errorSlot, fileName, picture, showPartial) && !picture.isEmpty()) {
        const int slot = slotForShape(picture);
        slotView(slot)->setPicture(picture);
        setStatusText(slot, fileName);
    } else if (partialSlot && partialSlot != errorSlot) {
        slotView(partialSlot)->setPicture(before);
    }
}

// The first two of the files chosen together; the others are not used.
void TSleevix::loadChosenFiles(int slot, const QStringList& files, bool recognition)
{
    if (files.isEmpty())
        return;
    if (recognition) {
        loadRecognised(1, files.at(0));
        if (files.size() >= 2)
            loadRecognised(2, files.at(1));
    } else {
        const int other = slot == 1 ? 2 : 1;
        loadDirect(slot, files.at(0));
        if (files.size() >= 2)
            loadDirect(other, files.at(1));
    }
}

void TSleevix::FDblClick(int slot)
{
    const bool recognition = recognitionApplies();
    const QStringList files = runOpenDialog ? runOpenDialog() : QStringList();
    loadChosenFiles(slot, files, recognition);
    updateTrashButtons();
}

void TSleevix::openFiles(const QStringList& files)
{
    if (files.isEmpty())
        return;
    loadChosenFiles(1, files, recognitionApplies());
    updateTrashButtons();
}

void TSleevix::Image1DblClick()
{
    FDblClick(1);
}

void TSleevix::Image2DblClick()
{
    FDblClick(2);
}

// The overlays lie over the slots in the CD layout and take their double
// clicks.
void TSleevix::Image3DblClick()
{
    FDblClick(1);
}

void TSleevix::Image4DblClick()
{
    FDblClick(2);
}

// "Bild laden" of the front panel's menu.
void TSleevix::Bildladen2Click()
{
    Image1DblClick();
}

// "Bild laden" of the back panel's menu.
void TSleevix::Bildladen1Click()
{
    Image2DblClick();
}

// The front slot button.
void TSleevix::Button1Click()
{
    FDblClick(1);
    focusAway();
}

void TSleevix::bBackClick()
{
    FDblClick(2);
    focusAway();
}

void TSleevix::OpenImage(int slot, const QString& fileName)
{
    m_openDialogFolder = m_runLongSettings->settings().folder(Folder::eDaten);
    if (!fileName.isEmpty())
        m_openDialogFileName = fileName;
    if (recognitionApplies())
        loadRecognised(slot, fileName);
    else
        loadDirect(slot, fileName);
    updateTrashButtons();
}

QStringList TSleevix::execPictureDialog()
{
    PictureOpenDialog dialog(this, m_openDialogFolder, m_openDialogFileName);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    if (!files.isEmpty())
        m_openDialogFolder = QFileInfo(files.first()).absolutePath();
    return files;
}

void TSleevix::toggleRecognition(int menu)
{
    ProgramValues& values = program();
    values.AutoFormat = !values.AutoFormat;
    popupItem(menu, kRecognitionItem)->setChecked(values.AutoFormat);
    CoverSettings& settings = m_runLongSettings->settings();
    settings.setTicked(Check::cbAutoFormat, values.AutoFormat);
    if (values.AutoSave) {
        runGuarded(this, [&settings] {
            SettingsStore::user().writeBool(QStringLiteral("AutoFormat"),
                                            settings.ticked(Check::cbAutoFormat));
        });
    }
}

void TSleevix::Bilderkennung1Click()
{
    toggleRecognition(1);
}

void TSleevix::Bilderkennung2Click()
{
    toggleRecognition(2);
}
