#include "desktop/dialogs/TipOfTheDayDlg.h"

#include <wx/button.h>
#include <wx/dcbuffer.h>
#include <wx/graphics.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>

#include "desktop/dialogs/ControlIds.h"
#include "desktop/dialogs/DiaryText.h"
#include "desktop/dialogs/HelpContext.h"
#include "desktop/dialogs/MessageBoxes.h"
#include "desktop/dialogs/ResourcePaths.h"
#include "desktop/dialogs/Sizing.h"
#include "desktop/dialogs/TipSession.h"
#include "diary/DiaryConstants.h"

namespace {

// The tips file is plain text; one written in the diary's code page is read as such.
wxString TipText(const std::string& bytes) {
    std::string line = bytes;
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    const wxString utf8 = wxString::FromUTF8(line.data(), line.size());
    return utf8.empty() && !line.empty() ? FromDiaryText(line) : utf8;
}

// The tip area: a black frame around a white field with the bulb and "Did you know...", and
// the tip text on the white. A tip too long for the field makes the area taller.
class TipPicture : public wxWindow {
public:
    explicit TipPicture(wxWindow* parent)
        : wxWindow(parent, control::TipPicture),
          m_smallest(parent->ConvertDialogToPixels(wxSize(207, 123))) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        SetMinSize(m_smallest);
        m_label = new wxStaticText(this, control::TipText, wxString());
        m_label->SetForegroundColour(*wxBLACK);
        m_label->SetBackgroundColour(*wxWHITE);
        Bind(wxEVT_PAINT, &TipPicture::OnPaint, this);
        Bind(wxEVT_SIZE, [this](wxSizeEvent& event) {
            Arrange();
            Refresh();
            event.Skip();
        });
    }

    void ShowText(const wxString& text) {
        m_text = text;
        Arrange();
    }

private:
    // The white field inside the frame.
    wxRect Field() const {
        const wxSize inset = GetParent()->ConvertDialogToPixels(wxSize(8, 6));
        wxRect field(GetClientSize());
        field.Deflate(inset.x, inset.y);
        return field;
    }

    // Where the tip text goes: below the heading, as wide as the field allows.
    wxRect TextArea() const {
        const wxRect field = Field();
        const wxPoint offset = GetParent()->ConvertDialogToPixels(wxPoint(8, 46));
        const wxSize margin = GetParent()->ConvertDialogToPixels(wxSize(5, 4));
        return wxRect(field.x + offset.x, field.y + offset.y, field.width - offset.x - margin.x,
                      field.height - offset.y - margin.y);
    }

    void Arrange() {
        const wxRect area = TextArea();
        if (area.width <= 0) return;
        m_label->SetLabelText(m_text);
        m_label->Wrap(area.width);
        const int needed = m_label->GetBestSize().y;
        m_label->SetSize(area.x, area.y, area.width, std::max(area.height, needed));
        if (needed > area.height) {
            SetMinSize(wxSize(m_smallest.x, GetClientSize().y + needed - area.height));
            GetParent()->Fit();
        }
    }

    // The bulb grows with the font, as the rest of the dialog does.
    wxSize BulbSize() const { return GetParent()->ConvertDialogToPixels(wxSize(27, 33)); }

    void OnPaint(wxPaintEvent&) {
        wxAutoBufferedPaintDC dc(this);
        dc.SetBackground(wxBrush(GetParent()->GetBackgroundColour()));
        dc.Clear();
        dc.SetPen(*wxBLACK_PEN);
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(wxRect(GetClientSize()));

        const wxRect field = Field();
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(field);

        const wxRect bulb(field.GetTopLeft(), BulbSize());
        DrawBulb(dc, bulb);

        wxFont heading = GetFont().Bold();
        heading.SetFractionalPointSize(heading.GetFractionalPointSize() * 1.2);
        dc.SetFont(heading);
        dc.SetTextForeground(*wxBLACK);
        const wxRect band(bulb.GetRight() + 1, field.y, field.GetRight() - bulb.GetRight(),
                          bulb.height);
        dc.DrawLabel("Did you know...", band, wxALIGN_LEFT | wxALIGN_CENTER_VERTICAL);
    }

    // A light bulb: rays, the glass with a filament, the screw base.
    static void DrawBulb(wxDC& dc, const wxRect& box) {
        std::unique_ptr<wxGraphicsContext> gc(wxGraphicsContext::CreateFromUnknownDC(dc));
        if (!gc) return;
        const double width = box.width;
        const double height = box.height;
        gc->Translate(box.x, box.y);

        const double centreX = width / 2;
        const double centreY = height * 0.38;
        const double radius = width * 0.3;
        const double line = std::max(1.0, width / 40);
        gc->SetPen(wxPen(wxColour(255, 190, 0), std::max(1.0, width / 28)));
        for (int ray = 0; ray < 5; ++ray) {
            const double angle =
                std::numbers::pi * (1.0 + ray / 4.0);  // from the left over the top
            const double inner = radius * 1.25;
            const double outer = radius * 1.6;
            gc->StrokeLine(centreX + inner * std::cos(angle), centreY + inner * std::sin(angle),
                           centreX + outer * std::cos(angle), centreY + outer * std::sin(angle));
        }

        const double neckTop = height * 0.72;
        wxGraphicsPath glass = gc->CreatePath();
        glass.AddArc(centreX, centreY, radius, std::numbers::pi * 0.75, std::numbers::pi * 0.25,
                     true);
        glass.AddLineToPoint(centreX + radius * 0.45, neckTop);
        glass.AddLineToPoint(centreX - radius * 0.45, neckTop);
        glass.CloseSubpath();
        gc->SetPen(wxPen(wxColour(120, 100, 0), line));
        gc->SetBrush(gc->CreateRadialGradientBrush(
            centreX - radius * 0.3, centreY - radius * 0.3, centreX, centreY, radius * 1.2,
            wxColour(255, 255, 225), wxColour(255, 215, 40)));
        gc->DrawPath(glass);

        gc->SetPen(wxPen(wxColour(160, 90, 0), line));
        wxGraphicsPath filament = gc->CreatePath();
        filament.MoveToPoint(centreX - radius * 0.3, neckTop);
        filament.AddLineToPoint(centreX - radius * 0.3, centreY + radius * 0.1);
        filament.AddLineToPoint(centreX - radius * 0.1, centreY - radius * 0.15);
        filament.AddLineToPoint(centreX + radius * 0.1, centreY + radius * 0.1);
        filament.AddLineToPoint(centreX + radius * 0.3, centreY - radius * 0.15);
        filament.AddLineToPoint(centreX + radius * 0.3, neckTop);
        gc->StrokePath(filament);

        gc->SetPen(wxPen(wxColour(90, 90, 90), line));
        gc->SetBrush(wxBrush(wxColour(175, 175, 175)));
        const double baseWidth = radius;
        for (int thread = 0; thread < 3; ++thread)
            gc->DrawRoundedRectangle(centreX - baseWidth / 2, height * (0.73 + 0.07 * thread),
                                     baseWidth, height * 0.07, height * 0.02);
        gc->SetBrush(wxBrush(wxColour(70, 70, 70)));
        gc->DrawEllipse(centreX - baseWidth * 0.25, height * 0.93, baseWidth * 0.5, height * 0.05);
    }

    wxSize m_smallest;
    wxStaticText* m_label = nullptr;
    wxString m_text;
};

}  // namespace

CTipOfTheDayDlg::CTipOfTheDayDlg(wxWindow* parent, SettingsStore& settings)
    : wxDialog(parent, wxID_ANY, "Tip of the Day") {
    // A tips file in the current folder comes first, then the one the program ships.
    m_session = std::make_unique<TipSession>(
        settings, std::vector<std::string>{"tips.txt", ResourcePath("tips.txt")},
        [parent](const std::string& message) {
            ShowApplicationMessage(parent, wxString::FromUTF8(message));
        });
    m_showAtStartup = m_session->ShowAtStartup();
    m_tipText = TipText(m_session->Tip());

    CreateControls();
    SetEscapeId(wxID_NONE);
    Bind(wxEVT_INIT_DIALOG, &CTipOfTheDayDlg::OnInitDialog, this);
    BindHelpKey(this, command::TipOfTheDay);
    Bind(wxEVT_BUTTON, &CTipOfTheDayDlg::OnNextTip, this, control::NextTip);
    Bind(wxEVT_BUTTON, &CTipOfTheDayDlg::OnOK, this, wxID_OK);
    Bind(wxEVT_CHAR_HOOK, &CTipOfTheDayDlg::OnCharHook, this);
    Bind(wxEVT_CLOSE_WINDOW, &CTipOfTheDayDlg::OnClose, this);
}

CTipOfTheDayDlg::~CTipOfTheDayDlg() = default;

void CTipOfTheDayDlg::CreateControls() {
    m_picture = new TipPicture(this);
    // Creation order is the tab order: the check box, Next Tip, Close.
    m_showCheck = new wxCheckBox(this, control::ShowTipsAtStartup, "&Show Tips on StartUp");
    m_nextButton = new wxButton(this, control::NextTip, "&Next Tip");
    auto* close = new wxButton(this, wxID_OK, "&Close");
    close->SetDefault();

    SetMinSizeInDialogUnits(m_nextButton, wxSize(50, 14));
    SetMinSizeInDialogUnits(close, wxSize(50, 14));
    const wxSize unit = ConvertDialogToPixels(wxSize(4, 4));

    auto* bottom = new wxBoxSizer(wxHORIZONTAL);
    bottom->Add(m_showCheck, wxSizerFlags().CenterVertical());
    bottom->AddStretchSpacer();
    bottom->Add(m_nextButton, wxSizerFlags().Border(wxRIGHT, 2 * unit.x));
    bottom->Add(close);

    auto* top = new wxBoxSizer(wxVERTICAL);
    top->Add(m_picture, wxSizerFlags(1).Expand().Border(wxALL, 3 * unit.x));
    top->Add(bottom, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM, 3 * unit.x));
    SetSizerAndFit(top);
}

bool CTipOfTheDayDlg::TransferDataToWindow() {
    m_showCheck->SetValue(m_showAtStartup);
    ShowTip();
    return true;
}

bool CTipOfTheDayDlg::TransferDataFromWindow() {
    m_showAtStartup = m_showCheck->GetValue();
    return true;
}

void CTipOfTheDayDlg::ShowTip() {
    static_cast<TipPicture*>(m_picture)->ShowText(m_tipText);
}

void CTipOfTheDayDlg::OnInitDialog(wxInitDialogEvent&) {
    TransferDataToWindow();
    m_nextButton->Enable(m_session->IsFileOpen());
}

void CTipOfTheDayDlg::OnNextTip(wxCommandEvent&) {
    m_tipText = TipText(m_session->NextTip());
    ShowTip();
}

void CTipOfTheDayDlg::OnOK(wxCommandEvent&) {
    if (!Validate() || !TransferDataFromWindow()) return;
    SetReturnCode(wxID_OK);
    EndDialog(wxID_OK);
    m_session->StoreShowAtStartup(m_showAtStartup);
}

void CTipOfTheDayDlg::OnCharHook(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_ESCAPE)
        CloseWithoutStoring();
    else
        event.Skip();
}

void CTipOfTheDayDlg::OnClose(wxCloseEvent&) {
    CloseWithoutStoring();
}

void CTipOfTheDayDlg::CloseWithoutStoring() {
    SetReturnCode(wxID_CANCEL);
    EndDialog(wxID_CANCEL);
}
