// The list box: columns, multiple selection, item data, mouse and key events.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "listcontrol.h"

namespace rt {

class ListBox : public ListControl {
  public:
    explicit ListBox(Container& parent);
    int ListIndex() const; // -1 when nothing is selected
    void ListIndex(int index);
    std::string Text() const; // the selected item, empty when none
    int Columns() const { return columns_; }
    void Columns(int n); // 0: one vertical column; n > 0: n columns across
    int MultiSelect() const { return multiSelect_; }
    void MultiSelect(int v) { multiSelect_ = v; } // 0 none, 1 simple, 2 extended
    bool Selected(int index) const;
    void Selected(int index, bool v);
    // As Selected(i) = v for each index from first to last in turn, in one
    // step: the caret, the anchor and the scrolling end as the last one
    // leaves them, but a long list is not scrolled and drawn once per entry.
    void SelectRange(int first, int last, bool v);
    int TopIndex() const;

    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> MouseUp;
    std::function<void(int KeyCode, int Shift)> KeyDown;
    std::function<void(int KeyCode, int Shift)> KeyUp;
    std::function<void()> LostFocus;

    void Create() override;
    void OnCommand(WORD code) override;
    LRESULT OnColor(HDC dc) override;
    void Refresh() override;
    void ResumeRedraw(); // runtime plumbing: draws again after a burst of adds

  protected:
    void AfterMove() override;
    void BeforeAdd() override;
    // Replaces every entry with these lines at once (the file and folder lists).
    void Fill(const std::vector<std::wstring>& lines);
    DWORD extraStyle_ = 0; // owner drawing for the folder list

  private:
    int columns_ = 0, multiSelect_ = 0;
    bool redrawHeld_ = false; // adds wait to be drawn until the message loop runs
};

} // namespace rt
