// Decorum: the desktop's colours, wallpaper and display mode.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) { return 0; }
