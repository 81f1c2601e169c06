// The editor's own twelve-step history of its text, apart from any window.
#pragma once

#include <array>
#include <string>

namespace tallyman {

class UndoHistory {
  public:
    static constexpr int kSlots = 12;

    // A change: every text moves one slot older, the oldest falls off, and
    // slot 0 takes the text now shown.
    void Record(std::string text);
    // Steps back: afterwards the history holds what it held before the step
    // that slot 1 was recorded by, and slot 0, returned, is slot 1's text.
    // Nothing changes when memory runs out.
    const std::string& Restore();
    // Forgets every step.
    void Clear();

    const std::string& Slot(int k) const { return m_UndoText[static_cast<size_t>(k)]; }

  private:
    std::array<std::string, kSlots> m_UndoText;
};

} // namespace tallyman
