#pragma once
// One showing of the Tip of the Day, without its window: the settings it reads when it starts
// ("StartUp", "FilePos", "TimeStamp" in the section "Tip"), the tip it reads at once, and the
// position it stores when it ends. Every session moves the stored position on by at least
// one tip, whether its window is shown or not.

#include <functional>
#include <string>
#include <vector>

#include "desktop/dialogs/TipReader.h"
#include "diary/Ports.h"

class TipSession {
public:
    // Shown instead of a tip when no tips file can be opened.
    static constexpr const char* NoTipsFile =
        "Tips file does not exist in the prescribed directory";
    // The message for a position that cannot be reached or a file that cannot be rewound.
    static constexpr const char* ReadTrouble = "Trouble reading the tips file";

    // Opens the first of the candidate files that opens and reads the tip to show; trouble
    // is called with ReadTrouble when the file cannot be read.
    TipSession(SettingsStore& settings, const std::vector<std::string>& candidates,
               std::function<void(const std::string&)> trouble);
    // Stores the position after the last tip read, when the file was open.
    ~TipSession();
    TipSession(const TipSession&) = delete;
    TipSession& operator=(const TipSession&) = delete;

    bool ShowAtStartup() const { return m_showAtStartup; }
    bool IsFileOpen() const { return m_reader.IsOpen(); }
    // The tip read last (its line break included), or NoTipsFile.
    const std::string& Tip() const { return m_tip; }

    // Reads the following tip, wrapping to the first after the last.
    const std::string& NextTip();

    // The check box's state when the dialog is closed with Close.
    void StoreShowAtStartup(bool show);

private:
    void ReadTip();

    SettingsStore& m_settings;
    std::function<void(const std::string&)> m_trouble;
    TipReader m_reader;
    bool m_showAtStartup = true;
    std::string m_tip;
};
