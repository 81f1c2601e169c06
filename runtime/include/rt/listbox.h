// The list box: columns, multiple selection, item data, mouse and key events.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "control.h"

namespace rt {

class ListBox : public Control {
  public:
    explicit ListBox(Container& parent);
    void AddItem(const std::string& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const;
    std::string List(int index) const; // error 381 outside 0..ListCount-1
    int ListIndex() const;             // -1 when nothing is selected
    void ListIndex(int index);
    std::string Text() const; // the selected item, empty when none
    int Columns() const { return columns_; }
    void Columns(int n); // 0: one vertical column; n > 0: n columns across
    void MultiSelect(int v) { multiSelect_ = v; } // 0 none, 1 simple, 2 extended
    bool Selected(int index) const;
    void Selected(int index, bool v);
    void Sorted(bool v) { sorted_ = v; }
    long ItemData(int index) const;
    void ItemData(int index, long v);
    int TopIndex() const;

    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> MouseUp;
    std::function<void(int KeyCode, int Shift)> KeyDown;

    void Create() override;
    void OnCommand(WORD code) override;
    LRESULT OnColor(HDC dc) override;
    void Refresh() override;
    void ResumeRedraw(); // runtime plumbing: draws again after a burst of adds

  protected:
    void AfterMove() override;

  private:
    int columns_ = 0, multiSelect_ = 0;
    bool sorted_ = false;
    bool redrawHeld_ = false; // adds wait to be drawn until the message loop runs
    std::vector<std::pair<std::string, long>> design_; // items added before creation
};

} // namespace rt
