// The drive, folder and file lists: a drive list to pick a drive, a folder
// list showing a folder with its ancestors and subfolders, and a file list
// showing a folder's files through a pattern.
//
// A drive that cannot be read raises error 68 (Device unavailable), a folder
// that does not exist error 76 (Path not found); the list keeps what it showed.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "combobox.h"
#include "listbox.h"

namespace rt {

// The drives of the system, each shown as its letter and colon with the
// volume label of a fixed drive in brackets ("c: [SYSTEM]").
class DriveListBox : public ComboBox {
  public:
    explicit DriveListBox(Container& parent);
    // The chosen drive as the list shows it. Setting takes the letter of any
    // text that begins with one ("d:", "D:\Music") and raises Change when the
    // drive changes; the user's choice in the list raises Change too.
    std::string Drive() const;
    void Drive(const std::string& drive);
    void Refresh() override; // reads the system's drives again

    void Create() override;
    void OnCommand(WORD code) override;

  private:
    using ComboBox::AddItem;
    using ComboBox::Clear;
    using ComboBox::ItemData;
    using ComboBox::RemoveItem;
    using ComboBox::Sorted;
    using ComboBox::Style;
    using ComboBox::Text;
    void Fill(const std::vector<std::wstring>& entries);
    void Commit(); // the entry shown becomes the drive
    std::vector<std::wstring> Entries() const;
    std::string drive_; // the chosen entry
};

// A folder with its ancestors, each one level deeper, and its subfolders.
// Indexes: 0..ListCount-1 are the subfolders, -1 the folder itself, -2 its
// parent and so on up to the drive's root; List gives full paths.
class DirListBox : public ListBox {
  public:
    explicit DirListBox(Container& parent);
    std::string Path() const; // "C:\Music", "C:\" for a root
    // Takes a full or relative path, or a drive ("d:", "d: [DATA]") for that
    // drive's current folder; raises Change when the folder changes.
    void Path(const std::string& path);
    int ListCount() const;             // subfolders of Path
    std::string List(int index) const; // error 381 outside -levels..ListCount-1
    int ListIndex() const;             // -1: the folder itself
    void ListIndex(int index);
    void Refresh() override; // reads the subfolders again

    std::function<void()> Change;

    void Create() override;
    void OnCommand(WORD code) override;
    bool Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

  private:
    using ListBox::AddItem;
    using ListBox::Clear;
    using ListBox::Columns;
    using ListBox::ItemData;
    using ListBox::MultiSelect;
    using ListBox::RemoveItem;
    using ListBox::SelectRange;
    using ListBox::Selected;
    using ListBox::Sorted;
    using ListBox::Text;
    void Fill();
    void MoveTo(const std::wstring& folder); // a folder found to exist
    int Levels() const { return static_cast<int>(chain_.size()); }
    std::wstring path_;                 // empty: the current folder, read on first use
    std::vector<std::wstring> chain_;   // root .. the folder, full paths
    std::vector<std::wstring> subs_;    // the subfolders, full paths
};

// The files of a folder that match a pattern, sorted by name.
class FileListBox : public ListBox {
  public:
    explicit FileListBox(Container& parent);
    std::string Path() const;
    void Path(const std::string& path); // as DirListBox; lists the folder's files
    const std::string& Pattern() const { return pattern_; }
    // One or more patterns separated by ";" ("*.mid;*.rmi"), with * and ?;
    // "" lists every file. Error 380 for a character no file name can hold.
    void Pattern(const std::string& pattern);
    // Which files show besides plain ones: a file shows when each of its
    // hidden, system and read-only attributes is allowed, and it is an
    // archive file with Archive on or a non-archive file with Normal on.
    bool Archive() const { return archive_; }
    void Archive(bool v);
    bool Hidden() const { return hidden_; }
    void Hidden(bool v);
    bool Normal() const { return normal_; }
    void Normal(bool v);
    bool ReadOnly() const { return readOnly_; }
    void ReadOnly(bool v);
    bool System() const { return system_; }
    void System(bool v);
    void Refresh() override; // reads the folder again

    void Create() override;

  private:
    using ListBox::AddItem;
    using ListBox::Clear;
    using ListBox::Columns;
    using ListBox::ItemData;
    using ListBox::RemoveItem;
    using ListBox::Sorted;
    void Fill();
    void Show(bool& which, bool v); // an attribute filter set: the list follows
    std::wstring path_; // empty: the current folder, read on first use
    std::string pattern_ = "*.*";
    std::vector<std::wstring> patterns_{L"*.*"}; // upper case
    bool archive_ = true, hidden_ = false, normal_ = true, readOnly_ = true, system_ = false;
};

} // namespace rt
