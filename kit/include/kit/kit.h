// The shared application kit: link opener, always-on-top switch, progress bar,
// About box, document viewers and the list-viewer window commands.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include <rt.h>

namespace kit {

// The runtime's True as a whole number (a Boolean holding any other non-zero
// value is not True).
inline constexpr long vbTrue = -1;
inline constexpr long vbFalse = 0;

// --- Link opener and shell failure messages ------------------------------------
// Hands FileName to the shell with the verb "open"; a failure is reported by
// ShowShellError. An absent Parameters / Directory goes to the shell as null.
void OpenLink(HWND hWnd, const std::string& FileName, long ShowCmd,
              const std::optional<std::string>& Parameters,
              const std::optional<std::string>& Directory);
// Shows the shell's failure for a return code of 32 or less; nothing above 32.
void ShowShellError(long ErrorCode, const std::string& Action);

// --- Always-on-top switch ------------------------------------------------------
// Pins hWnd on top when OnTop is vbTrue exactly, releases it otherwise; returns
// whether the window manager accepted the change.
bool SetAlwaysOnTop(HWND hWnd, long OnTop);

// --- Picture-box progress bar (modProgressBar) ---------------------------------
void DrawProgress(rt::PictureBox* Pic, long Min, long Max, long Value, bool ShowText,
                  long TextColor, long BarColor, long BackColor, long TextAlign,
                  bool SkipSetup);

} // namespace kit
