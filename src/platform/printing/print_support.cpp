#include "platform/printing/print_support.h"

#include "platform/desktop/modules.h"

namespace {

ModuleInterface<PrintSupport>& module()
{
    static ModuleInterface<PrintSupport> print("print", "sleevix_print_support");
    return print;
}

}  // namespace

PrintSupport& printSupport()
{
    return module().get();
}

void usePrintSupport(PrintSupport& linkedIn)
{
    module().use(linkedIn);
}
