#include "frmMain.h"

#include <chrono>

#include "about.h"

#include "frmSample.h"
#include "frmSettings.h"

namespace tallyman {

namespace {

const char* const kSection = "Options";
const char* const kTitle = "  Tallyman";

// How often a run shows its progress in the caption, and yields with it.
constexpr auto kProgressEvery = std::chrono::milliseconds(40);

std::string Setting(const char* key, const std::string& defaultValue) {
    return rt::GetSetting(rt::App().Title, kSection, key, defaultValue);
}

// A stored whole number (twips, a colour), the current value when none is kept.
long StoredNumber(const char* key, long current) {
    return rt::CLng(rt::SettingValue(Setting(key, rt::CStr(current))));
}

void Save(const char* key, const std::string& value) {
    rt::SaveSetting(rt::App().Title, kSection, key, value);
}

// "Out of memory", raised by the program.
rt::Error OutOfMemory() {
    return rt::Error(rt::errOutOfMemory, rt::App().Title, rt::ErrorText(rt::errOutOfMemory));
}

// The report of a failure in a module of the window (a numbering or removal
// run, the undo history).
void ReportError(const rt::Error& e, const std::string& module, const std::string& tail) {
    rt::MsgBox(e.Source + " caused the following error in module '" + module +
                   "':\r\rError Number = " + rt::CStr(e.Number) +
                   "\rError Description = " + e.Description + "\rError Line = 0" + tail,
               rt::vbExclamation, "  Error  -  " + e.Description);
    rt::Err().Clear();
}

} // namespace

// One numbering or removal run: the editor and the commands that change the
// text are inert while it works, its progress shows in the caption at most
// every few tens of milliseconds, yielding each time, and a close asked for
// meanwhile stops it (nothing of it is applied) before the window closes.
class frmMain::Run : public RunProgress {
  public:
    // Thrown at a yield when the run has to stop.
    struct Stopped {};

    explicit Run(frmMain& form) : form_(form), guard_(form, form.m_StopRequested), started_(form.Caption()),
          base_(started_) {
        if (!guard_) return;
        form_.m_StopRequested = false;
        form_.CommandsEnabled(false);
        rt::Try([&] { form_.txtDisplay.Locked(true); });
    }
    ~Run() override {
        if (!guard_) return;
        rt::Try([&] { form_.txtDisplay.Locked(false); });
        form_.CommandsEnabled(true);
    }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    // False when a run of the window is going on already.
    explicit operator bool() const { return static_cast<bool>(guard_); }
    // A run stopped before its end leaves the window as it found it.
    void Abandon() { rt::Try([&] { form_.Caption(started_); }); }
    bool Closing() const { return guard_.Closing(); }

    void Reading(long k) override {
        last_ = [this, k] { return base_ + "   -   Reading In Lines : " + rt::CStr(k); };
        if (pacer_.Due()) ShowLast();
    }
    void Total(long N) override {
        base_ += "   (" + rt::CStr(N) + " Total Lines)";
        last_ = [this] { return base_; };
        ShowLast();
    }
    void Processing(long i, long N) override {
        last_ = [this, i, N] {
            return base_ + "   -   Processing  :  " +
                   rt::Format(static_cast<float>(i) / static_cast<float>(N), "0.00%");
        };
        if (pacer_.Due()) ShowLast();
    }
    // The caption of the last step done, shown now.
    void ShowLastCaption() {
        if (last_) form_.Caption(last_());
        pacer_.Shown();
    }
    // The same, and a yield.
    void ShowLast() {
        ShowLastCaption();
        rt::DoEvents();
        if (guard_.StopRequested()) throw Stopped{};
    }
    // The run's result: the plain title, then the text (one undo step).
    void Finish(const std::string& text) {
        form_.Caption(kTitle);
        form_.SetDisplayText(text);
    }

  private:
    frmMain& form_;
    rt::RunGuard guard_;
    const std::string started_; // the caption before the run
    std::string base_;
    std::function<std::string()> last_;
    rt::RunPacer pacer_{kProgressEvery};
};

frmMain::frmMain() {
    Caption(kTitle);
    ClientSize(8280, 6300);
    StartUpPosition(rt::vbStartUpScreen);

    txtDisplay.MultiLine(true);
    txtDisplay.ScrollBars(3);
    txtDisplay.Move(105, 105, 8100, 6105);
    txtDisplay.Font(rt::Font{"Courier New", 9.75});
    txtDisplay.Change = [this] { txtDisplay_Change(); };
    txtDisplay.MouseDown = [this](int Button, int Shift, float X, float Y) {
        txtDisplay_MouseDown(Button, Shift, X, Y);
    };
    txtDisplay.ContextMenuKey = [this] { txtDisplay_ContextMenuKey(); };
    Line1.BorderColor = 0x80000010;
    Line2.BorderColor = 0x80000014;

    mnuFileNew.Click = [this] { mnuFileNew_Click(); };
    mnuFileSave.Click = [this] { mnuFileSave_Click(); };
    mnuFileSaveAs.Click = [this] { mnuFileSaveAs_Click(); };
    mnuFilePrint.Click = [this] { mnuFilePrint_Click(); };
    mnuFilePrintSetup.Click = [this] { mnuFilePrintSetup_Click(); };
    mnuFileExit.Click = [this] { mnuFileExit_Click(); };
    mnuEditUndo.Click = [this] { mnuEditUndo_Click(); };
    mnuEditCut.Click = [this] { mnuEditCut_Click(); };
    mnuEditCopy.Click = [this] { mnuEditCopy_Click(); };
    mnuEditCopyAll.Click = [this] { mnuEditCopyAll_Click(); };
    mnuEditPaste.Click = [this] { mnuEditPaste_Click(); };
    mnuEditDelete.Click = [this] { mnuEditDelete_Click(); };
    mnuEditSelectAll.Click = [this] { mnuEditSelectAll_Click(); };
    mnuOptionsFont.Click = [this] { mnuOptionsFont_Click(); };
    mnuOptionsColor.Click = [this] { mnuOptionsColor_Click(); };
    mnuOptionsAlwaysOnTop.Click = [this] { mnuOptionsAlwaysOnTop_Click(); };
    mnuTallymanNum.Click = [this] { mnuTallymanNum_Click(); };
    mnuTallymanRemove.Click = [this] { mnuTallymanRemove_Click(); };
    mnuTallymanSample.Click = [this] { mnuTallymanSample_Click(); };
    mnuHelpAbout.Click = [this] { mnuHelpAbout_Click(); };

    mnuFile.Add({&mnuFileNew, &mnuFileSave, &mnuFileSaveAs, &mnuFileBlank, &mnuFilePrint,
                 &mnuFilePrintSetup, &mnuFileBlank1, &mnuFileExit});
    mnuEdit.Add({&mnuEditUndo, &mnuEditBlank1, &mnuEditCut, &mnuEditCopy, &mnuEditCopyAll,
                 &mnuEditPaste, &mnuEditDelete, &mnuEditBlank, &mnuEditSelectAll});
    mnuOptions.Add({&mnuOptionsFont, &mnuOptionsColor, &mnuOptionsBlank, &mnuOptionsAlwaysOnTop});
    mnuTallyman.Add({&mnuTallymanNum, &mnuTallymanRemove, &mnuTallymanBlank, &mnuTallymanSample});
    mnuHelp.Add({&mnuHelpAbout});
    Menus({&mnuFile, &mnuEdit, &mnuOptions, &mnuTallyman, &mnuHelp});
}

// --- Start and end ----------------------------------------------------------------

void frmMain::Form_Load() { LoadSettings(); }

void frmMain::LoadSettings() {
    // Each value read with the current one as its default; one that does not
    // convert is passed over.
    rt::Font font = txtDisplay.Font();
    rt::Try([&] { font.Bold = rt::CBool(Setting("Bold", rt::BoolText(font.Bold))); });
    rt::Try([&] { font.Italic = rt::CBool(Setting("Italic", rt::BoolText(font.Italic))); });
    rt::Try([&] { font.Name = Setting("Name", font.Name); });
    rt::Try([&] {
        font.Size = rt::CInt(rt::KeptFontSize(Setting("Size", rt::SettingNumber(font.Size))));
    });
    rt::Try([&] {
        font.Strikethru = rt::CBool(Setting("Strikethrough", rt::BoolText(font.Strikethru)));
    });
    rt::Try([&] { font.Underline = rt::CBool(Setting("Underline", rt::BoolText(font.Underline))); });
    rt::Try([&] { txtDisplay.Font(font); });
    rt::Try([&] { txtDisplay.BackColor(StoredNumber("BackColor", txtDisplay.BackColor())); });
    rt::Try([&] { Left(StoredNumber("Left", Left())); });
    rt::Try([&] { Top(StoredNumber("Top", Top())); });
    rt::Try([&] { Width(StoredNumber("Width", Width())); });
    rt::Try([&] { Height(StoredNumber("Height", Height())); });
    // A place kept on another screen, or spoiled, opens on this one.
    rt::Try([&] { PlaceOnScreen(); });
    // The check goes to the opposite of the stored value; the command flips
    // it back and applies it.
    rt::Try([&] { mnuOptionsAlwaysOnTop.Checked(!rt::CBool(Setting("AlwaysOnTop", "True"))); });
    mnuOptionsAlwaysOnTop_Click();
}

void frmMain::SaveSettings() {
    const rt::Font font = txtDisplay.Font();
    rt::Try([&] { Save("Bold", rt::BoolText(font.Bold)); });
    rt::Try([&] { Save("Italic", rt::BoolText(font.Italic)); });
    rt::Try([&] { Save("Name", font.Name); });
    rt::Try([&] { Save("Size", rt::SettingNumber(font.Size)); });
    rt::Try([&] { Save("Strikethrough", rt::BoolText(font.Strikethru)); });
    rt::Try([&] { Save("Underline", rt::BoolText(font.Underline)); });
    rt::Try([&] { Save("BackColor", rt::CStr(txtDisplay.BackColor())); });
    rt::Try([&] { Save("AlwaysOnTop", rt::BoolText(mnuOptionsAlwaysOnTop.Checked())); });
    // Closed maximised or minimised, the window starts again where it stood
    // before.
    const rt::FormPlace place = RestoredPlace();
    const auto single = [](long v) { return rt::SettingNumber(static_cast<float>(v)); };
    rt::Try([&] { Save("Left", single(place.Left)); });
    rt::Try([&] { Save("Top", single(place.Top)); });
    rt::Try([&] { Save("Width", single(place.Width)); });
    rt::Try([&] { Save("Height", single(place.Height)); });
}

void frmMain::Form_Resize() {
    rt::Try([&] { txtDisplay.Width(Width() - 330); });
    rt::Try([&] { txtDisplay.Height(Height() - 900); });
}

void frmMain::Form_Unload(int& Cancel) {
    if (!txtDisplay.Text().empty() &&
        rt::MsgBox("There is currently text in the display.\rDiscard it and exit?",
                   rt::vbYesNo + rt::vbQuestion, "  Confirm Discard And Exit") != rt::vbYes) {
        Cancel = 1;
        return;
    }
    SaveSettings();
}

void frmMain::mnuFileExit_Click() { Unload(); }

// --- Numbering and removal --------------------------------------------------------

void frmMain::NumberLines(int16_t intIncrement, int16_t intSpaces, bool SmartNumbering) {
    RunOverLines("NumberLines", "", [&](const std::vector<std::string_view>& lines, Run& run) {
        return NumberedText(lines, intIncrement, intSpaces, SmartNumbering, m_Smart, run);
    });
}

void frmMain::RemoveNumbers() {
    RunOverLines("RemoveNumbers", "\r\rClick OK to continue.",
                 [&](const std::vector<std::string_view>& lines, Run& run) {
                     return StrippedText(lines, m_Width, run);
                 });
}

void frmMain::RunOverLines(const std::string& module, const std::string& reportTail,
                           const std::function<std::string(const std::vector<std::string_view>&, Run&)>& transform) {
    if (Running()) return;
    bool finished = false;
    // A text too large for memory fails the run, whenever memory runs out;
    // the editor keeps the text it had.
    try {
        const std::string text = txtDisplay.Text();
        if (text.empty()) return;
        Run run(*this);
        if (!run) return;
        auto failed = [&](const rt::Error& e) {
            if (run.Closing()) return;
            rt::Try([&] { run.ShowLastCaption(); });
            ReportError(e, module, reportTail);
        };
        try {
            const std::string working = text + "\r\n";
            run.Finish(transform(ReadLines(working, run), run));
            finished = true;
        } catch (const Run::Stopped&) {
            run.Abandon();
        } catch (const rt::Error& e) {
            failed(e);
        } catch (const std::bad_alloc&) {
            failed(OutOfMemory());
        }
    } catch (const std::bad_alloc&) {
        ReportError(OutOfMemory(), module, reportTail);
    }
    // The last yield comes with the commands live again, so that a key
    // pressed as the text appears (Ctrl+Z, say) is not lost. The text is in
    // place: a yield that finds no memory takes nothing back.
    if (!finished) return;
    try {
        rt::DoEvents();
    } catch (const std::bad_alloc&) {
    }
}

int16_t frmMain::CheckForLast(const std::string& LastLine, const std::string& CurrentLine) {
    return m_Width.CheckForLast(LastLine, CurrentLine);
}

void frmMain::CommandsEnabled(bool enabled) {
    for (rt::MenuItem* item : {&mnuFileNew, &mnuEditUndo, &mnuEditCut, &mnuEditPaste,
                               &mnuEditDelete, &mnuTallymanNum, &mnuTallymanRemove})
        item->Enabled(enabled);
}

void frmMain::mnuTallymanNum_Click() {
    if (Running()) return;
    rt::Try([&] { frmSettings::Get().Show(rt::vbModal, this); });
}

void frmMain::mnuTallymanRemove_Click() {
    if (Running()) return;
    RemoveNumbers();
}

void frmMain::mnuTallymanSample_Click() {
    rt::Try([&] { frmSample::Get().Show(rt::vbModal, this); });
}

void frmMain::mnuHelpAbout_Click() {
    rt::Try([&] { frmAbout::Get().Show(rt::vbModal, this); });
}

// --- Undo history -----------------------------------------------------------------

void frmMain::SetDisplayText(const std::string& text) {
    // The history's copy is made first: when memory runs out, it runs out
    // before the editor has changed.
    std::string recorded = text;
    ++settingText_;
    struct Done {
        int& n;
        ~Done() { --n; }
    } done{settingText_};
    txtDisplay.Text(text);
    m_UndoText.Record(std::move(recorded));
}

void frmMain::txtDisplay_Change() {
    if (settingText_ == 0) MyUndo(txtDisplay, 1);
}

void frmMain::MyUndo(rt::TextBox& ctlTextBox, int16_t X) {
    try {
        if (X == 1) {
            m_UndoText.Record(ctlTextBox.Text());
            return;
        }
        // Showing the older text is not itself a step of the history, which
        // steps back once the editor shows it.
        const std::string older = m_UndoText.Slot(1);
        ++settingText_;
        struct Done {
            int& n;
            ~Done() { --n; }
        } done{settingText_};
        ctlTextBox.Text(older);
        m_UndoText.Restore();
    } catch (const std::bad_alloc&) {
        ReportError(OutOfMemory(), "MyUndo", "");
    } catch (const rt::Error& e) {
        ReportError(e, "MyUndo", "");
    }
}

bool frmMain::Undo_CanUndo(rt::TextBox& ctlTextBox) {
    return SendMessageA(ctlTextBox.hWnd(), EM_CANUNDO, 0, 0) != 0;
}

void frmMain::Undo_MarkAsChanged(rt::TextBox& ctlTextBox) {
    SendMessageA(ctlTextBox.hWnd(), EM_SETMODIFY, 1, 0);
}

bool frmMain::Undo_Changed(rt::TextBox& ctlTextBox) {
    return SendMessageA(ctlTextBox.hWnd(), EM_GETMODIFY, 0, 0) != 0;
}

void frmMain::mnuEditUndo_Click() {
    if (Running()) return;
    MyUndo(txtDisplay, 2);
}

// --- Edit commands ----------------------------------------------------------------

void frmMain::mnuEditCut_Click() {
    if (Running()) return;
    rt::Try([] { rt::Clipboard::Clear(); });
    rt::Try([] { rt::DoEvents(); });
    rt::Try([&] { rt::Clipboard::SetText(txtDisplay.SelText()); });
    rt::Try([] { rt::DoEvents(); });
    rt::Try([&] { txtDisplay.SelText(""); });
}

void frmMain::mnuEditCopy_Click() {
    rt::Try([] { rt::Clipboard::Clear(); });
    rt::Try([] { rt::DoEvents(); });
    rt::Try([&] { rt::Clipboard::SetText(txtDisplay.SelText()); });
}

void frmMain::mnuEditCopyAll_Click() {
    rt::Try([] { rt::Clipboard::Clear(); });
    rt::Try([] { rt::DoEvents(); });
    rt::Try([&] { rt::Clipboard::SetText(txtDisplay.Text()); });
}

void frmMain::mnuEditPaste_Click() {
    if (Running()) return;
    rt::Try([&] { txtDisplay.SelText(rt::Clipboard::GetText()); });
}

void frmMain::mnuEditDelete_Click() {
    if (Running()) return;
    // With nothing selected, the character after the caret goes; at the end
    // of the text there is none and nothing changes.
    rt::Try([&] {
        if (txtDisplay.SelLength() == 0) txtDisplay.SelLength(1);
    });
    rt::Try([&] {
        if (txtDisplay.SelLength() > 0) txtDisplay.SelText("");
    });
}

void frmMain::mnuEditSelectAll_Click() {
    rt::Try([&] { txtDisplay.SelStart(0); });
    rt::Try([&] { txtDisplay.SelLength(static_cast<int>(rt::Wide(txtDisplay.Text()).size())); });
}

void frmMain::txtDisplay_MouseDown(int Button, int, float, float) {
    if (Button != rt::vbRightButton) return;
    // A left click where the pointer is puts the caret there first.
    rt::Try([] { mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0); });
    rt::Try([] { mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0); });
    rt::Try([] { rt::DoEvents(); });
    rt::Try([&] { PopupMenu(mnuEdit); });
}

void frmMain::txtDisplay_ContextMenuKey() {
    // From the keyboard the caret stays where the user is typing, and the
    // Edit menu opens there.
    POINT caret{};
    rt::Try([&] {
        if (!GetCaretPos(&caret)) rt::Raise(rt::errInvalidProcedureCall);
        MapWindowPoints(txtDisplay.hWnd(), hWnd(), &caret, 1);
        PopupMenu(mnuEdit, static_cast<float>(caret.x * rt::Screen::TwipsPerPixelX()),
                  static_cast<float>(caret.y * rt::Screen::TwipsPerPixelY()));
    });
}

// --- File commands ----------------------------------------------------------------

void frmMain::mnuFileNew_Click() {
    if (Running()) return;
    if (!txtDisplay.Text().empty() &&
        rt::MsgBox("Perminently clear the current information?", rt::vbYesNo + rt::vbQuestion,
                   "  Confirm Clear Information") != rt::vbYes)
        return;
    rt::Try([&] { Caption(kTitle); });
    rt::Try([&] { SetDisplayText(""); });
    m_FileName.clear();
    m_UndoText.Clear();
}

void frmMain::mnuFileSave_Click() {
    if (m_FileName.empty()) {
        mnuFileSaveAs_Click();
        return;
    }
    SaveFile(m_FileName);
}

void frmMain::mnuFileSaveAs_Click() {
    CD1.CancelError = true;
    CD1.DefaultExt = ".txt";
    CD1.DialogTitle = "  Save To File";
    CD1.FileName.clear();
    CD1.Filter = "Text Files  ( *.txt )|*.txt|All Files  ( *.* )|*.*";
    CD1.Flags = 0x200004;
    CD1.Owner = this;
    rt::Try([&] { CD1.InitDir = rt::CurDir(); });
    // Cancel, or a dialog that could not be shown, ends the command.
    if (!rt::Try([&] { CD1.ShowSave(); })) {
        rt::Err().Clear();
        return;
    }
    const std::string path = CD1.FileName;
    if (rt::FileExists(path) &&
        rt::MsgBox(path + "\rThis file already exists.\r\rReplace existing file?",
                   rt::vbYesNo + rt::vbExclamation, "  Overwrite Existing File?") != rt::vbYes)
        return;
    if (!SaveFile(path)) return;
    m_FileName = path;
    Caption("  Tallyman    [ " + path.substr(path.find_last_of("\\/") + 1) + " ]");
}

bool frmMain::SaveFile(const std::string& path) {
    try {
        rt::ReplaceFileText(path, txtDisplay.Text() + "\r\n");
        return true;
    } catch (const rt::Error& e) {
        if (e.Number == 0 || e.Number == 20) return true;
        rt::MsgBox(e.Source + " caused the following error while saving the file:\r\r"
                              "Error Number = " + rt::CStr(e.Number) +
                       "\rError Description = " + e.Description,
                   rt::vbExclamation, "  Error  -  " + e.Description);
        rt::Err().Clear();
        return false;
    }
}

void frmMain::ShowPrinterDialog(long flags) {
    rt::Try([&] { CD1.Copies = rt::Printer().Copies; });
    rt::Try([&] { CD1.Orientation = rt::Printer().Orientation; });
    CD1.CancelError = true;
    CD1.Flags = flags;
    CD1.Owner = this;
    CD1.ShowPrinter();
    rt::Try([&] { rt::Printer().Copies = CD1.Copies; });
    rt::Try([&] { rt::Printer().Orientation = CD1.Orientation; });
}

void frmMain::mnuFilePrint_Click() {
    // Cancel, or a failure to print, ends the command without a word.
    try {
        ShowPrinterDialog(0x100088);
        rt::Printer().Print(txtDisplay.Text());
        rt::Printer().EndDoc();
    } catch (const rt::Error&) {
        rt::Try([] { rt::Printer().KillDoc(); });
        rt::Err().Clear();
    }
}

void frmMain::mnuFilePrintSetup_Click() {
    if (!rt::Try([&] { ShowPrinterDialog(rt::cdlPDPrintSetup); })) rt::Err().Clear();
}

// --- Options ----------------------------------------------------------------------

void frmMain::mnuOptionsFont_Click() {
    CD1.CancelError = true;
    CD1.DialogTitle = "  Select Display Font";
    CD1.Flags = 259;
    CD1.Owner = this;
    CD1.SetFont(txtDisplay.Font());
    if (!rt::Try([&] { CD1.ShowFont(); })) {
        rt::Err().Clear();
        return;
    }
    rt::Try([&] { txtDisplay.Font(CD1.ChosenFont()); });
}

void frmMain::mnuOptionsColor_Click() {
    CD1.CancelError = true;
    CD1.Color = txtDisplay.BackColor();
    CD1.Flags = 3;
    CD1.Owner = this;
    if (!rt::Try([&] { CD1.ShowColor(); })) {
        rt::Err().Clear();
        return;
    }
    rt::Try([&] { txtDisplay.BackColor(CD1.Color); });
}

void frmMain::mnuOptionsAlwaysOnTop_Click() {
    mnuOptionsAlwaysOnTop.Checked(!mnuOptionsAlwaysOnTop.Checked());
    SetWindowPos(hWnd(), mnuOptionsAlwaysOnTop.Checked() ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0,
                 0, SWP_NOMOVE | SWP_NOSIZE);
}

} // namespace tallyman
