// The multimedia class's wave recorder: a new wave device records while an
// open input device plays from a start to an end position; what was recorded
// is saved to the output file. The window stays usable meanwhile, and a
// cancel from one of its handlers ends the recording early.
#include "cMCI_Adv.h"

#include <cstdlib>
#include <limits>

#include <rt.h>

namespace tunebox {

namespace {

constexpr DWORD kPollMs = 5;    // the longest wait between two position checks
constexpr DWORD kSettleMs = 250; // how long a stopped recording device may still be busy

// Lets the window's events run for a while.
void RunEventsFor(DWORD ms) {
    const DWORD start = GetTickCount();
    for (DWORD passed = 0; passed < ms; passed = GetTickCount() - start) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - passed, QS_ALLINPUT);
        rt::DoEvents();
    }
}

// A 32-bit product; beyond the range it is the runtime's overflow error.
long Product32(long a, long b) {
    const long long product = static_cast<long long>(a) * b;
    if (product > std::numeric_limits<int32_t>::max() ||
        product < std::numeric_limits<int32_t>::min())
        rt::Raise(rt::errOverflow);
    return static_cast<long>(product);
}

// Whether two paths name the same file: the same full long path.
bool SameFile(const std::string& a, const std::string& b) {
    auto full = [](const std::string& path) {
        wchar_t buffer[MAX_PATH * 2] = {};
        const std::wstring wide = rt::Wide(path);
        DWORD n = GetLongPathNameW(wide.c_str(), buffer, MAX_PATH * 2);
        std::wstring longPath = n && n < MAX_PATH * 2 ? std::wstring(buffer, n) : wide;
        n = GetFullPathNameW(longPath.c_str(), MAX_PATH * 2, buffer, nullptr);
        return rt::UCase(rt::Utf8(n && n < MAX_PATH * 2 ? std::wstring(buffer, n) : longPath));
    };
    return full(a) == full(b);
}

} // namespace

void cMCI_Adv::MCIa_RecordCancel() { RecordCancelRequested = true; }

bool cMCI_Adv::GuardedSend(const std::string& command, HWND hCallbackProc, bool ShowErrors) {
    long number = 0;
    std::string description;
    return !ShowMciError(Send(command, nullptr, hCallbackProc), "mciSendString", number,
                         description, ShowErrors);
}

// The device's position as a number; false when the query fails or answers
// something else.
bool cMCI_Adv::PositionOf(const std::string& alias, long& position) {
    std::string answer;
    if (Send("status " + alias + " position", &answer, nullptr) != 0) return false;
    if (answer.empty()) return false;
    if (!rt::IsNumeric(answer)) return false;
    position = rt::CLng(answer);
    return true;
}

bool cMCI_Adv::MCIa_RecordWave(const std::string& OUT_DeviceAlias,
                               const std::string& OUT_FilePath, long OUT_BitsPerSample,
                               long OUT_Channels, long OUT_SamplesPerSec,
                               const std::string& IN_DeviceAlias, bool IN_SpecifyStartPosition,
                               long IN_StartPosition, bool IN_SpecifyEndPosition,
                               long IN_EndPosition, long RecordInterval, HWND hCallbackProc,
                               bool ShowErrors) {
    // The window's handlers run while this waits: one of them may let go of
    // this object, which must live until the recording has ended.
    const std::shared_ptr<cMCI_Adv> keepAlive = weak_from_this().lock();
    struct Busy {
        int& count;
        explicit Busy(int& c) : count(c) { ++count; }
        ~Busy() { --count; }
    } busy{recording_};

    std::string P = rt::Trim(OUT_FilePath);
    if (P.empty()) return false;
    // The aliases first: a call that cannot record leaves an existing file alone.
    const std::string I = rt::Trim(IN_DeviceAlias), A = rt::Trim(OUT_DeviceAlias);
    if (I.empty() || A.empty() || rt::UCase(I) == rt::UCase(A)) return false;

    // A placeholder gives the path its short form; the device saves to that.
    rt::Try([&] { rt::Kill(P); });
    {
        const OpenFile placeholder; // this file alone is closed, not every open one
        rt::OpenForOutput(placeholder.Number, P);
        rt::PrintLine(placeholder.Number, "0");
    }
    const std::string requested = P;
    P = GetShortPath(P);
    if (P.empty()) return false;
    rt::Kill(P);

    const long align = rt::CInt(Product32(OUT_Channels, OUT_BitsPerSample) / 8.0);
    const long bytesPerSec = Product32(OUT_SamplesPerSec, align);

    // A wave device that has been recording still finishes its capture for a
    // moment after its stop; saving or closing it meanwhile can bring the
    // whole program down, so it is given that moment first.
    bool recordSent = false;
    auto stopRecording = [&] {
        Send("stop " + A, nullptr, nullptr);
        if (recordSent) RunEventsFor(kSettleMs);
    };
    auto cleanUp = [&] {
        Send("stop " + I, nullptr, nullptr);
        Send("seek " + I + " to start", nullptr, nullptr);
        stopRecording();
        Send("close " + A, nullptr, nullptr);
        return false;
    };

    Send("stop " + I, nullptr, nullptr);
    Send("stop " + A, nullptr, nullptr);
    Send("close " + A, nullptr, nullptr);
    std::string open = "open new type waveaudio alias " + A;
    if (RecordInterval > 0) open += " buffer " + std::to_string(RecordInterval);
    if (!GuardedSend(open, hCallbackProc, ShowErrors)) return cleanUp();
    if (!GuardedSend("set " + A + " " + "samplespersec " + std::to_string(OUT_SamplesPerSec) +
                         " " + "channels " + std::to_string(OUT_Channels) + " " +
                         "bitspersample " + std::to_string(OUT_BitsPerSample) + " " +
                         "alignment " + std::to_string(align) + " " + "bytespersec " +
                         std::to_string(bytesPerSec),
                     hCallbackProc, ShowErrors))
        return cleanUp();
    if (!GuardedSend("set " + I + " time format milliseconds", hCallbackProc, ShowErrors) ||
        !GuardedSend("set " + A + " time format milliseconds", hCallbackProc, ShowErrors) ||
        !GuardedSend("seek " + I + " to end", hCallbackProc, ShowErrors))
        return cleanUp();

    // The input's length decides where the recording ends.
    std::string answer;
    if (Send("status " + I + " position", &answer, nullptr) != 0) return cleanUp();
    if (!answer.empty()) {
        if (!rt::IsNumeric(answer)) return cleanUp();
        const long long last = static_cast<long long>(rt::CLng(answer)) - 1;
        long long end = std::llabs(static_cast<long long>(IN_EndPosition));
        if (!(IN_SpecifyEndPosition && end != 0) || end > last) end = last;
        IN_EndPosition = static_cast<long>(end);
    }

    if (!GuardedSend(IN_SpecifyStartPosition
                         ? "seek " + I + " to " + std::to_string(IN_StartPosition)
                         : "seek " + I + " to start",
                     hCallbackProc, ShowErrors))
        return cleanUp();
    recordSent = true;
    if (!GuardedSend("record " + A + " overwrite", hCallbackProc, ShowErrors) ||
        !GuardedSend(IN_SpecifyEndPosition ? "play " + I + " to " + std::to_string(IN_EndPosition)
                                           : "play " + I,
                     hCallbackProc, ShowErrors))
        return cleanUp();

    RecordCancelRequested = false;
    for (;;) {
        if (RecordCancelRequested) break;
        long position = 0;
        if (!PositionOf(I, position)) return cleanUp();
        if (position >= IN_EndPosition) break;
        RunEventsFor(kPollMs);
    }

    Send("stop " + I, nullptr, nullptr);
    Send("seek " + I + " to start", nullptr, nullptr);
    stopRecording();
    // A save the device refuses is a failed recording: no file is left behind.
    bool saved = GuardedSend("save " + A + " " + P, nullptr, ShowErrors);
    Send("close " + A, nullptr, nullptr);
    // With the placeholder gone, its short name is a name of its own: what
    // was saved under it gets the name the caller asked for.
    if (saved && !SameFile(P, requested))
        saved = MoveFileExW(rt::Wide(P).c_str(), rt::Wide(requested).c_str(),
                            MOVEFILE_REPLACE_EXISTING | MOVEFILE_COPY_ALLOWED) != FALSE;
    if (!saved) rt::Try([&] { rt::Kill(P); });
    return saved;
}

} // namespace tunebox
