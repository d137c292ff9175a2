// Key names as players write them: what each spelling binds, what is refused, and how a bound
// chord is read from the keyboard.
#include "runtime/key_names.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "crew/crew_fixture.h"
#include "runtime/platform_calls.h"

namespace {

int keyOf(const char* text) {
    const auto chord = parseKeyChord(text);
    return chord ? chord->key : -1;
}

TEST(KeyNames, EverySpellingPlayersUseMapsToItsVirtualKey) {
    EXPECT_EQ(keyOf("I"), 0x49);
    EXPECT_EQ(keyOf("e"), 0x45);
    EXPECT_EQ(keyOf("7"), 0x37);
    EXPECT_EQ(keyOf("F5"), 0x74);
    EXPECT_EQ(keyOf("f24"), 0x87);
    EXPECT_EQ(keyOf("NumPad8"), 0x68);
    EXPECT_EQ(keyOf("numpad0"), 0x60);
    EXPECT_EQ(keyOf("PageUp"), 0x21);
    EXPECT_EQ(keyOf("pagedown"), 0x22);
    EXPECT_EQ(keyOf("Enter"), 0x0D);
    EXPECT_EQ(keyOf("RETURN"), 0x0D);
    EXPECT_EQ(keyOf("Space"), 0x20);
    EXPECT_EQ(keyOf("  Home  "), 0x24);
}

TEST(KeyNames, ModifiersAreHeldWithTheKey) {
    const auto chord = parseKeyChord("Ctrl+Shift+Alt+F5");
    ASSERT_TRUE(chord);
    EXPECT_EQ(chord->key, 0x74);
    EXPECT_TRUE(chord->ctrl);
    EXPECT_TRUE(chord->shift);
    EXPECT_TRUE(chord->alt);
    const auto plain = parseKeyChord("control + i");
    ASSERT_TRUE(plain);
    EXPECT_TRUE(plain->ctrl);
    EXPECT_FALSE(plain->shift);
    EXPECT_EQ(plain->key, 0x49);
}

TEST(KeyNames, UnknownOrMalformedNamesAreRefused) {
    for (const char* bad : {"", "Banana", "F0", "F25", "F100", "NumPad10", "Ctrl+", "Ctrl", "Hyper+I", "Ctrl+Ctrl",
                            "+I", "I+", "Ctrl+I+J", "\x01", "Page Up"}) {
        EXPECT_FALSE(parseKeyChord(bad)) << "'" << bad << "'";
    }
}

TEST(KeyNames, ABindingNamesUpToFourChords) {
    const auto two = parseKeyBinding("NumPad8, PageUp");
    ASSERT_TRUE(two);
    EXPECT_EQ(two->count, 2u);
    EXPECT_EQ(describeKeyBinding(*two), "NumPad8, PageUp");
    const auto four = parseKeyBinding("A,B,C,D");
    ASSERT_TRUE(four);
    EXPECT_EQ(describeKeyBinding(*four), "A, B, C, D");
    EXPECT_FALSE(parseKeyBinding("A,B,C,D,E"));
    EXPECT_FALSE(parseKeyBinding("A,,B"));
    EXPECT_FALSE(parseKeyBinding("A, Banana"));
    EXPECT_EQ(describeKeyBinding(*parseKeyBinding("ctrl+shift+i")), "Ctrl+Shift+I");
    EXPECT_EQ(describeKeyBinding(*parseKeyBinding("return")), "Enter");
}

class ChordReading : public test::CrewTest {
protected:
    // Whether the chord reads as down, and the keys read to decide it.
    std::pair<bool, std::vector<int>> read(const char* text) {
        host().clearKeyReads();
        const bool down = isChordDown(*parseKeyChord(text));
        std::vector<int> keys;
        for (const auto& keyRead : host().keyReads()) keys.push_back(keyRead.virtualKey);
        return {down, keys};
    }
};

TEST_F(ChordReading, TheKeyIsReadFirstAndItsModifiersOnlyWhileItIsDown) {
    const auto up = read("Ctrl+I");
    EXPECT_FALSE(up.first);
    EXPECT_EQ(up.second, std::vector<int>{Key::letterI});

    host().setKey(Key::letterI, true);
    const auto withoutCtrl = read("Ctrl+I");
    EXPECT_FALSE(withoutCtrl.first);
    EXPECT_EQ(withoutCtrl.second, (std::vector<int>{Key::letterI, Key::control}));

    host().setKey(Key::control, true);
    EXPECT_TRUE(read("Ctrl+I").first);
    EXPECT_FALSE(read("Ctrl+Shift+I").first);
    host().setKey(Key::shift, true);
    host().setKey(Key::alt, true);
    const auto all = read("Ctrl+Shift+Alt+I");
    EXPECT_TRUE(all.first);
    EXPECT_EQ(all.second, (std::vector<int>{Key::letterI, Key::control, Key::shift, Key::alt}));
}

TEST_F(ChordReading, ABindingStopsReadingAtTheFirstChordDown) {
    host().setKey(Key::numpad8, true);
    host().clearKeyReads();
    EXPECT_TRUE(isBindingDown(*parseKeyBinding("NumPad8, PageUp")));
    ASSERT_EQ(host().keyReads().size(), 1u);
    host().setKey(Key::numpad8, false);
    host().clearKeyReads();
    EXPECT_FALSE(isBindingDown(*parseKeyBinding("NumPad8, PageUp")));
    ASSERT_EQ(host().keyReads().size(), 2u);
    EXPECT_EQ(host().keyReads()[1].virtualKey, Key::pageUp);
}

}  // namespace
