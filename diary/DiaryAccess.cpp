#include "diary/DiaryAccess.h"

#include "diary/DiaryLock.h"

std::optional<DiaryAccess::Mode> DiaryAccess::AskToOpen(const std::string& path,
                                                        UserInterface& ui) {
    const auto holder = diary_lock::OtherHolder(path, m_files, m_processes);
    if (!holder) return Mode::Own;
    const std::string question =
        path + " is already open in Gastrolog (" + diary_lock::Describe(*holder) +
        "). When two windows save one diary, the last save overwrites the other's changes.\n\n"
        "Open it read-only, or open it anyway?\n\nIf you are sure no other Gastrolog has it "
        "open (that computer is off, or that process is no Gastrolog), remove its lock file " +
        diary_lock::LockPath(path, m_files) + " and open it as usual.";
    switch (ui.AskChoiceOfThree(question, "Open &Read-Only", "Open &Anyway", "&Remove Lock")) {
        case UserInterface::Choice::First:
            return Mode::ReadOnly;
        case UserInterface::Choice::Second:
            return Mode::Shared;
        case UserInterface::Choice::Third:
            diary_lock::RemoveLock(path, m_files);
            return Mode::Own;
        default:
            return std::nullopt;
    }
}

void DiaryAccess::Hold(const std::string& path, Mode mode) {
    if (path == m_path && mode == Mode::Own && m_locked) {
        m_mode = mode;
        return;
    }
    Release();
    m_path = path;
    m_mode = mode;
    if (mode == Mode::Own && !path.empty()) {
        m_locked = diary_lock::Acquire(path, m_files, m_processes);
        // A folder that takes no lock file still lets the diary open as before.
        if (!m_locked && diary_lock::OtherHolder(path, m_files, m_processes)) m_mode = Mode::Shared;
    }
}

void DiaryAccess::Release() {
    if (m_locked) diary_lock::Release(m_path, m_files, m_processes);
    m_locked = false;
    m_path.clear();
    m_mode = Mode::Own;
}

Result DiaryAccess::CheckSave(const std::string& path) {
    if (!IsReadOnly() || path != m_path) return Result::Success();
    const auto holder = diary_lock::OtherHolder(path, m_files, m_processes);
    if (!holder) return Result::Success();
    return {Result::Code::HeldElsewhere,
            path + " is open in another Gastrolog window (" + diary_lock::Describe(*holder) +
                "), so this window saves it only under another name.",
            true};
}
