// Tallyman's About box: the kit's box with Tallyman's contents, laid out for
// its smaller size, on top of other windows while it is open.
#pragma once

namespace tallyman {

// Gives the kit's About box Tallyman's contents and load handler.
void SetUpAbout();

} // namespace tallyman
