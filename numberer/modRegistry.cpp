#include "modRegistry.h"

#include <rt/convert.h>

namespace tallyman::modRegistry {

namespace {

// An open registry key, closed on leaving.
class OpenKey {
  public:
    OpenKey(HKEY parent, const std::string& path) {
        const std::string ansi = rt::ToAnsi(path);
        if (RegOpenKeyA(parent, ansi.c_str(), &key_) != ERROR_SUCCESS) key_ = nullptr;
    }
    ~OpenKey() {
        if (key_) RegCloseKey(key_);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return key_; }

  private:
    HKEY key_ = nullptr;
};

} // namespace

std::string GetRegString(HKEY hKey, const std::string& strPath, const std::string& strValue) {
    OpenKey key(hKey, strPath);
    if (!key.Get()) return {};
    const std::string name = rt::ToAnsi(strValue);
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS ||
        type != REG_SZ)
        return {};
    std::string buffer(size, ' ');
    if (RegQueryValueExA(key.Get(), name.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS)
        return {};
    const size_t nul = buffer.find('\0');
    if (nul != std::string::npos) buffer.resize(nul);
    return rt::FromAnsi(buffer);
}

} // namespace tallyman::modRegistry
