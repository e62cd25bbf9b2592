#pragma once
// Default implementations of the ports for a document used without a desktop: settings in
// memory, a host that keeps the path and flag, a user interface that declines every question
// and every dialog, no progress, and the system clock.

#include <map>
#include <string>
#include <utility>

#include "diary/Ports.h"

class MemorySettings : public SettingsStore {
public:
    int GetInt(std::string_view section, std::string_view name, int fallback) const override;
    void WriteInt(std::string_view section, std::string_view name, int value) override;
    std::string GetString(std::string_view section, std::string_view name,
                          std::string_view fallback) const override;
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override;
    bool Contains(std::string_view section, std::string_view name) const;

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, std::string> m_values;
};

class PlainHost : public DocumentHost {
public:
    void SetModifiedFlag(bool modified) override { m_modified = modified; }
    bool IsModified() const override { return m_modified; }
    void UpdateAllViews() override { ++m_updateCount; }
    void SetPathName(const std::string& path) override { m_path = path; }
    std::string GetPathName() const override { return m_path; }
    // The file name without its folder, or "Untitled".
    std::string GetTitle() const override;

    int m_updateCount = 0;

private:
    bool m_modified = false;
    std::string m_path;
};

class DecliningUserInterface : public UserInterface {
public:
    bool AskYesNo(std::string_view) override { return false; }
    void Notify(std::string_view) override {}
    void ReportError(std::string_view) override {}
    bool ShowSymptomDialog(const std::string&, StringList&) override { return false; }
    bool ShowDayListDialog(const std::string&, StringList&, StringList&) override { return false; }
    void ShowRelationships(const StringList&, const StringList&, const StringList&) override {}
    void BeginWaitCursor() override {}
    void EndWaitCursor() override {}
};

class SilentProgress : public ProgressIndicator {
public:
    void Open() override {}
    void SetRange(int, int) override {}
    void SetPos(int) override {}
    void SetStep(int) override {}
    void StepIt() override {}
    void Close() override {}
};

class SystemClock : public Clock {
public:
    TimeValue Now() const override;
};

// The title a framework gives a document: the file name without its folder, or "Untitled".
std::string TitleFromPath(const std::string& path);
