// Runtime errors: raising, the error object and the report of an error that no
// handler took.
#include "rt/error.h"

#include <windows.h>

#include "rt/interaction.h"
#include "rt/services.h"

namespace rt {

Error::Error(long number, std::string source, std::string description)
    : Number(number), Source(std::move(source)), Description(std::move(description)) {}

void Raise(long number, std::string source, std::string description) {
    // The runtime refuses 0 and numbers beyond 16 bits; what it raises instead
    // is "Invalid procedure call or argument" about the Raise itself.
    if (number == 0 || number > 65535) {
        number = errInvalidProcedureCall;
        source.clear();
        description.clear();
    }
    if (source.empty()) source = App().Title;
    if (description.empty()) description = ErrorText(number);
    throw Error(number, std::move(source), std::move(description));
}

void ErrObject::Clear() {
    Number = 0;
    Source.clear();
    Description.clear();
}

void ErrObject::Set(const Error& e) {
    Number = e.Number;
    Source = e.Source;
    Description = e.Description;
}

ErrObject& Err() {
    static ErrObject err;
    return err;
}

void ReportUnhandled(const Error& e) {
    // A second error while the report is up (a handler running from the box's
    // own message loop, say) must not stack a second report: end at once.
    static bool reporting = false;
    if (!reporting) {
        reporting = true;
        try {
            MsgBox("Run-time error '" + std::to_string(e.Number) + "':\r\n\r\n" + e.Description,
                   vbCritical, App().Title);
        } catch (...) {
            // The report is the last thing the program does; nothing more to tell.
        }
        try {
            CloseAll(); // what the program wrote reaches its files
        } catch (...) {
        }
    }
    ExitProcess(1);
}

} // namespace rt
