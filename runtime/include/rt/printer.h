// The printer object: font, copies and orientation, text printed line by line,
// and EndDoc, which hands the document to the user's printer as one job.
#pragma once

#include <string>

#include "font.h"

namespace rt {

class PrinterObject {
  public:
    Font TextFont{"Arial", 10};
    int Copies = 1;
    int Orientation = 1; // 1 portrait, 2 landscape
    // Print text followed by a line end (the runtime's Printer.Print).
    void Print(const std::string& text);
    // Ends the document and sends it. Error 482 when there is no printer.
    void EndDoc();
    void KillDoc();

  private:
    std::string pending_;
    bool started_ = false;
};
PrinterObject& Printer();

} // namespace rt
