// The multimedia class's device commands: each builds one command string from
// a verb, the device's alias and its options and sends it to the multimedia
// command interface; a refusal can show the device's own error text.
#include "cMCI_Adv.h"

#include <sstream>
#include <string_view>

#include <rt.h>

namespace tunebox {

namespace {

const char kCR[] = "\r";
constexpr int kAnswerLength = 260;

// What MCI_Open names each device type.
std::string DeviceTypeName(long code) {
    switch (code) {
    case mciCDAudio: return "cdaudio";
    case mciAVIVideo: return "avivideo";
    case mciSequencer: return "Sequencer";
    case mciWaveAudio: return "WaveAudio";
    case mciMPEGVideo: return "mpegvideo";
    case mciMPEGVideo2: return "mpegvideo2";
    case mciVCR: return "vcr";
    case mciVideoDisc: return "videodisc";
    case mciOverlay: return "overlay";
    default: return "other";
    }
}

// Whether a command already carries a flag (WAIT, NOTIFY) as a word of its
// own, in any letter case. The verb, the device and the names after "alias"
// and "type" are names, not flags: an alias "WAITER" or "wait" asks for nothing.
bool HasFlagWord(const std::string& command, std::string_view flag) {
    std::istringstream words(rt::UCase(command));
    std::string word, previous;
    for (int index = 0; words >> word; ++index) {
        if (index >= 2 && word == flag && previous != "ALIAS" && previous != "TYPE") return true;
        previous = word;
    }
    return false;
}

// The windowed devices' options, in the order the device reads them.
std::string WindowOptions(HWND Parent_Handle, bool Shareable, bool Style_Child,
                          bool Style_Overlapped, bool Style_Popup, const std::string& Style_Type) {
    std::string options;
    if (Parent_Handle)
        options += " parent " + std::to_string(reinterpret_cast<uintptr_t>(Parent_Handle));
    if (Shareable) options += " shareable";
    if (Style_Child) options += " style child";
    if (Style_Overlapped) options += " style overlapped";
    if (Style_Popup) options += " style popup";
    if (!Style_Type.empty()) options += " style " + Style_Type;
    return options;
}

} // namespace

cMCI_Adv::cMCI_Adv() {
    // Whatever an earlier player left open goes first.
    rt::Try([this] { MCI_CloseAll(nullptr, true, false); });
    rt::Try([this] { OpenMixer(); });
}

cMCI_Adv::~cMCI_Adv() {
    try {
        MCI_CloseAll(nullptr, true, false);
    } catch (...) {
    }
    CloseMixer();
}

// ---------------------------------------------------------------------------
// Sending

MCIERROR cMCI_Adv::Send(const std::string& command, std::string* answer, HWND hCallbackProc) {
    if (CommandTrace) CommandTrace(command);
    const std::wstring wide = rt::Wide(command);
    if (!answer) return mciSendStringW(wide.c_str(), nullptr, 0, hCallbackProc);
    wchar_t buffer[kAnswerLength] = {};
    MCIERROR code = mciSendStringW(wide.c_str(), buffer, kAnswerLength, hCallbackProc);
    buffer[kAnswerLength - 1] = L'\0';
    *answer = rt::Utf8(buffer);
    return code;
}

bool cMCI_Adv::MCIa_SendCommand(const std::string& CommandString, bool UseReturnString,
                                std::string* Return_Result, HWND hCallbackProc,
                                bool WaitToComplete, bool ShowErrors) {
    if (Return_Result) Return_Result->clear();
    std::string command = rt::Trim(CommandString);
    if (const auto nul = command.find('\0'); nul != std::string::npos) command.erase(nul);
    if (command.empty()) return false;
    if (hCallbackProc && !HasFlagWord(command, "NOTIFY")) command += " notify";
    if (WaitToComplete && !HasFlagWord(command, "WAIT")) command += " wait";
    std::string answer;
    const MCIERROR code = Send(command, UseReturnString ? &answer : nullptr, hCallbackProc);
    if (UseReturnString && Return_Result) *Return_Result = answer;
    long number = 0;
    std::string description;
    return !ShowMciError(code, "mciSendString", number, description, ShowErrors);
}

bool cMCI_Adv::ShowMciError(MCIERROR code, std::string InterfaceName, long& ErrNumber,
                            std::string& ErrDescription, bool ShowErrors) {
    ErrNumber = 0;
    ErrDescription.clear();
    if (code == 0) return false;
    ErrNumber = LoWordOf(static_cast<long>(code));
    if (InterfaceName.empty()) InterfaceName = "last";
    wchar_t text[kAnswerLength] = {};
    if (mciGetErrorStringW(static_cast<MCIERROR>(ErrNumber), text, kAnswerLength)) {
        text[kAnswerLength - 1] = L'\0';
        ErrDescription = rt::Utf8(text);
    } else {
        ErrDescription = "Unknown Error";
    }
    if (ShowErrors)
        rt::MsgBox("The following error occured while calling the " + InterfaceName +
                       " MCI API:" + kCR + kCR + "Error Number = " + std::to_string(ErrNumber) +
                       kCR + "Error Description = " + ErrDescription,
                   rt::vbExclamation, "  MCI ERROR");
    return true;
}

int16_t cMCI_Adv::LoWordOf(long value) {
    return static_cast<int16_t>(static_cast<uint16_t>(static_cast<unsigned long>(value) & 0xFFFFu));
}

int16_t cMCI_Adv::HiWordOf(long value) {
    return static_cast<int16_t>(
        static_cast<uint16_t>((static_cast<unsigned long>(value) >> 16) & 0xFFFFu));
}

std::string cMCI_Adv::GetShortPath(const std::string& path) {
    std::wstring wide = rt::Wide(rt::Trim(path));
    if (const auto nul = wide.find(L'\0'); nul != std::wstring::npos) wide.erase(nul);
    if (wide.empty()) return {};
    std::wstring buffer(kAnswerLength, L'\0');
    DWORD n = GetShortPathNameW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    if (n >= buffer.size()) { // a deep path: ask again with the room it needs
        buffer.assign(n + 1, L'\0');
        n = GetShortPathNameW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
    }
    if (n == 0 || n >= buffer.size()) return {};
    buffer.resize(n);
    return rt::UCase(rt::Utf8(buffer));
}

// ---------------------------------------------------------------------------
// One-verb commands

bool cMCI_Adv::MCI_Close(const std::string& DeviceAlias, HWND hCallbackProc,
                         bool WaitToComplete, bool ShowErrors) {
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    return MCIa_SendCommand("close " + A, false, nullptr, hCallbackProc, WaitToComplete,
                            ShowErrors);
}

bool cMCI_Adv::MCI_CloseAll(HWND hCallbackProc, bool WaitToComplete, bool ShowErrors) {
    return MCIa_SendCommand("close all", false, nullptr, hCallbackProc, WaitToComplete,
                            ShowErrors);
}

bool cMCI_Adv::MCI_Door(const std::string& DeviceAlias, bool OpenDoor, HWND hCallbackProc,
                        bool WaitToComplete, bool ShowErrors) {
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    return MCIa_SendCommand("Set " + A + (OpenDoor ? " door open" : " door closed"), false,
                            nullptr, hCallbackProc, WaitToComplete, ShowErrors);
}

bool cMCI_Adv::MCI_Pause(const std::string& DeviceAlias, HWND hCallbackProc,
                         bool WaitToComplete, bool ShowErrors) {
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    return MCIa_SendCommand("pause " + A, false, nullptr, hCallbackProc, WaitToComplete,
                            ShowErrors);
}

bool cMCI_Adv::MCI_Resume(const std::string& DeviceAlias, HWND hCallbackProc,
                          bool WaitToComplete, bool ShowErrors) {
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    return MCIa_SendCommand("resume " + A, false, nullptr, hCallbackProc, WaitToComplete,
                            ShowErrors);
}

bool cMCI_Adv::MCI_Stop(const std::string& DeviceAlias, HWND hCallbackProc, bool WaitToComplete,
                        bool ShowErrors) {
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    return MCIa_SendCommand("stop " + A, false, nullptr, hCallbackProc, WaitToComplete,
                            ShowErrors);
}

bool cMCI_Adv::MCI_Seek(const std::string& DeviceAlias, long SeekPosistion, HWND hCallbackProc,
                        bool WaitToComplete, bool ShowErrors) {
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    return MCIa_SendCommand("seek " + A + " to " + std::to_string(SeekPosistion), false, nullptr,
                            hCallbackProc, WaitToComplete, ShowErrors);
}

bool cMCI_Adv::MCI_SeekBeginning(const std::string& DeviceAlias, HWND hCallbackProc,
                                 bool WaitToComplete, bool ShowErrors) {
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    return MCIa_SendCommand("seek " + A + " to start", false, nullptr, hCallbackProc,
                            WaitToComplete, ShowErrors);
}

bool cMCI_Adv::MCI_SeekEnd(const std::string& DeviceAlias, HWND hCallbackProc,
                           bool WaitToComplete, bool ShowErrors) {
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    return MCIa_SendCommand("seek " + A + " to end", false, nullptr, hCallbackProc,
                            WaitToComplete, ShowErrors);
}

bool cMCI_Adv::MCI_Set(const std::string& DeviceAlias, const std::string& ControlSettingString,
                       HWND hCallbackProc, bool ShowErrors) {
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    return MCIa_SendCommand("set " + A + " " + ControlSettingString, false, nullptr,
                            hCallbackProc, true, ShowErrors);
}

bool cMCI_Adv::MCI_Status(const std::string& DeviceAlias, const std::string& StatusRequestString,
                          std::string& Return_Status, HWND hCallbackProc, bool ShowErrors) {
    Return_Status.clear();
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    return MCIa_SendCommand("status " + A + " " + StatusRequestString, true, &Return_Status,
                            hCallbackProc, true, ShowErrors);
}

bool cMCI_Adv::MCI_Play(const std::string& DeviceAlias, bool SpecifyStartPosition,
                        long StartPosition, bool SpecifyEndPosition, long EndPosition,
                        bool PlayFullScreen, bool RepeatPlay, HWND hCallbackProc,
                        bool WaitToComplete, bool ShowErrors) {
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    std::string command = "play " + A;
    if (SpecifyStartPosition) command += " from " + std::to_string(StartPosition);
    if (SpecifyEndPosition) command += " to " + std::to_string(EndPosition);
    if (RepeatPlay) command += " repeat";
    if (PlayFullScreen) command += " fullscreen";
    return MCIa_SendCommand(command, false, nullptr, hCallbackProc, WaitToComplete, ShowErrors);
}

// ---------------------------------------------------------------------------
// Opening a device

bool cMCI_Adv::MCI_Open(const std::string& DeviceAlias, long DeviceType,
                        const std::string& FilePath, bool Shareable, int16_t BufferSize,
                        HWND Parent_Handle, bool Style_Child, bool Style_Overlapped,
                        bool Style_Popup, const std::string& Style_Type, HWND hCallbackProc,
                        bool ShowErrors) {
    const std::string styleType = rt::Trim(Style_Type);
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    // The short form has no blanks for the command's words to split on.
    const std::string path = GetShortPath(FilePath);
    const std::string T = DeviceTypeName(DeviceType);
    const bool exists = !path.empty() && !rt::Dir(path, rt::vbNormal).empty();

    std::string command;
    switch (DeviceType) {
    case mciCDAudio: {
        const char L = path.empty() ? '\0' : rt::LCase(path.substr(0, 1))[0];
        if (L >= 'a' && L <= 'z')
            command = std::string("open ") + L + ": type " + T + " alias " + A + " wait";
        else
            command = "open " + T + " alias " + A + " wait";
        if (Shareable) command += " shareable";
        break;
    }
    case mciAVIVideo:
    case mciMPEGVideo:
    case mciMPEGVideo2:
    case mciOverlay:
        command = exists ? "open " + T + "!" + path + " alias " + A + " wait"
                         : "open " + T + " alias " + A + " wait";
        command += WindowOptions(Parent_Handle, Shareable, Style_Child, Style_Overlapped,
                                 Style_Popup, styleType);
        break;
    case mciSequencer:
    case mciWaveAudio:
    case mciVCR:
    case mciVideoDisc:
        command = exists ? "open " + T + "!" + path + " alias " + A + " wait"
                         : "open " + T + " alias " + A + " wait";
        if (DeviceType == mciWaveAudio && BufferSize > 0)
            command += " buffer " + std::to_string(BufferSize);
        if (Shareable) command += " shareable";
        break;
    default:
        if (!exists) return false; // a file of its own kind that is not there
        command = "open " + path + " alias " + A + " wait";
        command += WindowOptions(Parent_Handle, Shareable, Style_Child, Style_Overlapped,
                                 Style_Popup, styleType);
        break;
    }
    return MCIa_SendCommand(command, false, nullptr, hCallbackProc, false, ShowErrors);
}

// ---------------------------------------------------------------------------
// Video windows

bool cMCI_Adv::MCI_WindowCaption(const std::string& DeviceAlias,
                                 const std::string& strNewWindowCaption, HWND hCallbackProc,
                                 bool, bool ShowErrors) {
    std::string answer;
    if (!MCI_Status(DeviceAlias, "window handle", answer, hCallbackProc, ShowErrors)) return false;
    if (answer.empty() || !rt::IsNumeric(answer)) return false;
    HWND W = reinterpret_cast<HWND>(static_cast<intptr_t>(rt::CDbl(answer)));
    return SetWindowTextW(W, rt::Wide(strNewWindowCaption).c_str()) != 0;
}

bool cMCI_Adv::MCI_WindowIcon(const std::string& DeviceAlias, HICON hIcon, HWND hCallbackProc,
                              bool, bool ShowErrors) {
    std::string answer;
    if (!MCI_Status(DeviceAlias, "window handle", answer, hCallbackProc, ShowErrors)) return false;
    if (answer.empty() || !rt::IsNumeric(answer)) return false;
    HWND W = reinterpret_cast<HWND>(static_cast<intptr_t>(rt::CDbl(answer)));
    SendMessageW(W, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
    return true;
}

bool cMCI_Adv::MCIa_MoveVideo(const std::string& DeviceAlias, bool MoveWindowLocation,
                              long Window_Left, long Window_Top, long Window_Width,
                              long Window_Height, bool DisplayVideoOnEntireWindow,
                              long Dest_Left, long Dest_Top, long Dest_Width, long Dest_Height,
                              bool UseEntireSourceImage, long Source_Left, long Source_Top,
                              long Source_Width, long Source_Height, HWND hCallbackProc,
                              bool WaitToComplete, bool ShowErrors) {
    const std::string A = rt::Trim(DeviceAlias);
    if (A.empty()) return false;
    auto rect = [](long l, long t, long w, long h) {
        return std::to_string(l) + " " + std::to_string(t) + " " + std::to_string(w) + " " +
               std::to_string(h);
    };
    std::vector<std::string> commands{"put " + A + " window", "put " + A + " window client"};
    commands.push_back(UseEntireSourceImage
                           ? "put " + A + " source"
                           : "put " + A + " source at " +
                                 rect(Source_Left, Source_Top, Source_Width, Source_Height));
    if (MoveWindowLocation)
        commands.push_back("put " + A + " window at " +
                           rect(Window_Left, Window_Top, Window_Width, Window_Height));
    commands.push_back(DisplayVideoOnEntireWindow
                           ? "put " + A + " destination"
                           : "put " + A + " destination at " +
                                 rect(Dest_Left, Dest_Top, Dest_Width, Dest_Height));
    for (const std::string& command : commands)
        if (!MCIa_SendCommand(command, false, nullptr, hCallbackProc, WaitToComplete, ShowErrors))
            return false;
    return true;
}

} // namespace tunebox
