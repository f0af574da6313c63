#include "print/print_support.h"

#include "platform/modules.h"

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
