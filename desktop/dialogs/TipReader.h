#pragma once
// Reading the tips file: one tip per line; lines that start with a blank, a tab or ";" and
// empty lines are skipped; lines are read in pieces of at most 999 characters, each piece
// counting as a line; after the last tip reading wraps to the first.

#include <cstdio>
#include <string>

class TipReader {
public:
    enum class Result {
        Tip,           // a tip was read
        NoTip,         // the file holds no tip line at all
        RewindFailed,  // the file could not be read again from its start
    };

    TipReader() = default;
    ~TipReader();
    TipReader(const TipReader&) = delete;
    TipReader& operator=(const TipReader&) = delete;

    // Opens the file read-only in text mode; false when it cannot be opened.
    bool Open(const std::string& path);
    bool IsOpen() const { return m_file != nullptr; }

    // The file's status-change time as the C library's 24-character local date text
    // ("Wed Jun 30 21:49:08 1993"), or an empty text when it cannot be had.
    std::string TimeStampText() const;

    // Moves to a byte offset from the start; false when that is not possible.
    bool Seek(long position);
    // The offset at which the next read starts.
    long Position() const;

    // The next tip line, its line break included; empty unless the result is Tip.
    Result ReadNextTip(std::string& tip);

    // The longest piece of a line read at once.
    static constexpr int MaximumPiece = 999;

private:
    std::FILE* m_file = nullptr;
};
