#include "app/ui/MainWindowContext.h"

#include "common/IMessageBox.h"

#include <string>

void showNotAvailable(IMessageBox& messages, const char* command)
{
    messages.show(std::string("\"") + command + "\" is not available in this build of Vantelo.",
        kVanteloCaption, MessageIcon::Information);
}
