#pragma once

#include "platform/printing/print_device.h"

#include <QSize>
#include <QString>

// One call a sheet routine made on a print device. Rectangle calls keep
// (left, top, right, bottom); moveTo and lineTo keep x in `left` and y in
// `top`; stretchDraw and stretchDrawRound keep their target as (left, top,
// right, bottom) and the size of the picture they were given; textOut keeps
// its position in `left` and `top`, the letter height in `bottom` and the
// text in `title`.
struct RecordedCall {
    enum class Kind {
        SetTitle,
        SetOrientation,
        BeginDoc,
        EndDoc,
        AbortDoc,
        StretchDraw,
        Rectangle,
        Ellipse,
        MoveTo,
        LineTo,
        SetBrushClear,
        StretchDrawRound,
        ClearEllipse,
        TextOut
    };

    Kind kind = Kind::BeginDoc;
    QString title;
    PrintDevice::Orientation orientation = PrintDevice::Orientation::Portrait;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    QSize pictureSize;

    static RecordedCall setTitle(const QString& title);
    static RecordedCall setOrientation(PrintDevice::Orientation orientation);
    static RecordedCall beginDoc();
    static RecordedCall endDoc();
    static RecordedCall abortDoc();
    static RecordedCall stretchDraw(int left, int top, int right, int bottom, QSize pictureSize);
    static RecordedCall stretchDrawRound(int left, int top, int right, int bottom,
                                         QSize pictureSize);
    static RecordedCall rectangle(int left, int top, int right, int bottom);
    static RecordedCall ellipse(int left, int top, int right, int bottom);
    static RecordedCall clearEllipse(int left, int top, int right, int bottom);
    static RecordedCall moveTo(int x, int y);
    static RecordedCall lineTo(int x, int y);
    static RecordedCall setBrushClear();
    static RecordedCall textOut(int x, int y, int height, const QString& text);

    // For example "rectangle(1080, 136, 3912, 2968)".
    QString toString() const;

    friend bool operator==(const RecordedCall&, const RecordedCall&) = default;
};

// Lets QCOMPARE print recorded calls.
char* toString(const RecordedCall& call);
