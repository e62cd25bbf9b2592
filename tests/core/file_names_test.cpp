#include <gtest/gtest.h>

#include <string>

#include "diary/FileNames.h"

namespace {

// The one path helper: a path taken apart and put together again names the same file, also at
// the root and for a bare name.
TEST(FileNames, TakesPathsApartAndJoinsThem) {
    struct Case {
        std::string path;
        std::string folder;
        std::string name;
        std::string joined;  // Join(folder, name)
    };
    const Case cases[] = {
        {"/home/ann/diary.glg", "/home/ann", "diary.glg", "/home/ann/diary.glg"},
        {"/diary.glg", "/", "diary.glg", "/diary.glg"},
        {"diary.glg", ".", "diary.glg", "./diary.glg"},
        {"notes/diary.glg", "notes", "diary.glg", "notes/diary.glg"},
        {"notes/", "notes", "", "notes/"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(file_names::FolderOf(c.path), c.folder);
        EXPECT_EQ(file_names::NameOf(c.path), c.name);
        EXPECT_EQ(file_names::Join(c.folder, c.name), c.joined);
    }
    EXPECT_EQ(file_names::Join("", "diary.glg"), "diary.glg");
}

}  // namespace
