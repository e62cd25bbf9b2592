// The diary file: the records' field orders, the document's member order, and reading and
// saving whole files.

#include <new>

#include "diary/Archive.h"
#include "diary/AtomicFile.h"
#include "diary/GastrologDoc.h"

namespace {

constexpr const char* UnexpectedFormatMessage = "Unexpected file format.";
constexpr const char* TooLargeDetail = "is too large for a diary (more than 16 MiB)";

// A diary decoded from bytes, held apart until every byte has been accepted.
struct DiaryContents {
    TimeValue lastUpdate = 0;
    std::int32_t dayCount = 0;
    StringList foodNames;
    std::vector<CFood> foods;
    StringList symptomLines;
    std::vector<CSymptom> symptoms;
    std::vector<CHidden> hidden;
};

[[noreturn]] void RefuseContent(const char* what) {
    CArchive::Refuse(CArchiveException::Cause::BadContent, what);
}

// The engine and the page index every history by its 50 day slots, and every writer stores
// exactly 50; any other length can only come from a damaged file.
template <class Record>
void RequireFullHistories(const std::vector<Record>& records) {
    for (const Record& record : records)
        if (record.m_history.size() != diary::HistoryLength)
            RefuseContent("a history does not hold 50 days");
}

DiaryContents LoadDiary(CArchive& archive) {
    DiaryContents contents;
    contents.lastUpdate = archive.ReadTime();
    contents.dayCount = archive.ReadI32();
    contents.foodNames = archive.ReadStringList();
    archive.SerializeObjectList(contents.foods);
    RequireFullHistories(contents.foods);
    contents.symptomLines = archive.ReadStringList();
    archive.SerializeObjectList(contents.symptoms);
    RequireFullHistories(contents.symptoms);
    archive.SerializeObjectList(contents.hidden);
    // The network pairs the k-th unit with weight k of every food and symptom.
    if (contents.hidden.size() != diary::HiddenUnitCount)
        RefuseContent("the network does not have five hidden units");
    return contents;  // anything after the last unit is ignored
}

void ClearGeneratedLists(CGastrologDoc& doc) {
    doc.m_exclusions.clear();
    doc.m_inclusions.clear();
    doc.m_over50Days.clear();
}

void Adopt(CGastrologDoc& doc, DiaryContents&& contents) {
    ClearGeneratedLists(doc);
    doc.m_lastUpdate = contents.lastUpdate;
    doc.m_dayCount = contents.dayCount;
    doc.m_foodNames = std::move(contents.foodNames);
    doc.m_foods = std::move(contents.foods);
    doc.m_symptomLines = std::move(contents.symptomLines);
    doc.m_symptoms = std::move(contents.symptoms);
    doc.m_hidden = std::move(contents.hidden);
}

void StoreDiary(CGastrologDoc& doc, CArchive& archive) {
    // A diary is saved as holding at least its first day.
    if (doc.m_dayCount < 1) doc.m_dayCount = 1;
    archive.WriteTime(doc.m_lastUpdate);
    archive.WriteI32(doc.m_dayCount);
    archive.WriteStringList(doc.m_foodNames);
    archive.SerializeObjectList(doc.m_foods);
    archive.WriteStringList(doc.m_symptomLines);
    archive.SerializeObjectList(doc.m_symptoms);
    archive.SerializeObjectList(doc.m_hidden);
}

std::size_t TextBytes(const StringList& list) {
    std::size_t bytes = 0;
    for (const std::string& text : list) bytes += text.size() + 1;
    return bytes;
}

// Close to the stored size, so that storing rarely grows the buffer.
std::size_t EstimatedFileSize(const CGastrologDoc& doc) {
    constexpr std::size_t Header = 64, FoodRecord = 140, SymptomRecord = 170, HiddenRecord = 40;
    return Header + 2 * TextBytes(doc.m_foodNames) + TextBytes(doc.m_symptomLines) +
           doc.m_foods.size() * FoodRecord + doc.m_symptoms.size() * (SymptomRecord + 32) +
           doc.m_hidden.size() * HiddenRecord;
}

}  // namespace

// ---- records

namespace {

// Both foods and symptoms store, unit by unit, the weight, its gradient and its last step.
void ExchangeWeights(CArchive& archive, UnitWeights& weights, UnitWeights& gradients,
                     UnitWeights& steps) {
    for (std::size_t unit = 0; unit < weights.size(); ++unit) {
        archive.Exchange(weights[unit]);
        archive.Exchange(gradients[unit]);
        archive.Exchange(steps[unit]);
    }
}

}  // namespace

void CFood::Serialize(CArchive& archive) {
    archive.Exchange(m_input);
    ExchangeWeights(archive, m_weight, m_weightGrad, m_weightStep);
    archive.Exchange(m_history);
    archive.Exchange(m_name);
}

void CSymptom::Serialize(CArchive& archive) {
    // Not the declaration order: files have always stored the unit's fields this way.
    archive.Exchange(m_spare);
    archive.Exchange(m_delta);
    archive.Exchange(m_bias);
    archive.Exchange(m_biasGrad);
    archive.Exchange(m_biasStep);
    archive.Exchange(m_error);
    archive.Exchange(m_net);
    archive.Exchange(m_output);
    ExchangeWeights(archive, m_weight, m_weightGrad, m_weightStep);
    archive.Exchange(m_history);
    archive.Exchange(m_name);
}

void CHidden::Serialize(CArchive& archive) {
    archive.Exchange(m_net);
    archive.Exchange(m_output);
    archive.Exchange(m_error);
    archive.Exchange(m_delta);
    archive.Exchange(m_bias);
    archive.Exchange(m_biasGrad);
    archive.Exchange(m_biasStep);
    archive.Exchange(m_name);
}

// ---- the document

void CGastrologDoc::Serialize(CArchive& archive) {
    if (archive.IsStoring())
        StoreDiary(*this, archive);
    else
        Adopt(*this, LoadDiary(archive));  // a refusal throws before anything is replaced
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
    ClearGeneratedLists(*this);
    if (bytes.size() > MaximumDiaryFileSize)
        return FileResult(FileResult::Code::TooLarge, atomic_file::OpenFailedMessage)
            .WithDetail(TooLargeDetail);
    CArchive archive(bytes);
    try {
        Adopt(*this, LoadDiary(archive));
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
        ClearGeneratedLists(*this);
        if (file.result.GetCode() == FileResult::Code::TooLarge)
            return FileResult(file.result).WithDetail(TooLargeDetail).AboutFile(path);
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
    StoreDiary(*this, archive);
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
    atomic_file::FileIdentity written;
    const FileResult result = atomic_file::ReplaceFile(path, bytes, Files(), options, &written);
    if (result.Succeeded()) m_knownFile = KnownFile{path, written};
    return result;
}

bool CGastrologDoc::OnSaveDocument(const std::string& path) {
    const FileResult result = WriteFile(path);
    if (!result.Succeeded()) {
        Ui().ReportError(result.Message());
        return false;
    }
    if (!result.Message().empty()) Ui().Notify(result.Message());  // saved, with a caveat
    Host().SetPathName(path);
    SetModifiedFlag(false);
    UpdateAllViews();  // as storing through Serialize ends
    return true;
}
