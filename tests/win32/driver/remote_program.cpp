#include "remote_program.h"

#include <stdexcept>

namespace vantrel::driver {

std::wstring WindowsPath(const std::string& path) {
    std::wstring windows = path.starts_with('/') ? L"Z:" : L"";
    for (const char c : path) {
        windows.push_back(c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c)));
    }
    return windows;
}

RemoteProgram::RemoteProgram(const std::wstring& exe, bool suspended) {
    std::wstring commandLine = L"\"" + exe + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        suspended ? CREATE_SUSPENDED : 0, nullptr, nullptr, &startup, &process_)) {
        throw std::runtime_error("cannot start the program (error " +
                                 std::to_string(GetLastError()) + ")");
    }
}

RemoteProgram::~RemoteProgram() {
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 99);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::vector<HWND> RemoteProgram::Windows(const std::wstring& windowClass) const {
    struct Search {
        DWORD processId;
        const std::wstring* windowClass;
        std::vector<HWND> found;
    } search{process_.dwProcessId, &windowClass, {}};
    EnumWindows(
        [](HWND window, LPARAM context) -> BOOL {
            auto& search = *reinterpret_cast<Search*>(context);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            wchar_t name[64] = {};
            GetClassNameW(window, name, 64);
            if (owner == search.processId && IsWindowVisible(window) &&
                (search.windowClass->empty() || *search.windowClass == name)) {
                search.found.push_back(window);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND RemoteProgram::WaitForWindow(const std::wstring& title, milliseconds limit) const {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : Windows()) {
                wchar_t text[128] = {};
                GetWindowTextW(window, text, 128);
                if (title == text) {
                    found = window;
                    return true;
                }
            }
            return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
        },
        limit);
    return found;
}

std::optional<DWORD> RemoteProgram::WaitForExit(milliseconds limit) const {
    if (WaitForSingleObject(process_.hProcess, static_cast<DWORD>(limit.count())) !=
        WAIT_OBJECT_0) {
        return std::nullopt;
    }
    DWORD status = 0;
    GetExitCodeProcess(process_.hProcess, &status);
    return status;
}

}  // namespace vantrel::driver
