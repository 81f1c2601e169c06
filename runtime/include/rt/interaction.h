// The one seam for modal interaction: message boxes, input boxes, common
// dialogs, printer jobs and modal forms all pass through the current User.
// The program runs with the real user; tests install a scripted one.
#pragma once

#include <windows.h>

#include <string>

#include "font.h"

// User::MessageBox is ours: the Win32 function is always called as MessageBoxW.
#undef MessageBox

struct _browseinfoW; // the shell's folder browser record (BROWSEINFOW)
struct _ITEMIDLIST;  // a shell item ID list

namespace rt {

class CommonDialog;
class Form;

// Message box style values: a button set plus an icon (plus 4096, system modal).
enum MsgBoxStyle : int {
    vbOKOnly = 0, vbOKCancel = 1, vbAbortRetryIgnore = 2, vbYesNoCancel = 3, vbYesNo = 4,
    vbRetryCancel = 5, vbCritical = 16, vbQuestion = 32, vbExclamation = 48,
    vbInformation = 64, vbSystemModal = 4096
};
// The answer: the button pressed.
enum MsgBoxResult : int {
    vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7
};

enum class DialogKind { Open, Save, Color, Font, Printer };

// One print job as the printer object ends it: the whole document's text
// (lines joined by CR LF), the font, copies and orientation (1 portrait, 2 landscape).
struct PrintJob {
    std::string Text;
    Font TextFont;
    int Copies = 1;
    int Orientation = 1;
};

class User {
  public:
    virtual ~User() = default;
    // Shows a message box; returns the button pressed.
    virtual int MessageBox(const std::string& prompt, int style, const std::string& title) = 0;
    // Shows an input box; returns the text typed, empty on Cancel.
    virtual std::string InputBox(const std::string& prompt, const std::string& title,
                                 const std::string& defaultText) = 0;
    // Shows a common dialog, reading and writing its properties. Returns false
    // on Cancel. A dialog that cannot be shown raises a runtime error.
    virtual bool ShowDialog(DialogKind kind, CommonDialog& dialog) = 0;
    // Sends one ended print job to the printer; raises error 482 when there is none.
    virtual void Print(const PrintJob& job) = 0;
    // A form has just been shown modally and its nested loop is about to run.
    virtual void ModalShown(Form& form) { (void)form; }
    // Shows the shell's folder browser for a record the caller filled; returns
    // the chosen item's ID list, which the caller frees with CoTaskMemFree,
    // or null on Cancel. The real user gets the shell's own dialog.
    virtual _ITEMIDLIST* BrowseForFolder(_browseinfoW& info);
};

// The user modal interaction goes to; SetUser(nullptr) puts the real one back.
User& CurrentUser();
void SetUser(User* user);

// Typed entry points (prompt, style, title in that order, as everywhere).
int MsgBox(const std::string& prompt, int style = vbOKOnly, const std::string& title = {});
std::string InputBox(const std::string& prompt, const std::string& title = {},
                     const std::string& defaultText = {});

} // namespace rt
