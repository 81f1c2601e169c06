// The drive, folder and file lists over the COMBOBOX and LISTBOX controls.
#include <windows.h>

#include <algorithm>
#include <cwctype>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

namespace {

// ---------------------------------------------------------------------------
// Paths

bool IsDriveSpec(const std::wstring& s) {
    return s.size() >= 2 && std::iswalpha(s[0]) && s[1] == L':' && (s.size() == 2 || s[2] == L' ');
}

// "C:\" for a drive path, "\\server\share\" for a network path.
std::wstring RootOf(const std::wstring& full) {
    if (full.size() >= 3 && full[1] == L':') return full.substr(0, 3);
    if (full.rfind(L"\\\\", 0) != 0) return {};
    size_t share = full.find(L'\\', 2);
    if (share == std::wstring::npos) return {};
    size_t end = full.find(L'\\', share + 1);
    return end == std::wstring::npos ? full + L"\\" : full.substr(0, end + 1);
}

std::wstring FullPath(const std::wstring& path) {
    DWORD n = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (!n) Raise(errPathNotFound);
    std::wstring full(n, L'\0');
    n = GetFullPathNameW(path.c_str(), n, full.data(), nullptr);
    full.resize(n);
    return full;
}

bool Readable(const std::wstring& root) {
    return !root.empty() && GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The folder a list is pointed at: a full path without a closing backslash
// (a root keeps its own), the drive letter in upper case. A drive alone means
// that drive's current folder. Error 68 when the drive cannot be read, 76 when
// the folder does not exist.
std::wstring ResolveFolder(const std::string& path) {
    std::wstring w = Wide(path);
    if (IsDriveSpec(w)) w.resize(2);
    if (w.empty()) Raise(errPathNotFound);
    std::wstring full = FullPath(w);
    std::wstring root = RootOf(full);
    if (!Readable(root)) Raise(68);
    while (full.size() > root.size() && full.back() == L'\\') full.pop_back();
    DWORD attributes = GetFileAttributesW(full.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        Raise(errPathNotFound);
    std::wstring longName(MAX_PATH, L'\0');
    DWORD n = GetLongPathNameW(full.c_str(), longName.data(), MAX_PATH);
    if (n > MAX_PATH) {
        longName.resize(n);
        n = GetLongPathNameW(full.c_str(), longName.data(), n);
    }
    if (n && n <= longName.size()) full.assign(longName.data(), n);
    if (full.size() >= 2 && full[1] == L':') full[0] = static_cast<wchar_t>(std::towupper(full[0]));
    return full;
}

std::wstring CurrentFolder() {
    DWORD n = GetCurrentDirectoryW(0, nullptr);
    std::wstring dir(n, L'\0');
    n = GetCurrentDirectoryW(n, dir.data());
    dir.resize(n);
    try {
        return ResolveFolder(Utf8(dir));
    } catch (const Error&) {
        return dir;
    }
}

std::wstring Join(const std::wstring& folder, const std::wstring& name) {
    return folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

// The entries of a folder, one call per entry found; quick for thousands.
template <class F> void ForEachEntry(const std::wstring& folder, bool foldersOnly, F&& f) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileExW(Join(folder, L"*").c_str(), FindExInfoBasic, &data,
                                   foldersOnly ? FindExSearchLimitToDirectories : FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        if (wcscmp(data.cFileName, L".") == 0 || wcscmp(data.cFileName, L"..") == 0) continue;
        f(data);
    } while (FindNextFileW(find, &data));
    FindClose(find);
}

// Names in the order a user reads them: alphabetical, case ignored.
void SortNames(std::vector<std::wstring>& names) {
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(),
                              static_cast<int>(a.size()), b.c_str(),
                              static_cast<int>(b.size())) == CSTR_LESS_THAN;
    });
}

std::wstring Upper(std::wstring s) {
    if (!s.empty()) CharUpperBuffW(s.data(), static_cast<DWORD>(s.size()));
    return s;
}

// Whether a name matches a pattern with * (any run of characters) and ?
// (one character); both in upper case.
bool Wildcard(const std::wstring& p, const std::wstring& s) {
    size_t pi = 0, si = 0, star = std::wstring::npos, mark = 0;
    while (si < s.size()) {
        if (pi < p.size() && (p[pi] == L'?' || p[pi] == s[si])) {
            ++pi, ++si;
        } else if (pi < p.size() && p[pi] == L'*') {
            star = pi++;
            mark = si;
        } else if (star != std::wstring::npos) {
            pi = star + 1;
            si = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == L'*') ++pi;
    return pi == p.size();
}

// A name without an extension counts as ending in a dot, so that "*.*" lists
// every file and "name.*" finds "name".
bool MatchesPattern(const std::wstring& pattern, const std::wstring& name) {
    return Wildcard(pattern, name) ||
           (name.find(L'.') == std::wstring::npos && Wildcard(pattern, name + L"."));
}

// ---------------------------------------------------------------------------
// Folder pictures for the folder list

void DrawFolder(HDC dc, int x, int y, bool open) {
    GdiObject<HBRUSH> back(CreateSolidBrush(RGB(240, 200, 80)));
    GdiObject<HBRUSH> front(CreateSolidBrush(RGB(255, 228, 140)));
    GdiObject<HPEN> edge(CreatePen(PS_SOLID, 1, RGB(150, 110, 20)));
    Selected pen(dc, edge);
    Selected brush(dc, back);
    POINT body[] = {{x, y + 2}, {x + 5, y + 2}, {x + 6, y + 3}, {x + 13, y + 3},
                    {x + 13, y + 12}, {x, y + 12}};
    Polygon(dc, body, 6);
    if (open) {
        Selected lid(dc, front);
        POINT flap[] = {{x + 2, y + 6}, {x + 15, y + 6}, {x + 13, y + 12}, {x, y + 12}};
        Polygon(dc, flap, 4);
    }
}

} // namespace

// ---------------------------------------------------------------------------
// DriveListBox

DriveListBox::DriveListBox(Container& parent) : ComboBox(parent) {
    ComboBox::Style(vbComboDropdownList);
}

std::vector<std::wstring> DriveListBox::Entries() const {
    std::vector<std::wstring> entries;
    DWORD drives = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if (!(drives & (1u << i))) continue;
        wchar_t root[] = {static_cast<wchar_t>(L'A' + i), L':', L'\\', L'\0'};
        std::wstring entry{static_cast<wchar_t>(L'a' + i), L':'};
        // Only fixed drives are asked for a label: asking a removable or
        // network drive can wait for the device.
        UINT type = GetDriveTypeW(root);
        wchar_t label[MAX_PATH + 1] = L"";
        if ((type == DRIVE_FIXED || type == DRIVE_RAMDISK) &&
            GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0) &&
            label[0])
            entry += std::wstring(L" [") + label + L"]";
        entries.push_back(entry);
    }
    return entries;
}

static int EntryOfLetter(const std::vector<std::wstring>& entries, wchar_t letter) {
    for (size_t i = 0; i < entries.size(); ++i)
        if (std::towlower(entries[i][0]) == std::towlower(letter)) return static_cast<int>(i);
    return -1;
}

std::string DriveListBox::Drive() const {
    if (!drive_.empty()) return drive_;
    std::vector<std::wstring> entries = Entries();
    int i = EntryOfLetter(entries, CurrentFolder()[0]);
    return i >= 0 ? Utf8(entries[static_cast<size_t>(i)]) : std::string();
}

void DriveListBox::Drive(const std::string& drive) {
    std::wstring w = Wide(drive);
    if (w.size() < 2 || !std::iswalpha(w[0]) || w[1] != L':') Raise(68);
    if (!Readable({w[0], L':', L'\\'})) Raise(68);
    std::vector<std::wstring> entries = Entries();
    int i = EntryOfLetter(entries, w[0]);
    if (i < 0) Raise(68);
    bool changed = drive_.empty() || std::towlower(Wide(drive_)[0]) != std::towlower(w[0]);
    drive_ = Utf8(entries[static_cast<size_t>(i)]);
    if (hwnd_) Fill(entries);
    if (changed && Change) Change();
}

// Shows the drives, the chosen one in the field.
void DriveListBox::Fill(const std::vector<std::wstring>& entries) {
    SendMessageW(hwnd_, CB_RESETCONTENT, 0, 0);
    for (const std::wstring& e : entries)
        SendMessageW(hwnd_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(e.c_str()));
    int i = drive_.empty() ? EntryOfLetter(entries, CurrentFolder()[0])
                           : EntryOfLetter(entries, Wide(drive_)[0]);
    SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(i), 0);
    if (i >= 0) drive_ = Utf8(entries[static_cast<size_t>(i)]);
}

void DriveListBox::Refresh() {
    if (hwnd_) Fill(Entries());
}

void DriveListBox::Create() {
    ComboBox::Create();
    Fill(Entries());
}

void DriveListBox::Commit() {
    int i = static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
    if (i < 0) return;
    std::string entry = Utf8(EntryW(i));
    bool changed = drive_.empty() || std::towlower(Wide(drive_)[0]) != std::towlower(Wide(entry)[0]);
    drive_ = entry;
    if (changed && Change) Change();
}

// While the list is open the user may go through several drives: the drive
// changes once, when the list closes on one.
void DriveListBox::OnCommand(WORD code) {
    if (code == CBN_CLOSEUP || (code == CBN_SELCHANGE && !SendMessageW(hwnd_, CB_GETDROPPEDSTATE, 0, 0)))
        Commit();
}

// ---------------------------------------------------------------------------
// DirListBox

DirListBox::DirListBox(Container& parent) : ListBox(parent) {
    extraStyle_ = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS;
}

std::string DirListBox::Path() const { return Utf8(path_.empty() ? CurrentFolder() : path_); }

void DirListBox::Path(const std::string& path) { MoveTo(ResolveFolder(path)); }

void DirListBox::MoveTo(const std::wstring& full) {
    bool changed = Upper(full) != Upper(path_.empty() ? CurrentFolder() : path_);
    path_ = full;
    if (hwnd_) Fill();
    if (changed && Change) Change();
}

int DirListBox::ListCount() const {
    if (!hwnd_) return 0;
    return static_cast<int>(subs_.size());
}

std::string DirListBox::List(int index) const {
    if (!hwnd_) {
        if (index == -1) return Path();
        Raise(381);
    }
    if (index < -Levels() || index >= ListCount()) Raise(381);
    return Utf8(index < 0 ? chain_[static_cast<size_t>(Levels() + index)]
                          : subs_[static_cast<size_t>(index)]);
}

int DirListBox::ListIndex() const {
    int line = ListBox::ListIndex();
    return line < 0 ? -1 : line - Levels();
}

void DirListBox::ListIndex(int index) {
    if (index < -Levels() || index >= ListCount()) Raise(errInvalidPropertyValue);
    ListBox::ListIndex(index + Levels());
}

void DirListBox::Fill() {
    chain_.clear();
    subs_.clear();
    std::wstring root = RootOf(path_);
    std::vector<std::wstring> lines;
    // The root shows as the drive list names the drive ("c:\").
    std::wstring rootName = root;
    if (rootName.size() >= 2 && rootName[1] == L':') rootName[0] = static_cast<wchar_t>(std::towlower(rootName[0]));
    chain_.push_back(root);
    lines.push_back(rootName);
    for (size_t at = root.size(); at < path_.size();) {
        size_t end = path_.find(L'\\', at);
        if (end == std::wstring::npos) end = path_.size();
        chain_.push_back(path_.substr(0, end));
        lines.push_back(path_.substr(at, end - at));
        at = end + 1;
    }
    std::vector<std::wstring> names;
    ForEachEntry(path_, true, [&](const WIN32_FIND_DATAW& d) {
        if ((d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !(d.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN))
            names.emplace_back(d.cFileName);
    });
    SortNames(names);
    for (const std::wstring& n : names) {
        subs_.push_back(Join(path_, n));
        lines.push_back(n);
    }
    ListBox::Fill(lines);
    SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(Levels() - 1), 0);
}

void DirListBox::Refresh() {
    if (!hwnd_) return;
    int index = ListIndex();
    Fill();
    if (index >= 0 && index < ListCount())
        SendMessageW(hwnd_, LB_SETCURSEL, static_cast<WPARAM>(index + Levels()), 0);
    ListBox::Refresh();
}

void DirListBox::Create() {
    if (path_.empty()) path_ = CurrentFolder();
    ListBox::Create();
    WindowDC screen(nullptr);
    rt::Selected font(screen, FontHandle());
    TEXTMETRICW tm;
    GetTextMetricsW(screen, &tm);
    SendMessageW(hwnd_, LB_SETITEMHEIGHT, 0, std::max<LONG>(tm.tmHeight, 14) + 2);
    Fill();
}

void DirListBox::OnCommand(WORD code) {
    if (code == LBN_DBLCLK) {
        // The folder double-clicked becomes the path; one that went away
        // meanwhile leaves the list read again.
        int index = ListIndex();
        if (index != -1 && index >= -Levels() && index < ListCount()) {
            std::wstring target;
            try {
                target = ResolveFolder(List(index));
            } catch (const Error&) {
                Refresh();
            }
            if (!target.empty()) MoveTo(target);
        }
        if (DblClick) DblClick();
        return;
    }
    ListBox::OnCommand(code);
}

bool DirListBox::Reflect(UINT msg, WPARAM, LPARAM lp, LRESULT& result) {
    if (msg != WM_DRAWITEM) return false;
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
    result = TRUE;
    HDC dc = item.hDC;
    RECT row = item.rcItem;
    FillRect(dc, &row, BrushFor(backColor_));
    if (item.itemID == static_cast<UINT>(-1)) {
        if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &row);
        return true;
    }
    int line = static_cast<int>(item.itemID);
    int level = std::min(line, Levels());
    int x = row.left + 2 + level * 8;
    int height = row.bottom - row.top;
    DrawFolder(dc, x, row.top + (height - 14) / 2, line < Levels());

    int n = static_cast<int>(SendMessageW(hwnd_, LB_GETTEXTLEN, item.itemID, 0));
    std::wstring text(static_cast<size_t>(std::max(n, 0)) + 1, L'\0');
    n = static_cast<int>(SendMessageW(hwnd_, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<size_t>(std::max(n, 0)));
    rt::Selected font(dc, FontHandle());
    SIZE size{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT label{x + 18, row.top, std::min<LONG>(x + 18 + size.cx + 4, row.right), row.bottom};
    bool selected = item.itemState & ODS_SELECTED;
    if (selected) FillRect(dc, &label, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ResolveColor(foreColor_));
    RECT textRect = label;
    textRect.left += 2;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &textRect,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &label);
    return true;
}

// ---------------------------------------------------------------------------
// FileListBox

FileListBox::FileListBox(Container& parent) : ListBox(parent) {}

std::string FileListBox::Path() const { return Utf8(path_.empty() ? CurrentFolder() : path_); }

void FileListBox::Path(const std::string& path) {
    path_ = ResolveFolder(path);
    if (hwnd_) Fill();
}

void FileListBox::Pattern(const std::string& pattern) {
    std::vector<std::wstring> patterns;
    std::wstring w = Wide(pattern);
    for (size_t at = 0; at <= w.size();) {
        size_t end = w.find(L';', at);
        if (end == std::wstring::npos) end = w.size();
        std::wstring one = w.substr(at, end - at);
        one.erase(0, one.find_first_not_of(L' '));
        one.erase(one.find_last_not_of(L' ') + 1);
        for (wchar_t c : one)
            if (c < 32 || wcschr(L"\\/:\"<>|", c)) Raise(errInvalidPropertyValue);
        if (!one.empty()) patterns.push_back(Upper(one));
        at = end + 1;
    }
    if (patterns.empty()) patterns.push_back(L"*");
    pattern_ = pattern;
    patterns_ = std::move(patterns);
    if (hwnd_) Fill();
}

void FileListBox::Show(bool& which, bool v) {
    which = v;
    if (hwnd_) Fill();
}
void FileListBox::Archive(bool v) { Show(archive_, v); }
void FileListBox::Hidden(bool v) { Show(hidden_, v); }
void FileListBox::Normal(bool v) { Show(normal_, v); }
void FileListBox::ReadOnly(bool v) { Show(readOnly_, v); }
void FileListBox::System(bool v) { Show(system_, v); }

void FileListBox::Fill() {
    std::vector<std::wstring> names;
    ForEachEntry(path_, false, [&](const WIN32_FIND_DATAW& d) {
        DWORD a = d.dwFileAttributes;
        if (a & FILE_ATTRIBUTE_DIRECTORY) return;
        if ((a & FILE_ATTRIBUTE_HIDDEN) && !hidden_) return;
        if ((a & FILE_ATTRIBUTE_SYSTEM) && !system_) return;
        if ((a & FILE_ATTRIBUTE_READONLY) && !readOnly_) return;
        if (!((a & FILE_ATTRIBUTE_ARCHIVE) ? archive_ : normal_)) return;
        std::wstring upper = Upper(d.cFileName);
        for (const std::wstring& p : patterns_)
            if (MatchesPattern(p, upper)) {
                names.emplace_back(d.cFileName);
                return;
            }
    });
    SortNames(names);
    ListBox::Fill(names);
}

void FileListBox::Refresh() {
    if (!hwnd_) return;
    Fill();
    ListBox::Refresh();
}

void FileListBox::Create() {
    if (path_.empty()) path_ = CurrentFolder();
    ListBox::Create();
    Fill();
}

} // namespace rt
