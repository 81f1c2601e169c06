// Entries of the list and combo boxes: added, removed, read, with item data.
#include <windows.h>

#include <algorithm>

#include "rt/convert.h"

#include "forms_internal.h"

namespace rt {

using namespace detail;

ListControl::ListControl(Container& parent, const Messages& messages)
    : Control(parent), messages_(messages) {
    foreColor_ = 0x80000008; // window text
    backColor_ = 0x80000005; // window
}

void ListControl::AddItem(const std::string& item, int index) {
    if (index < -1 || index > ListCount()) Raise(errInvalidProcedureCall);
    if (!hwnd_) {
        if (index < 0 || sorted_) {
            design_.emplace_back(item, 0);
            if (sorted_)
                std::stable_sort(design_.begin(), design_.end(),
                                 [](auto& a, auto& b) { return a.first < b.first; });
        } else {
            design_.insert(design_.begin() + index, {item, 0});
        }
        return;
    }
    BeforeAdd();
    std::wstring w = Wide(item);
    LRESULT r = index < 0 || sorted_
                    ? SendMessageW(hwnd_, messages_.add, 0, reinterpret_cast<LPARAM>(w.c_str()))
                    : SendMessageW(hwnd_, messages_.insert, static_cast<WPARAM>(index),
                                   reinterpret_cast<LPARAM>(w.c_str()));
    if (r < 0) Raise(errOutOfMemory); // LB_ERR / CB_ERR, LB_ERRSPACE / CB_ERRSPACE
}

void ListControl::RemoveItem(int index) {
    if (index < 0 || index >= ListCount()) Raise(errInvalidProcedureCall);
    if (!hwnd_)
        design_.erase(design_.begin() + index);
    else
        SendMessageW(hwnd_, messages_.remove, static_cast<WPARAM>(index), 0);
}

void ListControl::Clear() {
    design_.clear();
    if (hwnd_) SendMessageW(hwnd_, messages_.reset, 0, 0);
}

int ListControl::ListCount() const {
    if (!hwnd_) return static_cast<int>(design_.size());
    return static_cast<int>(SendMessageW(hwnd_, messages_.count, 0, 0));
}

void ListControl::CheckIndex(int index) const {
    if (index < 0 || index >= ListCount()) Raise(381);
}

std::wstring ListControl::EntryW(int index) const {
    LRESULT n = SendMessageW(hwnd_, messages_.textLength, static_cast<WPARAM>(index), 0);
    if (n < 0) Raise(381);
    std::wstring w(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(hwnd_, messages_.text, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(w.data()));
    w.resize(static_cast<size_t>(std::max<LRESULT>(0, n)));
    return w;
}

std::string ListControl::List(int index) const {
    if (index == -1) return {};
    CheckIndex(index);
    if (!hwnd_) return design_[static_cast<size_t>(index)].first;
    return Utf8(EntryW(index));
}

long ListControl::ItemData(int index) const {
    CheckIndex(index);
    if (!hwnd_) return design_[static_cast<size_t>(index)].second;
    return static_cast<long>(SendMessageW(hwnd_, messages_.getData, static_cast<WPARAM>(index), 0));
}

void ListControl::ItemData(int index, long v) {
    CheckIndex(index);
    if (!hwnd_)
        design_[static_cast<size_t>(index)].second = v;
    else
        SendMessageW(hwnd_, messages_.setData, static_cast<WPARAM>(index), v);
}

void ListControl::AddDesignEntries() {
    for (auto& [text, data] : design_) {
        std::wstring w = Wide(text);
        LRESULT i = SendMessageW(hwnd_, messages_.add, 0, reinterpret_cast<LPARAM>(w.c_str()));
        if (i >= 0) SendMessageW(hwnd_, messages_.setData, static_cast<WPARAM>(i), data);
    }
    design_.clear();
}

} // namespace rt
