// The scripted user for tests: answers every modal box, dialog, print job and
// modal form from queues filled in order by the test, and records everything
// it was shown. Installed on construction, the real user is back on destruction.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "commondialog.h"
#include "forms.h"
#include "interaction.h"

namespace rt {

class ScriptedUser : public User {
  public:
    enum class Kind { MessageBox, InputBox, Dialog, ModalForm, FolderBrowser };
    struct Shown {
        Kind What;
        std::string Prompt; // message, input or folder browser prompt; a modal form's caption
        std::string Title;
        int Style = 0;           // message boxes; the folder browser's flags
        DialogKind Dialog{};     // dialogs
        std::string DefaultText; // input boxes
    };

    ScriptedUser();
    ~ScriptedUser() override;

    // Answers, each used once in order of asking.
    void Answer(int button);                     // next message box
    void Type(const std::string& text);          // next input box (empty text = cleared)
    void CancelInput() { Type({}); }             // next input box: Cancel
    // Next common dialog: the handler may read and set the dialog's properties
    // and returns true for OK, false for Cancel.
    void OnDialog(std::function<bool(DialogKind, CommonDialog&)> handler);
    void CancelDialog();
    // Next modal form: runs with the form shown; the form is unloaded after it
    // unless the handler closed it itself.
    void OnModal(std::function<void(Form&)> handler);
    // Next folder browser: the folder the user picks (a path), or Cancel.
    void ChooseFolder(const std::string& path);
    void CancelFolder() { ChooseFolder({}); }
    // Print jobs are recorded; with NoPrinter set they fail as with no printer.
    bool NoPrinter = false;

    std::vector<Shown> Boxes;     // everything shown, in order
    std::vector<PrintJob> Jobs;   // print jobs received
    int Unanswered = 0;           // boxes shown with no answer queued (answered by default)

    // Convenience: the message boxes only.
    std::vector<Shown> MessageBoxes() const;
    bool AllAnswersUsed() const;

    int MessageBox(const std::string& prompt, int style, const std::string& title) override;
    std::string InputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) override;
    bool ShowDialog(DialogKind kind, CommonDialog& dialog) override;
    void Print(const PrintJob& job) override;
    void ModalShown(Form& form) override;
    _ITEMIDLIST* BrowseForFolder(_browseinfoW& info) override;

  private:
    User* previous_;
    std::deque<int> buttons_;
    std::deque<std::string> inputs_;
    std::deque<std::function<bool(DialogKind, CommonDialog&)>> dialogs_;
    std::deque<std::function<void(Form&)>> modals_;
    std::deque<std::string> folders_;
};

} // namespace rt
