// Runtime errors: the error object, raising, the message table and the
// "resume next" helper that skips a failing statement.
#pragma once

#include <cstddef>
#include <exception>
#include <string>

namespace rt {

// Error numbers the runtime itself raises.
enum ErrorNumber : long {
    errInvalidProcedureCall = 5,
    errOverflow = 6,
    errOutOfMemory = 7,
    errSubscriptOutOfRange = 9,
    errTypeMismatch = 13,
    errBadFileNameOrNumber = 52,
    errFileNotFound = 53,
    errBadFileMode = 54,
    errFileAlreadyOpen = 55,
    errDeviceIO = 57,
    errFileAlreadyExists = 58,
    errDiskFull = 61,
    errBadRecordNumber = 63,
    errPermissionDenied = 70,
    errPathFileAccess = 75,
    errPathNotFound = 76,
    errObjectVariableNotSet = 91,
    errResourceNotFound = 326,
    errInvalidPropertyValue = 380,
    // Code set the place or size of a maximised or minimised form.
    errFormMinimizedOrMaximized = 384,
    errPrinterError = 482,
    // Text for a file in the system's code page holds a character that the
    // code page cannot store; nothing was written.
    errNotInCodePage = 1001,
    // A file to be replaced is no longer what was read (another program wrote
    // or deleted it meanwhile); it was left as it is now.
    errChangedSinceRead = 1002,
    errCancel = 32755, // the common dialog's "Cancel was selected."
};

// The message the runtime uses for every number its table does not define.
inline constexpr const char* kGenericErrorText = "Application-defined or object-defined error";

// A runtime error in flight. Thrown by Raise, caught by a procedure's handler,
// by Try (resume-next mode) or, failing both, by the dispatcher, which shows the
// runtime's unhandled-error report and ends the program.
class Error : public std::exception {
  public:
    Error(long number, std::string source, std::string description);
    long Number;
    std::string Source;
    std::string Description;
    const char* what() const noexcept override { return Description.c_str(); }
};

// The runtime's standard message for an error number (kGenericErrorText when the
// table has no entry).
std::string ErrorText(long number);
// How many numbers the message table defines.
size_t ErrorTableSize();

// Raise a runtime error. An empty source becomes the program's title, an empty
// description the table's message for the number. Raising 0 or a number above
// 65535 raises error 5 instead, as the runtime does.
[[noreturn]] void Raise(long number, std::string source = {}, std::string description = {});

// The error object: the last error caught in resume-next mode or by a handler.
struct ErrObject {
    long Number = 0;
    std::string Source;
    std::string Description;
    void Clear();
    void Set(const Error& e);
};
ErrObject& Err();

// Resume-next mode for one statement: runs it; a runtime error it raises is left
// in Err() and the statement is skipped. Returns whether it ran through.
template <class F> bool Try(F&& statement) {
    try {
        statement();
        return true;
    } catch (const Error& e) {
        Err().Set(e);
        return false;
    }
}

// The runtime's report of an error that no handler took: shows the report box
// and ends the program with a non-zero exit status.
[[noreturn]] void ReportUnhandled(const Error& e);

// Runs an event handler: a runtime error escaping it goes to ReportUnhandled.
// Every window-procedure callback into program code goes through this.
template <class F> void Dispatch(F&& handler) noexcept {
    try {
        handler();
    } catch (const Error& e) {
        ReportUnhandled(e);
    } catch (const std::bad_alloc&) {
        ReportUnhandled(Error(errOutOfMemory, {}, {}));
    } catch (const std::exception& e) {
        ReportUnhandled(Error(51, {}, e.what()));
    }
}

} // namespace rt
