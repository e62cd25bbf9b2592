#pragma once
// The main window's client area: up to two rows of up to two panes, each pane a view of the
// one diary that scrolls on its own. The rows are a splitter of splitters; the column sash of
// both rows moves together, so the panes form a grid.
//
// The panes are made and released by the owner's functions (a pane is a view and its window).
// The first pane is there for the whole run; splitting adds a row below or a column to the
// right, unsplitting (or double-clicking a sash) removes them again.

#include <wx/splitter.h>
#include <wx/weakref.h>

#include <array>
#include <functional>
#include <vector>

class wxView;

class CPaneSplitter : public wxSplitterWindow {
public:
    struct Pane {
        wxView* view = nullptr;
        wxWeakRef<wxWindow> window;
    };
    using PaneFactory = std::function<Pane(wxWindow* parent)>;
    using PaneRelease = std::function<void(Pane&)>;

    static constexpr int MaximumRows = 2;
    static constexpr int MaximumColumns = 2;
    static constexpr int MinimumPaneSize = 10;

    CPaneSplitter(wxWindow* parent, PaneFactory makePane, PaneRelease releasePane);
    ~CPaneSplitter() override;

    // The window that is the parent of the first pane's window.
    wxWindow* FirstRow() const { return m_rows[0]; }
    void SetFirstPane(Pane pane);
    bool HasFirstPane() const { return m_panes[0][0].window != nullptr; }

    bool SplitRows();     // adds a row below; false when there are two already
    bool SplitColumns();  // adds a column on the right; false when there are two already
    void UnsplitAll();    // back to the first pane alone
    void RemoveSecondRow();
    void RemoveSecondColumn();

    int GetRowCount() const { return m_rowCount; }
    int GetColumnCount() const { return m_columnCount; }
    // Every pane, row by row.
    std::vector<Pane> GetPanes() const;
    // The pane whose window is window or holds it; nullptr when none does.
    const Pane* FindPane(const wxWindow* window) const;

    // Where the sashes stand, in pixels from the top and from the left; 0 when unsplit.
    int GetRowSash() const;
    int GetColumnSash() const;
    void SetRowSash(int position);
    void SetColumnSash(int position);

    // Moves the focus to the next pane (step 1) or the previous one (step -1), wrapping.
    void FocusNextPane(int step);

    // Forgets the panes without releasing them (their views are gone with the document).
    void ForgetPanes();

private:
    wxSplitterWindow* MakeRow();
    void PlaceRow(int row);
    void LayOutPanes();
    void OnSashDoubleClick(wxSplitterEvent& event);
    void OnSashMoved(wxSplitterEvent& event);

    PaneFactory m_makePane;
    PaneRelease m_releasePane;
    std::array<wxSplitterWindow*, MaximumRows> m_rows{};
    std::array<std::array<Pane, MaximumColumns>, MaximumRows> m_panes{};
    int m_rowCount = 1;
    int m_columnCount = 1;
};
