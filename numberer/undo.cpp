#include "undo.h"

#include <algorithm>
#include <utility>

namespace tallyman {

void UndoHistory::Record(std::string text) {
    std::rotate(m_UndoText.rbegin(), m_UndoText.rbegin() + 1, m_UndoText.rend());
    m_UndoText[0] = std::move(text);
}

const std::string& UndoHistory::Restore() {
    // Showing slot 1 is itself recorded as a change (pushing the oldest text
    // out), then the history steps down twice, dropping that record and the
    // text it replaced: slot k holds what slot k + 1 held, and the two oldest
    // slots both hold what the second-oldest held. The copies come first, so
    // that a lack of memory leaves the history as it was.
    std::string oldest = m_UndoText[kSlots - 2];
    std::string oldestAgain = oldest;
    std::move(m_UndoText.begin() + 1, m_UndoText.end(), m_UndoText.begin());
    m_UndoText[kSlots - 2] = std::move(oldest);
    m_UndoText[kSlots - 1] = std::move(oldestAgain);
    return m_UndoText[0];
}

void UndoHistory::Clear() {
    for (std::string& slot : m_UndoText) slot.clear();
}

} // namespace tallyman
