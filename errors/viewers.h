// The two documents of the Help menu: the program's help and the error-trap
// sample code, each in the kit's document viewer.
#pragma once

#include <kit/viewer.h>

namespace faultbook {

// The rich text of the documents, stored with the program.
extern const char* const kHelpDocument;
extern const char* const kSampleDocument;

const kit::ViewerInfo& HelpViewerInfo();
const kit::ViewerInfo& SampleViewerInfo();

class frmHelp : public kit::Viewer<frmHelp> {
  public:
    // Prose: the lines wrap at the window's edge.
    frmHelp() : kit::Viewer<frmHelp>(HelpViewerInfo()) {}
};

class frmVBSample : public kit::Viewer<frmVBSample> {
  public:
    frmVBSample() : kit::Viewer<frmVBSample>(SampleViewerInfo()) {}
};

} // namespace faultbook
