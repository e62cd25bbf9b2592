#pragma once
// Driving the data-entry dialogs in tests: button clicks sent as the button would send them,
// and answers to the modal dialogs and message boxes they open (wxTEST_DIALOG expectations
// that do what the user would: look at the box, type, tick, press a button).

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/listbox.h>
#include <wx/msgdlg.h>
#include <wx/testing.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/DeleteFoodDlg.h"
#include "desktop/dialogs/DeleteSymptomDlg.h"
#include "desktop/dialogs/NewFoodDlg.h"
#include "desktop/dialogs/NewSymptomDlg.h"
#include "diary/QuietPorts.h"

// Sends the click of the button with this id inside the window, as the button itself does.
inline void Click(wxWindow* window, int id) {
    wxWindow* button = window->FindWindow(id);
    ASSERT_NE(button, nullptr) << "no control " << id;
    ASSERT_TRUE(button->IsEnabled()) << "control " << id << " is disabled";
    wxCommandEvent click(wxEVT_BUTTON, id);
    click.SetEventObject(button);
    button->ProcessWindowEvent(click);
}

template <class Control>
Control* ControlOf(wxWindow* window, int id) {
    auto* control = dynamic_cast<Control*>(window->FindWindow(id));
    EXPECT_NE(control, nullptr) << "no control " << id << " of the expected kind";
    return control;
}

// The rows of a list box, top to bottom, as UTF-8.
inline std::vector<std::string> Rows(wxListBox* box) {
    std::vector<std::string> rows;
    for (unsigned int row = 0; row < box->GetCount(); ++row)
        rows.push_back(box->GetString(row).utf8_string());
    return rows;
}

inline void SelectRow(wxListBox* box, const std::string& text, bool select = true) {
    const int row = box->FindString(wxString::FromUTF8(text), true);
    ASSERT_NE(row, wxNOT_FOUND) << "no row \"" << text << "\"";
    box->SetSelection(row, select);
}

// What the user does in one of the small name dialogs. It records what the box showed when
// it opened, so a test can check the name it was given.
struct NameAnswer {
    int button = wxID_OK;
    bool typeName = false;  // replace the edit box's text with `typed`
    std::string typed;
    int tickMaster = -1;  // the delete-food check box: -1 leave, 0 clear, 1 tick
    std::shared_ptr<std::string> shown = std::make_shared<std::string>();
};

inline NameAnswer Type(std::string text) {
    NameAnswer answer;
    answer.typeName = true;
    answer.typed = std::move(text);
    return answer;
}
inline NameAnswer Confirm() {
    return NameAnswer{};
}
inline NameAnswer Cancel() {
    NameAnswer answer;
    answer.button = wxID_CANCEL;
    return answer;
}

template <class Dialog, class Expectation>
class NameExpectation : public wxExpectModalBase<Dialog, Expectation> {
public:
    explicit NameExpectation(NameAnswer answer) : m_answer(std::move(answer)) {}

protected:
    int OnInvoked(Dialog* dialog) const override {
        // ShowModal never ran: open the dialog as showing it would, then act as the user.
        dialog->InitDialog();
        *m_answer.shown = dialog->NameEdit()->GetValue().utf8_string();
        if (m_answer.typeName) dialog->NameEdit()->SetValue(wxString::FromUTF8(m_answer.typed));
        if (m_answer.tickMaster >= 0) {
            auto* box = ControlOf<wxCheckBox>(dialog, control::DeleteFromMaster);
            if (box) {
                box->SetValue(m_answer.tickMaster == 1);
                wxCommandEvent click(wxEVT_CHECKBOX, control::DeleteFromMaster);
                click.SetEventObject(box);
                click.SetInt(m_answer.tickMaster);
                box->ProcessWindowEvent(click);
            }
        }
        if (m_answer.button != wxID_OK) return m_answer.button;
        return dialog->Validate() && dialog->TransferDataFromWindow() ? wxID_OK : wxID_CANCEL;
    }

private:
    NameAnswer m_answer;
};

template <>
class wxExpectModal<CNewFoodDlg> : public NameExpectation<CNewFoodDlg, wxExpectModal<CNewFoodDlg>> {
public:
    using NameExpectation::NameExpectation;
};
template <>
class wxExpectModal<CDeleteFoodDlg>
    : public NameExpectation<CDeleteFoodDlg, wxExpectModal<CDeleteFoodDlg>> {
public:
    using NameExpectation::NameExpectation;
};
template <>
class wxExpectModal<CNewSymptomDlg>
    : public NameExpectation<CNewSymptomDlg, wxExpectModal<CNewSymptomDlg>> {
public:
    using NameExpectation::NameExpectation;
};
template <>
class wxExpectModal<CDeleteSymptomDlg>
    : public NameExpectation<CDeleteSymptomDlg, wxExpectModal<CDeleteSymptomDlg>> {
public:
    using NameExpectation::NameExpectation;
};

// A message box with exactly this text, caption and icon, answered with a button.
class ExpectMessage : public wxExpectModalBase<wxMessageDialog, ExpectMessage> {
public:
    enum class Icon { None, Exclamation, Question };

    ExpectMessage(std::string text, std::string caption, Icon icon, int answer = wxID_OK)
        : m_text(std::move(text)), m_caption(std::move(caption)), m_icon(icon), m_answer(answer) {}

    // The application's own box: caption "Gastrolog", exclamation icon.
    static ExpectMessage Application(std::string text, int answer = wxID_OK) {
        return ExpectMessage(std::move(text), "Gastrolog", Icon::Exclamation, answer);
    }

protected:
    int OnInvoked(wxMessageDialog* dialog) const override {
        EXPECT_EQ(dialog->GetMessage().utf8_string(), m_text);
        EXPECT_EQ(dialog->GetCaption().utf8_string(), m_caption);
        const long style = dialog->GetMessageDialogStyle();
        if (m_icon == Icon::Exclamation) {
            EXPECT_TRUE(style & wxICON_EXCLAMATION) << "no exclamation icon: " << m_text;
        } else if (m_icon == Icon::Question) {
            EXPECT_TRUE(style & wxICON_QUESTION) << "no question icon: " << m_text;
            if (m_answer == wxID_YES || m_answer == wxID_NO) {
                EXPECT_TRUE(style & wxYES_NO) << "no Yes and No buttons: " << m_text;
            }
        } else {
            EXPECT_FALSE(style &
                         (wxICON_EXCLAMATION | wxICON_ERROR | wxICON_QUESTION | wxICON_INFORMATION))
                << "unexpected icon: " << m_text;
        }
        if (m_answer == wxID_CANCEL) {
            EXPECT_TRUE(style & wxCANCEL) << "no Cancel button";
        }
        return m_answer;
    }

    wxString GetDefaultDescription() const override {
        return "message box \"" + wxString::FromUTF8(m_text) + "\"";
    }

private:
    std::string m_text;
    std::string m_caption;
    Icon m_icon;
    int m_answer;
};

// Settings that remember the order of the writes.
class RecordingSettings : public MemorySettings {
public:
    void WriteInt(std::string_view section, std::string_view name, int value) override {
        writes.push_back(std::string(section) + "/" + std::string(name) + "=" +
                         std::to_string(value));
        MemorySettings::WriteInt(section, name, value);
    }
    void WriteString(std::string_view section, std::string_view name,
                     std::string_view value) override {
        writes.push_back(std::string(section) + "/" + std::string(name) + "=" + std::string(value));
        MemorySettings::WriteString(section, name, value);
    }

    std::vector<std::string> writes;
};

// Handles the idle-time work (destruction, layout) that a running main loop would do.
inline void PumpEvents() {
    for (int round = 0; round < 5; ++round) {
        wxTheApp->ProcessPendingEvents();
        wxTheApp->ProcessIdle();
        wxYield();
    }
}

// A data-entry dialog opened modally by the code under test, shown and worked through by a
// script that stands for the user; the script ends by pressing a button (see Press).
template <class Dialog>
class ScriptedDialog : public wxExpectModalBase<Dialog, ScriptedDialog<Dialog>> {
public:
    using Script = std::function<int(Dialog&)>;
    explicit ScriptedDialog(Script script) : m_script(std::move(script)) {}

protected:
    int OnInvoked(Dialog* dialog) const override {
        dialog->Show();  // as ShowModal would: this also initialises the dialog
        const int result = m_script(*dialog);
        if (dialog->IsShown()) {
            ADD_FAILURE() << "the dialog is still open after the script";
            dialog->Hide();
            return wxID_CANCEL;
        }
        return result;
    }

private:
    Script m_script;
};

// Presses the button and returns the result the dialog ends with; when the dialog stays open,
// a test failure and wxID_CANCEL.
inline int Press(wxDialog& dialog, int buttonId, int result) {
    Click(&dialog, buttonId);
    if (dialog.IsShown()) {
        ADD_FAILURE() << "button " << buttonId << " did not close the dialog";
        dialog.Hide();
        return wxID_CANCEL;
    }
    return result;
}
