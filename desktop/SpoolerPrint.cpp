#include "desktop/SpoolerPrint.h"

#include <wx/filename.h>
#include <wx/tokenzr.h>
#include <wx/utils.h>

#include <string>
#include <vector>

#include "desktop/PagePrintout.h"
#include "diary/GastrologDoc.h"

namespace {

const char* const SpoolerProgram = "lpr";

}  // namespace

wxString FindProgramOnPath(const wxString& name) {
    wxString path;
    if (!wxGetEnv("PATH", &path)) return wxString();
    wxStringTokenizer folders(path, ":");
    while (folders.HasMoreTokens()) {
        const wxFileName candidate(folders.GetNextToken(), name);
        if (candidate.IsFileExecutable()) return candidate.GetFullPath();
    }
    return wxString();
}

Result PrintThroughSpooler(const CGastrologDoc& diary, const wxString& title,
                           const wxString& printer) {
    const wxString spooler = FindProgramOnPath(SpoolerProgram);
    if (spooler.empty()) return {Result::Code::Printing, MissingSpoolerMessage};
    const wxString pages = wxFileName::CreateTempFileName("gastrolog-print");
    if (pages.empty())
        return {Result::Code::Printing,
                "The diary cannot be printed: no temporary file can be made."};
    if (Result failure = PrintToPostScriptFile(diary, diary.GetLineCount(), pages, title);
        !failure.IsOk()) {
        wxRemoveFile(pages);
        return failure;
    }
    std::vector<wxString> words = {spooler};
    if (!printer.empty()) words.insert(words.end(), {"-P", printer});
    words.insert(words.end(), {"-T", title, pages});
    std::vector<const wchar_t*> arguments;
    for (const wxString& word : words) arguments.push_back(word.wc_str());
    arguments.push_back(nullptr);
    // lpr copies the file into the queue before it returns.
    const long status = wxExecute(arguments.data(), wxEXEC_SYNC | wxEXEC_NODISABLE);
    wxRemoveFile(pages);
    if (status != 0)
        return {Result::Code::Printing,
                "The diary could not be printed: \"lpr\" ended with status " +
                    std::to_string(status) + "."};
    return Result::Success();
}
