#include "toolkit/key_char.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

struct KeyCharCase {
    const char* what;
    char32_t character;
    int code;
    // Whether the code gives back the character typed.
    bool roundTrips;
};

// Both toolkits hand the filter this one byte, and insert what it maps back to.
TEST(KeyChar, TypedCharactersBecomeOneWindows1251Byte) {
    const KeyCharCase cases[] = {
        {"digit", U'7', '7', true},
        {"comma", U',', ',', true},
        {"backspace", 8, 8, true},
        {"Cyrillic A", U'А', 0xC0, true},
        {"Cyrillic ya", U'я', 0xFF, true},
        {"Cyrillic capital yo", U'Ё', 0xA8, true},
        {"Cyrillic yo", U'ё', 0xB8, true},
        {"euro sign", U'€', 0x98, false},
        {"a lone UTF-16 surrogate", 0xD83D, 0x98, false},
        {"beyond the basic plane", 0x1F600, 0x98, false},
    };
    for (const KeyCharCase& c : cases) {
        SCOPED_TRACE(c.what);
        const char key = ToKeyChar(c.character);
        EXPECT_EQ(static_cast<unsigned char>(key), c.code);
        // The filter compares signed: everything from 128 on is negative.
        EXPECT_EQ(key < 0, c.code >= 128);
        EXPECT_EQ(FromKeyChar(key) == c.character, c.roundTrips);
    }
}

TEST(KeyChar, EveryCyrillicLetterMapsBackToItself) {
    for (char32_t letter = U'А'; letter <= U'я'; ++letter) {
        EXPECT_EQ(FromKeyChar(ToKeyChar(letter)), letter) << static_cast<int>(letter);
    }
    EXPECT_EQ(FromKeyChar(ToKeyChar(U'€')), U'\uFFFD');
}

}  // namespace
}  // namespace vantrel
