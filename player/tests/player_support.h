// What Tunebox's tests share: wave and MIDI files made on the spot, the null
// sink's monitor recorded from outside the program, a window that receives
// the devices' notifications, and a device's mode and position.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace tunebox::test {

// A mono 16-bit wave file holding a sine tone.
void WriteTone(const std::string& path, double seconds, double frequency, double amplitude = 0.5,
               int rate = 22050);
// A one-track MIDI file of `notes` half-second notes.
void WriteMidi(const std::string& path, int notes = 8);

// The 16-bit samples of a wave file written by the recorder, with its format.
struct WaveData {
    int Channels = 0, Rate = 0, Bits = 0;
    std::vector<short> Samples; // interleaved
    double Seconds() const;
};
WaveData ReadWave(const std::string& path);
// The strength of one frequency in mono samples (the amplitude of its sine).
double ToneLevel(const std::vector<short>& samples, int rate, double frequency);

// What the null sink plays, as heard on its monitor: `parec` runs as a
// process of its own and writes the sound to a file that is read here as it
// grows. Each test listens for the frequency of its own tone, so that sound
// from elsewhere does not count.
class SoundMonitor {
  public:
    SoundMonitor();
    ~SoundMonitor();
    SoundMonitor(const SoundMonitor&) = delete;
    SoundMonitor& operator=(const SoundMonitor&) = delete;
    bool Running() const { return file_ != INVALID_HANDLE_VALUE; }
    // Drops what was heard so far.
    void Skip();
    // The level of `frequency` in the next `ms` milliseconds of sound.
    double Level(double frequency, DWORD ms);
    // Whether `frequency` falls silent within `timeoutMs` (what the sink
    // still holds plays out first).
    bool FallsSilent(double frequency, DWORD timeoutMs = 2000);
    // Seconds until the first 10 ms block in which `frequency` sounds above
    // `threshold`, waiting at most `timeoutMs`; -1 when it never does.
    double WaitForSound(double frequency, DWORD timeoutMs, double threshold = 1500);

    static constexpr int kRate = 22050;

  private:
    // The next block of 10 ms, waiting for it; false when none came.
    bool NextBlock(std::vector<short>& block, DWORD timeoutMs);
    HANDLE file_ = INVALID_HANDLE_VALUE;
    std::string base_; // the Unix path of the capture, without extension
};

// Runs a Unix command line through /bin/sh, as a process of its own.
bool StartUnixCommand(const std::string& command);

// A copy of a program under a name of its own, whose audio drivers are
// switched off through the per-program settings of the Windows layer (Wine),
// so that it runs on a machine without sound devices. The settings and the
// copy go with the object.
class SilencedCopy {
  public:
    SilencedCopy(const std::string& program, const std::string& name);
    ~SilencedCopy();
    SilencedCopy(const SilencedCopy&) = delete;
    SilencedCopy& operator=(const SilencedCopy&) = delete;
    const std::string& Path() const { return path_; }

  private:
    std::string name_, path_;
};

// The name of this test program's file, without its folder.
std::string OwnFileName();

// ---- The notification area of the shared desktop

// An icon filled with one colour (its own, owned by the caller).
HICON SolidIcon(COLORREF color);
// Where the notification area shows an icon of this colour (the middle of
// the pixels that have it), or {-1, -1} when it shows none.
POINT FindTrayIcon(COLORREF color);
// A click by the real mouse at a point of the screen: left, right or middle
// button, once or twice.
void ClickAt(POINT at, int button = 1, bool twice = false);
// Moves the real mouse to a point of the screen.
void MoveMouseTo(POINT at);
// The text of a shown tool tip of another program (the notification area's),
// waiting for one to come up; empty when none does.
std::string ShownToolTip(DWORD timeoutMs = 4000);

// A hidden window that counts the devices' completion notifications.
class NotifyWindow {
  public:
    NotifyWindow();
    ~NotifyWindow();
    NotifyWindow(const NotifyWindow&) = delete;
    NotifyWindow& operator=(const NotifyWindow&) = delete;
    HWND hWnd() const { return hwnd_; }
    // The notification codes received, in order (MCI_NOTIFY_SUCCESSFUL ...).
    std::vector<WPARAM> Codes;

  private:
    HWND hwnd_ = nullptr;
};

// A device's answer to a status request, straight from the device.
std::string DeviceStatus(const std::string& alias, const std::string& item);

} // namespace tunebox::test
