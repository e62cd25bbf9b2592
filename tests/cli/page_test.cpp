#include <gtest/gtest.h>

#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"

namespace {

class PageCommand : public ::testing::Test {
protected:
    void SetUp() override {
        CGastrologDoc doc;
        Members(doc).m_foods.push_back(
            MakeFood("Red wine", History('n', 'y', {10, 20, 30, 40, 49})));
        Members(doc).m_symptoms.push_back(
            MakeSymptom("Headache", History('n', 'w', {11, 21, 31, 41})));
        CompleteDiary(doc, LocalTime(2025, 3, 6, 20), 50);
        SaveDiary(doc, path);
    }

    std::string Page(std::initializer_list<std::string> flags) {
        std::vector<std::string> arguments{"page", path, "--svg", svg};
        arguments.insert(arguments.end(), flags);
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        return FileText(svg);
    }

    ScratchFolder folder;
    std::string path = folder.File("diary.glg");
    std::string svg = folder.File("page.svg");
};

TEST_F(PageCommand, DrawsTheDiaryNotTheNewUserGuidance) {
    const std::string picture = Page({});
    EXPECT_NE(picture.find("<svg"), std::string::npos) << picture.substr(0, 80);
    EXPECT_EQ(picture.find("New user?"), std::string::npos);
    EXPECT_NE(picture.find("Symptoms - today"), std::string::npos);
    EXPECT_NE(picture.find("Headache"), std::string::npos);
    EXPECT_EQ(picture.find("Red wine"), std::string::npos) << "no lists and no foods section";
}

TEST_F(PageCommand, ListsAndAllSectionsOnRequest) {
    EXPECT_NE(Page({"--lists"}).find("Red wine"), std::string::npos);
    const std::string all = Page({"--all-sections"});
    EXPECT_NE(all.find("History of Symptoms"), std::string::npos);
    EXPECT_NE(all.find("Red wine"), std::string::npos);
}

TEST_F(PageCommand, UnwritablePictureIsAFailure) {
    const CliRun run = RunCli({"page", path, "--svg", folder.File("no/such/folder/page.svg")});
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.err.find("page.svg"), std::string::npos) << run.err;
}

}  // namespace
