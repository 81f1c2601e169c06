// Opening a web page, a mail link or a file through the shell, and the
// message the user sees when the shell cannot open it.
#include <kit/kit.h>

#include <shellapi.h>

namespace kit {

namespace {

const char kCR[] = "\r";

// What the shell's return code means to the user.
std::string ShellErrorDescription(long code) {
    switch (code) {
    case 0: return "The operating system is out of memory or resources.";
    case 2: return "The specified file was not found.";
    case 3: return "The specified path was not found.";
    case 5: return "The operating system denied access to the specified file.";
    case 8: return "There was not enough memory to complete the operation.";
    case 11: return "The .EXE file is invalid (non-Win32 .EXE or error in .EXE image).";
    case 26: return "A sharing violation occurred.";
    case 27: return "The filename association is incomplete or invalid.";
    case 28: return "The DDE transaction could not be completed because the request timed out.";
    case 29: return "The DDE transaction failed.";
    case 30:
        return "The DDE transaction could not be completed because other DDE transactions were "
               "being processed.";
    case 31: return "There is no application associated with the given filename extension.";
    case 32: return "The specified dynamic-link library was not found.";
    default: return "Unknown Error";
    }
}

} // namespace

void OpenLink(HWND hWnd, const std::string& FileName, long ShowCmd,
              const std::optional<std::string>& Parameters,
              const std::optional<std::string>& Directory) {
    long result = 0;
    rt::Try([&] {
        const std::wstring file = rt::Wide(FileName);
        const std::wstring params = Parameters ? rt::Wide(*Parameters) : std::wstring();
        const std::wstring dir = Directory ? rt::Wide(*Directory) : std::wstring();
        HINSTANCE h = ShellExecuteW(hWnd, L"open", file.c_str(),
                                    Parameters ? params.c_str() : nullptr,
                                    Directory ? dir.c_str() : nullptr, static_cast<int>(ShowCmd));
        result = static_cast<long>(reinterpret_cast<INT_PTR>(h));
    });
    rt::Try([&] { ShowShellError(result, "open the file"); });
}

void ShowShellError(long ErrorCode, const std::string& Action) {
    if (ErrorCode > 32) return;
    std::string description = ShellErrorDescription(ErrorCode);
    std::string lead = Action.empty()
                           ? "The following error was encountered while trying to access/open the file:"
                           : "The following error was encountered while trying to " + Action + ":";
    rt::Try([&] {
        rt::MsgBox(lead + kCR + kCR + "Error Number = " + rt::CStr(ErrorCode) + kCR +
                       "Error Description = " + description,
                   rt::vbExclamation, "  Error Occured");
    });
}

} // namespace kit
