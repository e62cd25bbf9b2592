#include "desktop/PaneSplitter.h"

namespace {

const long SplitterStyle = wxSP_3D | wxSP_LIVE_UPDATE;

}  // namespace

CPaneSplitter::CPaneSplitter(wxWindow* parent, PaneFactory makePane, PaneRelease releasePane)
    : wxSplitterWindow(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, SplitterStyle),
      m_makePane(std::move(makePane)),
      m_releasePane(std::move(releasePane)) {
    SetMinimumPaneSize(MinimumPaneSize);
    // Sized rather than created at a size: a size given at creation becomes the least size.
    SetSize(parent->GetClientSize());
    m_rows[0] = MakeRow();
    Initialize(m_rows[0]);
    // The rows' events come up here too.
    Bind(wxEVT_SPLITTER_DOUBLECLICKED, &CPaneSplitter::OnSashDoubleClick, this);
    Bind(wxEVT_SPLITTER_SASH_POS_CHANGED, &CPaneSplitter::OnSashMoved, this);
}

CPaneSplitter::~CPaneSplitter() = default;

wxSplitterWindow* CPaneSplitter::MakeRow() {
    auto* row =
        new wxSplitterWindow(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, SplitterStyle);
    // At the size it will have, so nothing in it is ever laid out smaller than it can be.
    row->SetSize(GetClientSize());
    row->SetMinimumPaneSize(MinimumPaneSize);
    return row;
}

void CPaneSplitter::SetFirstPane(Pane pane) {
    m_panes[0][0] = pane;
    pane.window->SetSize(m_rows[0]->GetClientSize());
    m_rows[0]->Initialize(pane.window.get());
}

bool CPaneSplitter::SplitRows() {
    if (m_rowCount == MaximumRows || !HasFirstPane()) return false;
    wxSplitterWindow* row = MakeRow();
    for (int column = 0; column < m_columnCount; ++column) {
        Pane pane = m_makePane(row);
        if (!pane.window) {
            for (int made = 0; made < column; ++made) m_releasePane(m_panes[1][made]);
            m_panes[1] = {};
            row->Destroy();
            return false;
        }
        m_panes[1][column] = pane;
    }
    m_rows[1] = row;
    PlaceRow(1);
    SplitHorizontally(m_rows[0], row);
    m_rowCount = 2;
    LayOutPanes();
    return true;
}

void CPaneSplitter::PlaceRow(int row) {
    wxWindow* left = m_panes[row][0].window.get();
    if (m_columnCount == 2)
        m_rows[row]->SplitVertically(left, m_panes[row][1].window.get(),
                                     m_rows[0]->GetSashPosition());
    else
        m_rows[row]->Initialize(left);
}

bool CPaneSplitter::SplitColumns() {
    if (m_columnCount == MaximumColumns || !HasFirstPane()) return false;
    std::array<Pane, MaximumRows> added{};
    for (int row = 0; row < m_rowCount; ++row) {
        added[row] = m_makePane(m_rows[row]);
        if (!added[row].window) {
            for (int made = 0; made < row; ++made) m_releasePane(added[made]);
            return false;
        }
    }
    for (int row = 0; row < m_rowCount; ++row) {
        m_panes[row][1] = added[row];
        m_rows[row]->SplitVertically(m_panes[row][0].window.get(), added[row].window.get());
    }
    if (m_rowCount == 2) m_rows[1]->SetSashPosition(m_rows[0]->GetSashPosition());
    m_columnCount = 2;
    LayOutPanes();
    return true;
}

void CPaneSplitter::RemoveSecondColumn() {
    if (m_columnCount == 1) return;
    for (int row = 0; row < m_rowCount; ++row) {
        m_rows[row]->Unsplit(m_panes[row][1].window.get());
        m_releasePane(m_panes[row][1]);
        m_panes[row][1] = {};
    }
    m_columnCount = 1;
    LayOutPanes();
}

void CPaneSplitter::RemoveSecondRow() {
    if (m_rowCount == 1) return;
    Unsplit(m_rows[1]);
    for (Pane& pane : m_panes[1]) {
        if (pane.window) m_releasePane(pane);
        pane = {};
    }
    m_rows[1]->Destroy();
    m_rows[1] = nullptr;
    m_rowCount = 1;
    LayOutPanes();
}

// A splitter given a single window does not size it until its own size changes; the panes
// are sized at once, so a new row is never left at no height.
void CPaneSplitter::LayOutPanes() {
    SizeWindows();
    for (wxSplitterWindow* row : m_rows)
        if (row) row->SizeWindows();
}

void CPaneSplitter::UnsplitAll() {
    RemoveSecondColumn();
    RemoveSecondRow();
}

std::vector<CPaneSplitter::Pane> CPaneSplitter::GetPanes() const {
    std::vector<Pane> panes;
    for (int row = 0; row < m_rowCount; ++row)
        for (int column = 0; column < m_columnCount; ++column)
            if (m_panes[row][column].window) panes.push_back(m_panes[row][column]);
    return panes;
}

const CPaneSplitter::Pane* CPaneSplitter::FindPane(const wxWindow* window) const {
    for (const auto& row : m_panes)
        for (const Pane& pane : row) {
            if (!pane.window) continue;
            for (const wxWindow* inside = window; inside; inside = inside->GetParent())
                if (inside == pane.window.get()) return &pane;
        }
    return nullptr;
}

void CPaneSplitter::FocusNextPane(int step) {
    const std::vector<Pane> panes = GetPanes();
    if (panes.empty()) return;
    const int count = static_cast<int>(panes.size());
    int current = 0;
    const Pane* focused = FindPane(wxWindow::FindFocus());
    for (int index = 0; index < count; ++index)
        if (focused && panes[index].window == focused->window) current = index;
    const int next = focused ? ((current + step) % count + count) % count : 0;
    panes[next].window->SetFocus();
}

int CPaneSplitter::GetRowSash() const {
    return m_rowCount == 2 ? GetSashPosition() : 0;
}

int CPaneSplitter::GetColumnSash() const {
    return m_columnCount == 2 ? m_rows[0]->GetSashPosition() : 0;
}

void CPaneSplitter::SetRowSash(int position) {
    if (m_rowCount == 2 && position > 0) SetSashPosition(position);
}

void CPaneSplitter::SetColumnSash(int position) {
    if (m_columnCount != 2 || position <= 0) return;
    for (wxSplitterWindow* row : m_rows)
        if (row) row->SetSashPosition(position);
}

void CPaneSplitter::ForgetPanes() {
    for (auto& row : m_panes) row = {};
}

void CPaneSplitter::OnSashDoubleClick(wxSplitterEvent& event) {
    // Double-clicking a sash removes what it divides (the lower row, or the right column).
    event.Veto();
    if (event.GetEventObject() == this)
        CallAfter(&CPaneSplitter::RemoveSecondRow);
    else
        CallAfter(&CPaneSplitter::RemoveSecondColumn);
}

void CPaneSplitter::OnSashMoved(wxSplitterEvent& event) {
    event.Skip();
    if (event.GetEventObject() == this || m_rowCount < 2 || m_columnCount < 2) return;
    for (wxSplitterWindow* row : m_rows)
        if (row && row != event.GetEventObject() &&
            row->GetSashPosition() != event.GetSashPosition())
            row->SetSashPosition(event.GetSashPosition());
}
