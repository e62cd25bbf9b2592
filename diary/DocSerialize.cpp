// The diary file: the records' field orders, the document's member order, and reading and
// saving whole files.

#include <new>
#include <string_view>

#include "diary/Archive.h"
#include "diary/AtomicFile.h"
#include "diary/Backups.h"
#include "diary/GastrologDoc.h"
#include "diary/HistoryFile.h"
#include "diary/LivedDays.h"
#include "diary/LocalTime.h"
#include "diary/QuietPorts.h"
#include "diary/StoredDiary.h"
#include "diary/StoredRules.h"

namespace {

constexpr const char* UnexpectedFormatMessage = "Unexpected file format.";

std::string TooLargeDetail() {
    return "is too large for a diary (more than " + MaximumDiaryFileSizeText() + ")";
}

[[noreturn]] void RefuseContent(const char* what) {
    CArchive::Refuse(CArchiveException::Cause::BadContent, what);
}

// Each list is checked as soon as it is read, by the rules JSON import applies too.
template <class Record>
void RequireSound(const std::vector<Record>& records) {
    if (const char* problem = stored_rules::ListProblem(records)) RefuseContent(problem);
}

// Reads or writes one stored member with the encoding of its type.
class ArchiveMember {
public:
    explicit ArchiveMember(CArchive& archive) : m_archive(archive) {}

    void operator()(std::string_view, TimeValue& time) {
        if (m_archive.IsStoring())
            m_archive.WriteTime(time);
        else
            time = m_archive.ReadTime();
    }
    void operator()(std::string_view, std::int32_t& number) {
        if (m_archive.IsStoring())
            m_archive.WriteI32(number);
        else
            number = m_archive.ReadI32();
    }
    void operator()(std::string_view, StringList& list) {
        if (m_archive.IsStoring())
            m_archive.WriteStringList(list);
        else
            list = m_archive.ReadStringList();
    }
    template <class Record>
    void operator()(std::string_view, std::vector<Record>& records) {
        m_archive.SerializeObjectList(records);
        if (m_archive.IsLoading()) RequireSound(records);
    }

private:
    CArchive& m_archive;
};

// Reads or writes one field of a record.
class ArchiveField {
public:
    explicit ArchiveField(CArchive& archive) : m_archive(archive) {}

    void operator()(std::string_view, float& value) { m_archive.Exchange(value); }
    void operator()(std::string_view, std::string& text) { m_archive.Exchange(text); }
    void operator()(std::string_view, WeightColumns<UnitWeights> columns) {
        for (std::size_t unit = 0; unit < columns.weight.size(); ++unit) {
            m_archive.Exchange(columns.weight[unit]);
            m_archive.Exchange(columns.gradient[unit]);
            m_archive.Exchange(columns.step[unit]);
        }
    }

private:
    CArchive& m_archive;
};

StoredDiary LoadDiary(CArchive& archive) {
    StoredDiary contents;  // held apart until every byte has been accepted
    ForEachStoredMember(contents, ArchiveMember(archive));
    return contents;  // anything after the last unit is ignored
}

std::size_t TextBytes(const StringList& list) {
    std::size_t bytes = 0;
    for (const std::string& text : list) bytes += text.size() + 1;
    return bytes;
}

// Close to the stored size, so that storing rarely grows the buffer.
std::size_t EstimatedFileSize(const CGastrologDoc& doc) {
    constexpr std::size_t Header = 64, FoodRecord = 140, SymptomRecord = 170, HiddenRecord = 40;
    return Header + 2 * TextBytes(doc.FoodNames()) + TextBytes(doc.SymptomLines()) +
           doc.Foods().size() * FoodRecord + doc.Symptoms().size() * (SymptomRecord + 32) +
           doc.HiddenUnits().size() * HiddenRecord;
}

}  // namespace

std::optional<std::size_t> StoredFileSize(StoredDiary& diary) {
    CArchive archive;
    try {
        ForEachStoredMember(diary, ArchiveMember(archive));
    } catch (const std::exception&) {  // a list or a text too long for the format, or no memory
        return std::nullopt;
    }
    return archive.Bytes().size();
}

// ---- records

void CFood::Serialize(CArchive& archive) {
    ForEachStoredField(*this, ArchiveField(archive));
}

void CSymptom::Serialize(CArchive& archive) {
    ForEachStoredField(*this, ArchiveField(archive));
}

void CHidden::Serialize(CArchive& archive) {
    ForEachStoredField(*this, ArchiveField(archive));
}

// ---- the document

void CGastrologDoc::StoreDiary(CArchive& archive) {
    // A diary is saved as holding at least its first day.
    if (m_dayCount < 1) m_dayCount = 1;
    StoredDiaryMembers<false> members = StoredMembersToWrite();
    ForEachStoredMember(members, ArchiveMember(archive));
}

void CGastrologDoc::Serialize(CArchive& archive) {
    if (archive.IsStoring())
        StoreDiary(archive);
    else
        AdoptStoredDiary(LoadDiary(archive));  // a refusal throws before anything is replaced
    UpdateAllViews();
}

namespace {

// A refusal this early means the bytes never looked like a diary: the reader fails on the
// first counts, which a text or a picture turns into nonsense.
constexpr std::size_t HeaderAndFirstCount = 10;

constexpr const char* NotADiaryDetail = "is not a Gastrolog diary";

// How other common files begin. A diary begins with a time and a day count, which these would
// make absurd; each is at least four bytes long, so that no real diary's time matches one.
constexpr std::string_view ForeignSignatures[] = {
    std::string_view("\x89PNG\r\n\x1A\n", 8),
    "GIF87a",
    "GIF89a",
    "%PDF-",
    "%!PS",
    "\xFF\xD8\xFF\xE0",  // JPEG, by its first marker
    "\xFF\xD8\xFF\xE1",
    "\xFF\xD8\xFF\xDB",
    "\xFF\xD8\xFF\xEE",
    "PK\x03\x04",  // ZIP, and the office documents made of it
    std::string_view("SQLite format 3\0", 16),
    "\x7F"
    "ELF",
    "RIFF",
    "OggS",
    "7z\xBC\xAF\x27\x1C",
    std::string_view("\xFD"
                     "7zXZ\0",
                     6),
};

bool HasForeignSignature(std::span<const std::uint8_t> bytes) {
    const std::string_view start(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    for (const std::string_view signature : ForeignSignatures)
        if (start.starts_with(signature)) return true;
    return false;
}

std::string WhatIsWrong(std::span<const std::uint8_t> bytes, std::size_t position) {
    if (bytes.empty()) return "is empty";
    if (position <= HeaderAndFirstCount) return NotADiaryDetail;
    return "is damaged at byte " + std::to_string(position);
}

}  // namespace

FileResult CGastrologDoc::ReadBytes(std::span<const std::uint8_t> bytes) {
    DeleteContents();
    ClearGeneratedLists();
    if (bytes.size() > MaximumDiaryFileSize)
        return FileResult(FileResult::Code::TooLarge, atomic_file::OpenFailedMessage)
            .WithDetail(TooLargeDetail());
    // Decided before any of it is read as a diary: a picture or an archive is no damaged one.
    if (HasForeignSignature(bytes))
        return FileResult(FileResult::Code::Format, UnexpectedFormatMessage)
            .WithDetail(NotADiaryDetail);
    CArchive archive(bytes);
    try {
        AdoptStoredDiary(LoadDiary(archive));
        m_history.Estimate(m_lastUpdate, m_dayCount);
        return FileResult::Success();
    } catch (const CArchiveException&) {
        return FileResult(FileResult::Code::Format, UnexpectedFormatMessage)
            .WithDetail(WhatIsWrong(bytes, archive.Position()));
    } catch (const std::bad_alloc&) {
        return FileResult(FileResult::Code::TooLarge, atomic_file::OpenFailedMessage);
    }
}

FileResult CGastrologDoc::ReadFile(const std::string& path) {
    const atomic_file::ReadResult file =
        atomic_file::ReadWholeFile(path, MaximumDiaryFileSize, Files());
    if (!file.result.Succeeded()) {
        DeleteContents();
        ClearGeneratedLists();
        if (file.result.GetCode() == FileResult::Code::TooLarge)
            return FileResult(file.result).WithDetail(TooLargeDetail()).AboutFile(path);
        return file.result;
    }
    atomic_file::RemoveStaleTemporaries(path, Files());
    FileResult read = ReadBytes(file.bytes).AboutFile(path);
    if (read.Succeeded()) m_knownFile = KnownFile{path, file.identity};
    return read;
}

std::vector<std::uint8_t> CGastrologDoc::WriteBytes() {
    CArchive archive;
    archive.Reserve(EstimatedFileSize(*this));
    StoreDiary(archive);
    return archive.TakeBytes();
}

int CGastrologDoc::KeptBackupDays() const {
    if (m_backupDays) return *m_backupDays;
    return backups::KeptDaysOrDefault(
        GetSetting(backups::KeptDaysSetting, backups::DefaultKeptDays));
}

std::optional<std::vector<std::uint8_t>> CGastrologDoc::StoredBytes() {
    const std::int32_t dayCount = m_dayCount;
    std::optional<std::vector<std::uint8_t>> bytes;
    try {
        bytes = WriteBytes();
    } catch (const std::exception&) {  // a list or a text too long for the format, or no memory
    }
    m_dayCount = dayCount;
    return bytes;
}

FileResult CGastrologDoc::WriteFile(const std::string& path, bool overwriteChanged,
                                    bool splitHardLinks) {
    std::vector<std::uint8_t> bytes;
    try {
        bytes = WriteBytes();
    } catch (const std::exception&) {  // a list or a text too long for the format, or no memory
        return FileResult(FileResult::Code::TooLarge, atomic_file::SaveFailedMessage);
    }
    atomic_file::SaveOptions options;
    if (m_knownFile && m_knownFile->path == path && !overwriteChanged)
        options.expected = m_knownFile->identity;
    options.splitHardLinks = splitHardLinks;
    m_backupProblem.clear();
    backups::CopyOutcome copy;
    if (!m_backupFolder.empty())
        options.beforeReplace = [this, &path, &copy](const std::string&) {
            const TimeValue now = m_backupClock ? m_backupClock->Now() : SystemClock().Now();
            copy = backups::KeepDailyCopy(m_backupFolder, path, now, KeptBackupDays(), Files());
            m_backupProblem = copy.problem;
        };
    atomic_file::FileIdentity written;
    FileResult result = atomic_file::ReplaceFile(path, bytes, Files(), options, &written);
    if (result.GetCode() == FileResult::Code::Full && !copy.made.empty()) {
        // The copy must not cost the save: give its space back to the diary.
        Files().Remove(copy.made);
        Files().Remove(history::PathFor(copy.made));
        m_backupProblem = "No daily copy of " + path +
                          " was kept: the disk has no room for both the copy and the diary.";
        options.beforeReplace = nullptr;
        result = atomic_file::ReplaceFile(path, bytes, Files(), options, &written);
    }
    if (!result.Succeeded()) return result;
    m_knownFile = KnownFile{path, written};
    return WithHistoryWritten(path, result);
}

// The history follows the diary only once the diary is safely on the disk, and whatever
// becomes of it, the diary stays saved.
FileResult CGastrologDoc::WithHistoryWritten(const std::string& path, const FileResult& saved) {
    struct stat status {};
    const mode_t mode =
        Files().Status(path, true, status) == 0 ? (status.st_mode & 07777) : mode_t{0600};
    const Result written =
        m_history.Save(path, lived::DaysOfDiary(*this), m_lastUpdate, m_dayCount, mode);
    if (written.Message().empty()) return saved;
    const std::string& caveat = written.Message();
    const std::string message =
        saved.Message().empty() ? caveat : saved.Message() + "\n\n" + caveat;
    return FileResult(
        saved.GetCode() == FileResult::Code::Ok ? FileResult::Code::Ok : saved.GetCode(), message,
        saved.NamesFile());
}

void CGastrologDoc::LoadHistory(const std::string& path) {
    m_history.Load(path, m_lastUpdate, m_dayCount,
                   lived::DateOf(calendar::DayOf(GetEffectiveNow())));
}

void CGastrologDoc::AdoptHistory(lived::LivedDays days) {
    m_history.Adopt(std::move(days), m_lastUpdate, m_dayCount);
    SetModifiedFlag(true);
    UpdateAllViews();
}

FileResult CGastrologDoc::SaveDocument(const std::string& path, bool overwriteChanged,
                                       bool splitHardLinks) {
    const FileResult result = WriteFile(path, overwriteChanged, splitHardLinks);
    if (!result.Succeeded()) return result;
    Host().SetPathName(path);
    m_restoredCopy = false;
    SetModifiedFlag(false);
    UpdateAllViews();  // as storing through Serialize ends
    return result;
}

bool CGastrologDoc::OnSaveDocument(const std::string& path) {
    const FileResult result = SaveDocument(path);
    if (!result.Succeeded()) {
        Ui().ReportError(result.Message());
        return false;
    }
    if (!result.Message().empty()) Ui().Notify(result.Message());  // saved, with a caveat
    return true;
}
