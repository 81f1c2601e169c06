// The About box: the program's name, its version, the supported systems, what
// it is for and the two contact links; OK closes it.
#include <kit/about.h>
#include <kit/kit.h>

namespace kit {

// The small link picture: the program's initial, white on blue.
HBITMAP InitialPicture(const std::string& title, int width, int height) {
    rt::WindowDC screen(nullptr);
    rt::MemoryDC mem;
    rt::GdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(screen, width, height));
    if (!bitmap || !mem) return nullptr;
    {
        rt::Selected keep(mem, bitmap);
        RECT all{0, 0, width, height};
        rt::GdiObject<HBRUSH> blue(CreateSolidBrush(RGB(0, 0, 0xC0)));
        FillRect(mem, &all, blue);
        rt::GdiObject<HFONT> font(CreateFontW(-height * 3 / 4, 0, 0, 0, FW_BOLD, FALSE, FALSE,
                                              FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                              CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                              DEFAULT_PITCH | FF_SWISS, L"Arial"));
        rt::Selected useFont(mem, font);
        SetBkMode(mem, TRANSPARENT);
        SetTextColor(mem, RGB(0xFF, 0xFF, 0xFF));
        std::wstring initial = title.empty() ? L"?" : rt::Wide(title).substr(0, 1);
        DrawTextW(mem, initial.c_str(), static_cast<int>(initial.size()), &all,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    return bitmap.Release();
}

rt::Font MakeFont(const char* name, double size, bool bold, bool underline) {
    rt::Font f;
    f.Name = name;
    f.Size = size;
    f.Bold = bold;
    f.Underline = underline;
    return f;
}

AboutInfo& About() {
    static AboutInfo info;
    return info;
}

frmAbout::frmAbout() {
    const AboutInfo& info = About();
    Caption(" ");
    BorderStyle(rt::vbFixedSingle);
    MinButton(false);
    MaxButton(false);
    StartUpPosition(rt::vbStartUpScreen);
    Font(MakeFont("Arial", 9));
    ClientSize(info.InnerWidth, info.InnerHeight);

    // The program's artwork on the left, its initial as the second web link below it.
    Image1.Move(360, 240, 1680, 1680);
    Image1.Stretch(true);
    Image1.Picture(
        rt::Picture::SharedIcon(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(1))));
    Picture1.Move(600, 2280, 960, 960);
    Picture1.BorderStyle(0);
    Picture1.MousePointer(99);
    Picture1.Picture(rt::Picture::FromBitmap(InitialPicture(
        info.Title, 960 / rt::Screen::TwipsPerPixelX(), 960 / rt::Screen::TwipsPerPixelY())));
    Picture1.Click = [this] { Picture1_Click(); };

    Frame1.Move(2310, 105, 3045, 975);
    Label1.Move(120, 90, 2800, 435);
    Label1.Caption(info.Title);
    Label1.Font(MakeFont("Arial", 18, true));
    Label1.ForeColor(0x00C00000);
    Label1.BackStyle(0);
    Label1.AutoSize(true);
    lblVersion.Move(120, 540, 2800, 195);
    lblVersion.Caption("Version x.x.x");
    lblVersion.Font(MakeFont("MS Sans Serif", 8.25));
    lblVersion.AutoSize(true);
    lblOS.Move(120, 740, 2850, 195);
    lblOS.Caption(info.Systems);
    lblOS.Font(MakeFont("MS Sans Serif", 8.25));

    Label5.Move(2310, 1200, 3045, 1320);
    Label5.WordWrap(true);
    Label5.Caption(info.Description);
    Label5.Font(MakeFont("Arial", 8.25));

    Label3.Move(1860, 2580, 3615, 225);
    Label3.Caption("Questions, Comments, Bug Reports:");
    Label3.Font(MakeFont("Arial", 9, true));
    Label3.AutoSize(true);
    for (rt::Label* link : {&Label2, &Label6}) {
        link->Font(MakeFont("Arial", 9, true, true));
        link->ForeColor(0x00FF0000);
        link->MousePointer(99);
    }
    Label2.Move(1860, 2805, 3615, 225);
    Label2.Caption(info.WebText);
    Label2.Click = [this] { Label2_Click(); };
    Label6.Move(1860, 3015, 3615, 225);
    Label6.Caption(info.MailAddress);
    Label6.Click = [this] { Label6_Click(); };

    cmdOK.Move(4155, 3420, 1215, 495);
    cmdOK.Caption("&OK");
    cmdOK.Font(MakeFont("MS Sans Serif", 12, true));
    cmdOK.Default(true);
    cmdOK.Cancel(true);
    cmdOK.Click = [this] { cmdOK_Click(); };
}

std::string frmAbout::VersionCaption(int Major, int Minor, int Revision) {
    std::string caption = "Version ";
    caption.append(rt::CStr(Major)).append(".").append(rt::CStr(Minor));
    if (Revision != 0) caption.append(".").append(rt::CStr(Revision));
    return caption;
}

void frmAbout::Form_Load() {
    if (About().Load) {
        About().Load(*this);
        return;
    }
    const rt::AppInfo& app = rt::App();
    lblVersion.Caption(VersionCaption(app.Major, app.Minor, app.Revision));
}

void frmAbout::cmdOK_Click() { Unload(); }

void frmAbout::Label2_Click() {
    rt::Try([&] { OpenLink(hWnd(), About().WebTarget, SW_SHOW, std::nullopt, std::nullopt); });
}

void frmAbout::Picture1_Click() {
    rt::Try([&] { OpenLink(hWnd(), About().WebTarget, SW_SHOW, std::nullopt, std::nullopt); });
}

void frmAbout::Label6_Click() {
    rt::Try([&] {
        OpenLink(hWnd(), "mailto:" + About().MailAddress, SW_SHOW, std::nullopt, std::nullopt);
    });
}

} // namespace kit
