// The combo box over the COMBOBOX control.
#include <windows.h>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

namespace {

const ListControl::Messages kComboMessages{CB_ADDSTRING,   CB_INSERTSTRING, CB_DELETESTRING,
                                           CB_RESETCONTENT, CB_GETCOUNT,     CB_GETLBTEXT,
                                           CB_GETLBTEXTLEN, CB_GETITEMDATA,  CB_SETITEMDATA};
constexpr int kDroppedLines = 8; // entries the open list shows before it scrolls

// Sets the text of the combo's edit field without the field reporting it.
struct QuietText {
    explicit QuietText(int& n) : n_(n) { ++n_; }
    ~QuietText() { --n_; }
    QuietText(const QuietText&) = delete;
    QuietText& operator=(const QuietText&) = delete;
    int& n_;
};

} // namespace

ComboBox::ComboBox(Container& parent) : ListControl(parent, kComboMessages) {}

void ComboBox::Style(int v) {
    if (v != vbComboDropdown && v != vbComboDropdownList) Raise(errInvalidPropertyValue);
    if (hwnd_) Raise(382); // fixed once the window exists
    style_ = v;
}

std::string ComboBox::Text() const {
    if (!hwnd_) return text_;
    return Utf8(WindowTextW(hwnd_));
}

void ComboBox::Text(const std::string& text) {
    if (style_ == vbComboDropdownList) {
        if (!hwnd_) {
            text_ = text;
            return;
        }
        std::wstring w = Wide(text);
        LRESULT i = SendMessageW(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                 reinterpret_cast<LPARAM>(w.c_str()));
        if (i == CB_ERR) Raise(383);
        ListIndex(static_cast<int>(i));
        return;
    }
    text_ = text;
    if (!hwnd_) return;
    {
        QuietText quiet(settingText_);
        SetWindowTextW(hwnd_, Wide(text).c_str());
    }
    // The runtime reports a change made by code as well.
    if (Change) Change();
}

int ComboBox::ListIndex() const {
    if (!hwnd_) return index_;
    return static_cast<int>(SendMessageW(hwnd_, CB_GETCURSEL, 0, 0));
}

void ComboBox::ListIndex(int index) {
    if (index < -1 || index >= ListCount()) Raise(errInvalidPropertyValue);
    if (!hwnd_) {
        index_ = index;
        return;
    }
    {
        QuietText quiet(settingText_);
        SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    }
    // Setting the index by code is reported as a click, as the runtime does.
    if (Click) Click();
}

void ComboBox::Create() {
    DWORD style = WS_TABSTOP | WS_VSCROLL | extraStyle_ |
                  (style_ == vbComboDropdownList ? CBS_DROPDOWNLIST : CBS_DROPDOWN | CBS_AUTOHSCROLL);
    if (sorted_) style |= CBS_SORT;
    {
        QuietText quiet(settingText_);
        CreateWindowFor(L"COMBOBOX", style);
        AddDesignEntries();
        if (index_ < 0 && style_ == vbComboDropdownList && !text_.empty())
            index_ = static_cast<int>(SendMessageW(hwnd_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                                   reinterpret_cast<LPARAM>(Wide(text_).c_str())));
        if (index_ >= 0 && index_ < ListCount())
            SendMessageW(hwnd_, CB_SETCURSEL, static_cast<WPARAM>(index_), 0);
        else if (style_ == vbComboDropdown && !text_.empty())
            SetWindowTextW(hwnd_, Wide(text_).c_str());
    }
    index_ = -1;
    AfterMove();
}

// The window's height includes the list that drops down: the field itself
// takes the height its font needs.
void ComboBox::AfterMove() {
    if (!hwnd_) return;
    int field = static_cast<int>(SendMessageW(hwnd_, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
    int item = static_cast<int>(SendMessageW(hwnd_, CB_GETITEMHEIGHT, 0, 0));
    int height = field + 2 * GetSystemMetrics(SM_CYEDGE) + 2 + item * kDroppedLines + 2;
    RECT r = PixelRect();
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, height,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
}

void ComboBox::OnCommand(WORD code) {
    if (settingText_) return;
    switch (code) {
    case CBN_EDITCHANGE:
        if (Change) Change();
        break;
    case CBN_SELCHANGE:
        // The edit field takes the chosen entry's text only after this notice:
        // put it there first, so that the handler reads what was chosen.
        if (style_ == vbComboDropdown) {
            int i = ListIndex();
            if (i >= 0) {
                QuietText quiet(settingText_);
                SetWindowTextW(hwnd_, EntryW(i).c_str());
            }
        }
        if (Click) Click();
        break;
    default: break;
    }
}

} // namespace rt
