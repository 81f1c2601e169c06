#include "frmMain.h"

#include <algorithm>
#include <chrono>
#include <optional>

#include <kit/kit.h>

#include "codepage.h"
#include "replacer.h"

namespace sweeper {

namespace {

// Where the found count stands, and the right margin it must not pass.
constexpr long kFoundLeft = 6540, kRightMargin = 7995;

const char* const kCR = "\r";

constexpr long kLightGreen = 0x00C0FFC0;
constexpr long kLightRed = 0x00C0C0FF;
constexpr long kLightBlue = 0x00FFC0C0;

const char* const kInvalidTitle = "  Invalid Search And Replace Specified";
const char* const kSameText = "The text specified to search for and the text specified to replace "
                              "with are the same.";

// The bars and labels of a run are drawn, and the window's events handled, at
// most this often; asked before every line, the clock is read every 64 lines.
constexpr auto kPace = std::chrono::milliseconds(40);
constexpr int kLinesPerLook = 64;

std::string Count(int64_t n) { return std::to_string(n); }

// What the run's closing box adds about the files it left alone as not text
// in the code page ("" when there were none).
std::string NotTextNote(long files) {
    if (files == 0) return {};
    return std::string(kCR) + kCR +
           (files == 1 ? std::string("1 file was") : std::to_string(files) + " files were") +
           " left untouched: not text in the system's code page (Unicode or binary).";
}

} // namespace

frmMain::frmMain() {
    Caption("  Sweeper");
    BorderStyle(rt::vbFixedSingle);
    MaxButton(false);
    ClientSize(8100, 8940);
    StartUpPosition(rt::vbStartUpScreen);

    const rt::Font courier{"Courier New", 9};
    const rt::Font bold{"MS Sans Serif", 8.25, true};

    ctlDrive.Move(105, 105, 3900, 345);
    ctlDrive.Font(courier);
    ctlDirectory.Move(105, 525, 3900, 5190);
    ctlDirectory.Font(courier);
    ctlFile.Move(4095, 90, 3900, 4815);
    ctlFile.Font(courier);
    ctlFile.MultiSelect(2);
    txtFilter.Move(4115, 4965, 3875, 330);
    txtFilter.Font(courier);
    txtFilter.Text("*.*");

    // The buttons: the two selection buttons, and the four graphical ones.
    struct ButtonLook {
        rt::CommandButton& button;
        const char* caption;
        long left, top, width, height, color;
    };
    for (const ButtonLook& b :
         {ButtonLook{cmdSelectAll, "Select &All", 4115, 5385, 1905, 330, 0},
          ButtonLook{cmdSelectNone, "Select &None", 6075, 5385, 1905, 330, 0},
          ButtonLook{cmdStart, "&Start", 105, 7245, 1170, 435, kLightGreen},
          ButtonLook{cmdStop, "S&top", 1365, 7245, 1170, 435, kLightRed},
          ButtonLook{cmdAbout, "A&bout", 5565, 7245, 1170, 435, kLightBlue},
          ButtonLook{cmdClose, "&Close", 6825, 7245, 1170, 435, kLightBlue}}) {
        b.button.Caption(b.caption);
        b.button.Move(b.left, b.top, b.width, b.height);
        b.button.Font(bold);
        if (b.color) {
            b.button.Style(rt::vbButtonGraphical);
            b.button.BackColor(b.color);
        }
    }
    cmdStart.Default(true);
    cmdStop.Enabled(false);
    cmdAbout.Cancel(true);

    // The labels, each sized to its text.
    struct LabelLook {
        rt::Label& label;
        const char* caption;
        long left, top;
        bool bold;
    };
    for (const LabelLook& l :
         {LabelLook{Label1, "Text To S&earch For Within The Selected Files:", 105, 5880, true},
          LabelLook{Label2, "Text To &Replace Found Text With:", 105, 6510, true},
          LabelLook{lblTotalLines, "Lines In File = 0", 105, 7875, false},
          LabelLook{lblTotalFiles, "Total Files = 0", 3555, 7875, false},
          LabelLook{lblFound, "Searches Found = 0", kFoundLeft, 7875, false}}) {
        l.label.Caption(l.caption);
        if (l.bold) l.label.Font(bold);
        l.label.Move(l.left, l.top, 0, 0);
        l.label.AutoSize(true);
    }
    txtSearchText.Move(105, 6090, 7890, 330);
    txtReplaceText.Move(105, 6720, 7890, 330);
    chkCaseInsensative.Caption("&Ignore case");
    chkCaseInsensative.Move(6800, 5865, 1200, 195);
    chkCaseInsensative.Value(rt::vbChecked);
    picProgressLines.Move(105, 8085, 7890, 330);
    picProgressFiles.Move(105, 8505, 7890, 330);

    ctlDrive.Change = [this] { ctlDrive_Change(); };
    ctlDirectory.Change = [this] { ctlDirectory_Change(); };
    txtFilter.Change = [this] { txtFilter_Change(); };
    cmdSelectAll.Click = [this] { cmdSelectAll_Click(); };
    cmdSelectNone.Click = [this] { cmdSelectNone_Click(); };
    cmdStart.Click = [this] { cmdStart_Click(); };
    cmdStop.Click = [this] { cmdStop_Click(); };
    cmdClose.Click = [this] { cmdClose_Click(); };
    cmdAbout.Click = [this] { cmdAbout_Click(); };
}

// ---- Browsing ------------------------------------------------------------------

void frmMain::Form_Load() {
    rt::Try([&] { ctlDrive.Drive("C:"); });
    rt::Try([&] { ctlDrive_Change(); });
    rt::Try([&] { ctlDirectory_Change(); });
    rt::Try([&] { txtFilter_Change(); });
    KeepFoundInSight();
}

void frmMain::ctlDrive_Change() {
    rt::Try([&] { ctlDirectory.Path(ctlDrive.Drive()); });
}

void frmMain::ctlDirectory_Change() {
    rt::Try([&] { ctlFile.Path(ctlDirectory.Path()); });
}

void frmMain::txtFilter_Change() {
    rt::Try([&] { ctlFile.Pattern(txtFilter.Text()); });
}

// ---- Selection -----------------------------------------------------------------

// Every file at once: a folder of thousands is not scrolled and drawn once
// per file, and the list ends as file by file leaves it.
void frmMain::SelectAllFiles() {
    if (ctlFile.ListCount() < 1) return;
    ctlFile.SelectRange(0, ctlFile.ListCount() - 1, true);
}

void frmMain::SelectNoFiles() {
    if (ctlFile.ListCount() < 1) return;
    ctlFile.SelectRange(0, ctlFile.ListCount() - 1, false);
}

void frmMain::cmdSelectAll_Click() { SelectAllFiles(); }
void frmMain::cmdSelectNone_Click() { SelectNoFiles(); }

int frmMain::CountSelectedFiles() {
    if (ctlFile.ListCount() < 1) return 0;
    int count = 0;
    for (int i = 0; i < ctlFile.ListCount(); ++i)
        if (ctlFile.Selected(i)) ++count;
    return count;
}

// ---- Control states ------------------------------------------------------------

// Idle, every input works and Stop does not; running, only Stop (and About,
// which is never touched) does.
void frmMain::SwitchControls(bool idle) {
    for (rt::Control* c : std::initializer_list<rt::Control*>{
             &ctlDrive, &ctlDirectory, &ctlFile, &txtFilter, &cmdSelectAll, &cmdSelectNone,
             &txtSearchText, &txtReplaceText, &cmdStart, &cmdClose, &chkCaseInsensative})
        c->Enabled(idle);
    cmdStop.Enabled(!idle);
}

void frmMain::EnableControls() { SwitchControls(true); }
void frmMain::DisableControls() { SwitchControls(false); }

void frmMain::ResetProgress() {
    lblTotalLines.Caption("Lines In File = 0");
    lblTotalFiles.Caption("Total Files = 0");
    picProgressLines.Cls();
    picProgressLines.Refresh();
    picProgressFiles.Cls();
    picProgressFiles.Refresh();
}

// ---- Buttons -------------------------------------------------------------------

void frmMain::cmdStop_Click() {
    StopRequested = true;
    rt::DoEvents();
    EnableControls();
}

void frmMain::cmdClose_Click() {
    StopRequested = true;
    rt::DoEvents();
    Unload();
}

std::string frmMain::AboutText() {
    const rt::AppInfo& app = rt::App();
    std::string macrons;
    for (int i = 0; i < 34; ++i) macrons += "\xC2\xAF";
    return std::string("            ~ Sweeper ~") + kCR + macrons + "  " + kCR +
           "This application makes searching and " + kCR +
           "replacing within files easy and efficient." + kCR +
           "It is strongly recommended that you let" + kCR +
           "this program back up files before altering" + kCR +
           "them... just in case.  This program has no" + kCR + "UNDO other than that." + kCR +
           std::string(34, '_') + "  " + kCR + kCR + " Version\t = " + rt::CStr(app.Major) + "." +
           rt::Format(app.Minor, "00") + "." + rt::Format(app.Revision, "0000") + kCR +
           " Author\t = Benchware (sweeper@example.org)" + kCR + " URL\t = http://www.example.org/";
}

void frmMain::cmdAbout_Click() { rt::MsgBox(AboutText(), rt::vbOKOnly); }

// ---- The replace run -------------------------------------------------------------

void frmMain::cmdStart_Click() {
    // One run at a time: a Start that reaches here while a run is still on the
    // stack (its Stop pressed, the run not yet unwound) is ignored. A close
    // asked for during the run stops it, and the window closes once it ended.
    rt::RunGuard run(*this, StopRequested);
    if (!run) return;

    if (CountSelectedFiles() < 1) {
        rt::MsgBox("No files selected to search.", rt::vbExclamation, "  Nothing Selected");
        rt::Try([&] { ctlFile.SetFocus(); });
        return;
    }
    const std::string search = txtSearchText.Text();
    const std::string replacement = txtReplaceText.Text();
    if (search.empty()) {
        rt::MsgBox("No text specified to search for.", rt::vbExclamation, "  No Search Text");
        rt::Try([&] { txtSearchText.SetFocus(); });
        return;
    }
    const bool ignoreCase = chkCaseInsensative.Value() == rt::vbChecked;
    if (replacement == search || (ignoreCase && rt::UCase(replacement) == rt::UCase(search))) {
        rt::MsgBox(kSameText, rt::vbExclamation, kInvalidTitle);
        rt::Try([&] { txtSearchText.SetFocus(); });
        return;
    }
    // The files are bytes of the system's code page: a text it cannot hold
    // could never be found, nor written into a file.
    static const CodePage codePage;
    const std::optional<std::string> searchBytes = codePage.Bytes(search);
    const std::optional<std::string> replacementBytes = codePage.Bytes(replacement);
    if (!searchBytes || !replacementBytes) {
        rt::MsgBox(std::string("The text specified to ") +
                       (searchBytes ? "replace with" : "search for") +
                       " holds characters that the code page of the files cannot hold.",
                   rt::vbExclamation, kInvalidTitle);
        rt::TextBox& box = searchBytes ? txtReplaceText : txtSearchText;
        rt::Try([&] { box.SetFocus(); });
        return;
    }

    const int answer = rt::MsgBox(
        std::string("You are about to search the selected files and replace any found text that "
                    "matches the specified search text with the specified replace text.  Do you "
                    "want to make a backup of this file before making changes to them?") +
            kCR + kCR + "YES\t= Make a backup of files before changing them" + kCR +
            "NO\t= Do not make backups of searched files" + kCR +
            "CANCEL\t= Do not proceed with the search and replace",
        rt::vbYesNoCancel + rt::vbExclamation, "  Confirm Search And Replace");
    if (answer != rt::vbYes && answer != rt::vbNo) return;

    const Replacer replacer(ignoreCase ? codePage.Upper(*searchBytes) : *searchBytes,
                            *replacementBytes, ignoreCase, codePage);
    ReplaceSelectedFiles(run, replacer, answer == rt::vbYes);
}

void frmMain::ShowFound(int64_t found) {
    lblFound.Caption("Searches Found = " + Count(found));
    KeepFoundInSight();
}

// The found count is the run's result: when its text grows past the window's
// right margin (a long count, a wider font), the label moves left to show it whole.
void frmMain::KeepFoundInSight() {
    lblFound.Left(std::min(kFoundLeft, kRightMargin - lblFound.Width()));
}

void frmMain::DrawBar(rt::PictureBox& bar, long max, long value) {
    kit::DrawProgress(&bar, 0, max, value, true, 0xFFFFFF, 0xFF0000, 0x8000000F, 2, false);
}

// Shows where the run is; what has not changed since it was last shown is
// left as it is.
void frmMain::ShowProgress(const RunProgress& p) {
    if (p.FileCounter != shown_.FileCounter || p.TotalFiles != shown_.TotalFiles)
        DrawBar(picProgressFiles, p.TotalFiles, p.FileCounter);
    if (p.LineCount != shown_.LineCount)
        lblTotalLines.Caption("Lines In File = " + rt::CStr(p.LineCount));
    if (p.LineCount > 0 && (p.LineNumber != shown_.LineNumber || p.LineCount != shown_.LineCount))
        DrawBar(picProgressLines, p.LineCount, p.LineNumber);
    if (p.Found != shown_.Found) ShowFound(p.Found);
    shown_ = p;
}

void frmMain::ReplaceSelectedFiles(const rt::RunGuard& run, const Replacer& replacer,
                                   bool makeBackups) {
    DisableControls();
    rt::DoEvents();
    StopRequested = false;
    RunProgress progress;
    long notText = 0; // files left alone as not text in the code page
    progress.TotalFiles = CountSelectedFiles();
    ResetProgress();
    lblTotalFiles.Caption("Total Files = " + rt::CStr(progress.TotalFiles));
    ShowFound(0);
    shown_ = RunProgress{progress.TotalFiles, 0, 0, 0, 0}; // what the window shows now

    // The bars and labels follow the run at the pace of the window's events,
    // and show where it is whenever it stops or asks something.
    rt::RunPacer pacer(kPace, kLinesPerLook);
    auto yield = [&] {
        if (!pacer.Due()) return;
        ShowProgress(progress);
        rt::DoEvents();
    };
    std::string content, newText; // their room serves every file of the run
    // A file that could not be examined is reported, and the run goes on.
    auto cannotExamine = [&](const std::string& path, long number, const std::string& description) {
        ShowProgress(progress);
        rt::MsgBox(path + kCR + "An error occured while examining this file:" + kCR + kCR +
                       "Error Number = " + rt::CStr(number) + kCR +
                       "Error Description = " + description,
                   rt::vbExclamation, "  Error");
    };
    // The file before is saved while this one is read and replaced. Whatever
    // the run shows or decides next waits for that save: its failure is the
    // run's, with the run standing where that file ended, as if it had gone no
    // further; a Stop that came meanwhile is then void, as the run had ended.
    SaveBehind saving;
    RunProgress saved;
    std::string savingPath;
    int64_t savingFound = 0; // occurrences replaced in the file being saved
    // A file that another program changed or deleted after it was read is
    // left as that program left it, and reported as a file that could not be
    // examined: nothing was replaced in it.
    auto settle = [&] {
        std::optional<rt::Error> leftAlone;
        try {
            leftAlone = saving.Finish();
        } catch (...) {
            progress = saved;
            StopRequested = false;
            throw;
        }
        if (!leftAlone) return;
        progress.Found -= std::exchange(savingFound, 0);
        cannotExamine(savingPath, leftAlone->Number, leftAlone->Description);
    };
    auto showFailure = [&](const std::exception& e) {
        const rt::Error* error = dynamic_cast<const rt::Error*>(&e);
        const long number = error ? error->Number : rt::errOutOfMemory;
        rt::Err().Clear();
        rt::Try([&] { ShowProgress(progress); });
        rt::MsgBox(std::string("The following error occured:") + kCR + kCR + "Error Number = " +
                       rt::CStr(number) + kCR + "Error Description = " +
                       (error ? error->Description : rt::ErrorText(number)),
                   rt::vbExclamation, "  Error");
    };
    try {
        const int count = ctlFile.ListCount();
        bool stopped = false;
        for (int i = 0; i < count && !stopped; ++i) {
            yield();
            if (run.StopRequested()) break;
            if (!ctlFile.Selected(i)) continue;

            ++progress.FileCounter;
            std::string folder = ctlFile.Path();
            if (folder.empty() || folder.back() != '\\') folder += '\\';
            const std::string name = ctlFile.List(i);
            const std::string backupPath = folder + BackupFileName(rt::DateShort(), name);
            const std::string filePath = folder + name;
            progress.LineCount = progress.LineNumber = 0;

            // A file that is the backup being made of the file before is read
            // once that backup is complete.
            if (rt::SamePath(filePath, saving.BackupPath()))
                settle();
            long errNumber = 0;
            std::string errDescription;
            rt::FileStamp readAs;
            const long lineCount =
                CountFileLines(filePath, errNumber, errDescription, content, readAs);
            if (errNumber != 0) {
                settle();
                cannotExamine(filePath, errNumber, errDescription);
                continue;
            }
            if (lineCount <= 0) continue;
            // A file that is not text in the code page (Unicode, binary) would
            // be destroyed by being written back as lines: it is left alone.
            if (!IsCodePageText(content)) {
                ++notText;
                continue;
            }
            progress.LineCount = lineCount;

            const int64_t foundBefore = progress.Found;
            const Replacer::Result result = replacer.Run(content, [&](long line, int64_t inFile) {
                progress.LineNumber = line;
                progress.Found = foundBefore + inFile;
                yield();
                return run.StopRequested();
            }, newText);
            progress.Found = foundBefore + result.Found;
            if (result.Stopped) {
                stopped = true;
                break;
            }
            progress.LineNumber = lineCount;
            // A file in which nothing was found is left as it was.
            if (result.Found > 0) {
                settle();
                saved = progress;
                savingPath = filePath;
                savingFound = result.Found;
                saving.Begin(filePath, makeBackups ? backupPath : std::string(), readAs, content,
                             newText);
            }
        }
        settle();
        if (!stopped && !run.StopRequested()) {
            ShowProgress(progress);
            rt::MsgBox("Search and replace operation completed successfully!" +
                           NotTextNote(notText),
                       rt::vbInformation, "  Complete");
        }
    } catch (const std::exception& e) {
        // The run's one handler: any other failure ends the run with its box,
        // unless the save of the file before failed first.
        bool savedFirst = true;
        try {
            settle();
        } catch (const std::exception& failure) {
            savedFirst = false;
            showFailure(failure);
        }
        if (savedFirst) showFailure(e);
    }

    // The end steps. A run stopped by closing the window says nothing more.
    EnableControls();
    ResetProgress();
    ShowFound(progress.Found);
    if (StopRequested && !run.Closing())
        rt::MsgBox("Operation canceled by user" + NotTextNote(notText), rt::vbInformation,
                   "  Canceled");
    StopRequested = false;
}

} // namespace sweeper
