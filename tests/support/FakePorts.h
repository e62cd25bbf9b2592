#pragma once
// Test doubles of the document's ports. The scripted user interface answers each question,
// notice and dialog in the order the test expects them and fails the test on any other.

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "diary/GastrologDoc.h"
#include "diary/QuietPorts.h"

class FixedClock : public Clock {
public:
    explicit FixedClock(TimeValue now = 0) : m_now(now) {}
    TimeValue Now() const override { return m_now; }
    void Set(TimeValue now) { m_now = now; }
    void Advance(TimeValue seconds) { m_now += seconds; }

private:
    TimeValue m_now;
};

// Local time for the test's pinned time zone (TZ is set by ctest).
inline TimeValue LocalTime(int year, int month, int day, int hour = 12, int minute = 0,
                           int second = 0) {
    std::tm fields{};
    fields.tm_year = year - 1900;
    fields.tm_mon = month - 1;
    fields.tm_mday = day;
    fields.tm_hour = hour;
    fields.tm_min = minute;
    fields.tm_sec = second;
    fields.tm_isdst = -1;
    return static_cast<TimeValue>(std::mktime(&fields));
}

// Pins the local time zone for tests run outside ctest (which sets TZ itself).
inline void PinTimeZone(const char* zone = "Europe/Berlin") {
    setenv("TZ", zone, 1);
    tzset();
}

// A folder of its own under the system's temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        static std::atomic<int> counter{0};
        m_path = std::filesystem::temp_directory_path() /
                 ("gastrolog-test-" + std::to_string(getpid()) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(m_path);
        std::filesystem::create_directories(m_path);
    }
    ~TemporaryFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;

    const std::filesystem::path& Path() const { return m_path; }
    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

class ScriptedUserInterface : public UserInterface {
public:
    enum class Kind {
        Question,
        Choice,
        Notice,
        Error,
        SymptomDialog,
        DayListDialog,
        Relationships
    };

    using SymptomScript = std::function<bool(const std::string& label, StringList& lines)>;
    using DayListScript =
        std::function<bool(const std::string& label, StringList& master, StringList& day)>;

    ~ScriptedUserInterface() override {
        EXPECT_TRUE(m_steps.empty()) << m_steps.size() << " expected interactions never came";
    }

    void ExpectQuestion(std::string text, bool answerYes) {
        Step& step = m_steps.emplace_back(Kind::Question, std::move(text));
        step.answerYes = answerYes;
    }
    // The text holds the question, then the two choices' labels, each on a line of its own.
    void ExpectChoice(std::string text, Choice answer) {
        Step& step = m_steps.emplace_back(Kind::Choice, std::move(text));
        step.choice = answer;
    }
    void ExpectNotice(std::string text) { m_steps.emplace_back(Kind::Notice, std::move(text)); }
    void ExpectError(std::string text) { m_steps.emplace_back(Kind::Error, std::move(text)); }
    // The script edits the working copy as the user would and returns true for OK.
    void ExpectSymptomDialog(SymptomScript script) {
        m_steps.emplace_back(Kind::SymptomDialog).symptoms = std::move(script);
    }
    void ExpectDayListDialog(DayListScript script) {
        m_steps.emplace_back(Kind::DayListDialog).dayList = std::move(script);
    }
    void ExpectRelationships() { m_steps.emplace_back(Kind::Relationships); }
    bool Done() const { return m_steps.empty(); }

    bool AskYesNo(std::string_view question) override {
        auto step = Next(Kind::Question, question);
        return step.answerYes;
    }
    Choice AskChoice(std::string_view question, std::string_view first,
                     std::string_view second) override {
        const std::string text =
            std::string(question) + "\n" + std::string(first) + "\n" + std::string(second);
        return Next(Kind::Choice, text).choice;
    }
    // The text holds the question, then the three choices' labels, each on a line of its own.
    Choice AskChoiceOfThree(std::string_view question, std::string_view first,
                            std::string_view second, std::string_view third) override {
        return AskChoice(question, first, std::string(second) + "\n" + std::string(third));
    }
    void Notify(std::string_view message) override { Next(Kind::Notice, message); }
    void ReportError(std::string_view message) override { Next(Kind::Error, message); }
    bool ShowSymptomDialog(const std::string& label, StringList& lines) override {
        auto step = Next(Kind::SymptomDialog, {});
        return step.symptoms ? step.symptoms(label, lines) : false;
    }
    bool ShowDayListDialog(const std::string& label, StringList& master, StringList& day) override {
        auto step = Next(Kind::DayListDialog, {});
        return step.dayList ? step.dayList(label, master, day) : false;
    }
    void ShowRelationships(const StringList& symptoms, const StringList& best,
                           const StringList& worst) override {
        Next(Kind::Relationships, {});
        shownSymptoms = symptoms;
        shownBest = best;
        shownWorst = worst;
    }
    void BeginWaitCursor() override { ++waitCursorDepth; }
    void EndWaitCursor() override { --waitCursorDepth; }

    StringList shownSymptoms, shownBest, shownWorst;
    int waitCursorDepth = 0;

private:
    struct Step {
        explicit Step(Kind kind, std::string text = {}) : kind(kind), text(std::move(text)) {}

        Kind kind;
        std::string text;
        bool answerYes = false;
        Choice choice = Choice::Cancel;
        SymptomScript symptoms;
        DayListScript dayList;
    };

    Step Next(Kind kind, std::string_view text) {
        if (m_steps.empty()) {
            ADD_FAILURE() << "unexpected interaction: " << Describe(kind) << " \"" << text << "\"";
            return Step(kind);
        }
        Step step = std::move(m_steps.front());
        m_steps.pop_front();
        EXPECT_EQ(Describe(step.kind), Describe(kind)) << "text: \"" << text << "\"";
        if (kind == Kind::Question || kind == Kind::Choice || kind == Kind::Notice ||
            kind == Kind::Error) {
            EXPECT_EQ(step.text, text);
        }
        return step;
    }

    static const char* Describe(Kind kind) {
        switch (kind) {
            case Kind::Question:
                return "question";
            case Kind::Choice:
                return "choice";
            case Kind::Notice:
                return "notice";
            case Kind::Error:
                return "error";
            case Kind::SymptomDialog:
                return "symptom dialog";
            case Kind::DayListDialog:
                return "day-list dialog";
            case Kind::Relationships:
                return "relationships dialog";
        }
        return "?";
    }

    std::deque<Step> m_steps;
};

class CountingProgress : public ProgressIndicator {
public:
    void Open() override { ++opened; }
    void SetRange(int low, int high) override { lower = low, upper = high; }
    void SetPos(int position) override { this->position = position; }
    void SetStep(int value) override { step = value; }
    void StepIt() override { ++steps; }
    void Close() override { ++closed; }

    int opened = 0, closed = 0, lower = -1, upper = -1, position = -1, step = -1, steps = 0;
};

// A document wired to fakes, as most tests want it.
struct FakeDiary {
    MemorySettings settings;
    PlainHost host;
    ScriptedUserInterface ui;
    CountingProgress progress;
    FixedClock clock;
    CGastrologDoc doc{DocumentPorts{&settings, &host, &ui, &progress, &clock}};
};
