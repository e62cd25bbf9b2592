// Import's memory: whatever the input, the real program's peak stays below ten times the input
// plus 64 MiB, and a large real diary still imports. What deep nesting is told is in
// import_refusal_test.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include "tests/cli/CliTestSupport.h"

namespace {

constexpr std::size_t MiB = 1024 * 1024;
constexpr std::size_t LargestInput = 64 * MiB;

struct Measured {
    int status = -1;
    std::size_t peakBytes = 0;
};

// Runs gastrolog-cli as a process of its own, so that its peak is its own: forked (not spawned,
// which would share this program's memory until the new program starts) while this program
// holds little, then replaced by gastrolog-cli.
Measured RunProgram(const std::vector<std::string>& arguments) {
    std::vector<char*> argv{const_cast<char*>(GASTROLOG_CLI_PROGRAM)};
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    Measured measured;
    const pid_t child = ::fork();
    if (child == 0) {
        const int quiet = ::open("/dev/null", O_WRONLY);
        ::dup2(quiet, 1);
        ::dup2(quiet, 2);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (child < 0 || ::wait4(child, &status, 0, &usage) != child) return measured;
    measured.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    measured.peakBytes = static_cast<std::size_t>(usage.ru_maxrss) * 1024;
    return measured;
}

// `size` bytes of JSON: the opening, the unit repeated, the closing.
void WriteRepeated(const std::string& path, const std::string& opening, const std::string& unit,
                   const std::string& separator, const std::string& closing, std::size_t size) {
    std::string text = opening;
    text.reserve(size);
    while (text.size() + unit.size() + separator.size() + closing.size() <= size) {
        if (text.size() > opening.size()) text += separator;
        text += unit;
    }
    text += closing;
    WriteText(path, text);
}

TEST(ImportMemory, StaysBelowTenTimesTheInputPlus64MiB) {
    ScratchFolder folder;
    const std::string input = folder.File("input.json"), output = folder.File("out.glg");
    const struct {
        const char* what;
        std::function<void()> write;
        int status;
    } cases[] = {
        {"[[[...]]] nested 32 Mi deep",
         [&] {
             WriteText(input,
                       std::string(LargestInput / 2, '[') + std::string(LargestInput / 2, ']'));
         },
         1},
        {"[{},{},...]", [&] { WriteRepeated(input, "[", "{}", ",", "]", LargestInput); }, 1},
        {"a list of empty foods",
         [&] { WriteRepeated(input, "{\"foods\":[", "{}", ",", "]}", LargestInput); }, 1},
        {"a list of zeros",
         [&] { WriteRepeated(input, "{\"foods\":[", "0", ",", "]}", LargestInput); }, 1},
        {"a list of long names",
         [&] {
             WriteRepeated(input, "{\"foodNames\":[", "\"" + std::string(100, 'x') + "\"", ",",
                           "]}", LargestInput);
         },
         1},
        // Untrained, so every weight is a 0: the most values for its bytes a diary's JSON has.
        {"a diary of 2,000 untrained foods",
         [&] {
             const std::string diary = folder.File("big.glg");
             {
                 CGastrologDoc doc;
                 for (int food = 1; food <= 2000; ++food)
                     Members(doc).m_foods.push_back(
                         MakeFood("Food " + std::to_string(food), History('n', 'y', {food % 50})));
                 for (int symptom = 1; symptom <= 20; ++symptom)
                     Members(doc).m_symptoms.push_back(MakeSymptom(
                         "Symptom " + std::to_string(symptom), History('n', 'w', {symptom})));
                 CompleteDiary(doc, LocalTime(2025, 3, 6, 20), 50);
                 SaveDiary(doc, diary);
             }
             ASSERT_EQ(RunProgram({"export", diary, "-o", input}).status, 0);
         },
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.write();
        std::filesystem::remove(output);
        const std::size_t size = std::filesystem::file_size(input);
        const Measured run = RunProgram({"import", input, "-o", output});
        EXPECT_EQ(run.status, c.status);
        EXPECT_EQ(std::filesystem::exists(output), c.status == 0);
        std::printf("import of %s, %zu bytes: peak %zu MiB (bound %zu MiB)\n", c.what, size,
                    run.peakBytes / MiB, (10 * size + 64 * MiB) / MiB);
#if !defined(__SANITIZE_ADDRESS__)
        // The sanitizers' shadow memory and quarantine are no measure of the program's own.
        EXPECT_LT(run.peakBytes, 10 * size + 64 * MiB);
#endif
    }
}

}  // namespace
