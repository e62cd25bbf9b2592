// Main of every desktop test program: a wx application without a main loop of its own, so
// that tests can create windows, send events and answer modal dialogs through wxTEST_DIALOG.

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/evtloop.h>
#include <wx/init.h>
#include <wx/log.h>
#include <wx/modalhook.h>
#include <wx/msgdlg.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// A modal dialog that no expectation answered would hang the run: fail and cancel instead.
class UnexpectedModalHook : public wxModalDialogHook {
protected:
    int Enter(wxDialog* dialog) override {
        ADD_FAILURE() << "unexpected modal dialog: " << dialog->GetTitle().utf8_string() << " / "
                      << dialog->GetClassInfo()->GetClassName();
        return wxID_CANCEL;
    }
    void Exit(wxDialog*) override {}
};

void FailOnAssert(const wxString& file, int line, const wxString& function,
                  const wxString& condition, const wxString& message) {
    ADD_FAILURE_AT(file.utf8_str(), line)
        << "wx assertion in " << function.utf8_string() << ": " << condition.utf8_string() << " "
        << message.utf8_string();
}

}  // namespace

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // Keep the tests' settings away from the user's own.
    char configTemplate[] = "/tmp/gastrolog-gui-test-XXXXXX";
    if (const char* folder = mkdtemp(configTemplate)) {
        setenv("XDG_CONFIG_HOME", folder, 1);
        setenv("HOME", folder, 1);
    }
    wxApp::SetInstance(new wxApp);
    if (!wxEntryStart(argc, argv)) {
        std::fprintf(stderr, "cannot start wxWidgets (is there a display?)\n");
        return 1;
    }
    wxTheApp->CallOnInit();
    delete wxLog::SetActiveTarget(new wxLogStderr);
    wxSetAssertHandler(FailOnAssert);
    UnexpectedModalHook unexpectedModal;
    unexpectedModal.Register();
    int result = 0;
    {
        wxEventLoop loop;
        wxEventLoopActivator activator(&loop);
        result = RUN_ALL_TESTS();
    }
    unexpectedModal.Unregister();
    wxEntryCleanup();
    return result;
}
