#include "diary/Archive.h"

#include <bit>
#include <limits>

#include "diary/Windows1252.h"

namespace {

constexpr std::uint8_t ByteLengthLimit = 0xFF;          // a one-byte length below this
constexpr std::uint16_t WideStringMark = 0xFFFE;        // after FF: a UTF-16 string follows
constexpr std::uint16_t ShortLengthLimit = 0xFFFF;      // a two-byte length or count below this
constexpr std::size_t WriterShortLengthLimit = 0xFFFE;  // lengths from here on take four bytes

}  // namespace

void CArchive::Refuse(CArchiveException::Cause cause, const std::string& what) {
    throw CArchiveException(cause, what);
}

// ---- storing

void CArchive::Append(const void* data, std::size_t size) {
    const auto* bytes = static_cast<const std::uint8_t*>(data);
    m_output.insert(m_output.end(), bytes, bytes + size);
}

void CArchive::WriteU16(std::uint16_t value) {
    const std::uint8_t bytes[] = {static_cast<std::uint8_t>(value),
                                  static_cast<std::uint8_t>(value >> 8)};
    Append(bytes, sizeof bytes);
}

void CArchive::WriteU32(std::uint32_t value) {
    const std::uint8_t bytes[] = {
        static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
        static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    Append(bytes, sizeof bytes);
}

void CArchive::WriteF32(float value) {
    WriteU32(std::bit_cast<std::uint32_t>(value));
}

void CArchive::WriteTime(TimeValue value) {
    constexpr TimeValue Latest = std::numeric_limits<std::uint32_t>::max();
    WriteU32(static_cast<std::uint32_t>(std::clamp<TimeValue>(value, 0, Latest)));
}

void CArchive::WriteCount(std::size_t count) {
    if (count < ShortLengthLimit) {
        WriteU16(static_cast<std::uint16_t>(count));
        return;
    }
    if (count >= std::numeric_limits<std::uint32_t>::max())
        throw std::length_error("too many entries for one list of the diary file");
    WriteU16(ShortLengthLimit);
    WriteU32(static_cast<std::uint32_t>(count));
}

void CArchive::WriteString(std::string_view text) {
    const std::size_t length = text.size();
    if (length < ByteLengthLimit) {
        WriteU8(static_cast<std::uint8_t>(length));
    } else if (length < WriterShortLengthLimit) {
        WriteU8(ByteLengthLimit);
        WriteU16(static_cast<std::uint16_t>(length));
    } else if (length < std::numeric_limits<std::uint32_t>::max()) {
        WriteU8(ByteLengthLimit);
        WriteU16(ShortLengthLimit);
        WriteU32(static_cast<std::uint32_t>(length));
    } else {
        throw std::length_error("text too long for the diary file");
    }
    Append(text.data(), length);
}

void CArchive::WriteStringList(const StringList& list) {
    WriteCount(list.size());
    for (const std::string& text : list) WriteString(text);
}

void CArchive::WriteObjectTag(std::string_view className) {
    const auto known = std::find_if(m_storedClasses.begin(), m_storedClasses.end(),
                                    [&](const auto& entry) { return entry.first == className; });
    if (known == m_storedClasses.end()) {
        WriteU16(NewClassTag);
        WriteU16(Schema);
        WriteU16(static_cast<std::uint16_t>(className.size()));
        Append(className.data(), className.size());
        m_storedClasses.emplace_back(className, m_nextStoreNumber++);
    } else if (known->second < BigObjectTag) {
        WriteU16(static_cast<std::uint16_t>(ClassTag | known->second));
    } else {
        WriteU16(BigObjectTag);
        WriteU32(BigClassTag | known->second);
    }
    ++m_nextStoreNumber;  // the object itself
}

// ---- loading

const std::uint8_t* CArchive::Take(std::size_t size) {
    if (size > Remaining()) Refuse(CArchiveException::Cause::EndOfFile, "the file ends early");
    const std::uint8_t* start = m_input.data() + m_position;
    m_position += size;
    return start;
}

std::uint8_t CArchive::ReadU8() {
    return *Take(1);
}

std::uint16_t CArchive::ReadU16() {
    const std::uint8_t* bytes = Take(2);
    return static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
}

std::uint32_t CArchive::ReadU32() {
    const std::uint8_t* bytes = Take(4);
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) |
           (static_cast<std::uint32_t>(bytes[3]) << 24);
}

float CArchive::ReadF32() {
    return std::bit_cast<float>(ReadU32());
}

std::size_t CArchive::ReadCount(std::size_t smallestEntry) {
    std::size_t count = ReadU16();
    if (count == ShortLengthLimit) count = ReadU32();
    if (count > Remaining() / std::max<std::size_t>(smallestEntry, 1))
        Refuse(CArchiveException::Cause::EndOfFile, "a count exceeds the rest of the file");
    return count;
}

std::size_t CArchive::ReadStringLength(bool& wide) {
    wide = false;
    std::uint8_t shortLength = ReadU8();
    if (shortLength < ByteLengthLimit) return shortLength;
    std::uint16_t length = ReadU16();
    if (length == WideStringMark) {
        // The length of the UTF-16 text follows under the same rules, without a second mark.
        wide = true;
        shortLength = ReadU8();
        if (shortLength < ByteLengthLimit) return shortLength;
        length = ReadU16();
    }
    if (length < ShortLengthLimit) return length;
    return ReadU32();
}

std::string CArchive::ReadString() {
    bool wide = false;
    const std::size_t length = ReadStringLength(wide);
    if (!wide) {
        const auto* text = reinterpret_cast<const char*>(Take(length));
        return std::string(text, length);
    }
    if (length > Remaining() / 2)
        Refuse(CArchiveException::Cause::EndOfFile, "a text exceeds the rest of the file");
    const std::uint8_t* bytes = Take(2 * length);
    std::u16string units(length, u'\0');
    for (std::size_t index = 0; index < length; ++index)
        units[index] = static_cast<char16_t>(bytes[2 * index] | (bytes[2 * index + 1] << 8));
    return windows1252::FromUtf16(units);
}

StringList CArchive::ReadStringList() {
    const std::size_t count = ReadCount(1);  // every string has at least its length byte
    StringList list;
    list.reserve(count);
    for (std::size_t index = 0; index < count; ++index) list.push_back(ReadString());
    return list;
}

void CArchive::ChargeCopy(std::size_t recordSize) {
    if (recordSize > m_copyAllowance)
        Refuse(CArchiveException::Cause::BadIndex, "more references than the file could hold");
    m_copyAllowance -= recordSize;
}

std::string_view CArchive::ReadNewClass(std::string_view expectedClassName) {
    const std::uint16_t schema = ReadU16();
    const std::uint16_t length = ReadU16();
    if (length > MaximumClassNameLength)
        Refuse(CArchiveException::Cause::BadClass, "a class name is too long");
    const auto* name = reinterpret_cast<const char*>(Take(length));
    if (std::string_view(name, length) != expectedClassName)
        Refuse(CArchiveException::Cause::BadClass, "an unknown class or one the list cannot hold");
    if (schema != Schema) Refuse(CArchiveException::Cause::BadSchema, "an unknown schema");
    return expectedClassName;
}

std::optional<std::size_t> CArchive::ReadObjectTag(std::string_view className, std::size_t list,
                                                   std::size_t nextPosition) {
    const std::uint16_t tag = ReadU16();
    if (tag == NewClassTag) {
        m_loadedEntries.push_back({true, ReadNewClass(className)});
        m_loadedEntries.push_back({false, className, list, nextPosition});
        return std::nullopt;
    }
    bool isClassNumber = false;
    std::uint32_t number = 0;
    if (tag == BigObjectTag) {
        const std::uint32_t value = ReadU32();
        isClassNumber = (value & BigClassTag) != 0;
        number = value & ~BigClassTag;
    } else {
        isClassNumber = (tag & ClassTag) != 0;
        number = tag & ~ClassTag;
    }
    if (number == NullTag || number >= m_loadedEntries.size())
        Refuse(CArchiveException::Cause::BadIndex, "a number that was not introduced before");
    const LoadedEntry& entry = m_loadedEntries[number];
    if (entry.isClass != isClassNumber)
        Refuse(CArchiveException::Cause::BadIndex, "a class number names an object or back");
    if (entry.className != className)
        Refuse(CArchiveException::Cause::BadClass, "a record of another class in the list");
    if (isClassNumber) {
        m_loadedEntries.push_back({false, className, list, nextPosition});
        return std::nullopt;
    }
    if (entry.list != list)
        Refuse(CArchiveException::Cause::BadClass, "a reference to a record of another list");
    return entry.position;
}

// ---- either direction

void CArchive::Exchange(float& value) {
    if (IsStoring())
        WriteF32(value);
    else
        value = ReadF32();
}

void CArchive::Exchange(std::string& text) {
    if (IsStoring())
        WriteString(text);
    else
        text = ReadString();
}
