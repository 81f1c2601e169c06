// The real user's pieces, each in the file of its own subject: the input box
// dialog, the common dialogs over comdlg32 and printing on the default printer.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "rt/commondialog.h"
#include "rt/interaction.h"

namespace rt::detail {

// The window a box or dialog belongs to: the given form's, else the active form's.
HWND OwnerWindow(Form* preferred = nullptr);

// The program's texts break lines with CR alone; the window controls want CR LF.
std::string DisplayLineBreaks(std::string_view text);

std::string ShowInputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText);
bool ShowCommonDialog(DialogKind kind, CommonDialog& dialog);
void PrintOnDefaultPrinter(const PrintJob& job);
// The default printer's name; empty when there is none.
std::wstring DefaultPrinter();

} // namespace rt::detail
