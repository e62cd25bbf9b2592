#include "desktop/dialogs/TipSession.h"

#include <climits>
#include <utility>

namespace {

constexpr const char* Section = "Tip";
constexpr const char* StartUp = "StartUp";
constexpr const char* FilePos = "FilePos";
constexpr const char* TimeStamp = "TimeStamp";

}  // namespace

TipSession::TipSession(SettingsStore& settings, const std::vector<std::string>& candidates,
                       std::function<void(const std::string&)> trouble)
    : m_settings(settings), m_trouble(std::move(trouble)) {
    m_showAtStartup = m_settings.GetInt(Section, StartUp, 0) == 0;
    long position = m_settings.GetInt(Section, FilePos, 0);

    for (const std::string& path : candidates)
        if (m_reader.Open(path)) break;
    if (!m_reader.IsOpen()) {
        m_tip = NoTipsFile;
        return;
    }

    // A changed (for example re-created) tips file starts again from its first tip.
    const std::string stamp = m_reader.TimeStampText();
    if (stamp != m_settings.GetString(Section, TimeStamp, "")) {
        m_settings.WriteString(Section, TimeStamp, stamp);
        position = 0;
    }
    if (!m_reader.Seek(position)) {
        m_trouble(ReadTrouble);
        return;
    }
    ReadTip();
}

TipSession::~TipSession() {
    if (!m_reader.IsOpen()) return;
    const long position = m_reader.Position();
    if (position >= 0 && position <= INT_MAX)
        m_settings.WriteInt(Section, FilePos, static_cast<int>(position));
}

void TipSession::ReadTip() {
    if (m_reader.ReadNextTip(m_tip) == TipReader::Result::RewindFailed) m_trouble(ReadTrouble);
}

const std::string& TipSession::NextTip() {
    if (m_reader.IsOpen()) ReadTip();
    return m_tip;
}

void TipSession::StoreShowAtStartup(bool show) {
    m_showAtStartup = show;
    m_settings.WriteInt(Section, StartUp, show ? 0 : 1);
}
