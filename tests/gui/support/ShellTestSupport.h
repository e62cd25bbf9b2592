#pragma once
// What the desktop shell's tests share: a settings file of their own in a scratch folder,
// event pumping, message-box expectations that check the text, and diary files to open.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/fileconf.h>
#include <wx/testing.h>

#include <filesystem>
#include <string>

#include "diary/GastrologDoc.h"
#include "diary/LocalTime.h"
#include "tests/support/DocumentTestAccess.h"
#include "tests/support/FakePorts.h"

// Runs waiting events and idle processing, so destroyed windows are really gone.
inline void PumpEvents() {
    for (int round = 0; round < 5; ++round) {
        wxTheApp->ProcessPendingEvents();
        if (wxEventLoopBase* loop = wxEventLoopBase::GetActive())
            loop->YieldFor(wxEVT_CATEGORY_ALL);
        wxTheApp->ProcessIdle();
    }
}

// A scratch folder removed with the object.
using ScratchFolder = TemporaryFolder;

// Makes a settings file in the folder the application's configuration for the object's life.
class ScratchConfig {
public:
    explicit ScratchConfig(const ScratchFolder& folder)
        : m_config(new wxFileConfig("Gastrolog", "Gastrolog",
                                    wxString::FromUTF8(folder.File("settings.conf")), wxEmptyString,
                                    wxCONFIG_USE_LOCAL_FILE)) {
        delete wxConfigBase::Set(m_config);
    }
    ~ScratchConfig() { delete wxConfigBase::Set(nullptr); }
    ScratchConfig(const ScratchConfig&) = delete;
    ScratchConfig& operator=(const ScratchConfig&) = delete;

    wxFileConfig& Config() { return *m_config; }

private:
    wxFileConfig* m_config;
};

// A message box whose text and caption are checked before it is answered.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    ExpectMessage(const wxString& message, int answer, const wxString& caption = "Gastrolog")
        : m_message(message), m_caption(caption), m_answer(answer) {}

protected:
    int OnInvoked(wxMessageDialog* dialog) const override {
        EXPECT_EQ(dialog->GetMessage().utf8_string(), m_message.utf8_string());
        EXPECT_EQ(dialog->GetCaption().utf8_string(), m_caption.utf8_string());
        return m_answer;
    }

private:
    wxString m_message;
    wxString m_caption;
    int m_answer;
};

// A diary last updated `daysAgo` diary days ago: opening it offers the skipped days.
inline void WriteDiaryOfDaysAgo(const std::string& path, int daysAgo, int dayCount = 3) {
    CGastrologDoc diary;
    diary.OnNewDocument();
    Members(diary).m_symptoms.emplace_back("Headache");
    Members(diary).m_foods.emplace_back("Bread");
    Members(diary).m_foods.emplace_back("Milk");
    Members(diary).m_dayCount = dayCount;
    Members(diary).m_lastUpdate = calendar::DaysEarlier(diary.GetEffectiveNow(), daysAgo);
    diary.RebuildFoodNames();
    diary.RebuildSymptomLines();
    const std::string failure = diary.WriteFile(path).Message();
    ASSERT_TRUE(failure.empty()) << failure;
}

// Writes a diary whose day is today, so opening it asks nothing.
inline void WriteTodaysDiary(const std::string& path, int dayCount = 3) {
    WriteDiaryOfDaysAgo(path, 0, dayCount);
}
