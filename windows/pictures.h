// The pictures of Paneherd's two picture buttons, drawn when the window is made.
#pragma once

#include <rt/picture.h>

namespace paneherd {

// A cross-hair in a ring: point at a window to choose it.
rt::Picture FinderPicture();
// A circling arrow: read the class names afresh.
rt::Picture RefreshPicture();

} // namespace paneherd
