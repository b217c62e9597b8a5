// List views whose rows are drawn each in a font of its own (struck through, bold, ...).
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstddef>

namespace lentora::ui {

// The answer to a list view's NM_CUSTOMDRAW: each row drawn in `fontOf(row index)`.
template <typename FontOf>
LRESULT DrawRowsInFont(const NMLVCUSTOMDRAW& cd, FontOf fontOf) {
    switch (cd.nmcd.dwDrawStage) {
        case CDDS_PREPAINT:
            return CDRF_NOTIFYITEMDRAW;
        case CDDS_ITEMPREPAINT:
            SelectObject(cd.nmcd.hdc, fontOf(static_cast<size_t>(cd.nmcd.dwItemSpec)));
            return CDRF_NEWFONT;
    }
    return CDRF_DODEFAULT;
}

}  // namespace lentora::ui
