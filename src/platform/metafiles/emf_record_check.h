#pragma once

#include <QByteArray>

struct EmfHeader;

// Walks every record of an enhanced metafile and checks that it is whole:
// its size fits its type, and the counts and offsets inside it stay within
// the record. Throws InvalidMetafileError for the first broken record.
void checkEmfRecords(const QByteArray& data, const EmfHeader& header);
