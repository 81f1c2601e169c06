// The common dialog object over comdlg32: colour, font, printer / print setup,
// open and save. Cancel returns false (error 32755 with CancelError); a dialog
// that cannot be shown raises error 32751 with what went wrong.
#include "rt/commondialog.h"

#include <windows.h>
#include <commdlg.h>
#include <cderr.h>
#include <winspool.h>

#include <cstdio>
#include <vector>

#include "fonts.h"
#include "rt/handles.h"
#include "real_user.h"
#include "rt/convert.h"
#include "rt/dialogcall.h"
#include "rt/error.h"
#include "rt/forms.h"

namespace rt {

void CommonDialog::Show(DialogKind kind) {
    bool ok = CurrentUser().ShowDialog(kind, *this);
    if (!ok && CancelError) Raise(errCancel, "CommonDialog", "Cancel was selected.");
}

namespace detail {
namespace {

constexpr long kDialogError = 32751;

// Watches one dialog call. After it returned FALSE: Cancel is no error, anything
// else is raised.
class DialogCall : public rt::DialogCall {
  public:
    bool CancelledOrRaise() const {
        const DWORD code = Failure();
        if (code == 0) return false;
        if (code == PDERR_NODEFAULTPRN)
            Raise(kDialogError, "CommonDialog", "No printer is installed.");
        char text[80];
        std::snprintf(text, sizeof text, "The dialog box could not be shown (error 0x%04lX).",
                      static_cast<unsigned long>(code));
        Raise(kDialogError, "CommonDialog", text);
    }
};

// A global memory block handed to or returned by a dialog.
void FreeGlobalBlock(HGLOBAL h) { GlobalFree(h); }
using GlobalBlock = Owned<HGLOBAL, &FreeGlobalBlock>;

template <class T> class Locked {
  public:
    explicit Locked(HGLOBAL h) : h_(h), p_(h ? static_cast<T*>(GlobalLock(h)) : nullptr) {}
    ~Locked() {
        if (p_) GlobalUnlock(h_);
    }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }

  private:
    HGLOBAL h_;
    T* p_;
};

// A DC on the default printer; none when there is no printer.
HDC DefaultPrinterDC() {
    std::wstring name = DefaultPrinter();
    return name.empty() ? nullptr : CreateDCW(L"WINSPOOL", name.c_str(), nullptr, nullptr);
}

bool ShowColor(CommonDialog& d) {
    static COLORREF custom[16] = {
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF,
        0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF};
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = OwnerWindow(d.Owner);
    cc.rgbResult = ResolveColor(d.Color);
    cc.lpCustColors = custom;
    cc.Flags = static_cast<DWORD>(d.Flags) & (CC_RGBINIT | CC_FULLOPEN | CC_PREVENTFULLOPEN);
    DialogCall call;
    if (!ChooseColorW(&cc)) return call.CancelledOrRaise();
    d.Color = static_cast<long>(cc.rgbResult);
    return true;
}

bool ShowFont(CommonDialog& d) {
    WindowDC screen(nullptr);
    CreatedDC printer(DefaultPrinterDC());
    // Screen fonts when asked for (with or without the printer's: the dialog can
    // list one device only, and the font chosen is mostly for a window) and when
    // there is no printer; the printer's fonts when they alone are asked for.
    bool wantScreen = (d.Flags & cdlCFScreenFonts) || !(d.Flags & cdlCFPrinterFonts);
    bool usePrinter = !wantScreen && printer;
    wantScreen = !usePrinter;
    // The dialog reads the height in the resolution of the device whose fonts it lists.
    HDC device = usePrinter ? static_cast<HDC>(printer) : static_cast<HDC>(screen);
    LOGFONTW lf = detail::LogFontFor(d.ChosenFont(), device);
    if (d.FontSize <= 0) lf.lfHeight = 0; // no size given: the dialog picks one

    CHOOSEFONTW cf{};
    cf.lStructSize = sizeof cf;
    cf.hwndOwner = OwnerWindow(d.Owner);
    cf.lpLogFont = &lf;
    cf.rgbColors = ResolveColor(d.Color);
    // Hooks and templates are not ours to give; the font lists are chosen here.
    DWORD flags = static_cast<DWORD>(d.Flags) &
                  ~DWORD(CF_ENABLEHOOK | CF_ENABLETEMPLATE | CF_ENABLETEMPLATEHANDLE |
                         CF_SCREENFONTS | CF_PRINTERFONTS);
    flags |= CF_INITTOLOGFONTSTRUCT;
    if (usePrinter) {
        cf.hDC = printer;
        flags |= CF_PRINTERFONTS;
    }
    if (wantScreen) flags |= CF_SCREENFONTS;
    cf.Flags = flags;
    DialogCall call;
    if (!ChooseFontW(&cf)) return call.CancelledOrRaise();

    d.FontName = Utf8(lf.lfFaceName);
    if (cf.iPointSize > 0) d.FontSize = cf.iPointSize / 10.0;
    d.FontBold = lf.lfWeight >= FW_SEMIBOLD;
    d.FontItalic = lf.lfItalic != 0;
    d.FontUnderline = lf.lfUnderline != 0;
    d.FontStrikethru = lf.lfStrikeOut != 0;
    if (flags & CF_EFFECTS) d.Color = static_cast<long>(cf.rgbColors);
    return true;
}

bool ShowPrinter(CommonDialog& d) {
    PRINTDLGW pd{};
    pd.lStructSize = sizeof pd;
    pd.hwndOwner = OwnerWindow(d.Owner);
    GlobalBlock devMode, devNames;

    // Start from the default printer's settings with our copies and orientation.
    pd.Flags = PD_RETURNDEFAULT;
    {
        DialogCall call;
        if (!PrintDlgW(&pd)) return call.CancelledOrRaise();
    }
    devMode.Handle() = pd.hDevMode;
    devNames.Handle() = pd.hDevNames;
    if (Locked<DEVMODEW> dm{devMode.Handle()}) {
        dm->dmCopies = static_cast<short>(d.Copies < 1 ? 1 : d.Copies);
        dm->dmOrientation = static_cast<short>(d.Orientation == 2 ? DMORIENT_LANDSCAPE
                                                                  : DMORIENT_PORTRAIT);
        dm->dmFields |= DM_COPIES | DM_ORIENTATION;
    }

    const DWORD passed = PD_NOSELECTION | PD_NOPAGENUMS | PD_PRINTTOFILE | PD_PRINTSETUP |
                         PD_COLLATE | PD_NOWARNING | PD_DISABLEPRINTTOFILE |
                         PD_HIDEPRINTTOFILE | PD_ALLPAGES | PD_SELECTION | PD_PAGENUMS;
    pd.Flags = static_cast<DWORD>(d.Flags) & passed;
    pd.nCopies = static_cast<WORD>(d.Copies < 1 ? 1 : d.Copies);
    pd.nMinPage = pd.nFromPage = 1;
    pd.nMaxPage = pd.nToPage = 0xFFFF;
    DialogCall call;
    BOOL ok = PrintDlgW(&pd);
    // The dialog may have replaced the blocks; ours own whatever it returned.
    if (pd.hDevMode != devMode.Handle()) {
        if (devMode.Handle()) GlobalFree(devMode.Handle());
        devMode.Handle() = pd.hDevMode;
    }
    if (pd.hDevNames != devNames.Handle()) {
        if (devNames.Handle()) GlobalFree(devNames.Handle());
        devNames.Handle() = pd.hDevNames;
    }
    if (!ok) return call.CancelledOrRaise();

    int copies = pd.nCopies;
    if (Locked<DEVMODEW> dm{devMode.Handle()}) {
        if ((dm->dmFields & DM_COPIES) && dm->dmCopies > copies) copies = dm->dmCopies;
        if (dm->dmFields & DM_ORIENTATION)
            d.Orientation = dm->dmOrientation == DMORIENT_LANDSCAPE ? 2 : 1;
    }
    d.Copies = copies < 1 ? 1 : copies;
    if (pd.Flags & PD_PRINTTOFILE)
        d.Flags |= cdlPDPrintToFile;
    else
        d.Flags &= ~long(cdlPDPrintToFile);
    return true;
}

// "Text files|*.txt|All files|*.*" as the dialog wants it: NUL-separated pairs.
std::wstring FilterList(const std::string& filter) {
    std::wstring list = Wide(filter);
    for (auto& c : list)
        if (c == L'|') c = L'\0';
    if (!list.empty()) list += L'\0';
    list += L'\0';
    return list;
}

bool ShowFile(CommonDialog& d, bool save) {
    std::vector<wchar_t> file(32768, L'\0');
    std::vector<wchar_t> title(MAX_PATH, L'\0');
    std::wstring name = Wide(d.FileName);
    lstrcpynW(file.data(), name.c_str(), static_cast<int>(file.size()));
    std::wstring filter = FilterList(d.Filter), ext = Wide(d.DefaultExt),
                 caption = Wide(d.DialogTitle), dir = Wide(d.InitDir);

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = OwnerWindow(d.Owner);
    ofn.lpstrFilter = d.Filter.empty() ? nullptr : filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(d.FilterIndex < 1 ? 1 : d.FilterIndex);
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrFileTitle = title.data();
    ofn.nMaxFileTitle = static_cast<DWORD>(title.size());
    ofn.lpstrInitialDir = dir.empty() ? nullptr : dir.c_str();
    ofn.lpstrTitle = caption.empty() ? nullptr : caption.c_str();
    ofn.lpstrDefExt = ext.empty() ? nullptr : ext.c_str();
    // The flag values are the dialog's own; hooks and templates are not ours to give.
    ofn.Flags = (static_cast<DWORD>(d.Flags) &
                 ~DWORD(OFN_ENABLEHOOK | OFN_ENABLETEMPLATE | OFN_ENABLETEMPLATEHANDLE)) |
                OFN_EXPLORER;
    DialogCall call;
    BOOL ok = save ? GetSaveFileNameW(&ofn) : GetOpenFileNameW(&ofn);
    if (!ok) return call.CancelledOrRaise();

    d.FileName = Utf8(file.data());
    d.FileTitle = Utf8(title.data());
    d.FilterIndex = static_cast<int>(ofn.nFilterIndex);
    const long reported = OFN_READONLY | OFN_EXTENSIONDIFFERENT;
    d.Flags = (d.Flags & ~reported) | (static_cast<long>(ofn.Flags) & reported);
    return true;
}

} // namespace

bool ShowCommonDialog(DialogKind kind, CommonDialog& dialog) {
    switch (kind) {
    case DialogKind::Color: return ShowColor(dialog);
    case DialogKind::Font: return ShowFont(dialog);
    case DialogKind::Printer: return ShowPrinter(dialog);
    case DialogKind::Save: return ShowFile(dialog, true);
    case DialogKind::Open: return ShowFile(dialog, false);
    }
    return false;
}

} // namespace detail
} // namespace rt
