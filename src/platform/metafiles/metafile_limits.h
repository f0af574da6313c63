#pragma once

#include <QtGlobal>

// How much of a metafile the program takes on. Real drawings stay far
// below; beyond, converting and drawing would take minutes and gigabytes:
// Qt SVG needs about 1 KB and 15 µs for each element it reads.

// Records of an EMF or WMF file.
inline constexpr qsizetype kMostMetafileRecords = 1'000'000;

// Elements of the SVG the helper makes of it.
inline constexpr qsizetype kMostSvgElements = 200'000;
