// Sweeper: replaces a text in many files of one folder at once.
#include <windows.h>

#include <rt.h>

int WINAPI wWinMain(HINSTANCE hInstance, HINSTANCE, PWSTR, int) {
    rt::Initialize(hInstance);
    rt::App().Title = "Sweeper";
    return 0;
}
