// Commands on the slot pictures: paste, copy to the clipboard, clear the
// clipboard, swap, copy, empty, print, placement, and files dropped on the
// panels.
#include "platform/pictures/picture_formats.h"
#include "platform/pictures/picture_loader.h"
#include "platform/widgets/error_box.h"
#include "platform/widgets/image_view.h"
#include "workspace/slot_panel.h"
#include "workspace/t_sleevix.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMimeData>
#include <QToolButton>

#include <optional>

namespace {

using Command = void (TSleevix::*)();

struct ButtonCommand {
    QToolButton* TSleevix::*button;
    Command command;
};

const ButtonCommand kButtonCommands[] = {
    {&TSleevix::sbClipbrd1, &TSleevix::sbClipbrd1Click},
    {&TSleevix::sbClipbrd2, &TSleevix::sbClipbrd2Click},
    {&TSleevix::sbClear, &TSleevix::sbClearClick},
    {&TSleevix::sbChange, &TSleevix::sbChangeClick},
    {&TSleevix::sbTrash1, &TSleevix::sbTrash1Click},
    {&TSleevix::sbTrash2, &TSleevix::sbTrash2Click},
};

struct PopupCommand {
    int menu;
    int index;
    Command command;
};

const PopupCommand kPopupCommands[] = {
    {1, TSleevix::kSwapItem, &TSleevix::Bildertauschen1Click},
    {2, TSleevix::kSwapItem, &TSleevix::Bildertauschen2Click},
    {1, TSleevix::kCopyItem, &TSleevix::Kopieren1Click},
    {2, TSleevix::kCopyItem, &TSleevix::Kopieren2Click},
    {1, TSleevix::kDeleteItem, &TSleevix::Lschen1Click},
    {2, TSleevix::kDeleteItem, &TSleevix::Lschen2Click},
    {1, TSleevix::kDeleteBothItem, &TSleevix::Beidelschen1Click},
    {2, TSleevix::kDeleteBothItem, &TSleevix::Beidelschen2Click},
    {1, TSleevix::kPasteItem, &TSleevix::Einfgen1Click},
    {2, TSleevix::kPasteItem, &TSleevix::Einfgen2Click},
    {1, TSleevix::kClipboardCopyItem, &TSleevix::InZwischenablage1Click},
    {2, TSleevix::kClipboardCopyItem, &TSleevix::InZwischenablage2Click},
};

using PlacementChange = PicturePlacement (*)(PicturePlacement);

PicturePlacement withFit(PicturePlacement placement, PictureFit fit)
{
    placement.fit = fit;
    return placement;
}

struct PlacementCommand {
    int index;
    PlacementChange change;
    std::optional<PictureFit> fit;  // the fit the item checks
};

const PlacementCommand kPlacementCommands[] = {
    {TSleevix::kStretchItem, [](PicturePlacement p) { return withFit(p, PictureFit::Stretch); },
     PictureFit::Stretch},
    {TSleevix::kFillItem, [](PicturePlacement p) { return withFit(p, PictureFit::Fill); },
     PictureFit::Fill},
    {TSleevix::kFitItem, [](PicturePlacement p) { return withFit(p, PictureFit::Fit); },
     PictureFit::Fit},
    {TSleevix::kTurnLeftItem, [](PicturePlacement p) { return p.turnedLeft(); }, std::nullopt},
    {TSleevix::kTurnRightItem, [](PicturePlacement p) { return p.turnedRight(); }, std::nullopt},
};

}  // namespace

void TSleevix::connectPictureCommands()
{
    for (const ButtonCommand& entry : kButtonCommands)
        connect(this->*entry.button, &QToolButton::clicked, this, entry.command);
    for (const PopupCommand& entry : kPopupCommands)
        connect(popupItem(entry.menu, entry.index), &QAction::triggered, this, entry.command);
    for (int slot : {1, 2}) {
        for (const PlacementCommand& entry : kPlacementCommands) {
            connect(popupItem(slot, entry.index), &QAction::triggered, this,
                    [this, slot, change = entry.change] { changePlacement(slot, change); });
        }
    }

    using Handler = void (TSleevix::*)(TDragDrop*, TDragKeyState, QPoint, TDropEffectSet);
    auto makeDropTarget = [this](SlotPanel* panel, Handler handler) {
        auto* target = new TDragDropFiles(this);
        target->setSourceEffects({});
        target->setTargetEffects(deCopy);
        target->OnProcessDropped = [this, handler](TDragDrop* sender, TDragKeyState keyState,
                                                   QPoint point, TDropEffectSet effect) {
            runGuarded(this, [&] { (this->*handler)(sender, keyState, point, effect); });
        };
        // The slot views over the panel take no drops, so drops on the
        // picture go to the panel.
        target->setDragDropControl(panel);
        return target;
    };
    DragDropFiles1 = makeDropTarget(Panel1, &TSleevix::DragDropFiles1ProcessDropped);
    DragDropFiles2 = makeDropTarget(Panel2, &TSleevix::DragDropFiles2ProcessDropped);

    connectCommandStates();
}

// A picture in a format of its own (SVG, PDF, WebP, HEIC ...) loads as the
// same file would; anything else Qt reads as an image.
Picture TSleevix::clipboardPicture() const
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    if (!data)
        return {};
    for (const QString& type : pictureMimeTypes()) {
        if (!data->hasFormat(type))
            continue;
        try {
            return decodePictureData(data->data(type), type, panelPixels());
        } catch (const InvalidPictureError&) {
        }
    }
    if (!data->hasImage())
        return {};
    return Picture::fromImage(qvariant_cast<QImage>(data->imageData()));
}

void TSleevix::pasteInto(int slot)
{
    const Picture picture = clipboardPicture();
    if (picture.isEmpty())
        return;
    slotView(slot)->setPicture(picture);
    updateTrashButtons();
}

void TSleevix::sbClipbrd1Click()
{
    pasteInto(1);
}

void TSleevix::sbClipbrd2Click()
{
    pasteInto(2);
}

void TSleevix::Einfgen1Click()
{
    pasteInto(1);
}

void TSleevix::Einfgen2Click()
{
    pasteInto(2);
}

// The picture goes as it is drawn on its panel, placement and all, at its
// own resolution, so that another program (or a paste into the other slot)
// gets what the user sees.
void TSleevix::copyToClipboard(int slot)
{
    const Picture picture = slotPicture(slot);
    if (picture.isEmpty())
        return;
    const QImage drawn = picture.drawnAtOwnResolution(QSizeF(slotView(slot)->size()));
    if (!drawn.isNull())
        QGuiApplication::clipboard()->setImage(drawn);
}

void TSleevix::InZwischenablage1Click()
{
    copyToClipboard(1);
}

void TSleevix::InZwischenablage2Click()
{
    copyToClipboard(2);
}

void TSleevix::changePlacement(int slot, PicturePlacement (*change)(PicturePlacement))
{
    Picture picture = slotPicture(slot);
    if (picture.isEmpty())
        return;
    picture.setPlacement(change(picture.placement()));
    slotView(slot)->setPicture(picture);
}

void TSleevix::showPlacementItems(int menu)
{
    const Picture picture = slotPicture(menu);
    for (const PlacementCommand& entry : kPlacementCommands) {
        QAction* item = popupItem(menu, entry.index);
        item->setEnabled(!picture.isEmpty());
        if (entry.fit)
            item->setChecked(!picture.isEmpty() && picture.placement().fit == *entry.fit);
    }
}

// Empties the clipboard for every program, whatever it holds.
void TSleevix::sbClearClick()
{
    QGuiApplication::clipboard()->clear(QClipboard::Clipboard);
    sbClear->setEnabled(false);
    sbClipbrd1->setEnabled(false);
    sbClipbrd2->setEnabled(false);
}

void TSleevix::sbChangeClick()
{
    const Picture formerFront = Image1->picture();
    const QString formerFrontText = statusText(1);
    setStatusText(1, statusText(2));
    Image1->setPicture(Image2->picture());
    Image2->setPicture(formerFront);
    setStatusText(2, formerFrontText);
    updateTrashButtons();
}

void TSleevix::Bildertauschen1Click()
{
    sbChangeClick();
}

void TSleevix::Bildertauschen2Click()
{
    sbChangeClick();
}

// An empty source empties the target.
void TSleevix::copySlot(int from, int to)
{
    slotView(to)->setPicture(slotView(from)->picture());
    updateTrashButtons();
    setStatusText(to, statusText(from));
}

void TSleevix::Kopieren1Click()
{
    copySlot(1, 2);
}

void TSleevix::Kopieren2Click()
{
    copySlot(2, 1);
}

void TSleevix::sbTrash1Click()
{
    emptySlot(1);
}

void TSleevix::sbTrash2Click()
{
    emptySlot(2);
}

void TSleevix::Lschen1Click()
{
    sbTrash1Click();
}

void TSleevix::Lschen2Click()
{
    sbTrash2Click();
}

void TSleevix::Beidelschen1Click()
{
    sbTrash1Click();
    sbTrash2Click();
}

void TSleevix::Beidelschen2Click()
{
    Beidelschen1Click();
}

// Two or more files fill slot 1 and slot 2 in the order of the drop; a
// single file goes to the panel's own slot. Automatic size recognition may
// redirect each file by its shape.
void TSleevix::loadDropped(int panelSlot, QStringList files)
{
    if (files.isEmpty())
        return;
    if (files.size() >= 2) {
        OpenImage(1, files.at(0));
        OpenImage(2, files.at(1));
    } else {
        OpenImage(panelSlot, files.at(0));
    }
}

void TSleevix::DragDropFiles1ProcessDropped(TDragDrop*, TDragKeyState, QPoint, TDropEffectSet)
{
    loadDropped(1, DragDropFiles1->FileList());
}

void TSleevix::DragDropFiles2ProcessDropped(TDragDrop*, TDragKeyState, QPoint, TDropEffectSet)
{
    loadDropped(2, DragDropFiles2->FileList());
}
