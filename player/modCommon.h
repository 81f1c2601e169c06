// What the program's windows share.
#pragma once

namespace tunebox {

// Unloads every loaded form; with EndApp the program then ends at once.
void UnloadAllForms(bool EndApp);

} // namespace tunebox
