// The application log: lentora.log and the Log page, and whether that page is offered.
#include "app/main_window.h"
#include "app/pictures.h"
#include "app/main_window_ids.h"
#include "util/date_time.h"
#include "util/format.h"
#include "util/platform.h"

namespace lentora {

void MainWindow::Log(const std::wstring& str) {
    if (!run_.useLog) return;
    platform::LocalTime now = platform::Now();
    logPage_.AddLine(DateTimeText(now) + L" " + str);
    try {
        logFile_.SaveString(str);
    } catch (const std::exception&) {
        // A log that cannot be written must never cut its caller short; the line stays on screen.
    }
}

void MainWindow::SetLogPageVisible(bool visible) {
    if (visible == logPageVisible_) return;
    logPageVisible_ = visible;
    if (!contentBuilt_) return;
    if (visible)
        InsertLogTab();
    else
        TabCtrl_DeleteItem(pageTabs_, 2);
    ShowPage(TabCtrl_GetCurSel(pageTabs_));
}

void MainWindow::InsertLogTab() {
    TCITEMW item{TCIF_TEXT | TCIF_IMAGE};
    item.pszText = const_cast<wchar_t*>(logPage_.tabCaption.c_str());
    item.iImage = PictureOf(IDI_IMG_LOG);
    TabCtrl_InsertItem(pageTabs_, 2, &item);
}

}  // namespace lentora
