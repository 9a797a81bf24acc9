// Reads the input as a user's keystrokes into the six sheets and checks every
// sheet after every key release: each field the user did not edit is empty or
// holds the engine's conversion of the sheet's source, and a refused text
// leaves every field as it was.
//
// One byte per keystroke, some followed by an argument:
//   0x00-0x7F  type that character (through the keystroke filter)
//   0x80-0x8F  type the next byte, whatever its code
//   0x90-0x97  backspace
//   0x98-0x9F  move the caret to the offset in the next byte
//   0xA0-0xAF  paste the next (low nibble + 1) bytes, unfiltered
//   0xB0-0xB7  select all
//   0xB8-0xBF  clear the field
//   0xC0-0xF1  focus field (byte - 0xC0), the 50 fields in catalogue order
//   0xF2-0xFF  focus the page control, releasing a key over sheet (byte - 0xF2)
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/support/typing_session.h"

namespace {

[[noreturn]] void Fail(const std::string& fault) {
    std::fprintf(stderr, "typing fault: %s\n", fault.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    vantrel::stress::TypingSession session;
    std::size_t i = 0;
    auto next = [&]() -> std::uint8_t { return i < size ? data[i++] : 0; };
    while (i < size) {
        const std::uint8_t op = next();
        if (op < 0x80) {
            session.Type(static_cast<char>(op));
        } else if (op < 0x90) {
            session.Type(static_cast<char>(next()));
        } else if (op < 0x98) {
            session.Backspace();
        } else if (op < 0xA0) {
            session.MoveCaret(next());
        } else if (op < 0xB0) {
            const std::size_t length = std::min<std::size_t>((op & 0x0F) + 1u, size - i);
            session.Paste(std::string_view(reinterpret_cast<const char*>(data + i), length));
            i += length;
        } else if (op < 0xB8) {
            session.SelectAll();
        } else if (op < 0xC0) {
            session.Clear();
        } else if (op < 0xF2) {
            session.Focus(op - 0xC0u);
        } else {
            session.SwitchSheet(op - 0xF2u);
        }
        if (const std::string fault = session.CheckLastSheet(); !fault.empty()) {
            Fail(fault);
        }
    }
    if (const std::string fault = session.Check(); !fault.empty()) {
        Fail(fault);
    }
    return 0;
}
