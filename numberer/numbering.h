// Tallyman's text transforms, apart from any window: the lines of a text, smart
// numbering's judgement of a line, numbering and removal of leading numbers,
// and the progress a run reports on its way.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tallyman {

// What a numbering or removal run tells its caller while it works: each line
// read, the total, each line processed. The caller decides what to show.
class RunProgress {
  public:
    virtual ~RunProgress() = default;
    virtual void Reading(long k) = 0;
    virtual void Total(long N) = 0;
    virtual void Processing(long i, long N) = 0;
};

// The lines of a working text, cut after each LF; every line keeps its own
// terminator, so the lines joined give the text back. Text after the last LF
// is not a line (a working text always ends in CR LF). Reports each line read,
// then the total.
std::vector<std::string_view> ReadLines(std::string_view working, RunProgress& progress);

// Smart numbering's judgement whether a line (terminator included) may carry
// a number. Its two flags carry over from line to line and from run to run.
class LineClassifier {
  public:
    bool CanNumberLine(std::string_view line);
    bool m_InSelect = false;  // a Select Case line was seen, its first Case line not yet
    bool m_Continued = false; // the line before ended in a line continuation
};

// The lines with leading numbers: the increment times the count of numbered
// lines, then `spaces` blanks. In smart mode a line the classifier refuses is
// indented by the blanks plus the width of the last number given instead.
// Raises overflow (6) when a number passes the 32-bit range and error 5 for a
// negative count of blanks.
std::string NumberedText(const std::vector<std::string_view>& lines, int16_t intIncrement,
                         int16_t intSpaces, bool SmartNumbering, LineClassifier& classifier,
                         RunProgress& progress);

// Removal's memory of the widest leading number it has seen; it only grows.
class NumberWidth {
  public:
    // Widens m_NumWidth from the leading numbers of both lines; always 0.
    int16_t CheckForLast(std::string_view LastLine, std::string_view CurrentLine);
    int16_t m_NumWidth = 0;

  private:
    void Widen(std::string_view line);
};

// One line without its leading number (and the one blank after it); a line
// with none loses its leading blanks and is indented by `width` blanks.
std::string StripLineNumber(std::string_view line, int16_t width);

// The lines with their leading numbers taken off, widening `width` line by line.
std::string StrippedText(const std::vector<std::string_view>& lines, NumberWidth& width,
                         RunProgress& progress);

} // namespace tallyman
