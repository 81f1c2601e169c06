// The input box: a small modal form with the prompt, a text box holding the
// default text (selected, so that typing replaces it), and OK / Cancel.
#include <windows.h>

#include "real_user.h"
#include "rt/forms.h"
#include "rt/services.h"

namespace rt::detail {
namespace {

class InputBoxForm : public Form {
  public:
    InputBoxForm(const std::string& prompt, const std::string& title,
                 const std::string& defaultText)
        : Prompt(*this), Answer(*this), OK(*this), Cancel(*this) {
        Caption(title);
        BorderStyle(vbFixedDialog);
        MinButton(false);
        MaxButton(false);
        ShowInTaskbar(false);
        StartUpPosition(vbStartUpManual);
        const long width = 6000, height = 2400;
        Move((Screen::Width() - width) / 2, (Screen::Height() - height) / 2, width, height);

        Prompt.Move(120, 120, 4440, 1215);
        Prompt.WordWrap(true);
        Prompt.Caption(DisplayLineBreaks(prompt));
        Answer.Move(120, 1440, 5655, 315);
        Answer.Text(defaultText);
        OK.Move(4680, 120, 1095, 375);
        OK.Caption("OK");
        OK.Default(true);
        OK.Click = [this] {
            result_ = Answer.Text();
            Hide();
        };
        Cancel.Move(4680, 600, 1095, 375);
        Cancel.Caption("Cancel");
        Cancel.Cancel(true);
        Cancel.Click = [this] { Hide(); };
    }

    Label Prompt;
    TextBox Answer;
    CommandButton OK;
    CommandButton Cancel;

    const std::string& Result() const { return result_; }

  protected:
    void Form_Load() override {
        SendMessageW(Answer.hWnd(), EM_SETSEL, 0, -1);
    }
    void Form_Activate() override { Answer.SetFocus(); }

  private:
    std::string result_;
};

} // namespace

std::string ShowInputBox(const std::string& prompt, const std::string& title,
                         const std::string& defaultText) {
    Form* owner = ActiveForm();
    InputBoxForm box(prompt, title, defaultText);
    box.Show(vbModal, owner);
    // OK hides the box with the answer kept; Cancel and the close box leave it empty.
    if (box.Loaded()) box.Unload();
    return box.Result();
}

} // namespace rt::detail
