#include "platform/printing/print_support.h"

#include "platform/desktop/modules.h"

namespace {

ModuleInterface<PrintSupport>& module()
{
    static ModuleInterface<PrintSupport> print("print", "sleevix_print_support");
    return print;
}

std::function<QString()>& fileFolder()
{
    static std::function<QString()> folder;
    return folder;
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

QString printFileFolder()
{
    return fileFolder() ? fileFolder()() : QString();
}

void setPrintFileFolder(std::function<QString()> folder)
{
    fileFolder() = std::move(folder);
}
