// The texts the window puts on the pages: those of the About page come from start-up and the
// language in force; a page not built yet shows them when it is.
#include "app/main_window.h"
#include "app/main_window_ids.h"
#include "util/format.h"

namespace lentora {

void MainWindow::SetPageText(int id, const std::wstring& text) {
    pageUpdates_.Run(L"#" + std::to_wstring(id), [this, id, text] { ui::SetText(Control(id), text); });
}

void MainWindow::SetAboutTitle(const std::wstring& title) { SetPageText(ids::lblTitle, title); }
void MainWindow::SetAuthorLabel(const std::wstring& text) { SetPageText(ids::lblAutor, text); }

void MainWindow::SetMemoTexts(const std::optional<std::wstring>& license, const std::optional<std::wstring>& about) {
    if (license) SetPageText(ids::sMemo1, *license);
    if (about) SetPageText(ids::sMemo2, *about);
}

void MainWindow::SetComponentLabels() {
    SetPageText(ids::wlAC, L"<a>" + FormatText(L"Lentora skin layer v.%s", {skins_.Version()}) + L"</a>");
    SetPageText(ids::lblLF, L"<a>" + FormatText(L"TLogFile ver.%s", {LogFile_.About()}) + L"</a>");
    SetAuthorLabel(Msg(Message::AuthorWord) + L": Orvend");
}

}  // namespace lentora
