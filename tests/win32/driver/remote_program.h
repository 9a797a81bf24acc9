// Vantrel.exe as another process, the way a user meets it: started, its
// window found on the desktop, its end and exit status awaited. Every wait
// has a time limit, so a program that hangs fails a test instead of the run.
#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

namespace vantrel::driver {

using std::chrono::milliseconds;

// Polls `done` until it holds or `limit` has passed; true when it held.
// Input reaches another process asynchronously, so every check of its effect
// waits for it instead of looking once.
template <class Predicate>
bool WaitUntil(Predicate done, milliseconds limit = milliseconds(5000)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        if (done()) {
            return true;
        }
        if (std::chrono::steady_clock::now() > end) {
            return false;
        }
        Sleep(5);
    }
}

// A Windows path for a path of the build tree: Wine shows the Linux file
// system as drive Z:.
std::wstring WindowsPath(const std::string& path);

class RemoteProgram {
public:
    // Starts the program; throws std::runtime_error when it cannot. A program
    // started suspended runs once Resume() is called.
    explicit RemoteProgram(const std::wstring& exe, bool suspended = false);
    // Ends a program still running, so a failed test leaves nothing behind.
    ~RemoteProgram();
    RemoteProgram(const RemoteProgram&) = delete;
    RemoteProgram& operator=(const RemoteProgram&) = delete;

    // The process's visible top-level windows whose class is `windowClass`
    // (all of them for an empty class).
    std::vector<HWND> Windows(const std::wstring& windowClass = {}) const;
    // The first visible top-level window with this title, or nullptr when it
    // does not show within the limit.
    HWND WaitForWindow(const std::wstring& title, milliseconds limit = milliseconds(15000)) const;
    // The exit status, or nothing when the program is still running at the limit.
    std::optional<DWORD> WaitForExit(milliseconds limit = milliseconds(10000)) const;
    DWORD MainThreadId() const { return process_.dwThreadId; }
    void Resume() const { ResumeThread(process_.hThread); }

private:
    PROCESS_INFORMATION process_{};
};

}  // namespace vantrel::driver
