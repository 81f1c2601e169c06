#include "modCommon.h"

#include <windows.h>

#include <rt.h>

namespace tunebox {

void UnloadAllForms(bool EndApp) {
    for (rt::Form* form : rt::Forms()) rt::Try([form] { form->Unload(); });
    if (EndApp) ExitProcess(0);
}

} // namespace tunebox
