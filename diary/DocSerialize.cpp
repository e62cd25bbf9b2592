// The diary file: the records' field orders, the document's member order, and reading and
// saving whole files.

#include <new>

#include "diary/Archive.h"
#include "diary/AtomicFile.h"
#include "diary/Backups.h"
#include "diary/GastrologDoc.h"
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

std::string WhatIsWrong(std::span<const std::uint8_t> bytes, std::size_t position) {
    if (bytes.empty()) return "is empty";
    if (position <= HeaderAndFirstCount) return "is not a Gastrolog diary";
    return "is damaged at byte " + std::to_string(position);
}

}  // namespace

FileResult CGastrologDoc::ReadBytes(std::span<const std::uint8_t> bytes) {
    DeleteContents();
    ClearGeneratedLists();
    if (bytes.size() > MaximumDiaryFileSize)
        return FileResult(FileResult::Code::TooLarge, atomic_file::OpenFailedMessage)
            .WithDetail(TooLargeDetail());
    CArchive archive(bytes);
    try {
        AdoptStoredDiary(LoadDiary(archive));
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
    if (!m_backupFolder.empty())
        options.beforeReplace = [this, &path](const std::string&) {
            const int kept = backups::KeptDaysOrDefault(
                GetSetting(backups::KeptDaysSetting, backups::DefaultKeptDays));
            backups::KeepDailyCopy(m_backupFolder, path, GetNow(), kept, Files());
        };
    atomic_file::FileIdentity written;
    const FileResult result = atomic_file::ReplaceFile(path, bytes, Files(), options, &written);
    if (result.Succeeded()) m_knownFile = KnownFile{path, written};
    return result;
}

FileResult CGastrologDoc::SaveDocument(const std::string& path, bool overwriteChanged,
                                       bool splitHardLinks) {
    const FileResult result = WriteFile(path, overwriteChanged, splitHardLinks);
    if (!result.Succeeded()) return result;
    Host().SetPathName(path);
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
