#include "print/print_support.h"

#include "platform/modules.h"

namespace {

PrintSupport*& current()
{
    static PrintSupport* support = nullptr;
    return support;
}

}  // namespace

PrintSupport& printSupport()
{
    if (!current()) {
        using Entry = PrintSupport* (*)();
        current() = reinterpret_cast<Entry>(moduleEntry(QStringLiteral("print"), "sleevix_print_support"))();
    }
    return *current();
}

void usePrintSupport(PrintSupport& linkedIn)
{
    current() = &linkedIn;
}
