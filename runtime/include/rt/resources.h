// The program's own resources (bitmaps, icons, cursors, strings and data of
// its resource script) and saving a picture to a file.
#pragma once

#include <string>

#include "picture.h"

namespace rt {

enum ResourceKind : int { vbResBitmap = 0, vbResIcon = 1, vbResCursor = 2 };

// Resource IDs run from 1 to 65535 (error 5 outside); a resource the program
// does not have raises error 326, one that cannot be made a picture 481.
Picture LoadResPicture(long id, int kind);
std::string LoadResString(long id);
// The bytes of a resource of a named type ("CUSTOM").
std::string LoadResData(long id, const std::string& type);

// Writes a picture to a file in its own format: a bitmap as a .bmp file, an
// icon as an .ico and a cursor as a .cur file (with its hot spot). The file is
// replaced in one step (see safefile.h for the errors); an empty picture
// raises error 380.
void SavePicture(const Picture& picture, const std::string& path);

} // namespace rt
