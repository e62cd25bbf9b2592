// The desktop's settings file as the command line reads it, without wx. (What the desktop
// writes is read back in tests/gui/app_parts_test.cpp.)

#include <gtest/gtest.h>

#include "diary/SettingsFile.h"
#include "tests/support/ScopedEnvironment.h"

namespace {

struct SettingsCase {
    const char* name;
    std::string text;
    int backupDays;  // what Settings/BackupDays reads as, 14 when absent
};

class SettingsText : public ::testing::TestWithParam<SettingsCase> {};

TEST_P(SettingsText, ReadsWhatTheDesktopWrote) {
    const SettingsCase& row = GetParam();
    const MemorySettings settings = settings_file::Parse(row.text);
    EXPECT_EQ(settings.GetInt("Settings", "BackupDays", 14), row.backupDays);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SettingsText,
    ::testing::Values(
        SettingsCase{"AsWritten",
                     "[Recent File List]\nfile1=/home/a/b.glg\n[Settings]\nNewDayTime=4\n"
                     "BackupDays=60\n[Tip]\nStartUp=1\n",
                     60},
        SettingsCase{"SpacesAndComments",
                     "# a comment\n; another\n  [Settings]  \n BackupDays = 0 \n", 0},
        SettingsCase{"OtherGroupOnly", "[Tip]\nBackupDays=3\n", 14},
        SettingsCase{"NotANumber", "[Settings]\nBackupDays=12abc\n", 14},
        SettingsCase{"Quoted", "[Settings]\nBackupDays=\"7\"\n", 7},
        SettingsCase{"NoEqualsSign", "[Settings]\nBackupDays\n", 14},
        SettingsCase{"Empty", "", 14}),
    [](const auto& info) { return std::string(info.param.name); });

// As wxFileConfig writes them: escaped blanks in names, quoted values with escapes.
TEST(SettingsFile, ReadsTheRecentDiariesAndTheirPlace) {
    const MemorySettings settings = settings_file::Parse(
        "[Recent\\ File\\ List]\n"
        "File1=\" /home/a b/d\\\\x\\\"y\\tz.glg \"\n"
        "File2=/tmp/x=1;#2.glg\n"
        "File4=/tmp/four.glg\n");
    EXPECT_EQ(settings_file::RecentFiles(settings),
              (std::vector<std::string>{" /home/a b/d\\x\"y\tz.glg ", "/tmp/x=1;#2.glg",
                                        "/tmp/four.glg"}));
    {
        const ScopedEnvironment config("XDG_CONFIG_HOME", "/x/config");
        EXPECT_EQ(settings_file::DefaultPath(), "/x/config/Gastrolog.conf");
    }
    const ScopedEnvironment noConfig("XDG_CONFIG_HOME", std::nullopt);
    const ScopedEnvironment home("HOME", "/x/home");
    EXPECT_EQ(settings_file::DefaultPath(), "/x/home/.config/Gastrolog.conf");
    EXPECT_TRUE(settings_file::RecentFiles(settings_file::Read("/nonexistent/G.conf")).empty());
}

}  // namespace
