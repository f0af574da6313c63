#pragma once

#include <QByteArray>
#include <QList>
#include <QRectF>
#include <QSize>

#include <optional>

// A Windows metafile checked record by record: the optional placeable header
// that gives its size, the standard header, and the records up to EOF.
class WmfFile {
public:
    // Reads and checks the whole file; throws InvalidMetafileError.
    static WmfFile read(const QByteArray& data);

    // The stored size at 96 dots per inch: the placeable header's bounding
    // box and units per inch, else the window extent set before drawing.
    std::optional<QSize> sizeAt96Dpi() const;

    // The picture frame in logical units: the window in force when the first
    // drawing record plays, else the placeable bounding box.
    std::optional<QRectF> logicalFrame() const;

    struct Record {
        quint16 function = 0;
        QByteArray bytes;  // the whole record, size and function included
    };
    // The records before EOF, each one whole.
    const QList<Record>& records() const { return m_records; }
    // The 22-byte placeable header as read, or nothing.
    const QByteArray& placeableHeader() const { return m_placeableHeader; }
    const QByteArray& standardHeader() const { return m_standardHeader; }

private:
    struct Placeable {
        QRectF boundingBox;
        quint16 unitsPerInch = 0;
    };

    static Placeable readPlaceable(const QByteArray& data);
    void readRecords(const QByteArray& data, qsizetype offset);
    void noteMapping(const Record& record);

    std::optional<Placeable> m_placeable;
    QByteArray m_placeableHeader;
    QByteArray m_standardHeader;
    QList<Record> m_records;
    bool m_drawingStarted = false;
    QPointF m_windowOrigin;
    std::optional<QSizeF> m_windowExtent;
};
