#include <gtest/gtest.h>

#include "tests/cli/CliTestSupport.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/ReaderTools.h"

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

    // The page's text as a reader of the PDF gets it.
    std::string Page(std::initializer_list<std::string> flags) {
        std::vector<std::string> arguments{"page", path, "--pdf", pdf};
        arguments.insert(arguments.end(), flags);
        const CliRun run = RunCli(arguments);
        EXPECT_EQ(run.status, 0) << run.err;
        return PdfText(pdf);
    }

    ScratchFolder folder;
    std::string path = folder.File("diary.glg");
    std::string pdf = folder.File("page.pdf");
};

TEST_F(PageCommand, DrawsTheDiaryNotTheNewUserGuidance) {
    const std::string picture = Page({});
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

TEST_F(PageCommand, WritesEveryPictureAskedFor) {
    const std::string svg = folder.File("page.svg"), png = folder.File("page.png");
    const CliRun run = RunCli({"page", path, "--svg", svg, "--png", png, "--pdf", pdf});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(FileText(svg).rfind("<?xml", 0), 0u);
    EXPECT_EQ(FileText(png).substr(1, 3), "PNG");
    EXPECT_EQ(PdfPageCount(pdf), 1);
}

TEST_F(PageCommand, RefusesMissingOrUnwritablePictures) {
    const struct {
        std::vector<std::string> arguments;
        int status;
        std::string message;
    } cases[] = {
        {{"page", path}, 2, "--svg,--pdf,--png"},
        {{"page", path, "--svg", folder.File("no/such/folder/page.svg")}, 1, "no/such/folder was not found"},
        {{"page", path, "--png", folder.File("no/such/folder/page.png")}, 1, "no/such/folder was not found"},
    };
    for (const auto& c : cases) {
        const CliRun run = RunCli(c.arguments);
        EXPECT_EQ(run.status, c.status) << c.arguments.back();
        EXPECT_NE(run.err.find(c.message), std::string::npos) << run.err;
    }
}

}  // namespace
