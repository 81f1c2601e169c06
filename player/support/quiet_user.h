// A user for the benchmarks: no box stops a measure. Any box shown is
// answered with its first button and reported, as it should not come.
#pragma once

#include <cstdio>
#include <string>

#include <rt.h>

namespace tunebox::test {

class QuietUser : public rt::User {
  public:
    explicit QuietUser(const char* program) : program_(program) { rt::SetUser(this); }
    ~QuietUser() override { rt::SetUser(nullptr); }
    QuietUser(const QuietUser&) = delete;
    QuietUser& operator=(const QuietUser&) = delete;
    int MessageBox(const std::string& prompt, int, const std::string& title) override {
        std::printf("%s: unexpected box %s: %s\n", program_, title.c_str(), prompt.c_str());
        return rt::vbOK;
    }
    std::string InputBox(const std::string&, const std::string&, const std::string&) override {
        return {};
    }
    bool ShowDialog(rt::DialogKind, rt::CommonDialog&) override { return false; }
    void Print(const rt::PrintJob&) override {}

  private:
    const char* program_;
};

} // namespace tunebox::test
