#pragma once

#include "core/preview/PlayHandOver.h"
#include "gui/app/ChildFrame.h"
#include "gui/app/View.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

#include <array>
#include <vector>

namespace lumaro::gui {

class CChildFrame;
class CLayoutDocument;
class CView;

// Everything a project has while it is in the mode test state: the frame
// and view "Transfer Data" opened, the enable flags of the view's commands,
// the selected play range and the play hand-over. One per document, owned
// by it, so no window keeps a copy that could go stale.
class CModeTestState : public QObject {
    Q_OBJECT
public:
    // The command enable flags. The first six are set once data are
    // compiled and stay set while the mode test view is open.
    enum CommandFlag {
        ProducingDataFlag,
        ParallelPlayFlag,
        SequentialPlayFlag,
        PartialPlayFlag,
        OutputDspBinFlag,
        WriteCmosFlag,
        EditModeFlag,
        CreateDataFlag,
        CommandFlagCount
    };

    // The state of document, made on first use.
    static CModeTestState& Of(CLayoutDocument& document);
    // nullptr while document has never been in the mode test state.
    static CModeTestState* Find(const CLayoutDocument& document);

    CChildFrame* Frame() const { return m_frame; }
    CView* View() const { return m_view; }
    bool IsOpen() const { return m_view != nullptr; }
    // A new mode test frame: the flags, requests and play range start as a
    // new view's.
    void Opened(CChildFrame* frame, CView* view);

    bool Enabled(CommandFlag flag) const { return m_enabled[flag]; }
    void SetEnabled(CommandFlag flag, bool on) { m_enabled[flag] = on; }
    // After "Creat Data": the six data commands open.
    void DataCompiled();

    int HandedOverLampCount() const { return m_handedOverLampCount; }
    void SetHandedOverLampCount(int count) { m_handedOverLampCount = count; }

    CPlayHandOver& HandOver() { return m_handOver; }
    const CPlayHandOver& HandOver() const { return m_handOver; }

    // What the mode editor's pages have asked the mode test view for. A page
    // sets a request and hides the sheet; the view's click, drag or
    // double-click answers it, clears it and shows the sheet again.
    enum class GroupPick { None, Add, Insert, Remove };
    enum class ParameterPick { None, Add, Remove };
    struct PickRequests {
        bool startPoint = false;                       // the next left click is the start point
        bool rectangle = false;                        // the next left drag is the area
        bool circleCentre = false;                     // the next left click is a circle's centre
        GroupPick group = GroupPick::None;             // clicks build the lamp list
        ParameterPick parameter = ParameterPick::None; // clicks build the supplementary lamps
        bool operator==(const PickRequests&) const = default;
    };
    const PickRequests& Picks() const { return m_picks; }
    // Sets the requests and tells the view, which shows or hides the picked
    // lamps with them. The only way to change them, so that no request is
    // left unpainted until the next click.
    void SetPickRequests(const PickRequests& picks);
    template <class Change> void ChangePickRequests(Change change)
    {
        PickRequests picks = m_picks;
        change(picks);
        SetPickRequests(picks);
    }
    bool GroupPicking() const { return m_picks.group != GroupPick::None; }
    bool ParameterPicking() const { return m_picks.parameter != ParameterPick::None; }

    // The mode list page's play range for Partial play: indices into the
    // mode list, both 0 until chosen.
    int FirstSelectedMode() const { return m_firstSelected; }
    int LastSelectedMode() const { return m_lastSelected; }
    void SetSelectedModes(int first, int last);

    // Index of the layer the view shows and Layer Edit changes (0 = layer 1).
    int CurrentLayer() const { return m_currentLayer; }
    void SetCurrentLayer(int index) { m_currentLayer = index; }
    // The view's lamp cell size in pixels; the pages scale areas by it.
    int Zoom() const { return m_zoom; }
    void SetZoom(int zoom) { m_zoom = zoom; }

    // The mode editor's tabs, in their order.
    enum Page { ModeListPage, ColourListPage, GroupListPage, ParameterPage, ProgramGroupPage };

Q_SIGNALS:
    // The view's answers to the requests, relative to lamp cell (0,0) in
    // pixels; the receiving page takes them as its own edit values.
    void StartPointPicked(QPoint point);
    void AreaPicked(QRect area);
    void CircleCentrePicked(QPoint centre);
    // The user is done picking: the sheet is shown again with page active.
    void ReturnToPage(int page);
    // The pick requests changed.
    void PickRequestsChanged();

private:
    explicit CModeTestState(CLayoutDocument& document);

    QPointer<CChildFrame> m_frame;
    QPointer<CView> m_view;
    std::array<bool, CommandFlagCount> m_enabled{};
    int m_handedOverLampCount = 0;
    CPlayHandOver m_handOver;
    PickRequests m_picks;
    int m_currentLayer = 0;
    int m_zoom = 1;
    int m_firstSelected = 0;
    int m_lastSelected = 0;
    // The mode list the play range refers to.
    std::vector<lumaro::CModeItem> m_knownModes;
};

} // namespace lumaro::gui
