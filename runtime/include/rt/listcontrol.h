// What the list box and the combo box share: entries with their item data,
// held by the control once its window exists and kept in order before.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "control.h"

namespace rt {

class ListControl : public Control {
  public:
    void AddItem(const std::string& item, int index = -1); // error 5 for an index past the end
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    // The entry's text; an empty text for -1 (no entry selected), error 381
    // for any other index outside 0..ListCount-1.
    std::string List(int index) const;
    long ItemData(int index) const;
    void ItemData(int index, long v);
    bool Sorted() const { return sorted_; }
    void Sorted(bool v) { sorted_ = v; }

    // Runtime plumbing: the window's own messages for these operations (LB_* or CB_*).
    struct Messages {
        UINT add, insert, remove, reset, count, text, textLength, getData, setData;
    };

  protected:
    ListControl(Container& parent, const Messages& messages);
    // A list box holds back its drawing while entries come in a burst.
    virtual void BeforeAdd() {}
    // Puts the entries added before the window existed into it.
    void AddDesignEntries();
    void CheckIndex(int index) const; // error 381 outside 0..ListCount-1
    // The entry's text as the window holds it.
    std::wstring EntryW(int index) const;

    const Messages& messages_;
    bool sorted_ = false;
    std::vector<std::pair<std::string, long>> design_; // entries before the window exists
};

} // namespace rt
