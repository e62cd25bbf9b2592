#pragma once
// The diary: every food and symptom with its history, the network, the generated lists and
// the daily cycle that decides when a day begins and commits each day's entries.
//
// The operations are spread over files by concern:
//   diary/GastrologDoc.cpp     structure: clearing, rolling, rebuilding the name lists
//   diary/DocSerialize.cpp     the diary file's encoding, reading and saving
//   diary/DailyCycle.cpp       new days, skipped days, committing dialog results, enable rules
//   diary/EngineResults.cpp    keeping what the engine computes (lists, relationships)
// The network, list generation and the relationships are functions of engine/ that take the
// document: they reach the network through Network() and hand back values that the document
// keeps through its setters.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "diary/AtomicFile.h"
#include "diary/DiaryHistory.h"
#include "diary/EngineResults.h"
#include "diary/FileResult.h"
#include "diary/Food.h"
#include "diary/Hidden.h"
#include "diary/ListEntries.h"
#include "diary/NetworkView.h"
#include "diary/Ports.h"
#include "diary/StoredDiary.h"
#include "diary/Symptom.h"

class CArchive;
namespace today {
class TodayEntry;
}

// Far beyond any real diary (a thousand foods take about 130 KB); it bounds what a hostile
// file can make the reader allocate, and no program writes a larger diary.
inline constexpr std::size_t MaximumDiaryFileMebibytes = 16;
inline constexpr std::size_t MaximumDiaryFileSize = MaximumDiaryFileMebibytes * 1024 * 1024;
// The limit as messages name it: "16 MiB".
inline std::string MaximumDiaryFileSizeText() {
    return std::to_string(MaximumDiaryFileMebibytes) + " MiB";
}

class CGastrologDoc {
public:
    explicit CGastrologDoc(DocumentPorts ports = {});
    ~CGastrologDoc();
    CGastrologDoc(const CGastrologDoc&) = delete;
    CGastrologDoc& operator=(const CGastrologDoc&) = delete;

    // Replaces the given ports; null entries keep the quiet defaults.
    void SetPorts(DocumentPorts ports);

    // ---- structure
    void DeleteContents();
    void RollFoodHistories();
    void RollSymptomHistories();
    void RebuildFoodNames();
    void RebuildSymptomLines();
    void RebuildDayList(int daysBack);
    int GetLineCount() const;
    int GetNewDayHour() const;

    // ---- the file
    void Serialize(CArchive& archive);
    // Reads a diary file into this document as it is stored: no new day, no question. On
    // failure the document is left cleared and the result carries the message (e.g.
    // "Unexpected file format.").
    FileResult ReadFile(const std::string& path);
    // Writes the diary atomically (temporary file, flush, rename). Does not touch the host.
    // Over the file this diary was read from or last saved to, it writes only while that
    // file is unchanged, unless overwriteChanged; a file with other hard links only when
    // splitHardLinks.
    FileResult WriteFile(const std::string& path, bool overwriteChanged = false,
                         bool splitHardLinks = false);
    // WriteFile, then the path and a clear modified flag on success; reports nothing, so the
    // caller can ask the user about a file changed on disk or with other names.
    FileResult SaveDocument(const std::string& path, bool overwriteChanged = false,
                            bool splitHardLinks = false);
    // The framework's save: SaveDocument, with a failure reported through the user interface.
    bool OnSaveDocument(const std::string& path);
    // Where daily copies of the diary go before it is replaced (empty: none are kept).
    void SetBackupFolder(std::string folder) { m_backupFolder = std::move(folder); }
    const std::string& BackupFolder() const { return m_backupFolder; }
    // How many daily copies are kept, in place of the BackupDays setting (the command line's
    // choice); nothing returns to the setting.
    void SetBackupDays(std::optional<int> days) { m_backupDays = days; }
    // What dates the copies: the real clock unless a test gives another. Never the
    // document's own clock, which a simulation moves.
    void SetBackupClock(const Clock* clock) { m_backupClock = clock; }
    // Why the last save kept no daily copy of the file it replaced; empty when it did or
    // needed none.
    const std::string& BackupProblem() const { return m_backupProblem; }
    // Reads the history file beside the diary at `path` (after ReadFile): the dates of the
    // slots and the days before them. Never fails; what the user should hear of a damaged or
    // newer history file waits in TakeHistoryNotice.
    void LoadHistory(const std::string& path);
    std::string TakeHistoryNotice() { return m_history.TakeNotice(); }
    // Days brought in with an import: they become the history written at the next save.
    void AdoptHistory(lived::LivedDays days);
    const DiaryHistory& History() const { return m_history; }
    // ReadFile for a diary already in memory (e.g. a test or a fuzzer's input).
    FileResult ReadBytes(std::span<const std::uint8_t> bytes);
    // The bytes WriteFile stores; m_dayCount is raised to at least 1 first, as when saving.
    std::vector<std::uint8_t> WriteBytes();

    // ---- the daily cycle
    TimeValue GetEffectiveNow() const;
    int GetDaysSinceUpdate() const;
    bool CheckNewDay(bool afterLists);
    // Moves every history on to a new day slot and shows it (what a true CheckNewDay asks for).
    void StartNewDay();
    void OfferSkippedDays(int count);
    bool UpdateSymptoms(bool fromCommand, int dayIndex);
    bool CreateDayList(int dayIndex);
    // UpdateSymptoms and CreateDayList on working copies the caller keeps: a cancelled dialog
    // leaves them as the user left them, so that the dialog can open again on them.
    bool UpdateSymptoms(bool fromCommand, int dayIndex, StringList& symptomLines);
    bool CreateDayList(int dayIndex, StringList& masterList, StringList& dayList);
    std::string GetDayLabel(int dayIndex) const;
    // The Today window's day, committed through UpdateSymptoms and CreateDayList as if the two
    // dialogs had been answered with the entry's ratings and foods (diary/TodayCommit.cpp).
    // The foods only when the cycle then allows the day list. False when nothing was committed.
    bool CommitToday(const today::TodayEntry& entry);
    // When the diary's current day was started, by the clock (m_lastUpdate holds its diary
    // day, a calendar day earlier before the new-day hour).
    TimeValue GetLastUpdateMoment() const;
    bool OnNewDocument();
    bool OnOpenDocument(const std::string& path);
    // Opens the file as it is stored: no skipped days, no new day, no question; the stored
    // current day stays current. For printing what is stored.
    bool OpenStored(const std::string& path);
    // OpenStored for a copy (a daily backup): the diary has no file and is modified, and its
    // page shows as a diary's. Its daily cycle resumes once it is saved and opened again.
    bool OpenStoredCopy(const std::string& path);
    // A copy opened by OpenStoredCopy and not saved since.
    bool IsRestoredCopy() const { return m_restoredCopy; }

    // Command handlers of the Action menu (those that run the engine: engine/EngineCommands.h).
    void OnUpdateSymptoms();
    void OnCreateDayList();

    // Enable rules of the Action commands.
    bool OnUpdateUpdateSymptoms() const;
    bool OnUpdateCreateDayList() const;
    bool OnUpdateUpdateConnections() const;
    bool OnUpdateGenerateTomorrowsLists() const;
    bool OnUpdateGenerateCurrentLists() const;
    bool OnUpdateRelateFoodsToSymptoms() const;
    // The rule for any of the six Action command ids; false for other ids.
    bool IsActionEnabled(int commandId) const;

    // ---- what the engine works on and gives back
    // The network's members, writable in place; the only way the engine changes the diary.
    NetworkView Network();
    // Keeps the three lists and every food's score, marks the diary modified, tells the views.
    void SetGeneratedLists(GeneratedLists lists);
    // Keeps the relationships that RelateSymptoms(), RelateBest() and RelateWorst() show.
    void SetRelationships(Relationships relationships);
    // The Action commands around the engine's work: Update Connections shows the wait cursor
    // and the progress of a run of `epochs` epochs; the two list commands keep the lists that
    // `generate` gives and move the daily cycle on; Relate shows the relationships.
    void UpdateConnections(int epochs, const TrainingRun& train);
    void GenerateTomorrowsLists(const std::function<GeneratedLists()>& generate);
    void GenerateCurrentLists(const std::function<GeneratedLists()>& generate);
    void RelateFoodsToSymptoms(Relationships relationships);

    // ---- read access to the diary
    const std::vector<CFood>& Foods() const { return m_foods; }
    const std::vector<CSymptom>& Symptoms() const { return m_symptoms; }
    const std::vector<CExclusion>& Exclusions() const { return m_exclusions; }
    const std::vector<CInclusion>& Inclusions() const { return m_inclusions; }
    const std::vector<COver50Day>& Over50Days() const { return m_over50Days; }
    const std::vector<CHidden>& HiddenUnits() const { return m_hidden; }
    const StringList& DayList() const { return m_dayList; }
    const StringList& FoodNames() const { return m_foodNames; }
    const StringList& SymptomLines() const { return m_symptomLines; }
    const StringList& RelateSymptoms() const { return m_relateSymptoms; }
    const StringList& RelateBest() const { return m_relateBest; }
    const StringList& RelateWorst() const { return m_relateWorst; }
    std::int32_t DayCount() const { return m_dayCount; }
    TimeValue LastUpdate() const { return m_lastUpdate; }
    std::int32_t NextAction() const { return m_nextAction; }
    bool ListsCurrent() const { return m_listsCurrent; }
    // The diary day tomorrow's lists are for: the day after the one they were made on (before
    // any lists, the day after the current one).
    TimeValue ListsDay() const;
    bool Yesterday() const { return m_yesterday; }
    // The last opening started a new day (the new-day question was answered Yes).
    bool DayStartedOnOpening() const { return m_dayStartedOnOpening; }
    bool ShowFoods() const { return m_showFoods; }
    bool ShowSymptoms() const { return m_showSymptoms; }
    bool ShowExclusions() const { return m_showExclusions; }
    bool ShowInclusions() const { return m_showInclusions; }
    bool ShowUnclassified() const { return m_showUnclassified; }
    bool ShowHistory() const { return m_showHistory; }

    // ---- what the holder of the diary knows
    std::string GetTitle() const;
    std::string GetPathName() const;
    // Gives the diary a file (an empty path: none) without reading or writing it.
    void SetPathName(const std::string& path);
    TimeValue GetNow() const;
    // An integer of the settings section the core reads ("Settings").
    int GetSetting(std::string_view name, int fallback) const;
    // How many daily copies a save keeps: the command line's choice, else the setting.
    int KeptBackupDays() const;

    // ---- the view's section switches (not stored; changing one does not modify the diary)
    // Whether the section of a View command id is shown; false for other ids.
    bool IsSectionShown(int viewCommandId) const;
    // Shows or hides the section of a View command id and tells the views; other ids are
    // ignored. Returns whether the id names a section.
    bool ShowSection(int viewCommandId, bool shown);
    // Takes the switches the settings remember; switches never set keep their values.
    void LoadSectionSwitches();

    // ---- the stored diary as a whole
    // The members a diary file holds, read in place (JSON export) or replaced (JSON import).
    // A replacement drops the day list and the generated lists, marks the diary modified and
    // tells the views.
    StoredDiaryView StoredMembers() const;
    void ReplaceStoredDiary(StoredDiary diary);

private:
    // Port access with the quiet defaults filled in.
    SettingsStore& Settings() const { return *m_ports.settings; }
    DocumentHost& Host() const { return *m_ports.host; }
    UserInterface& Ui() const { return *m_ports.ui; }
    ProgressIndicator& Progress() const { return *m_ports.progress; }
    const Clock& GetClock() const { return *m_ports.clock; }
    FileSystem& Files() const { return *m_ports.files; }

    void SetModifiedFlag(bool modified = true) { Host().SetModifiedFlag(modified); }
    void UpdateAllViews() { Host().UpdateAllViews(); }

    bool* SectionFlag(int viewCommandId);
    // Keeps a switch in the settings, so the page shows the sections chosen last time.
    void RememberSectionSwitch(int viewCommandId, bool shown);
    // Takes what a file or an import holds; the generated lists of the diary before go.
    void AdoptStoredDiary(StoredDiary&& diary);
    // Reads the file into the diary as stored, with its path and unmodified; a file that
    // cannot be read is reported and leaves the diary as it was.
    bool ReadStoredFile(const std::string& path);
    void ShowStoredDiary();
    StoredDiary TakeStoredDiary();
    StoredDiaryMembers<false> StoredMembersToWrite();
    void StoreDiary(CArchive& archive);
    void ClearGeneratedLists();
    // The bytes a save would store now, the day count left as it is; nothing when the format
    // cannot hold the diary.
    std::optional<std::vector<std::uint8_t>> StoredBytes();
    void KeepUnmodifiedUnlessStoredChanged(bool wasModified,
                                           const std::optional<std::vector<std::uint8_t>>& before);
    FileResult WithHistoryWritten(const std::string& path, const FileResult& saved);

    // Tests build states that no sequence of commands reaches (tests/support).
    friend class DocumentTestAccess;

    StringList m_dayList;
    StringList m_foodNames;
    StringList m_symptomLines;
    StringList m_relateSymptoms;
    StringList m_relateBest;
    StringList m_relateWorst;
    std::int32_t m_nextAction = 0;
    bool m_listsCurrent = true;
    bool m_showFoods = false;
    bool m_showSymptoms = true;
    bool m_showExclusions = true;
    bool m_showInclusions = true;
    bool m_showUnclassified = true;
    bool m_showHistory = false;
    std::int32_t m_dayCount = 0;
    TimeValue m_lastUpdate = 0;  // a new diary's is the day it was made (OnNewDocument)
    std::vector<CFood> m_foods;
    std::vector<CExclusion> m_exclusions;
    std::vector<CInclusion> m_inclusions;
    std::vector<COver50Day> m_over50Days;
    std::vector<CSymptom> m_symptoms;
    std::vector<CHidden> m_hidden;
    bool m_yesterday = false;
    bool m_dayStartedOnOpening = false;
    bool m_restoredCopy = false;
    std::optional<TimeValue> m_listsDay;  // set by Generate Tomorrow's Lists

    // The file this diary was last read from or saved to, as it was then.
    struct KnownFile {
        std::string path;
        atomic_file::FileIdentity identity;
    };
    std::optional<KnownFile> m_knownFile;
    std::string m_backupFolder;
    std::optional<int> m_backupDays;
    const Clock* m_backupClock = nullptr;
    std::string m_backupProblem;
    DiaryHistory m_history;

    struct QuietDefaults;
    std::unique_ptr<QuietDefaults> m_defaults;
    DocumentPorts m_ports;
};
