// The picture of one start: the machine's CPU curve in a band at the top, the time axis below it,
// and a row per launch with the program's name, its launch mark and a bar, coloured by what the
// launch cost, for as long as it kept the machine busy. The band and the axis stay while the rows
// scroll (scroll bar, wheel, and Up, Down, Page Up, Page Down, Home, End once it has the focus).
// Hovering a row shows that launch's hint. Drawn off screen in one go, in the colours its parent
// gives a list (the skin's or the system's), with the font the frame gives it.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "measure/start_record.h"
#include "measure/timeline_layout.h"
#include "ui/window.h"

namespace lentora {

class StartPicture : public ui::Window {
public:
    // The hints go to the window's one tooltip through `setHint` (an empty text removes it).
    using SetHint = std::function<void(HWND control, const std::wstring& hint)>;
    bool Create(HWND parent, int id, SetHint setHint);
    // The start to draw and each launch's hint, in the launches' order.
    void Show(StartRecord start, std::vector<std::wstring> hints);

    const TimelineLayout& Layout() const { return layout_; }
    int ScrollPosition() const { return scroll_; }
    // The hint of the row under a point of the window, empty off every row.
    std::wstring HintAt(POINT client) const;
    // The whole visible picture into `dc`, as WM_PAINT draws it.
    void PaintTo(HDC dc, const RECT& client) const;

protected:
    LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;

private:
    void LayOut();
    void ScrollTo(int position);
    int RowStep() const;
    int ViewHeight() const;
    bool OnKey(WPARAM key);
    void OnMouseMove(POINT client);
    int RowAt(POINT client) const;

    std::optional<StartRecord> start_;
    std::vector<std::wstring> names_, hints_;
    TimelineLayout layout_;
    int scroll_ = 0;  // how far the rows are scrolled up, in pixels
    int hoverRow_ = -1;
    HFONT font_ = nullptr;  // the frame's
    SetHint setHint_;
};

}  // namespace lentora
