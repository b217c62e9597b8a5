// A hint over a list view whose text depends on the row under the mouse: the text is asked for
// again each time the mouse reaches another row.
#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "ui/tooltip.h"

namespace lentora::ui {

class ListRowTip {
public:
    // The hint of `row`; empty for none.
    using TextOf = std::function<std::wstring(int row)>;

    ListRowTip() = default;
    ~ListRowTip();
    ListRowTip(const ListRowTip&) = delete;
    ListRowTip& operator=(const ListRowTip&) = delete;

    // `tooltip` shows the hint; it and the list outlive this object or go with the same window.
    void Attach(Tooltip& tooltip, HWND list, TextOf textOf);

private:
    static LRESULT CALLBACK ListProc(HWND list, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR self);
    void MouseAt(POINT client);

    Tooltip* tooltip_ = nullptr;
    HWND list_ = nullptr;
    TextOf textOf_;
    int row_ = -1;
};

}  // namespace lentora::ui
