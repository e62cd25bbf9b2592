#pragma once
// One window's claim on the diary it shows: the lock it holds beside the diary, or the user's
// choice to look at a diary another Gastrolog has open (read-only) or to share it anyway.

#include <optional>
#include <string>

#include "diary/FileSystem.h"
#include "diary/Ports.h"
#include "diary/Processes.h"
#include "diary/Result.h"

class DiaryAccess {
public:
    enum class Mode { Own, ReadOnly, Shared };

    explicit DiaryAccess(FileSystem& files = RealFileSystem(),
                         Processes& processes = RealProcesses())
        : m_files(files), m_processes(processes) {}
    ~DiaryAccess() { Release(); }
    DiaryAccess(const DiaryAccess&) = delete;
    DiaryAccess& operator=(const DiaryAccess&) = delete;

    // Own when no other Gastrolog has the diary open; otherwise the user's answer to where it
    // is open, or nothing when the user cancels. The question names the lock file and offers
    // to remove it, for a lock that stays (another machine's, a process number reused).
    std::optional<Mode> AskToOpen(const std::string& path, UserInterface& ui);
    // This window now shows the diary at `path`; the claim on the one before goes. Own takes
    // the lock, and shares the diary when another process took it meanwhile.
    void Hold(const std::string& path, Mode mode);
    void Release();

    bool IsReadOnly() const { return m_mode == Mode::ReadOnly; }
    Mode CurrentMode() const { return m_mode; }
    // The diary is this window's, but no lock could be taken (a read-only folder, a folder of
    // the lock's name): a second window would not be warned.
    bool IsUnprotected() const { return m_mode == Mode::Own && !m_path.empty() && !m_locked; }
    // Refuses a save to `path` that may not go ahead: a diary opened read-only that the other
    // window still holds.
    Result CheckSave(const std::string& path);

private:
    FileSystem& m_files;
    Processes& m_processes;
    std::string m_path;
    Mode m_mode = Mode::Own;
    bool m_locked = false;
};
