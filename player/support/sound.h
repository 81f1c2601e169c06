// Sound for Tunebox's tests and benchmarks: wave and MIDI files made on the
// spot, wave files read back, the strength of a tone, and what the null sink
// plays as heard on its monitor from outside the program.
#pragma once

#include <windows.h>

#include <cmath>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <numbers>
#include <string>
#include <vector>

#include <rt.h>

namespace tunebox::test {

// A mono 16-bit wave file holding a sine tone.
bool WriteTone(const std::string& path, double seconds, double frequency, double amplitude = 0.5,
               int rate = 22050);
// The samples of such a tone, as a wave file holds them.
std::string ToneSamples(double seconds, double frequency, double amplitude = 0.5,
                        int rate = 22050);
// The fields of a wave file's format header; by default mono 16-bit samples.
struct WaveHeader {
    uint16_t Tag = 1, Channels = 1;
    uint32_t Rate = 22050, BytesPerSecond = 44100;
    uint16_t BlockAlign = 2, Bits = 16;
    std::string Extension; // what follows the fields, its size first
};
// A wave file of that header and these sample bytes; `before` holds whole
// chunks that come ahead of the format header, as some editors write them.
bool WriteWave(const std::string& path, const WaveHeader& header, const std::string& data,
               const std::string& before = "");
// One chunk of a wave file: its name, its length, its bytes, padded to an
// even length.
std::string Chunk(const std::string& id, const std::string& body);
// A one-track MIDI file of `notes` half-second notes.
bool WriteMidi(const std::string& path, int notes = 8);

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

// ---------------------------------------------------------------------------

namespace detail {

inline void Put16(std::string& out, uint16_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8);
}
inline void Put32(std::string& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v & 0xFFFF));
    Put16(out, static_cast<uint16_t>(v >> 16));
}
inline void PutBig32(std::string& out, uint32_t v) {
    for (int shift = 24; shift >= 0; shift -= 8) out += static_cast<char>((v >> shift) & 0xFF);
}

inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream f(rt::Wide(path).c_str(), std::ios::binary);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return f.good();
}

inline uint16_t Get16(const std::string& s, size_t at) {
    return static_cast<uint16_t>(static_cast<unsigned char>(s[at]) |
                                 static_cast<unsigned char>(s[at + 1]) << 8);
}
inline uint32_t Get32(const std::string& s, size_t at) {
    return Get16(s, at) | static_cast<uint32_t>(Get16(s, at + 2)) << 16;
}

inline int& MonitorCount() {
    static int count = 0;
    return count;
}

} // namespace detail

inline std::string ToneSamples(double seconds, double frequency, double amplitude, int rate) {
    const auto n = static_cast<uint32_t>(seconds * rate);
    std::string data;
    data.reserve(n * 2);
    for (uint32_t i = 0; i < n; ++i)
        detail::Put16(data, static_cast<uint16_t>(static_cast<int16_t>(
                        amplitude * 32767 * std::sin(2 * std::numbers::pi * frequency * i / rate))));
    return data;
}

inline std::string Chunk(const std::string& id, const std::string& body) {
    std::string out = id;
    detail::Put32(out, static_cast<uint32_t>(body.size()));
    out += body;
    if (body.size() & 1) out += '\0';
    return out;
}

inline bool WriteWave(const std::string& path, const WaveHeader& header, const std::string& data,
                      const std::string& before) {
    std::string format;
    detail::Put16(format, header.Tag);
    detail::Put16(format, header.Channels);
    detail::Put32(format, header.Rate);
    detail::Put32(format, header.BytesPerSecond);
    detail::Put16(format, header.BlockAlign);
    detail::Put16(format, header.Bits);
    const std::string form = "WAVE" + before + Chunk("fmt ", format + header.Extension) +
                             Chunk("data", data);
    std::string out = "RIFF";
    detail::Put32(out, static_cast<uint32_t>(form.size()));
    return detail::WriteFileBytes(path, out + form);
}

inline bool WriteTone(const std::string& path, double seconds, double frequency, double amplitude,
               int rate) {
    WaveHeader header;
    header.Rate = static_cast<uint32_t>(rate);
    header.BytesPerSecond = header.Rate * 2;
    return WriteWave(path, header, ToneSamples(seconds, frequency, amplitude, rate));
}

inline bool WriteMidi(const std::string& path, int notes) {
    std::string track;
    track += std::string("\x00\xFF\x51\x03\x07\xA1\x20", 7); // 120 beats a minute
    track += std::string("\x00\xC0\x00", 3);                 // piano
    for (int i = 0; i < notes; ++i) {
        const char key = static_cast<char>(60 + i % 12);
        track += std::string("\x00\x90", 2) + key + '\x64';
        track += std::string("\x60\x80", 2) + key + '\x40'; // a quarter note later
    }
    track += std::string("\x00\xFF\x2F\x00", 4);
    std::string out = "MThd";
    detail::PutBig32(out, 6);
    out += std::string("\x00\x00\x00\x01\x00\x60", 6); // format 0, one track, 96 ticks a beat
    out += "MTrk";
    detail::PutBig32(out, static_cast<uint32_t>(track.size()));
    return detail::WriteFileBytes(path, out + track);
}

inline double WaveData::Seconds() const {
    if (!Channels || !Rate) return 0;
    return static_cast<double>(Samples.size()) / Channels / Rate;
}

inline WaveData ReadWave(const std::string& path) {
    WaveData wave;
    std::ifstream f(rt::Wide(path).c_str(), std::ios::binary);
    std::string s((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (s.size() < 12 || s.compare(0, 4, "RIFF") != 0 || s.compare(8, 4, "WAVE") != 0) return wave;
    for (size_t at = 12; at + 8 <= s.size();) {
        const std::string id = s.substr(at, 4);
        const uint32_t size = detail::Get32(s, at + 4);
        const size_t body = at + 8;
        if (id == "fmt " && body + 16 <= s.size()) {
            wave.Channels = detail::Get16(s, body + 2);
            wave.Rate = static_cast<int>(detail::Get32(s, body + 4));
            wave.Bits = detail::Get16(s, body + 14);
        } else if (id == "data" && wave.Bits == 16) {
            const size_t end = std::min(s.size(), body + size);
            for (size_t i = body; i + 1 < end; i += 2)
                wave.Samples.push_back(static_cast<short>(detail::Get16(s, i)));
        }
        at = body + size + (size & 1);
    }
    return wave;
}

inline double ToneLevel(const std::vector<short>& samples, int rate, double frequency) {
    if (samples.empty()) return 0;
    // The sine's amplitude from its correlation with the frequency (Goertzel).
    const double w = 2 * std::numbers::pi * frequency / rate;
    double re = 0, im = 0;
    for (size_t i = 0; i < samples.size(); ++i) {
        re += samples[i] * std::cos(w * static_cast<double>(i));
        im += samples[i] * std::sin(w * static_cast<double>(i));
    }
    return 2 * std::hypot(re, im) / static_cast<double>(samples.size());
}

inline bool StartUnixCommand(const std::string& command) {
    // Wine starts a Unix program as it is; it runs beside us, unsupervised.
    std::wstring line = L"/bin/sh -c \"" + rt::Wide(command) + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                        &pi))
        return false;
    // No Windows process stands for a Unix program: Wine gives no process
    // handle, and 32-bit Wine leaves whatever it likes in the thread handle,
    // often a value that names a handle of ours, such as the standard output.
    if (pi.hProcess) {
        CloseHandle(pi.hProcess);
        CloseHandle(pi.hThread);
    }
    return true;
}

inline SoundMonitor::SoundMonitor() {
    base_ = "/tmp/tunebox-monitor-" + std::to_string(GetCurrentProcessId()) + "-" +
            std::to_string(++detail::MonitorCount());
    std::wstring raw = L"Z:" + rt::Wide(base_) + L".raw";
    for (wchar_t& c : raw)
        if (c == L'/') c = L'\\';
    DeleteFileW(raw.c_str());
    // The shell records its own process number, which parec then takes over.
    StartUnixCommand("echo $$ > " + base_ + ".pid; exec /usr/bin/parec -d nul.monitor --raw "
                     "--format=s16le --channels=1 --rate=" + std::to_string(kRate) +
                     " --latency-msec=10 > " + base_ + ".raw");
    const DWORD until = GetTickCount() + 5000;
    while (file_ == INVALID_HANDLE_VALUE && GetTickCount() < until) {
        Sleep(10);
        file_ = CreateFileW(raw.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
    }
    std::vector<short> block;
    if (file_ != INVALID_HANDLE_VALUE && !NextBlock(block, 5000)) {
        CloseHandle(file_);
        file_ = INVALID_HANDLE_VALUE;
    }
}

inline SoundMonitor::~SoundMonitor() {
    if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    StartUnixCommand("kill $(cat " + base_ + ".pid) 2>/dev/null; rm -f " + base_ + ".pid " +
                     base_ + ".raw");
}

inline bool SoundMonitor::NextBlock(std::vector<short>& block, DWORD timeoutMs) {
    constexpr DWORD kBytes = kRate / 100 * 2;
    block.resize(kBytes / 2);
    const DWORD until = GetTickCount() + timeoutMs;
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file_, block.data(), kBytes, &got, nullptr)) return false;
        if (got == kBytes) return true;
        // Not all there yet: read it again once more has come.
        SetFilePointer(file_, -static_cast<LONG>(got), nullptr, FILE_CURRENT);
        if (GetTickCount() > until) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 3, QS_ALLINPUT);
        rt::DoEvents();
    }
}

inline void SoundMonitor::Skip() {
    if (file_ == INVALID_HANDLE_VALUE) return;
    rt::DoEvents();
    SetFilePointer(file_, 0, nullptr, FILE_END);
    // Keep to whole samples.
    LARGE_INTEGER at{};
    SetFilePointerEx(file_, at, &at, FILE_CURRENT);
    if (at.QuadPart & 1) SetFilePointer(file_, -1, nullptr, FILE_CURRENT);
}

inline double SoundMonitor::Level(double frequency, DWORD ms) {
    std::vector<short> all, block;
    for (DWORD heard = 0; heard < ms; heard += 10) {
        if (!NextBlock(block, 2000)) break;
        all.insert(all.end(), block.begin(), block.end());
    }
    return ToneLevel(all, kRate, frequency);
}

inline bool SoundMonitor::FallsSilent(double frequency, DWORD timeoutMs) {
    Skip();
    for (DWORD waited = 0; waited < timeoutMs; waited += 200)
        if (Level(frequency, 200) < 300) return true;
    return false;
}

inline double SoundMonitor::WaitForSound(double frequency, DWORD timeoutMs, double threshold) {
    const DWORD start = GetTickCount();
    std::vector<short> block;
    while (GetTickCount() - start < timeoutMs) {
        if (!NextBlock(block, timeoutMs)) return -1;
        if (ToneLevel(block, kRate, frequency) > threshold) return (GetTickCount() - start) / 1000.0;
    }
    return -1;
}

} // namespace tunebox::test
