// Tunebox's multimedia class: device commands as command strings, the master
// and line volumes through the mixer, a wave recorder, and helpers for the
// program's resources and the drives.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include <rt/error.h>
#include <rt/picture.h>
#include <rt/services.h>

namespace tunebox {

// Device types of MCI_Open.
enum DeviceTypeCode : long {
    mciCDAudio = 1, mciAVIVideo = 2, mciSequencer = 3, mciWaveAudio = 4, mciMPEGVideo = 5,
    mciMPEGVideo2 = 6, mciVCR = 7, mciVideoDisc = 8, mciOverlay = 9, mciOther = 10
};

// Kinds of the program's resources for RES_Extract and RES_Save.
enum ResourceTypeCode : long {
    resBitmap = 0, resIcon = 1, resCursor = 2, resString = 3, resCustom = 4
};
// What RES_Extract gives: nothing, a picture, a text or the bytes of custom data.
using ResourceValue = std::variant<std::monostate, rt::Picture, std::string, std::vector<uint8_t>>;

// Held by a shared pointer (std::make_shared): a recording that lets the
// window's events run keeps its object alive until it returns, even when the
// owner lets go of it meanwhile.
class cMCI_Adv : public std::enable_shared_from_this<cMCI_Adv> {
  public:
    // Closes every device the program has open, opens the mixer and finds the
    // volume controls of its lines.
    cMCI_Adv();
    // Closes every device again and the mixer.
    ~cMCI_Adv();
    cMCI_Adv(const cMCI_Adv&) = delete;
    cMCI_Adv& operator=(const cMCI_Adv&) = delete;

    // --- Device commands. Each is True when the device took the command; a
    // refusal shows the device's error box when ShowErrors is set.
    bool MCI_Close(const std::string& DeviceAlias, HWND hCallbackProc = nullptr,
                   bool WaitToComplete = true, bool ShowErrors = false);
    bool MCI_CloseAll(HWND hCallbackProc = nullptr, bool WaitToComplete = true,
                      bool ShowErrors = false);
    bool MCI_Door(const std::string& DeviceAlias, bool OpenDoor, HWND hCallbackProc = nullptr,
                  bool WaitToComplete = true, bool ShowErrors = false);
    bool MCI_Open(const std::string& DeviceAlias, long DeviceType = mciOther,
                  const std::string& FilePath = {}, bool Shareable = false,
                  int16_t BufferSize = 0, HWND Parent_Handle = nullptr, bool Style_Child = false,
                  bool Style_Overlapped = false, bool Style_Popup = false,
                  const std::string& Style_Type = {}, HWND hCallbackProc = nullptr,
                  bool ShowErrors = false);
    bool MCI_Pause(const std::string& DeviceAlias, HWND hCallbackProc = nullptr,
                   bool WaitToComplete = false, bool ShowErrors = false);
    bool MCI_Play(const std::string& DeviceAlias, bool SpecifyStartPosition = false,
                  long StartPosition = 0, bool SpecifyEndPosition = false, long EndPosition = 0,
                  bool PlayFullScreen = false, bool RepeatPlay = false,
                  HWND hCallbackProc = nullptr, bool WaitToComplete = false,
                  bool ShowErrors = false);
    bool MCI_Resume(const std::string& DeviceAlias, HWND hCallbackProc = nullptr,
                    bool WaitToComplete = false, bool ShowErrors = false);
    bool MCI_Seek(const std::string& DeviceAlias, long SeekPosistion,
                  HWND hCallbackProc = nullptr, bool WaitToComplete = true,
                  bool ShowErrors = false);
    bool MCI_SeekBeginning(const std::string& DeviceAlias, HWND hCallbackProc = nullptr,
                           bool WaitToComplete = true, bool ShowErrors = false);
    bool MCI_SeekEnd(const std::string& DeviceAlias, HWND hCallbackProc = nullptr,
                     bool WaitToComplete = true, bool ShowErrors = false);
    bool MCI_Set(const std::string& DeviceAlias, const std::string& ControlSettingString,
                 HWND hCallbackProc = nullptr, bool ShowErrors = false);
    bool MCI_Status(const std::string& DeviceAlias, const std::string& StatusRequestString,
                    std::string& Return_Status, HWND hCallbackProc = nullptr,
                    bool ShowErrors = false);
    bool MCI_Stop(const std::string& DeviceAlias, HWND hCallbackProc = nullptr,
                  bool WaitToComplete = false, bool ShowErrors = false);
    bool MCI_WindowCaption(const std::string& DeviceAlias, const std::string& strNewWindowCaption,
                           HWND hCallbackProc = nullptr, bool WaitToComplete = false,
                           bool ShowErrors = false);
    bool MCI_WindowIcon(const std::string& DeviceAlias, HICON hIcon, HWND hCallbackProc = nullptr,
                        bool WaitToComplete = false, bool ShowErrors = false);
    bool MCIa_MoveVideo(const std::string& DeviceAlias, bool MoveWindowLocation = false,
                        long Window_Left = 0, long Window_Top = 0, long Window_Width = 0,
                        long Window_Height = 0, bool DisplayVideoOnEntireWindow = true,
                        long Dest_Left = 0, long Dest_Top = 0, long Dest_Width = 0,
                        long Dest_Height = 0, bool UseEntireSourceImage = true,
                        long Source_Left = 0, long Source_Top = 0, long Source_Width = 0,
                        long Source_Height = 0, HWND hCallbackProc = nullptr,
                        bool WaitToComplete = false, bool ShowErrors = false);

    // --- The wave recorder: records what the open input device plays into a
    // new wave file; True when the recording was saved.
    void MCIa_RecordCancel();
    bool MCIa_RecordWave(const std::string& OUT_DeviceAlias, const std::string& OUT_FilePath,
                         long OUT_BitsPerSample, long OUT_Channels, long OUT_SamplesPerSec,
                         const std::string& IN_DeviceAlias, bool IN_SpecifyStartPosition = false,
                         long IN_StartPosition = 0, bool IN_SpecifyEndPosition = false,
                         long IN_EndPosition = 0, long RecordInterval = 0,
                         HWND hCallbackProc = nullptr, bool ShowErrors = false);
    bool Recording() const { return recording_ > 0; }

    // Sends one command string, adding " notify" for a callback window and
    // " wait" when asked; an answer goes to Return_Result when UseReturnString.
    bool MCIa_SendCommand(const std::string& CommandString, bool UseReturnString = false,
                          std::string* Return_Result = nullptr, HWND hCallbackProc = nullptr,
                          bool WaitToComplete = true, bool ShowErrors = false);

    // --- Volumes of the mixer's lines: read, write (clamped to the line's own
    // bounds), and the bounds read once at construction. A line the mixer
    // lacks reads 0 and is never written.
    long MCIa_VolumeCD() const;
    void MCIa_VolumeCD(long NewValue);
    long MCIa_VolumeCD_Max() const { return VolumeCDMax; }
    long MCIa_VolumeCD_Min() const { return VolumeCDMin; }
    long MCIa_VolumeMIDI() const;
    void MCIa_VolumeMIDI(long NewValue);
    long MCIa_VolumeMIDI_Max() const { return VolumeMIDIMax; }
    long MCIa_VolumeMIDI_Min() const { return VolumeMIDIMin; }
    long MCIa_VolumeSystem() const;
    void MCIa_VolumeSystem(long NewValue);
    long MCIa_VolumeSystem_Max() const { return VolumeSystemMax; }
    long MCIa_VolumeSystem_Min() const { return VolumeSystemMin; }
    long MCIa_VolumeWAVE() const;
    void MCIa_VolumeWAVE(long NewValue);
    long MCIa_VolumeWAVE_Max() const { return VolumeWAVEMax; }
    long MCIa_VolumeWAVE_Min() const { return VolumeWAVEMin; }

    // --- The program's own resources: into a value, or into a file.
    bool RES_Extract(ResourceValue& Return_Resource, long RES_ID, long RES_Type,
                     std::string RES_Name = "CUSTOM", bool ShowErrors = true);
    bool RES_Save(std::string FileToExtractTo, long RES_ID, long RES_Type,
                  std::string RES_Name = "CUSTOM", bool OverwriteIfExists = true,
                  bool ShowErrors = true);

    // --- Drives.
    int16_t OS_GetCdCount();
    std::string OS_CheckDriveType(const std::string& DriveLetter);

    // Every command text as it goes to the device, for whoever wants to watch.
    std::function<void(const std::string& command)> CommandTrace;

  private:
    // A file number of the program's, closed when its scope ends.
    struct OpenFile {
        const int Number = rt::FreeFile();
        ~OpenFile() { rt::Try([this] { rt::Close(Number); }); }
    };
    static bool FileExists(const std::string& path);
    // One line's volume control as the mixer described it.
    struct VolumeControl {
        MIXERCONTROLW Record{};
        bool Found = false; // the mixer has the line and its volume control
    };

    static std::string GetShortPath(const std::string& path);
    bool ShowMciError(MCIERROR code, std::string InterfaceName, long& ErrNumber,
                      std::string& ErrDescription, bool ShowErrors);
    static int16_t LoWordOf(long value);
    static int16_t HiWordOf(long value);
    // Sends a command as it stands; the device's answer goes to `answer`.
    MCIERROR Send(const std::string& command, std::string* answer, HWND hCallbackProc);
    // A recorder's send whose failure ends the recording.
    bool GuardedSend(const std::string& command, HWND hCallbackProc, bool ShowErrors);
    bool PositionOf(const std::string& alias, long& position);

    void OpenMixer();
    void CloseMixer();
    bool GetMixerVolumeControl(HMIXER mixer, DWORD componentType, VolumeControl& control);
    bool GetMixerControlValue(HMIXER mixer, const VolumeControl& control, long& value) const;
    bool SetMixerControlValue(HMIXER mixer, const VolumeControl& control, long value) const;
    long ReadVolume(const VolumeControl& control) const;
    void WriteVolume(const VolumeControl& control, long min, long max, long NewValue);

    HMIXER hMixer = nullptr;
    VolumeControl VolumeCtrlSystem, VolumeCtrlWAVE, VolumeCtrlMIDI, VolumeCtrlCD;
    long VolumeSystemMin = 0, VolumeSystemMax = 0, VolumeWAVEMin = 0, VolumeWAVEMax = 0;
    long VolumeMIDIMin = 0, VolumeMIDIMax = 0, VolumeCDMin = 0, VolumeCDMax = 0;

    bool RecordCancelRequested = false;
    int recording_ = 0;
};

} // namespace tunebox
