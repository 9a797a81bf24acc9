// A DLL planted beside Vantrel.exe under the name of a common Windows DLL, as
// malware dropped into a Downloads folder would be. It does nothing: the test
// only looks whether the program loaded it.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE /*instance*/, DWORD /*reason*/, LPVOID /*reserved*/) {
    return TRUE;
}
