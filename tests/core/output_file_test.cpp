// Outputs (reports, pictures, exports): what counts as a diary, which targets are refused, and
// the permissions and safety of what is written.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "diary/OutputFile.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"
#include "tests/support/FaultyFileSystem.h"

namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

Bytes DiaryBytes(int foods, int symptoms) {
    CGastrologDoc doc;
    for (int food = 0; food < foods; ++food)
        Members(doc).m_foods.emplace_back("Food " + std::to_string(food));
    for (int symptom = 0; symptom < symptoms; ++symptom)
        Members(doc).m_symptoms.emplace_back("Symptom " + std::to_string(symptom));
    Members(doc).m_dayCount = 3;
    for (const char* name : {"0", "1", "2", "3", "4"}) Members(doc).m_hidden.emplace_back(name);
    doc.RebuildFoodNames();
    doc.RebuildSymptomLines();
    return doc.WriteBytes();
}

Bytes TextBytes(const std::string& text) {
    return Bytes(text.begin(), text.end());
}

std::string Text(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

void Put(const std::string& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

mode_t ModeOf(const std::string& path) {
    struct stat status {};
    EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
    return status.st_mode & 0777;
}

// Sets the umask for one test and puts it back.
class Umask {
public:
    explicit Umask(mode_t mask) : m_previous(::umask(mask)) {}
    ~Umask() { ::umask(m_previous); }

private:
    mode_t m_previous;
};

TEST(BeginsAsDiary, KnowsADiaryByItsFirstBytesOnly) {
    const Bytes withFoods = DiaryBytes(3, 2);
    const Bytes cutAfterFirstClass(withFoods.begin(), withFoods.begin() + 60);
    const struct {
        const char* what;
        Bytes bytes;
        bool diary;
    } cases[] = {
        {"foods and symptoms", withFoods, true},
        {"symptoms only", DiaryBytes(0, 2), true},
        {"hidden units only", DiaryBytes(0, 0), true},
        {"damaged after its first record class", cutAfterFirstClass, true},
        {"nothing", {}, false},
        {"a PDF", TextBytes("%PDF-1.5\n%\xb5\xed\xae\xfb\n4 0 obj\n<< /Length 5 0 R >>\nstream\n"),
         false},
        {"a PNG", TextBytes("\x89PNG\r\n\x1a\n\0\0\0\rIHDR"), false},
        {"JSON", TextBytes("{\"lastUpdate\": 1, \"dayCount\": 3, \"foodNames\": []}"), false},
        {"CSV", TextBytes("date,Headache,Tea\r\n2025-01-06,better,1\r\n"), false},
        {"eight zero bytes", Bytes(8, 0), false},
        {"a diary's head with another class",
         TextBytes(std::string("\0\0\0\0\1\0\0\0\0\0\1\0"
                               "\xff\xff\1\0\5\0CWine",
                               23)),
         false},
    };
    for (const auto& c : cases) EXPECT_EQ(output_file::BeginsAsDiary(c.bytes), c.diary) << c.what;
}

class OutputTarget : public ::testing::Test {
protected:
    void SetUp() override {
        Put(diary, DiaryBytes(2, 1));
        Put(other, DiaryBytes(1, 1));
        Put(report, TextBytes("%PDF-1.5 an old report"));
    }

    TemporaryFolder folder;
    std::string diary = folder.File("diary.glg"), other = folder.File("other.glg"),
                report = folder.File("old.pdf");
};

TEST_F(OutputTarget, RefusesTheDiaryUnderAnyNameAndEveryOtherDiary) {
    fs::create_hard_link(diary, folder.File("hard.pdf"));
    fs::create_symlink(diary, folder.File("soft.pdf"));
    Put(folder.File("empty.pdf"), {});
    ASSERT_EQ(::mkfifo(folder.File("fifo.pdf").c_str(), 0600), 0);
    fs::create_directory(folder.File("folder.pdf"));
    const std::string refusal = " is a Gastrolog diary; choose another name for the report.";
    const struct {
        std::string target;
        FileResult::Code code;
        std::string message;
    } cases[] = {
        {folder.File("new.pdf"), FileResult::Code::Ok, ""},
        {report, FileResult::Code::Ok, ""},
        {folder.File("empty.pdf"), FileResult::Code::Ok, ""},
        {diary, FileResult::Code::IsDiary, diary + refusal},
        {folder.File("hard.pdf"), FileResult::Code::IsDiary, folder.File("hard.pdf") + refusal},
        {folder.File("soft.pdf"), FileResult::Code::IsDiary, folder.File("soft.pdf") + refusal},
        {other, FileResult::Code::IsDiary, other + refusal},
        {folder.File("fifo.pdf"), FileResult::Code::NotRegular,
         folder.File("fifo.pdf") + " is not a regular file (a device or a pipe); nothing was "
                                   "written."},
        {"/dev/null", FileResult::Code::NotRegular,
         "/dev/null is not a regular file (a device or a pipe); nothing was written."},
        {folder.File("folder.pdf"), FileResult::Code::Access,
         "Access to " + folder.File("folder.pdf") + " was denied."},
    };
    for (const auto& c : cases) {
        const FileResult result = output_file::Write(c.target, "%PDF new", diary);
        EXPECT_EQ(result.GetCode(), c.code) << c.target;
        EXPECT_EQ(result.Message(), c.message);
    }
    EXPECT_EQ(Bytes(DiaryBytes(2, 1)), TextBytes(Text(diary)));
    EXPECT_EQ(Bytes(DiaryBytes(1, 1)), TextBytes(Text(other)));
    EXPECT_EQ(Text(folder.File("new.pdf")), "%PDF new");
    EXPECT_EQ(Text(report), "%PDF new");
}

TEST_F(OutputTarget, NewOutputsTakeTheDiarysModeWhateverTheUmask) {
    Umask open(0);
    const struct {
        mode_t diaryMode;  // 0: the diary has no file yet
        mode_t outputMode;
    } cases[] = {{0600, 0600}, {0640, 0640}, {0644, 0644}, {0, 0600}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.diaryMode);
        if (c.diaryMode) {
            ASSERT_EQ(::chmod(diary.c_str(), c.diaryMode), 0);
        }
        const std::string output = folder.File("new-" + std::to_string(c.diaryMode) + ".csv");
        ASSERT_TRUE(output_file::Write(output, "a,b\r\n", c.diaryMode ? diary : "").IsOk());
        EXPECT_EQ(ModeOf(output), c.outputMode);
    }
    // An output written again keeps the permissions its owner gave it.
    ASSERT_EQ(::chmod(report.c_str(), 0640), 0);
    ASSERT_TRUE(output_file::Write(report, "%PDF again", diary).IsOk());
    EXPECT_EQ(ModeOf(report), 0640u);
}

TEST_F(OutputTarget, AFailedWriteLeavesTheOldOutputWhole) {
    for (const FileStep step : {FileStep::CreateFile, FileStep::Write, FileStep::Flush,
                                FileStep::Close, FileStep::Rename}) {
        FaultyFileSystem files(step, ENOSPC);
        const FileResult result = output_file::Write(report, "%PDF replacement", diary, files);
        EXPECT_EQ(result.Message(), "Disk full while accessing " + report + ".");
        EXPECT_EQ(Text(report), "%PDF-1.5 an old report");
    }
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(folder.Path())) ++entries;
    EXPECT_EQ(entries, 3u) << "no temporary file is left behind";
}

}  // namespace
