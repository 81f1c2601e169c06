// The system's colour and file dialogs called directly, with the common
// dialogs' extended error codes turned into readable texts.
#pragma once

#include <windows.h>
#include <commdlg.h>

#include <cstdint>
#include <functional>
#include <string>

namespace decorum {

// Flags the program passes.
inline constexpr long CC_RGBINIT_FULLOPEN = CC_RGBINIT | CC_FULLOPEN; // 3
inline constexpr long OFN_OPEN_BITMAP =
    OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES; // &H281004

// Lets the user pick a colour, starting on Color (a system colour value is
// translated first). True with Color, Flags and the three bytes of the choice;
// False with all of them 0 on Cancel or failure (failures are shown).
bool CD_ShowColor(HWND hwndOwner, long& Flags, long& Color, uint8_t& Red, uint8_t& Green,
                  uint8_t& Blue);

// Asks for a file in the open (ShowOpen) or save dialog. Filter separates its
// parts with "|". True with the chosen path in FileName (with multiple
// selection: folder and names NUL-separated, ending in two NULs), the name alone
// in FileTitle, the user's custom filter in Filter and the dialog's Flags.
// False with the outputs cleared on Cancel or failure (failures are shown).
bool CD_ShowOpen_Save(HWND hwndOwner, long& Flags, std::string& FileName, std::string& FileTitle,
                      const std::string& DefaultExt, const std::string& DialogTitle,
                      std::string& Filter, const std::string& InitDir, bool ShowOpen);

// True when Code is an extended error (not 0); with ShowMessage it is shown
// with its text and the name of the function that produced it.
bool CD_ExtendedError(bool ShowMessage, const std::string& FunctionName, DWORD Code);
// The text for an extended error code ("Unknown Error" for one it does not know).
std::string CD_ExtendedErrorText(DWORD Code);

// The red, green and blue bytes of a colour value; False (all 0) when one of
// them does not fit a byte.
bool CD_SplitRGB(long Color, uint8_t& Red, uint8_t& Green, uint8_t& Blue);

// "Bitmaps|*.bmp" as the dialogs want it: Bitmaps NUL *.bmp NUL NUL.
std::string CD_FilterToNulls(const std::string& Filter);

// What one dialog call gave: its result and, when it failed, the extended
// error that call produced (0 for Cancel).
struct DialogAnswer {
    BOOL Result = FALSE;
    DWORD ExtendedError = 0;
};
// The raw dialog calls the wrappers make, with their ANSI records: the system's
// own unless a test answers them itself. An empty member means the system's.
struct DialogCalls {
    std::function<DialogAnswer(CHOOSECOLORA&)> ChooseColor;
    std::function<DialogAnswer(OPENFILENAMEA&, bool ShowOpen)> GetFileName;
};
DialogCalls& CD_Calls();

} // namespace decorum
