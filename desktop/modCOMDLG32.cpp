#include "modCOMDLG32.h"

#include <cderr.h>

#include <rt.h>
#include <rt/dialogcall.h>

#include "modDecorum.h"

namespace decorum {

namespace {

constexpr size_t kBuffer = 260; // characters of each text buffer the dialogs fill

// What a dialog function returned, judged as the documentation has it: a box
// that could not be created (Wine returns -1 then, with no code set) or a FALSE
// without any box shown is the dialog failure, a FALSE after the user closed
// the box is Cancel unless the call left a code of its own.
DialogAnswer Judge(BOOL result, const rt::DialogCall& call) {
    if (result > 0) return {TRUE, 0};
    if (result < 0) return {FALSE, CDERR_DIALOGFAILURE};
    DWORD code = call.Failure();
    if (code == 0 && !call.Shown()) code = CDERR_DIALOGFAILURE;
    return {FALSE, code};
}

DialogAnswer SystemChooseColor(CHOOSECOLORA& record) {
    rt::DialogCall call;
    const BOOL result = ChooseColorA(&record);
    return Judge(result, call);
}

DialogAnswer SystemGetFileName(OPENFILENAMEA& record, bool showOpen) {
    rt::DialogCall call;
    const BOOL result = showOpen ? GetOpenFileNameA(&record) : GetSaveFileNameA(&record);
    return Judge(result, call);
}

// The text of a buffer the dialog filled, up to its first NUL.
std::string BeforeNul(const std::string& buffer) {
    return rt::FromAnsi(std::string_view(buffer).substr(0, buffer.find('\0')));
}

void EndWithNul(std::string& text) {
    if (text.empty() || text.back() != '\0') text.push_back('\0');
}

// Runs a wrapper; a runtime error (other than 0 and 20, which the wrappers
// pass over) is shown as having happened in `procedure`, and gives False.
template <class F> bool Handled(const char* procedure, F&& body) {
    try {
        return body();
    } catch (const rt::Error& e) {
        rt::MsgBox(e.Source + " encountered the following error in the " + procedure +
                       " function:\r\rError Number = " + rt::CStr(e.Number) +
                       "\rError Description = " + e.Description,
                   rt::vbExclamation, "  Error  -  " + e.Description);
        rt::Err().Clear();
        return false;
    }
}

} // namespace

DialogCalls& CD_Calls() {
    static DialogCalls calls;
    return calls;
}

bool CD_ShowColor(HWND hwndOwner, long& Flags, long& Color, uint8_t& Red, uint8_t& Green,
                  uint8_t& Blue) {
    return Handled("CD_ShowColor", [&] {
        Color = TranslateColor(Color, nullptr);
        COLORREF custom[16];
        for (COLORREF& c : custom) c = RGB(255, 255, 255);
        CHOOSECOLORA record{};
        record.lStructSize = sizeof record;
        record.hwndOwner = hwndOwner;
        record.rgbResult = static_cast<COLORREF>(Color);
        record.lpCustColors = custom;
        record.Flags = static_cast<DWORD>(Flags);
        const DialogAnswer answer = CD_Calls().ChooseColor ? CD_Calls().ChooseColor(record)
                                                           : SystemChooseColor(record);
        if (CD_ExtendedError(true, "DLG_ChooseColor", answer.ExtendedError) || !answer.Result) {
            Flags = 0;
            Color = 0;
            Red = Green = Blue = 0;
            return false;
        }
        Flags = static_cast<long>(record.Flags);
        Color = static_cast<long>(record.rgbResult);
        CD_SplitRGB(Color, Red, Green, Blue);
        return true;
    });
}

bool CD_ShowOpen_Save(HWND hwndOwner, long& Flags, std::string& FileName, std::string& FileTitle,
                      const std::string& DefaultExt, const std::string& DialogTitle,
                      std::string& Filter, const std::string& InitDir, bool ShowOpen) {
    return Handled("CD_ShowOpen_Save", [&] {
        const std::string name = rt::ToAnsi(FileName);
        if (name.size() > kBuffer) rt::Raise(rt::errInvalidProcedureCall);
        std::string file = name + std::string(kBuffer - name.size() + 1, '\0');
        std::string fileTitle(kBuffer + 1, '\0'), customFilter(kBuffer + 1, '\0');

        std::string initDir = rt::ToAnsi(InitDir.empty() ? rt::CurDir() : InitDir);
        std::string defaultExt = rt::ToAnsi(DefaultExt), title = rt::ToAnsi(DialogTitle);
        EndWithNul(defaultExt);
        EndWithNul(initDir);
        EndWithNul(title);
        const std::string filter = rt::ToAnsi(CD_FilterToNulls(Filter));

        OPENFILENAMEA record{};
        record.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
        record.hwndOwner = hwndOwner;
        record.lpstrFilter = filter.c_str();
        record.lpstrCustomFilter = customFilter.data();
        record.nMaxCustFilter = kBuffer;
        record.nFilterIndex = 1;
        record.lpstrFile = file.data();
        record.nMaxFile = kBuffer;
        record.lpstrFileTitle = fileTitle.data();
        record.nMaxFileTitle = kBuffer;
        record.lpstrInitialDir = initDir.c_str();
        record.lpstrTitle = title.c_str();
        record.Flags = static_cast<DWORD>(Flags);
        record.lpstrDefExt = defaultExt.c_str();

        const DialogAnswer answer = CD_Calls().GetFileName
                                        ? CD_Calls().GetFileName(record, ShowOpen)
                                        : SystemGetFileName(record, ShowOpen);
        // Both dialogs report under the one name.
        if (CD_ExtendedError(true, "DLG_GetOpenFileName", answer.ExtendedError) ||
            !answer.Result) {
            Flags = 0;
            FileName.clear();
            FileTitle.clear();
            Filter.clear();
            return false;
        }

        std::string custom = customFilter;
        custom.erase(0, custom.find_first_not_of('\0') == std::string::npos
                            ? custom.size()
                            : custom.find_first_not_of('\0'));
        if (Flags & OFN_ALLOWMULTISELECT) {
            // The folder and the chosen names, NUL-separated, with a double NUL at the end.
            std::string all = file;
            while (!all.empty() && all.back() == '\0') all.pop_back();
            FileName = rt::FromAnsi(all) + std::string(2, '\0');
        } else {
            FileName = BeforeNul(file);
        }
        FileTitle = BeforeNul(fileTitle);
        Filter = BeforeNul(custom);
        Flags = static_cast<long>(record.Flags);
        return true;
    });
}

std::string CD_ExtendedErrorText(DWORD Code) {
    switch (Code) {
    case CDERR_STRUCTSIZE:
        return "The lStructSize member of the initialization structure for the corresponding "
               "common dialog box is invalid.";
    case CDERR_INITIALIZATION:
        return "The common dialog box function failed during initialization. This error often "
               "occurs when sufficient memory is not available.";
    case CDERR_NOTEMPLATE:
        return "The ENABLETEMPLATE flag was set in the Flags member of the initialization "
               "structure for the corresponding common dialog box, but a corresponding template "
               "was not provided.";
    case CDERR_NOHINSTANCE:
        return "The ENABLETEMPLATE flag was set in the Flags member of the initialization "
               "structure for the corresponding common dialog box, but a corresponding instance "
               "handle was not provide.";
    case CDERR_LOADSTRFAILURE:
        return "The common dialog box function failed to load a specified string.";
    case CDERR_FINDRESFAILURE:
        return "The common dialog box function failed to find a specified resource.";
    case CDERR_LOADRESFAILURE:
        return "The common dialog box function failed to load a specified resource.";
    case CDERR_LOCKRESFAILURE:
        return "The common dialog box function failed to lock a specified resource.";
    case CDERR_MEMALLOCFAILURE:
        return "The common dialog box function was unable to allocate memory for internal "
               "structures.";
    case CDERR_MEMLOCKFAILURE:
        return "The common dialog box function was unable to lock the memory associated with a "
               "handle.";
    case CDERR_NOHOOK:
        return "The ENABLEHOOK flag was set in the Flags member of the initialization structure "
               "for the corresponding common dialog box, but a pointer to a corresponding hook "
               "procedure was not provided.";
    case CDERR_REGISTERMSGFAIL:
        return "The RegisterWindowMessage function returned an error code when it was called by "
               "the common dialog box function.";
    case CDERR_DIALOGFAILURE:
    case 0xFFFFFFFF:
        return "The dialog box could not be created.\rThe common dialog box function\u2019s call "
               "to the DialogBox function failed. For example, this error occurs if the common "
               "dialog box call specifies an invalid window handle.";
    case PDERR_SETUPFAILURE:
        return "The DLG_PrintDialog function failed to load the required resources.";
    case PDERR_PARSEFAILURE:
        return "The DLG_PrintDialog function failed to parse the strings in the [devices] "
               "section of the WIN.INI file.";
    case PDERR_RETDEFFAILURE:
        return "The PD_RETURNDEFAULT flag was specified in the Flags member of the PRINTDLG "
               "structure, but the hDevMode or hDevNames member was not NULL.";
    case PDERR_LOADDRVFAILURE:
        return "The DLG_PrintDialog function failed to load the device driver for the specified "
               "printer.";
    case PDERR_GETDEVMODEFAIL:
        return "The printer driver failed to initialize a DEVMODE structure.\rThis error code "
               "applies only to printer drivers written for Windows versions 3.0 and later.";
    case PDERR_INITFAILURE:
        return "The DLG_PrintDialog function failed during initialization, and there is no more "
               "specific extended error code to describe the failure.";
    case PDERR_NODEVICES:
        return "No printer drivers were found.";
    case PDERR_NODEFAULTPRN:
        return "A default printer does not exist.";
    case PDERR_DNDMMISMATCH:
        return "The data in the DEVMODE and DEVNAMES structures describes two different "
               "printers.";
    case PDERR_CREATEICFAILURE:
        return "The DLG_PrintDialog function failed when it attempted to create an information "
               "context.";
    case PDERR_PRINTERNOTFOUND:
        return "The [devices] section of the WIN.INI file did not contain an entry for the "
               "requested printer.";
    case PDERR_DEFAULTDIFFERENT:
        return "You called the DLG_PrintDialog function with the DN_DEFAULTPRN flag specified in "
               "the wDefault member of the DEVNAMES structure, but the printer described by the "
               "other structure members did not match the current default printer.\r\rThis "
               "error occurs when the DEVNAMES structure is stored and the user changes the "
               "default printer by using the Control Panel.";
    case CFERR_NOFONTS:
        return "No fonts exist.";
    case CFERR_MAXLESSTHANMIN:
        return "The size specified in the nSizeMax member of the CHOOSEFONT structure is less "
               "than the size specified in the nSizeMin member.";
    case FNERR_SUBCLASSFAILURE:
        return "An attempt to subclass a list box failed because sufficient memory was not "
               "available.";
    case FNERR_INVALIDFILENAME:
        return "A filename is invalid.";
    case FNERR_BUFFERTOOSMALL:
        return "The buffer pointed to by the lpstrFile member of the OPENFILENAME structure is "
               "too small for the filename specified by the user.";
    default:
        return "Unknown Error";
    }
}

bool CD_ExtendedError(bool ShowMessage, const std::string& FunctionName, DWORD Code) {
    if (Code == 0) return false;
    if (ShowMessage)
        rt::MsgBox("COMDLG32.DLL encountered the following error while calling the '" +
                       FunctionName + "' function:\r\rError Number = " +
                       rt::CStr(static_cast<long>(Code)) +
                       "\rError Description = " + CD_ExtendedErrorText(Code),
                   rt::vbExclamation, "  Common Dialog Error");
    return true;
}

bool CD_SplitRGB(long Color, uint8_t& Red, uint8_t& Green, uint8_t& Blue) {
    const long blue = (Color & 0xFF0000) / 65536;
    const long green = (static_cast<long>(Color & ~0xFFL) / 256) % 256;
    const long red = Color & 0xFF;
    auto fits = [](long v) { return v >= 0 && v <= 255; };
    if (!fits(blue) || !fits(green) || !fits(red)) {
        Red = Green = Blue = 0;
        return false;
    }
    Blue = static_cast<uint8_t>(blue);
    Green = static_cast<uint8_t>(green);
    Red = static_cast<uint8_t>(red);
    return true;
}

std::string CD_FilterToNulls(const std::string& Filter) {
    if (Filter.empty()) return std::string(1, '\0');
    std::string result = Filter;
    for (char& c : result)
        if (c == '|') c = '\0';
    return result + std::string(2, '\0');
}

} // namespace decorum
