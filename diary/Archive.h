#pragma once
// The diary file's byte encoding: little-endian numbers, counts and strings with their
// variable-length prefixes, and object lists whose entries carry class tags.
//
// One CArchive is used in one direction. A storing archive appends to a byte vector; a
// loading archive decodes a buffer that was read whole into memory and throws
// CArchiveException as soon as the bytes do not follow the encoding. Classes and objects
// share one numbering per archive, as the file expects.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "diary/Ports.h"

// The bytes are not a diary (or not one this program can read). Every cause gives the same
// message to the user; the cause is kept for tests and diagnostics.
class CArchiveException : public std::runtime_error {
public:
    enum class Cause {
        EndOfFile,   // a value or a counted run of bytes goes past the end
        BadClass,    // an unknown class, a too-long class name, or a class the list cannot hold
        BadSchema,   // a schema other than the one every record class has
        BadIndex,    // a class or object number not introduced before, or a null entry
        BadContent,  // well-formed bytes that break the diary's own rules
    };

    CArchiveException(Cause cause, const std::string& what)
        : std::runtime_error(what), m_cause(cause) {}
    Cause GetCause() const { return m_cause; }

private:
    Cause m_cause;
};

class CArchive {
public:
    static constexpr std::uint16_t Schema = 1;
    static constexpr std::size_t MaximumClassNameLength = 63;

    // Tags of the object entries.
    static constexpr std::uint16_t NullTag = 0x0000;
    static constexpr std::uint16_t NewClassTag = 0xFFFF;
    static constexpr std::uint16_t ClassTag = 0x8000;
    static constexpr std::uint16_t BigObjectTag = 0x7FFF;
    static constexpr std::uint32_t BigClassTag = 0x80000000u;

    // A storing archive.
    CArchive() = default;
    // A loading archive over bytes that outlive it.
    explicit CArchive(std::span<const std::uint8_t> bytes)
        : m_loading(true), m_input(bytes), m_copyAllowance(bytes.size()) {}
    // The bytes must outlive the archive.
    explicit CArchive(std::vector<std::uint8_t>&&) = delete;

    bool IsStoring() const { return !m_loading; }
    bool IsLoading() const { return m_loading; }

    // ---- storing
    void Reserve(std::size_t bytes) { m_output.reserve(bytes); }
    const std::vector<std::uint8_t>& Bytes() const { return m_output; }
    std::vector<std::uint8_t> TakeBytes() { return std::move(m_output); }

    void WriteU8(std::uint8_t value) { m_output.push_back(value); }
    void WriteU16(std::uint16_t value);
    void WriteU32(std::uint32_t value);
    void WriteI32(std::int32_t value) { WriteU32(static_cast<std::uint32_t>(value)); }
    void WriteF32(float value);
    // Times before 1970 or after 2106 do not fit the file's 32 bits; they are held at the
    // nearest end rather than wrapped into a wrong date.
    void WriteTime(TimeValue value);
    void WriteCount(std::size_t count);
    void WriteString(std::string_view text);
    void WriteStringList(const StringList& list);

    // ---- loading
    std::size_t Remaining() const { return m_input.size() - m_position; }
    // How many bytes have been read so far.
    std::size_t Position() const { return m_position; }

    std::uint8_t ReadU8();
    std::uint16_t ReadU16();
    std::uint32_t ReadU32();
    std::int32_t ReadI32() { return static_cast<std::int32_t>(ReadU32()); }
    float ReadF32();
    TimeValue ReadTime() { return static_cast<TimeValue>(ReadU32()); }
    // A count of entries each taking at least `smallestEntry` bytes; a count the remaining
    // bytes cannot hold is refused before anything is allocated for it.
    std::size_t ReadCount(std::size_t smallestEntry);
    // Also reads the wide form (FF FE FF), converted to Windows-1252 with '?' for characters
    // the code page cannot hold.
    std::string ReadString();
    StringList ReadStringList();

    // ---- either direction: one field order for storing and loading
    void Exchange(float& value);
    void Exchange(std::string& text);

    // An object list of one record class: a count, then each record with its class tag.
    // Loading accepts only entries of that class: a new record, or a reference to a record
    // read earlier in the same list, which becomes an equal copy.
    template <class Record>
    void SerializeObjectList(std::vector<Record>& list);

    // Throws the exception that refuses the bytes.
    [[noreturn]] static void Refuse(CArchiveException::Cause cause, const std::string& what);

private:
    // The fewest bytes a record of the class takes: its numbers and empty texts.
    template <class Record>
    static std::size_t StoredSizeOfEmptyRecord() {
        static const std::size_t size = [] {
            CArchive archive;
            Record record;
            record.Serialize(archive);
            return archive.Bytes().size();
        }();
        return size;
    }

    // What one number of the shared numbering stands for while loading.
    struct LoadedEntry {
        bool isClass = false;
        std::string_view className;  // the program's own name of the class
        std::size_t list = 0;        // objects: which list read them, and where
        std::size_t position = 0;
    };

    const std::uint8_t* Take(std::size_t size);
    void Append(const void* data, std::size_t size);

    // Storing: writes the tag that introduces one more object of the class.
    void WriteObjectTag(std::string_view className);
    // Loading: reads one entry's tag for a list of the class. Returns the position of an
    // earlier record of this list to copy, or nullopt when a new record's fields follow.
    std::optional<std::size_t> ReadObjectTag(std::string_view className, std::size_t list,
                                             std::size_t nextPosition);
    // A two-byte reference yields a whole record. Copies are allowed as long as the file could
    // have held them written in full, so a small hostile file cannot demand a huge diary.
    void ChargeCopy(std::size_t recordSize);
    std::string_view ReadNewClass(std::string_view expectedClassName);
    std::size_t ReadStringLength(bool& wide);

    bool m_loading = false;
    std::vector<std::uint8_t> m_output;
    std::span<const std::uint8_t> m_input;
    std::size_t m_position = 0;
    std::size_t m_copyAllowance = 0;

    // The shared numbering; number 0 is the null entry.
    std::vector<std::pair<std::string_view, std::uint32_t>> m_storedClasses;
    std::uint32_t m_nextStoreNumber = 1;
    std::vector<LoadedEntry> m_loadedEntries{LoadedEntry{}};
    std::size_t m_listsLoaded = 0;
};

template <class Record>
void CArchive::SerializeObjectList(std::vector<Record>& list) {
    if (IsStoring()) {
        WriteCount(list.size());
        for (Record& record : list) {
            WriteObjectTag(Record::ClassName);
            record.Serialize(*this);
        }
        return;
    }
    // Every entry takes at least its two-byte tag; room is reserved only for as many records
    // as the rest of the file could hold written in full.
    const std::size_t fullRecord = sizeof(std::uint16_t) + StoredSizeOfEmptyRecord<Record>();
    const std::size_t count = ReadCount(sizeof(std::uint16_t));
    const std::size_t listNumber = ++m_listsLoaded;
    std::vector<Record> loaded;
    loaded.reserve(std::min(count, Remaining() / fullRecord));
    for (std::size_t index = 0; index < count; ++index) {
        const auto copyOf = ReadObjectTag(Record::ClassName, listNumber, loaded.size());
        if (copyOf) {
            ChargeCopy(fullRecord);
            Record copy = loaded[*copyOf];
            loaded.push_back(std::move(copy));
        } else {
            loaded.emplace_back();
            loaded.back().Serialize(*this);
        }
    }
    list = std::move(loaded);
}
