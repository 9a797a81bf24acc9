#include "user_input.h"

#include <vector>

namespace vantrel::driver {

namespace {

INPUT Key(WORD virtualKey, bool release) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
    return input;
}

INPUT UnicodeKey(wchar_t character, bool release) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wScan = character;
    input.ki.dwFlags = KEYEVENTF_UNICODE | (release ? KEYEVENTF_KEYUP : 0);
    return input;
}

void Send(std::vector<INPUT> inputs) {
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A key's press and release with its modifiers held, as one uninterrupted
// sequence: no other input can slip between a modifier and its key.
std::vector<INPUT> Stroke(WORD virtualKey, std::initializer_list<WORD> modifiers) {
    std::vector<INPUT> inputs;
    for (WORD modifier : modifiers) {
        inputs.push_back(Key(modifier, false));
    }
    inputs.push_back(Key(virtualKey, false));
    inputs.push_back(Key(virtualKey, true));
    for (auto modifier = std::rbegin(modifiers); modifier != std::rend(modifiers); ++modifier) {
        inputs.push_back(Key(*modifier, true));
    }
    return inputs;
}

}  // namespace

void Tap(WORD virtualKey, std::initializer_list<WORD> modifiers) {
    Send(Stroke(virtualKey, modifiers));
}

void Type(std::wstring_view text) {
    for (const wchar_t character : text) {
        const SHORT key = character < 0x80 ? VkKeyScanW(character) : -1;
        if (key == -1) {
            Send({UnicodeKey(character, false), UnicodeKey(character, true)});
        } else if (HIBYTE(key) & 1) {
            Tap(LOBYTE(key), {VK_SHIFT});
        } else {
            Tap(LOBYTE(key));
        }
    }
}

void ClickAt(POINT screen) {
    // Absolute mouse coordinates count 65536 steps across the primary screen;
    // rounding up lands on the pixel itself, not the one before it.
    const LONG width = GetSystemMetrics(SM_CXSCREEN);
    const LONG height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move{};
    move.type = INPUT_MOUSE;
    move.mi.dx = (screen.x * 65536 + width - 1) / width;
    move.mi.dy = (screen.y * 65536 + height - 1) / height;
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    INPUT down = move;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_ABSOLUTE;
    INPUT up = move;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_ABSOLUTE;
    Send({move, down, up});
}

void Click(HWND target) {
    RECT rect{};
    GetWindowRect(target, &rect);
    ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
}

}  // namespace vantrel::driver
