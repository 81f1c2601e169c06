// Stand-in until the runtime's safe replacement lands.
#pragma once
#include <string>
#include <string_view>
namespace rt {
void ReplaceFileBytes(const std::string& path, std::string_view bytes);
}
