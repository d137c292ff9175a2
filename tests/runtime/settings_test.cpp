// TobekGunner.ini: the defaults, each setting, remapped keys at work, and every way a file can be
// wrong (bad lines, a huge or binary file, a file that cannot be read).
#include "runtime/settings.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "crew/crew_fixture.h"
#include "runtime/key_names.h"
#include "runtime/platform_calls.h"

namespace {

using ::testing::HasSubstr;
using ::testing::Not;

class SettingsTest : public test::CrewTest {
protected:
    void startWith(const std::optional<std::string>& settings) {
        giveScriptFolder(settings);
        startScript();
    }

    void expectDefaults() {
        EXPECT_EQ(describeKeyBinding(state.settings.menuKeys), "Ctrl+I");
        EXPECT_EQ(describeKeyBinding(state.settings.attackModeKeys), "E");
        EXPECT_EQ(describeKeyBinding(state.settings.upKeys), "NumPad8, PageUp");
        EXPECT_EQ(describeKeyBinding(state.settings.downKeys), "NumPad2, PageDown");
        EXPECT_EQ(describeKeyBinding(state.settings.chooseKeys), "NumPad5, Enter");
        EXPECT_EQ(state.settings.gunnerModel, "ig_tobekdavis");
    }

    std::vector<std::string> logLines() {
        std::vector<std::string> lines;
        std::istringstream in(log());
        for (std::string line; std::getline(in, line);) lines.push_back(line);
        return lines;
    }

    void tap(int key) {
        host().setKey(key, true);
        host().runFrames(1);
        host().setKey(key, false);
        host().runFor(300);
    }
};

TEST_F(SettingsTest, WithoutAFileEveryDefaultHoldsAndTheLogSaysSo) {
    startWith(std::nullopt);
    expectDefaults();
    const std::string text = log();
    EXPECT_THAT(text, HasSubstr("Tobek Gunner "));
    EXPECT_THAT(text, HasSubstr("no TobekGunner.ini beside the script; every setting keeps its default"));
    EXPECT_THAT(text, HasSubstr("setting [keys] menu = Ctrl+I"));
    EXPECT_THAT(text, HasSubstr("setting [keys] choose = NumPad5, Enter"));
    EXPECT_THAT(text, HasSubstr("setting [gunner] model = ig_tobekdavis"));
    // Every line starts with its wall-clock time, "YYYY-MM-DD hh:mm:ss.mmm ".
    for (const std::string& line : logLines()) {
        ASSERT_GT(line.size(), 24u);
        EXPECT_EQ(line[4], '-');
        EXPECT_EQ(line[10], ' ');
        EXPECT_EQ(line[13], ':');
        EXPECT_EQ(line[19], '.');
        EXPECT_EQ(line[23], ' ');
    }
}

TEST_F(SettingsTest, EachSettingIsAppliedAndLoggedAsInForce) {
    startWith(
        "; my keys\n"
        "[keys]\n"
        "menu = Shift+F5\n"
        "attack_mode = Q\n"
        "up = W, Up\n"
        "down = S\n"
        "choose = Space, NumPad5\n"
        "[gunner]\n"
        "model = s_m_y_swat_01\n");
    EXPECT_EQ(describeKeyBinding(state.settings.menuKeys), "Shift+F5");
    EXPECT_EQ(describeKeyBinding(state.settings.attackModeKeys), "Q");
    EXPECT_EQ(describeKeyBinding(state.settings.upKeys), "W, Up");
    EXPECT_EQ(describeKeyBinding(state.settings.downKeys), "S");
    EXPECT_EQ(describeKeyBinding(state.settings.chooseKeys), "Space, NumPad5");
    EXPECT_EQ(state.settings.gunnerModel, "s_m_y_swat_01");
    const std::string text = log();
    EXPECT_THAT(text, HasSubstr("setting [keys] menu = Shift+F5"));
    EXPECT_THAT(text, HasSubstr("setting [keys] up = W, Up"));
    EXPECT_THAT(text, HasSubstr("setting [gunner] model = s_m_y_swat_01"));
    EXPECT_THAT(text, Not(HasSubstr("TobekGunner.ini line")));
}

TEST_F(SettingsTest, TheShippedFileSetsExactlyTheDefaults) {
    std::ifstream in(std::string(TG_PACKAGING_DIR) + "/TobekGunner.ini", std::ios::binary);
    ASSERT_TRUE(in);
    std::ostringstream text;
    text << in.rdbuf();
    // Starting from other values shows that every line of the file was applied.
    startWith("[keys]\nmenu = F1\n");
    state.settings = Settings{};
    state.settings.menuKeys = bindKeys(KeyChord{0x70});
    state.settings.attackModeKeys = state.settings.upKeys = state.settings.downKeys = state.settings.chooseKeys =
        state.settings.menuKeys;
    state.settings.gunnerModel = "none";
    applySettingsText(text.str());
    expectDefaults();
    EXPECT_THAT(log(), Not(HasSubstr("TobekGunner.ini line")));
}

TEST_F(SettingsTest, SectionAndSettingNamesIgnoreCaseAndABomIsSkipped) {
    startWith("\xEF\xBB\xBF[KEYS]\nMenu = F6\n");
    EXPECT_EQ(describeKeyBinding(state.settings.menuKeys), "F6");
}

TEST_F(SettingsTest, RemappedKeysDriveTheMenuAndTheOldOnesDoNothing) {
    startWith("[keys]\nmenu = F5\ndown = S\nchoose = Space\n");
    host().setKey(Key::control, true);
    tap(Key::letterI);
    host().setKey(Key::control, false);
    EXPECT_FALSE(state.menuOpen);

    tap(0x74);  // F5
    ASSERT_TRUE(state.menuOpen);
    tap(Key::numpad2);
    EXPECT_EQ(state.menuSelection, 0);
    tap('S');
    EXPECT_EQ(state.menuSelection, 1);
    host().clearCalls();
    host().setKey(' ', true);
    host().runFrames(1);
    host().setKey(' ', false);
    ASSERT_TRUE(host().runUntil([] { return !state.menuOpen; }, 3000));
    EXPECT_EQ(host().countCalls("CREATE_VEHICLE"), 1u);
    EXPECT_EQ(state.statusText, "Insurgent vehicle created.");
}

TEST_F(SettingsTest, ARemappedAttackModeKeyStepsTheModeAndEDoesNot) {
    startWith("[keys]\nattack_mode = Ctrl+Q\n");
    const auto crew = placeCrew(1);
    seatPlayerIn(crew.vehicle);
    tap(Key::letterE);
    EXPECT_EQ(state.attackMode, 0);
    tap('Q');
    EXPECT_EQ(state.attackMode, 0);
    host().setKey(Key::control, true);
    tap('Q');
    EXPECT_EQ(state.attackMode, 1);
    EXPECT_EQ(state.statusText, "Attack mode: Tobek attack enemies.");
}

TEST_F(SettingsTest, TheGunnerModelSettingChoosesTheSpawnedPed) {
    startWith("[gunner]\nmodel = s_m_y_cop_01\n");
    spawnFromMenu(0);
    ASSERT_TRUE(world().exists(state.gunnerPed));
    EXPECT_EQ(entity(state.gunnerPed).model, sim::hashName("s_m_y_cop_01"));
    EXPECT_THAT(log(), HasSubstr("spawned the Technical with gunner model s_m_y_cop_01"));
}

TEST_F(SettingsTest, BadLinesKeepTheirDefaultAndAreLoggedWithTheirLineNumber) {
    startWith(
        "; line 1\n"
        "[keys]\n"
        "menu = Banana\n"
        "attack_mode =\n"
        "jump = J\n"
        "up = W\n"
        "[gunner]\n"
        "model = ../../x\n"
        "[colours]\n"
        "red = 1\n"
        "this line means nothing\n"
        "down = Ctrl+\n");
    EXPECT_EQ(describeKeyBinding(state.settings.menuKeys), "Ctrl+I");
    EXPECT_EQ(describeKeyBinding(state.settings.attackModeKeys), "E");
    EXPECT_EQ(describeKeyBinding(state.settings.upKeys), "W");
    EXPECT_EQ(describeKeyBinding(state.settings.downKeys), "NumPad2, PageDown");
    EXPECT_EQ(state.settings.gunnerModel, "ig_tobekdavis");
    const std::string text = log();
    EXPECT_THAT(text, HasSubstr("TobekGunner.ini line 3: unknown key name in [keys] menu = 'Banana'"));
    EXPECT_THAT(text, HasSubstr("TobekGunner.ini line 4: empty value for [keys] attack_mode = ''"));
    EXPECT_THAT(text, HasSubstr("TobekGunner.ini line 5: unknown setting [keys] jump = 'J'"));
    EXPECT_THAT(text, HasSubstr("TobekGunner.ini line 8: not a model name in [gunner] model = '../../x'"));
    EXPECT_THAT(text, HasSubstr("TobekGunner.ini line 10: unknown setting [colours] red = '1'"));
    EXPECT_THAT(text, HasSubstr("TobekGunner.ini line 12: unknown setting [colours] down = 'Ctrl+'"));
}

TEST_F(SettingsTest, AFileOverTheLimitIsNotReadAtAll) {
    std::string huge = "[keys]\nmenu = F5\n";
    huge.resize(10 * 1024 * 1024, ';');
    startWith(huge);
    expectDefaults();
    EXPECT_THAT(log(), HasSubstr("TobekGunner.ini is larger than 64 KiB, so it is not read"));
}

TEST_F(SettingsTest, ABinaryFileLeavesSaneSettingsAndAShortLog) {
    std::mt19937 random(13);
    // Noise without NUL bytes first, so the parser reads all of it, then a NUL and more noise.
    std::string bytes;
    for (int i = 0; i < 25 * 1024; ++i) bytes.push_back(static_cast<char>(1 + random() % 255));
    bytes.push_back('\0');
    for (int i = 0; i < 25 * 1024; ++i) bytes.push_back(static_cast<char>(random() & 0xFF));
    // Some structure for the parser to chew on between the noise.
    for (int i = 0; i < 400; ++i)
        bytes.insert(static_cast<std::size_t>(random() % (25 * 1024)), "\n[keys]\nmenu=\x01\n");
    startWith(bytes);
    expectDefaults();
    const std::vector<std::string> lines = logLines();
    // The version, at most 20 listed rejections and the count of the rest, and the six settings.
    EXPECT_LE(lines.size(), 1u + 21u + 6u);
    EXPECT_THAT(log(), HasSubstr("more rejected lines not listed"));
    for (const std::string& line : lines) {
        for (char c : line) EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20) << line;
    }
}

TEST_F(SettingsTest, AFileThatCannotBeReadMeansDefaultsAndOneLogLine) {
    giveScriptFolder();
    // A folder in the file's place: it opens on some systems, but reading it fails on all.
    std::filesystem::create_directory(folder->folder() / "TobekGunner.ini");
    startScript();
    expectDefaults();
    EXPECT_THAT(log(), HasSubstr("TobekGunner.ini cannot be read; every setting keeps its default"));
}

TEST_F(SettingsTest, NothingIsEverWrittenBackToTheFile) {
    const std::string text = "[keys]\nmenu = Banana\n; keep me\n";
    startWith(text);
    spawnFromMenu(0);
    std::ifstream in(folder->folder() / "TobekGunner.ini", std::ios::binary);
    std::ostringstream after;
    after << in.rdbuf();
    EXPECT_EQ(after.str(), text);
}

}  // namespace
