// Sweeper's window: a drive, a folder, a file pattern and a selection of
// files, the search and replacement texts, and the replace run over the
// selected files with its progress bars, counts and Stop button.
#pragma once

#include <cstdint>
#include <string>

#include <rt.h>

namespace sweeper {

class Replacer;

class frmMain : public rt::Form, public rt::FormOf<frmMain> {
  public:
    frmMain();

    // In tab order.
    rt::DriveListBox ctlDrive{*this};
    rt::DirListBox ctlDirectory{*this};
    rt::FileListBox ctlFile{*this};
    rt::TextBox txtFilter{*this};
    rt::CommandButton cmdSelectAll{*this};
    rt::CommandButton cmdSelectNone{*this};
    rt::Label Label1{*this};
    rt::TextBox txtSearchText{*this};
    rt::Label Label2{*this};
    rt::TextBox txtReplaceText{*this};
    rt::CheckBox chkCaseInsensative{*this};
    rt::CommandButton cmdStart{*this};
    rt::CommandButton cmdStop{*this};
    rt::CommandButton cmdClose{*this};
    rt::Label lblTotalLines{*this};
    rt::Label lblTotalFiles{*this};
    rt::Label lblFound{*this};
    rt::PictureBox picProgressLines{*this};
    rt::PictureBox picProgressFiles{*this};
    rt::CommandButton cmdAbout{*this};

    // Set by Stop and Close, tested by the run.
    bool StopRequested = false;

    void ctlDrive_Change();
    void ctlDirectory_Change();
    void txtFilter_Change();
    void cmdSelectAll_Click();
    void cmdSelectNone_Click();
    void cmdStart_Click();
    void cmdStop_Click();
    void cmdClose_Click();
    void cmdAbout_Click();

    // The About message's text.
    static std::string AboutText();

  protected:
    void Form_Load() override;

  private:
    void SelectAllFiles();
    void SelectNoFiles();
    void EnableControls();
    void DisableControls();
    void SwitchControls(bool idle);
    void ResetProgress();
    int CountSelectedFiles();
    // The run itself, once the input is checked and confirmed.
    void ReplaceSelectedFiles(const rt::RunGuard& run, const Replacer& replacer, bool makeBackups);
    // Where a run is: files begun of the selected, lines of the file in
    // hand, occurrences found.
    struct RunProgress {
        long TotalFiles = 0, FileCounter = 0;
        long LineCount = 0, LineNumber = 0;
        int64_t Found = 0;
    };
    void ShowProgress(const RunProgress& progress);
    RunProgress shown_;
    void KeepFoundInSight();
    void ShowFound(int64_t found);
    void DrawBar(rt::PictureBox& bar, long max, long value);
};

} // namespace sweeper
