#include "toolkit/key_char.h"

namespace vantrel {

namespace {

// Windows-1251 has no character at 0x98.
constexpr unsigned char kNotInCodePage = 0x98;
constexpr unsigned char kCapitalA = 0xC0;
constexpr unsigned char kCapitalYo = 0xA8;
constexpr unsigned char kSmallYo = 0xB8;

}  // namespace

char ToKeyChar(char32_t character) {
    unsigned char code = kNotInCodePage;
    if (character < 0x80) {
        code = static_cast<unsigned char>(character);
    } else if (character >= U'А' && character <= U'я') {
        code = static_cast<unsigned char>(kCapitalA + (character - U'А'));
    } else if (character == U'Ё') {
        code = kCapitalYo;
    } else if (character == U'ё') {
        code = kSmallYo;
    }
    return static_cast<char>(code);
}

char32_t FromKeyChar(char key) {
    const auto code = static_cast<unsigned char>(key);
    if (code < 0x80) {
        return code;
    }
    if (code >= kCapitalA) {
        return U'А' + (code - kCapitalA);
    }
    if (code == kCapitalYo) {
        return U'Ё';
    }
    if (code == kSmallYo) {
        return U'ё';
    }
    return U'\uFFFD';
}

}  // namespace vantrel
