#pragma once
// The outcome of an operation that can fail: a code that says what kind of failure it was, for
// the program to decide on, and the message the user sees, with the file's path already in it
// where the message names the file. Every part of the program reports a failure this way;
// stored-file code calls it FileResult (diary/FileResult.h).

#include <string>
#include <utility>

class Result {
public:
    enum class Code {
        Ok,
        SavedNotFlushed,  // the file holds the new diary; only the folder's flush failed
        Format,           // the bytes are not a diary this program can read
        Access,           // permission denied, a read-only file system, a folder
        Missing,          // the file or a folder on its path does not exist
        Sharing,          // the file is busy
        Full,             // no space left, a quota, a file size limit
        TooLarge,         // larger than the diary reader, import or a PNG picture takes
        ChangedOnDisk,    // another program replaced the file since it was read
        NotRegular,       // a device, a pipe, a dangling link
        HardLinked,       // a save would leave the file's other names on the old diary
        IsDiary,          // an output would replace a diary
        Failed,           // any other failure of the operating system
        Invalid,          // input refused: an option's value, a field a diary cannot hold
        NotJson,          // text that is not JSON
        Drawing,          // cairo could not finish a page or a picture
        Printing,         // the pages could not be printed
        HeldElsewhere,    // opened read-only here while another Gastrolog holds the diary
        Simulation,       // a simulated day could not be lived through
    };

    Result() = default;
    Result(Code code, std::string message, bool namesFile = false)
        : m_code(code), m_message(std::move(message)), m_namesFile(namesFile) {}

    static Result Success() { return {}; }

    // True when the diary was read or written, even if a later, harmless step failed.
    bool Succeeded() const { return m_code == Code::Ok || m_code == Code::SavedNotFlushed; }
    bool IsOk() const { return m_code == Code::Ok; }
    Code GetCode() const { return m_code; }
    // The user's text; empty for a plain success.
    const std::string& Message() const { return m_message; }
    // Whether the message already says which file it is about.
    bool NamesFile() const { return m_namesFile; }

    // What is wrong with the bytes, where known ("is damaged at byte 212"), for the second
    // line that AboutFile adds.
    const std::string& Detail() const { return m_detail; }
    Result& WithDetail(std::string detail) {
        m_detail = std::move(detail);
        return *this;
    }
    // The message with a second line that names the file and says what is wrong with it.
    Result AboutFile(const std::string& path) const {
        if (m_detail.empty()) return *this;
        Result result(m_code, m_message + "\n" + path + " " + m_detail + ".", true);
        result.m_detail = m_detail;
        return result;
    }

private:
    Code m_code = Code::Ok;
    std::string m_message;
    bool m_namesFile = false;
    std::string m_detail;
};
