#pragma once
// Helpers shared by the command-line tests: a scratch folder, file bytes, a hand-made diary
// and running gastrolog-cli's command line in-process.

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "cli/CommandLine.h"
#include "diary/GastrologDoc.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"

// A folder of its own for one test, removed afterwards.
using ScratchFolder = TemporaryFolder;

inline std::string FileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

inline void WriteText(const std::string& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs gastrolog-cli with the arguments after the program name.
inline CliRun RunCli(const std::vector<std::string>& arguments) {
    std::vector<const char*> argv{"gastrolog-cli"};
    for (const std::string& argument : arguments) argv.push_back(argument.c_str());
    std::ostringstream out, err;
    CliRun run;
    run.status = RunCommandLine(static_cast<int>(argv.size()), argv.data(), out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);) lines.push_back(line);
    return lines;
}

inline CFood MakeFood(const std::string& name, const std::string& history) {
    CFood food(name);
    food.m_history = history;
    return food;
}

inline CSymptom MakeSymptom(const std::string& name, const std::string& history) {
    CSymptom symptom(name);
    symptom.m_history = history;
    return symptom;
}

// A history of 50 codes: `fill` everywhere, `code` at the given positions.
inline std::string History(char fill, char code, std::initializer_list<int> positions) {
    std::string history(diary::HistoryLength, fill);
    for (int position : positions) history[static_cast<std::size_t>(position)] = code;
    return history;
}

// A diary as the program builds it: five hidden units, the string lists matching the records.
inline void CompleteDiary(CGastrologDoc& doc, TimeValue lastUpdate, int dayCount) {
    Members(doc).m_lastUpdate = lastUpdate;
    Members(doc).m_dayCount = dayCount;
    Members(doc).m_hidden.clear();
    for (const char* name : {"0", "1", "2", "3", "4"}) Members(doc).m_hidden.emplace_back(name);
    doc.RebuildFoodNames();
    doc.RebuildSymptomLines();
}

inline void SaveDiary(CGastrologDoc& doc, const std::string& path) {
    ASSERT_EQ(doc.WriteFile(path).Message(), "");
}
