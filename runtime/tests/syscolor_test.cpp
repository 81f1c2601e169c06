// System colours changed while the program runs (SetSysColors, as an
// appearance editor does): everything shown in a system colour is painted in
// the new one at once.
#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "rt/forms.h"
#include "rt/services.h"
#include "test_support.h"

namespace {

using namespace rt::test;

// Changes system colours for a scope and puts the old ones back: they are kept
// in the prefix beyond this process.
class SystemColours {
  public:
    SystemColours(std::vector<int> indexes, std::vector<COLORREF> colours) : indexes_(indexes) {
        for (int i : indexes_) old_.push_back(GetSysColor(i));
        Set(colours);
    }
    ~SystemColours() { Set(old_); }
    SystemColours(const SystemColours&) = delete;
    SystemColours& operator=(const SystemColours&) = delete;
    void Set(const std::vector<COLORREF>& colours) {
        SetSysColors(static_cast<int>(indexes_.size()), indexes_.data(), colours.data());
        rt::DoEvents();
    }
    const std::vector<COLORREF>& Old() const { return old_; }

  private:
    std::vector<int> indexes_;
    std::vector<COLORREF> old_;
};

constexpr long kWorkspace = 0x8000000C, kInfo = 0x80000018, kGradient = 0x8000001B;

class ColoursForm : public rt::Form {
  public:
    ColoursForm() {
        Caption("  Colours");
        ClientSize(6000, 3000);
        BackColor(kWorkspace);
        Tip.Move(120, 120, 1500, 300);
        Tip.BackColor(kInfo);
        Clean.Move(1800, 120, 1500, 900);
        Clean.BorderStyle(0);
        Clean.BackColor(kGradient);
        Caption1.Move(150, 150, 1000, 300);
        Caption1.Caption("Title");
        Caption1.BackStyle(0);
        Drawn.Move(3600, 120, 1500, 900);
        Drawn.BorderStyle(0);
        Drawn.BackColor(kGradient);
        Editor.Move(120, 1200, 3000, 1200);
        Editor.BackColor(kInfo);
    }
    rt::Label Tip{*this};
    rt::PictureBox Clean{*this};
    rt::Label Caption1{Clean};
    rt::PictureBox Drawn{*this};
    rt::RichTextBox Editor{*this};
};

TEST(SystemColourChange, EverythingInASystemColourRepaintsAtOnce) {
    ColoursForm f;
    f.Show();
    f.Drawn.AutoRedraw(true);
    f.Drawn.Line(0, 0, 450, 450, 0x00FFFFFF, true, true);
    rt::DoEvents();
    const COLORREF workspace = RGB(10, 200, 30), info = RGB(200, 30, 10), gradient = RGB(30, 10, 200);
    COLORREF oldGradient = GetSysColor(27);
    ASSERT_NE(oldGradient, gradient);
    {
        SystemColours changed({12, 24, 27}, {workspace, info, gradient});
        UpdateWindow(f.hWnd());
        EXPECT_EQ(ShownPixel(f.hWnd(), 390, 10), workspace);             // the form
        EXPECT_EQ(ShownPixel(f.Tip.hWnd(), 80, 10), info);               // an opaque label
        EXPECT_EQ(ShownPixel(f.Clean.hWnd(), 90, 50), gradient);         // a box with nothing drawn
        EXPECT_EQ(GetPixel(f.Clean.SurfaceDC(), 90, 50), gradient); // and its surface
        EXPECT_EQ(ShownPixel(f.Caption1.hWnd(), 60, 18), gradient);      // a clear label in it
        EXPECT_EQ(ShownPixel(f.Editor.hWnd(), 150, 60), info);           // the editor
        // A box that was drawn on keeps its drawing, background and all.
        EXPECT_EQ(ShownPixel(f.Drawn.hWnd(), 5, 5), RGB(255, 255, 255));
        EXPECT_EQ(ShownPixel(f.Drawn.hWnd(), 90, 50), oldGradient);
        EXPECT_EQ(f.Clean.BackColor(), kGradient); // the value still names the system colour
    }
    UpdateWindow(f.hWnd());
    EXPECT_EQ(GetSysColor(27), oldGradient);
    EXPECT_EQ(ShownPixel(f.Clean.hWnd(), 90, 50), oldGradient);
    EXPECT_EQ(ShownPixel(f.Tip.hWnd(), 80, 10), GetSysColor(24));
    EXPECT_EQ(ShownPixel(f.hWnd(), 390, 10), GetSysColor(12));
    f.Unload();
}

} // namespace
