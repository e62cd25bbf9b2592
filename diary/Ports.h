#pragma once
// The document reaches the outside world only through these interfaces. The desktop shell
// implements them with wxWidgets, the command line with plain streams, the tests with fakes.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

using StringList = std::vector<std::string>;

class FileSystem;

// Seconds since 1970-01-01 UTC.
using TimeValue = std::int64_t;

// The per-user settings store (sections and integer or text values).
class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual int GetInt(std::string_view section, std::string_view name, int fallback) const = 0;
    virtual void WriteInt(std::string_view section, std::string_view name, int value) = 0;
    virtual std::string GetString(std::string_view section, std::string_view name,
                                  std::string_view fallback) const = 0;
    virtual void WriteString(std::string_view section, std::string_view name,
                             std::string_view value) = 0;
};

// What the document needs of whatever holds it: the modified flag, the views, the file's
// path and title ("Untitled" until the diary has a file).
class DocumentHost {
public:
    virtual ~DocumentHost() = default;
    virtual void SetModifiedFlag(bool modified) = 0;
    virtual bool IsModified() const = 0;
    virtual void UpdateAllViews() = 0;
    virtual void SetPathName(const std::string& path) = 0;  // empty: no file
    virtual std::string GetPathName() const = 0;
    // The file's name as the file system holds it (UTF-8), or "Untitled".
    virtual std::string GetTitle() const = 0;
};

// Questions, notices and the data-entry dialogs. Texts are in the diary's code page
// (Windows-1252); implementations convert for display.
class UserInterface {
public:
    virtual ~UserInterface() = default;
    // Yes/No with the question icon; true only for Yes.
    virtual bool AskYesNo(std::string_view question) = 0;
    // OK with the exclamation icon.
    virtual void Notify(std::string_view message) = 0;
    // OK with the information icon: a notice that reports rather than warns.
    virtual void Inform(std::string_view message) { Notify(message); }
    // A failure to read or write a file, with the message for its cause.
    virtual void ReportError(std::string_view message) = 0;
    // A question with two ways on and Cancel (buttons in that order, with their mnemonics).
    // Whoever cannot ask cancels, which leaves everything as it is.
    enum class Choice { First, Second, Third, Cancel };
    virtual Choice AskChoice(std::string_view question, std::string_view first,
                             std::string_view second) {
        (void)question, (void)first, (void)second;
        return Choice::Cancel;
    }
    // The same with a third way on; whoever cannot offer it asks with the first two only.
    virtual Choice AskChoiceOfThree(std::string_view question, std::string_view first,
                                    std::string_view second, std::string_view third) {
        (void)third;
        return AskChoice(question, first, second);
    }

    // The symptom dialog on a working copy of the symptom lines; true for OK.
    virtual bool ShowSymptomDialog(const std::string& dayLabel, StringList& symptomLines) = 0;
    // The day-list dialog on working copies of the master list and the day list; true for OK.
    virtual bool ShowDayListDialog(const std::string& dayLabel, StringList& masterList,
                                   StringList& dayList) = 0;
    // "Day After Relationships": three parallel columns.
    virtual void ShowRelationships(const StringList& symptoms, const StringList& bestFoods,
                                   const StringList& worstFoods) = 0;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;
};

// The training progress window: opened for one run, stepped once per epoch, then closed.
class ProgressIndicator {
public:
    virtual ~ProgressIndicator() = default;
    virtual void Open() = 0;
    virtual void SetRange(int lower, int upper) = 0;
    virtual void SetPos(int position) = 0;
    virtual void SetStep(int step) = 0;
    virtual void StepIt() = 0;
    virtual void Close() = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual TimeValue Now() const = 0;
};

// The set of ports a document works with. Any port left null is replaced by a quiet default
// (see QuietPorts.h): no questions answered Yes, no progress, the system clock, no settings.
struct DocumentPorts {
    SettingsStore* settings = nullptr;
    DocumentHost* host = nullptr;
    UserInterface* ui = nullptr;
    ProgressIndicator* progress = nullptr;
    Clock* clock = nullptr;
    FileSystem* files = nullptr;  // the real file system when left null
};
