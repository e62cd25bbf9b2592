#pragma once
// What a reader gets from a PDF: its page count, its text and its pages as pictures, through
// the poppler tools (pdfinfo, pdftotext, pdftoppm).

#include <cstdio>
#include <string>

// Standard output of a shell command; empty when it cannot run.
inline std::string CommandOutput(const std::string& command) {
    std::string output;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe) return output;
    char buffer[4096];
    for (std::size_t read; (read = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, read);
    pclose(pipe);
    return output;
}

inline int PdfPageCount(const std::string& pdfPath) {
    const std::string info = CommandOutput("pdfinfo '" + pdfPath + "' 2>/dev/null");
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

// The text in reading order, lines kept as laid out.
inline std::string PdfText(const std::string& pdfPath, int page = 0) {
    const std::string pages =
        page > 0 ? " -f " + std::to_string(page) + " -l " + std::to_string(page) : "";
    return CommandOutput("pdftotext -layout" + pages + " '" + pdfPath + "' - 2>/dev/null");
}
