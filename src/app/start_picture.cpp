#include "app/start_picture.h"

#include <windowsx.h>

#include <algorithm>

#include "app/walk_measurer.h"
#include "measure/program_name.h"
#include "ui/buffered_paint.h"
#include "ui/dpi.h"

namespace lentora {
namespace {
constexpr wchar_t kClassName[] = L"LentoraStartPicture";
constexpr int kWheelRows = 3;
}  // namespace

bool StartPicture::Create(HWND parent, int id, SetHint setHint) {
    RegisterClassOnce(kClassName, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW);
    if (!CreateWindowObject(0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL, 0, 0, 0, 0, parent))
        return false;
    SetWindowLongPtrW(hwnd(), GWLP_ID, id);
    setHint_ = std::move(setHint);
    return true;
}

void StartPicture::Show(StartRecord start, std::vector<std::wstring> hints) {
    names_.clear();
    for (const MeasuredLaunch& launch : start.launches) names_.push_back(ProgramFileName(launch.commandLine));
    hints_ = std::move(hints);
    start_ = std::move(start);
    hoverRow_ = -1;
    setHint_(hwnd(), L"");
    scroll_ = 0;
    LayOut();
}

void StartPicture::LayOut() {
    RECT client{};
    GetClientRect(hwnd(), &client);
    layout_ = start_ ? LayOutTimeline(*start_, client.right, ui::WindowDpi(hwnd()), kMeasuringWindowSeconds)
                     : TimelineLayout{};
    // Only the rows scroll: the page is the height left below the band and the axis.
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, std::max(0, layout_.height - layout_.rowsTop - 1),
                  static_cast<UINT>(ViewHeight())};
    SetScrollInfo(hwnd(), SB_VERT, &si, TRUE);
    ScrollTo(scroll_);
    InvalidateRect(hwnd(), nullptr, FALSE);
}

int StartPicture::ViewHeight() const {
    RECT client{};
    GetClientRect(hwnd(), &client);
    return std::max(0, static_cast<int>(client.bottom) - layout_.rowsTop);
}

int StartPicture::RowStep() const { return layout_.rows.empty() ? 1 : layout_.rows.front().height; }

void StartPicture::ScrollTo(int position) {
    position = std::clamp(position, 0, std::max(0, layout_.height - layout_.rowsTop - ViewHeight()));
    if (position != scroll_) InvalidateRect(hwnd(), nullptr, FALSE);
    scroll_ = position;
    SetScrollPos(hwnd(), SB_VERT, scroll_, TRUE);
}

int StartPicture::RowAt(POINT client) const {
    if (client.y < layout_.rowsTop) return -1;
    return layout_.RowAt(client.y + scroll_);
}

std::wstring StartPicture::HintAt(POINT client) const {
    const int row = RowAt(client);
    return row >= 0 && static_cast<size_t>(row) < hints_.size() ? hints_[static_cast<size_t>(row)] : std::wstring();
}

void StartPicture::OnMouseMove(POINT client) {
    const int row = RowAt(client);
    if (row == hoverRow_) return;
    hoverRow_ = row;
    setHint_(hwnd(), HintAt(client));
}

bool StartPicture::OnKey(WPARAM key) {
    const int page = std::max(RowStep(), ViewHeight() - RowStep());
    switch (key) {
        case VK_UP: ScrollTo(scroll_ - RowStep()); break;
        case VK_DOWN: ScrollTo(scroll_ + RowStep()); break;
        case VK_PRIOR: ScrollTo(scroll_ - page); break;
        case VK_NEXT: ScrollTo(scroll_ + page); break;
        case VK_HOME: ScrollTo(0); break;
        case VK_END: ScrollTo(layout_.height); break;
        default: return false;
    }
    return true;
}

LRESULT StartPicture::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
        case WM_SIZE: LayOut(); return 0;
        case WM_SETFONT:
            // The frame gives a new font when the DPI changed: the layout follows it.
            font_ = reinterpret_cast<HFONT>(wParam);
            LayOut();
            return 0;
        case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
        case WM_ERASEBKGND: return 1;  // the paint covers everything
        case WM_PAINT: {
            ui::BufferedPaint paint(hwnd());
            PaintTo(paint.dc(), paint.Client());
            return 0;
        }
        case WM_PRINTCLIENT: {
            RECT client{};
            GetClientRect(hwnd(), &client);
            PaintTo(reinterpret_cast<HDC>(wParam), client);
            return 0;
        }
        case WM_SETFOCUS:
        case WM_KILLFOCUS: InvalidateRect(hwnd(), nullptr, FALSE); return 0;
        case WM_GETDLGCODE: return DLGC_WANTARROWS;
        case WM_KEYDOWN:
            if (OnKey(wParam)) return 0;
            break;
        case WM_LBUTTONDOWN: SetFocus(hwnd()); return 0;
        case WM_MOUSEMOVE: OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}); return 0;
        case WM_MOUSEWHEEL:
            ScrollTo(scroll_ - GET_WHEEL_DELTA_WPARAM(wParam) * kWheelRows * RowStep() / WHEEL_DELTA);
            return 0;
        case WM_VSCROLL: {
            SCROLLINFO si{sizeof(si), SIF_ALL};
            GetScrollInfo(hwnd(), SB_VERT, &si);
            switch (LOWORD(wParam)) {
                case SB_LINEUP: OnKey(VK_UP); break;
                case SB_LINEDOWN: OnKey(VK_DOWN); break;
                case SB_PAGEUP: OnKey(VK_PRIOR); break;
                case SB_PAGEDOWN: OnKey(VK_NEXT); break;
                case SB_TOP: OnKey(VK_HOME); break;
                case SB_BOTTOM: OnKey(VK_END); break;
                case SB_THUMBTRACK:
                case SB_THUMBPOSITION: ScrollTo(si.nTrackPos); break;
            }
            return 0;
        }
    }
    return Window::HandleMessage(msg, wParam, lParam);
}

}  // namespace lentora
