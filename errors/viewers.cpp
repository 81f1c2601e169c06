#include "viewers.h"

namespace faultbook {

const kit::ViewerInfo& HelpViewerInfo() {
    static const kit::ViewerInfo info{"  Faultbook Help", 8790, 7350, 120, 105, 8550, 6420,
                                      1275, 390, 120, kHelpDocument};
    return info;
}

const kit::ViewerInfo& SampleViewerInfo() {
    static const kit::ViewerInfo info{"  Visual Basic Error Trap  -  Sample Code", 9375, 7350,
                                      105, 135, 9195, 6465, 1290, 345, 130, kSampleDocument};
    return info;
}

} // namespace faultbook
