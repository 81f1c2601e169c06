// A plain-text editor in place of the rich-text box where that control is too
// slow to take a large text: the EDIT control, made to behave as the rich-text
// box does wherever its user can tell.
#pragma once

#include "textbox.h"

namespace rt {

// Line breaks: the text holds CR LF only. Text arriving with bare LF or bare CR
// line ends (set by code, pasted by any route, sent by another program) gets
// CR LF in their place, as the rich-text box shows and stores them.
//
// Selection positions (SelStart, SelLength) count a line break as one
// character, as the rich-text box does: one character after the caret at the
// end of a line is the whole line break.
//
// The EDIT control's own context menu never shows. A right click raises
// MouseDown as ever; Shift+F10 or the menu key raises ContextMenuKey.
class RichTextStandIn : public TextBox {
  public:
    explicit RichTextStandIn(Container& parent);
    int SelStart() const override;
    void SelStart(int v) override;
    int SelLength() const override;
    void SelLength(int v) override;

    void Create() override;
};

} // namespace rt
