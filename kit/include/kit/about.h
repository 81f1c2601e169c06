// The About box: program name, version caption, supported systems, a short
// description and the web and mail links, closed with OK.
#pragma once

#include <functional>
#include <string>

#include <rt.h>

namespace kit {

// What each program supplies to its About box.
struct AboutInfo {
    std::string Title;       // the program's name, shown large
    std::string Systems = "Windows 95, 98, NT4 (SP6), 2000";
    std::string Description; // what the program is for
    std::string WebText;     // the web link as shown
    std::string WebTarget;   // what the web link and the logo open
    std::string MailAddress; // the mail link (opened as "mailto:" + address)
    long InnerWidth = 5595, InnerHeight = 4095;
    // A program's own Form_Load in place of the version caption (optional).
    std::function<void(class frmAbout&)> Load;
};

// Set by each program before the box is first shown.
AboutInfo& About();

// The About box's small link picture (width x height pixels): the program's
// initial, white on blue.
HBITMAP InitialPicture(const std::string& title, int width, int height);

// A font of the About box's texts.
rt::Font MakeFont(const char* name, double size, bool bold = false, bool underline = false);

class frmAbout : public rt::Form, public rt::FormOf<frmAbout> {
  public:
    frmAbout();

    rt::Frame Frame1{*this};
    rt::Label Label1{Frame1};     // program name
    rt::Label lblVersion{Frame1}; // version caption
    rt::Label lblOS{Frame1};      // supported systems
    rt::Label Label5{*this};      // description
    rt::Label Label3{*this};      // heading of the links
    rt::Label Label2{*this};      // web link
    rt::Label Label6{*this};      // mail link
    rt::PictureBox Picture1{*this};
    rt::Image Image1{*this};
    rt::Line Line2{*this, 2310, 3255, 5460, 3255};
    rt::CommandButton cmdOK{*this};

    void cmdOK_Click();
    void Label2_Click();
    void Label6_Click();
    void Picture1_Click();

    // "Version 3.0.3" / "Version 2.1" from the program's version numbers.
    static std::string VersionCaption(int Major, int Minor, int Revision);

  protected:
    void Form_Load() override;
};

} // namespace kit
