// The picture box: a drawing surface and a container of controls.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "control.h"
#include "picture.h"

namespace rt {

// A picture box used as a drawing surface. Scale units are twips. It holds
// controls of its own (labels, images, lines, scroll bars, picture boxes),
// shown over what was drawn; a transparent label inside shows the drawing.
class PictureBox : public Control, public Container {
  public:
    explicit PictureBox(Container& parent);
    // A picture box inside another one (not a copy: controls are not copied).
    explicit PictureBox(PictureBox& parent) : PictureBox(static_cast<Container&>(parent)) {}
    ~PictureBox() override;
    bool AutoRedraw() const { return autoRedraw_; }
    void AutoRedraw(bool v);
    void AutoSize(bool v) { autoSize_ = v; }
    void BorderStyle(int v) { border_ = v; } // 0 none, 1 fixed single
    // The picture under the drawing (the empty picture clears it); setting it
    // clears what was drawn.
    void Picture(const rt::Picture& picture);
    const rt::Picture& Picture() const { return picture_; }
    double ScaleWidth() const;
    double ScaleHeight() const;
    double CurrentX() const { return curX_; }
    void CurrentX(double v) { curX_ = v; }
    double CurrentY() const { return curY_; }
    void CurrentY(double v) { curY_ = v; }
    // Line (x1, y1)-(x2, y2), color[, B[F]]: a line, a box or a filled box.
    void Line(double x1, double y1, double x2, double y2, long color, bool box = false,
              bool fill = false);
    void Cls();
    void Print(const std::string& text); // at CurrentX, CurrentY; moves to the next line
    double TextWidth(const std::string& text);
    double TextHeight(const std::string& text);
    void Refresh() override;
    // A new back colour fills the surface: what was drawn goes, the picture
    // stays.
    void BackColor(long color);
    using Control::BackColor;

    std::function<void()> Click;
    std::function<void(int Button, int Shift, float X, float Y)> MouseDown;
    std::function<void(int Button, int Shift, float X, float Y)> MouseMove;
    std::function<void(int Button, int Shift, float X, float Y)> MouseUp;

    void Create() override;
    void Destroy() override;
    HWND ContainerHwnd() const override { return hwnd_; }
    Form& OwnerForm() override { return parent_.OwnerForm(); }
    const rt::Font& AmbientFont() const override { return Font(); }
    long AmbientBackColor() const override { return backColor_; }
    void PaintBackground(HDC dc) override;
    // A surface in a system colour with nothing drawn on it takes the new
    // colour; one that was drawn on keeps its drawing.
    void SysColorsChanged() override;
    // Runtime plumbing for the window procedure; neither raises an error.
    void OnPaint(HDC dc);
    bool MakeSurface(); // false when the surface cannot be made
    HDC SurfaceDC();

  protected:
    void AfterMove() override;

  private:
    void EnsureSurface(); // error 7 when the surface cannot be made
    void Fill();          // the back colour, then the picture
    void Invalidate();    // the surface and the controls over it
    bool autoRedraw_ = false, autoSize_ = false;
    int border_ = 1;
    double curX_ = 0, curY_ = 0;
    HDC memDC_ = nullptr;
    HBITMAP surface_ = nullptr, oldBitmap_ = nullptr;
    void* bits_ = nullptr;
    int surfaceW_ = 0, surfaceH_ = 0;
    std::vector<unsigned char> shown_; // the pixels last put on the screen
    bool paintPending_ = false;
    bool drawn_ = false; // drawn on since the surface was last filled
    void InvalidateOnce();
    rt::Picture picture_;
};

} // namespace rt
