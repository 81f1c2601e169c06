#include "modGetLastError1.h"

#include <rt.h>

namespace decorum {

bool CheckApiError(DWORD ErrorCode, const std::string& ApiName, long& ErrNumber,
                   std::string& ErrText, bool ShowMessage) {
    ErrNumber = 0;
    ErrText.clear();
    if (ErrorCode == 0) ErrorCode = GetLastError();
    if (ErrorCode == 0) return false;

    // The text is taken as it stands: a message with insertion marks ("%1")
    // keeps them rather than reading arguments that were never passed.
    char text[260] = {};
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, ErrorCode,
                   0, text, sizeof text, nullptr);
    ErrNumber = static_cast<long>(ErrorCode);
    ErrText = rt::FromAnsi(text);
    if (ErrText.size() >= 2 && ErrText.compare(ErrText.size() - 2, 2, "\r\n") == 0)
        ErrText.resize(ErrText.size() - 2);

    if (ShowMessage)
        rt::MsgBox("An error occured while calling the " + ApiName +
                       " Windows API function.\rBelow is the error information:\r\r"
                       "Error Number = " + rt::CStr(ErrNumber) + "\rError Description = " + ErrText,
                   rt::vbExclamation, "  Windows API Error");
    SetLastError(0);
    return true;
}

void RaiseApiError(const std::string& ApiName) {
    long number = 0;
    std::string text;
    if (!CheckApiError(0, ApiName, number, text, false))
        rt::Raise(rt::errInvalidProcedureCall, ApiName + "()");
    rt::Raise(number, ApiName + "()", text);
}

} // namespace decorum
