#pragma once

#include "platform/printing/print_device.h"
#include "platform/printing/recorded_call.h"

#include <QList>
#include <QSize>
#include <QString>

#include <optional>

// A print device for tests: a chosen resolution and physical offsets on A4
// paper, and a record of every call made on it.
class RecordingDevice : public PrintDevice {
public:
    RecordingDevice(int dpiX, int dpiY, int offsetX, int offsetY);

    const QList<RecordedCall>& calls() const { return m_calls; }
    // Only the drawing calls, between beginDoc and the end of the job.
    QList<RecordedCall> drawCalls() const;
    // One call per line.
    QString toString() const;

    void setPhysicalOffsets(int offsetX, int offsetY);
    // The next call of this kind is recorded and then throws PrintError.
    void failOn(RecordedCall::Kind kind);

    void setTitle(const QString& title) override;
    void setOrientation(Orientation orientation) override;
    void beginDoc() override;
    void endDoc() override;
    void abortDoc() override;

    int logPixelsX() const override { return m_dpiX; }
    int logPixelsY() const override { return m_dpiY; }
    int physicalOffsetX() const override { return m_offsetX; }
    int physicalOffsetY() const override { return m_offsetY; }
    int physicalWidth() const override;
    int physicalHeight() const override;

    void stretchDraw(const QRect& target, const Picture& picture) override;
    void stretchDrawRound(const QRect& target, const Picture& picture) override;
    void rectangle(int left, int top, int right, int bottom) override;
    void ellipse(int left, int top, int right, int bottom) override;
    void clearEllipse(int left, int top, int right, int bottom) override;
    void moveTo(int x, int y) override;
    void lineTo(int x, int y) override;
    void setBrushClear() override;
    void textOut(int x, int y, int height, const QString& text) override;

private:
    void record(const RecordedCall& call);

    int m_dpiX;
    int m_dpiY;
    int m_offsetX;
    int m_offsetY;
    Orientation m_orientation = Orientation::Portrait;
    QList<RecordedCall> m_calls;
    std::optional<RecordedCall::Kind> m_failingKind;
};
