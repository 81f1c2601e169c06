// The multimedia class's helpers for the program's own resources (pictures,
// strings and custom data, into a value or a file) and for the drives.
#include "cMCI_Adv.h"

#include <rt.h>
#include <rt/resources.h>

namespace tunebox {

namespace {

const char kCR[] = "\r";
constexpr long kLastResourceID = 32767;

bool ValidID(long id, bool ShowErrors) {
    if (id >= 1 && id <= kLastResourceID) return true;
    if (ShowErrors)
        rt::MsgBox("Invalid resource ID specified.  Can't retrieve the file from the resource.",
                   rt::vbExclamation, "  Invalid Resource ID Specified");
    return false;
}

void ShowResourceError(const rt::Error& e, const std::string& lead) {
    rt::MsgBox(lead + kCR + kCR + "Error Number = " + rt::CStr(e.Number) + kCR +
                   "Error Description = " + e.Description,
               rt::vbExclamation, "  Error  -  " + e.Description);
}

} // namespace

bool cMCI_Adv::FileExists(const std::string& path) {
    return !rt::Dir(path, rt::vbNormal | rt::vbReadOnly | rt::vbHidden | rt::vbSystem |
                              rt::vbArchive)
                .empty();
}

bool cMCI_Adv::RES_Extract(ResourceValue& Return_Resource, long RES_ID, long RES_Type,
                           std::string RES_Name, bool ShowErrors) {
    try {
        Return_Resource = std::monostate{};
        RES_Name = rt::Trim(RES_Name);
        if (!ValidID(RES_ID, ShowErrors)) return false;
        switch (RES_Type) {
        case resBitmap:
        case resIcon:
        case resCursor:
            Return_Resource = rt::LoadResPicture(RES_ID, static_cast<int>(RES_Type));
            break;
        case resString: Return_Resource = rt::LoadResString(RES_ID); break;
        case resCustom: {
            const std::string data = rt::LoadResData(RES_ID, RES_Name);
            Return_Resource = std::vector<uint8_t>(data.begin(), data.end());
            break;
        }
        default: break; // a kind of its own: nothing to load
        }
        return true;
    } catch (const rt::Error& e) {
        if (ShowErrors)
            ShowResourceError(e, "The following error occured while trying to extract a file from "
                                 "resource:");
        rt::Err().Clear();
        return false;
    }
}

bool cMCI_Adv::RES_Save(std::string FileToExtractTo, long RES_ID, long RES_Type,
                        std::string RES_Name, bool OverwriteIfExists, bool ShowErrors) {
    try {
        FileToExtractTo = rt::Trim(FileToExtractTo);
        RES_Name = rt::Trim(RES_Name);
        if (FileToExtractTo.empty()) {
            if (ShowErrors)
                rt::MsgBox("No file specified to extract resource to.", rt::vbExclamation,
                           "  No Output File Specified");
            return false;
        }
        if (!ValidID(RES_ID, ShowErrors)) return false;
        const bool exists = FileExists(FileToExtractTo);
        if (exists && !OverwriteIfExists) return true;

        // What there is to write comes first: an existing file is replaced
        // only by something, never lost for nothing. The file is replaced
        // whole or not at all, so a full disk leaves no part of it behind.
        switch (RES_Type) {
        case resBitmap:
        case resIcon:
        case resCursor: {
            const rt::Picture picture = rt::LoadResPicture(RES_ID, static_cast<int>(RES_Type));
            if (picture) rt::SavePicture(picture, FileToExtractTo);
            break;
        }
        case resString: {
            const std::string text = rt::LoadResString(RES_ID);
            if (text.empty()) return true;
            rt::ReplaceFileText(FileToExtractTo, text + "\r\n");
            break;
        }
        case resCustom: {
            const std::string data = rt::LoadResData(RES_ID, RES_Name);
            if (data.empty()) return true;
            rt::ReplaceFileBytes(FileToExtractTo, data);
            break;
        }
        default: break;
        }
        return true;
    } catch (const rt::Error& e) {
        if (ShowErrors)
            ShowResourceError(e, "The following error occured while trying to save a file from "
                                 "resource:");
        rt::Err().Clear();
        return false;
    }
}

// ---------------------------------------------------------------------------
// Drives

std::string cMCI_Adv::OS_CheckDriveType(const std::string& DriveLetter) {
    if (rt::Wide(DriveLetter).size() != 1) return "Invalid Drive Letter";
    const std::wstring root = rt::Wide(rt::UCase(DriveLetter)) + L":\\";
    switch (GetDriveTypeW(root.c_str())) {
    case DRIVE_UNKNOWN:
    case DRIVE_NO_ROOT_DIR: return "Unknown";
    case DRIVE_REMOVABLE: return "Removable";
    case DRIVE_FIXED: return "Fixed";
    case DRIVE_REMOTE: return "Remote";
    case DRIVE_CDROM: return "CD-ROM";
    default: return {};
    }
}

int16_t cMCI_Adv::OS_GetCdCount() {
    int16_t count = 0;
    for (char letter = 'A'; letter <= 'Z'; ++letter)
        if (OS_CheckDriveType(std::string(1, letter)) == "CD-ROM") ++count;
    return count;
}

} // namespace tunebox
