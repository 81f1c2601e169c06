// The documents stored with Glyphdeck and the two windows that show them: the
// help file and the table of key code constants.
#pragma once

#include <kit/viewer.h>

namespace glyphdeck {

const kit::ViewerInfo& HelpInfo();
const kit::ViewerInfo& KeyCodeInfo();

class frmHelp : public kit::Viewer<frmHelp> {
  public:
    frmHelp();
};

class frmVBConsts : public kit::Viewer<frmVBConsts> {
  public:
    frmVBConsts();
};

} // namespace glyphdeck
