// The desktop's settings file as the command line reads it, without wx. (What the desktop
// writes is read back in tests/gui/app_parts_test.cpp.)

#include <gtest/gtest.h>

#include "diary/SettingsFile.h"

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

}  // namespace
