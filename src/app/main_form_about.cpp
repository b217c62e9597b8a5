// The About page: header, the About/License memos, the used components and the Donate page.
#include <pugixml.hpp>

#include "app/main_form.h"
#include "app/main_form_ids.h"
#include "app/site_links.h"
#include "image_ids.h"
#include "lang/license_texts.h"
#include "ui/dpi.h"
#include "ui/image_list.h"
#include "util/format.h"

namespace lentora {
namespace {
constexpr int kHeaderHeight = 87;
}

void TfrmMain::CreateAboutPage() {
    HWND page = tsAbout_.hwnd();
    auto add = [this](int id, HWND h) {
        controls_.push_back({id, h});
        return h;
    };
    add(ids::Image1, ui::CreateControl(page, WC_STATICW, L"", SS_ICON | SS_REALSIZECONTROL, ids::Image1));
    add(ids::lblTitle, ui::CreateLabel(page, L" Lentora v. "));
    add(ids::Bevel1, ui::CreateControl(page, WC_STATICW, L"", SS_ETCHEDHORZ, ids::Bevel1));
    add(ids::sLabel1, ui::CreateLabel(page, L"\u00A9 2026 The Lentora developers"));
    add(ids::lblAutor, ui::CreateLabel(page, L""));
    add(ids::lblWinVersion, ui::CreateLabel(page, L"for Windows 2000/XP/Vista/7  ", SS_RIGHT));
    add(ids::wlblForum, ui::CreateLink(page, links::Forum(), ids::wlblForum));
    add(ids::lblFreeware, ui::CreateLabel(page, L"FREEWARE", SS_RIGHT));
    HWND site = add(ids::lblSitePrg, ui::CreateLabel(page, L"Program site and forum"));
    ShowWindow(site, SW_HIDE);
    pcAbout_ = add(ids::pcAbout, ui::CreateControl(page, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, ids::pcAbout));
    const wchar_t* tabs[] = {L"About", L"License", L"Used components", L"Donate"};
    const int images[] = {26, 30, 31, 29};  // shown once the image list is attached
    for (int i = 0; i < 4; ++i) {
        TCITEMW item{TCIF_TEXT | TCIF_IMAGE};
        item.pszText = const_cast<wchar_t*>(tabs[i]);
        item.iImage = images[i];
        TabCtrl_InsertItem(pcAbout_, i, &item);
    }
    for (auto* sub : {&tsAboutProg_, &tsLicense_, &tsComponents_, &tsDonate_}) sub->Create(page);
    DWORD memo = ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL;
    add(ids::sMemo2, ui::CreateControl(tsAboutProg_.hwnd(), WC_EDITW, std::wstring(BuiltinAboutText()), memo, ids::sMemo2,
                                       WS_EX_CLIENTEDGE));
    add(ids::sMemo1, ui::CreateControl(tsLicense_.hwnd(), WC_EDITW, std::wstring(BuiltinLicenseText()), memo,
                                       ids::sMemo1, WS_EX_CLIENTEDGE));
    HWND comps = tsComponents_.hwnd();
    add(ids::gbComponents, ui::CreateGroupBox(comps, L"Used components", ids::gbComponents));
    add(ids::wlAC, ui::CreateLink(comps, L"", ids::wlAC));
    add(ids::lblLF, ui::CreateLink(comps, L"", ids::lblLF));
    add(ids::lblCTI, ui::CreateLabel(comps, L"Tray icon component (Shell_NotifyIcon), ver. 1.0"));
    // PUGIXML_VERSION is major * 1000 + minor * 10.
    std::wstring xmlVersion = std::to_wstring(PUGIXML_VERSION / 1000) + L"." + std::to_wstring(PUGIXML_VERSION % 1000 / 10);
    add(ids::sWebLabel1, ui::CreateLink(comps, L"pugixml " + xmlVersion + L", XML parser", ids::sWebLabel1));
    HWND donate = tsDonate_.hwnd();
    add(ids::mmoDonate, ui::CreateControl(donate, WC_EDITW,
                                          L"If you liked the program, you can keep its development having transferred "
                                          L"into account commands the small sum of money",
                                          ES_MULTILINE | ES_READONLY, ids::mmoDonate, WS_EX_CLIENTEDGE));
    add(ids::sbtbtnDonate, ui::CreateButton(donate, L"Donate", ids::sbtbtnDonate));
    add(ids::lblPay1, ui::CreateLabel(donate, L"Card payment"));
    add(ids::img1, ui::CreateControl(donate, WC_STATICW, L"", SS_ICON | SS_REALSIZECONTROL, ids::img1));
    add(ids::btnAccount, ui::CreateButton(donate, L"4100 0000 0000 0000", ids::btnAccount));
    add(ids::lblPay2, ui::CreateLabel(donate, L"E-wallet"));
    add(ids::img2, ui::CreateControl(donate, WC_STATICW, L"", SS_ICON | SS_REALSIZECONTROL, ids::img2));
    add(ids::mmo1, ui::CreateControl(donate, WC_EDITW, L"Z000000000000\r\nR000000000000\r\nE000000000000",
                                     ES_MULTILINE | ES_READONLY, ids::mmo1, WS_EX_CLIENTEDGE));
}

void TfrmMain::LoadAboutImages() {
    UINT dpi = ui::WindowDpi(hwnd());
    logoIcon_ = ui::LoadIconResource(IDI_LOGO, ui::Scale(64, dpi));
    SendMessageW(Control(ids::Image1), STM_SETICON, reinterpret_cast<WPARAM>(logoIcon_.get()), 0);
    pay1Icon_ = ui::LoadIconResource(IDI_PAY1, ui::Scale(32, dpi));
    pay2Icon_ = ui::LoadIconResource(IDI_PAY2, ui::Scale(32, dpi));
    SendMessageW(Control(ids::img1), STM_SETICON, reinterpret_cast<WPARAM>(pay1Icon_.get()), 0);
    SendMessageW(Control(ids::img2), STM_SETICON, reinterpret_cast<WPARAM>(pay2Icon_.get()), 0);
}

void TfrmMain::LayoutAboutPage(int width, int height) {
    UINT dpi = ui::WindowDpi(hwnd());
    auto s = [dpi](int px) { return ui::Scale(px, dpi); };
    auto place = [this](int id, int x, int y, int w, int h) { ui::Move(Control(id), x, y, w, h); };
    place(ids::Image1, s(8), s(10), s(64), s(64));
    place(ids::lblTitle, s(84), s(8), width - s(200), s(24));
    place(ids::Bevel1, s(84), s(34), width - s(92), s(2));
    place(ids::sLabel1, s(84), s(40), width - s(200), s(18));
    place(ids::lblAutor, s(84), s(60), width - s(260), s(18));
    place(ids::lblWinVersion, width - s(240), s(12), s(232), s(18));
    place(ids::wlblForum, width - s(240), s(60), s(232), s(18));
    place(ids::lblFreeware, width - s(110), s(40), s(102), s(18));
    place(ids::lblSitePrg, width - s(240), s(60), s(232), s(18));
    ui::Move(pcAbout_, 0, s(kHeaderHeight), width, height - s(kHeaderHeight));
    RECT display{0, s(kHeaderHeight), width, height};
    TabCtrl_AdjustRect(pcAbout_, FALSE, &display);
    int w = display.right - display.left, h = display.bottom - display.top;
    for (auto* sub : {&tsAboutProg_, &tsLicense_, &tsComponents_, &tsDonate_})
        SetWindowPos(sub->hwnd(), HWND_TOP, display.left, display.top, w, h, SWP_NOACTIVATE);
    place(ids::sMemo2, 0, 0, w, h);
    place(ids::sMemo1, 0, 0, w, h);
    place(ids::gbComponents, s(6), s(4), w - s(12), h - s(8));
    place(ids::wlAC, s(18), s(26), w - s(36), s(18));
    place(ids::lblLF, s(18), s(48), w - s(36), s(18));
    place(ids::lblCTI, s(18), s(70), w - s(36), s(18));
    place(ids::sWebLabel1, s(18), s(92), w - s(36), s(18));
    place(ids::mmoDonate, s(6), s(6), w - s(12), s(40));
    place(ids::sbtbtnDonate, s(6), s(50), w - s(12), s(26));
    int half = (w - s(18)) / 2;
    place(ids::lblPay1, s(6), s(84), half, s(18));
    place(ids::img1, s(6), s(104), s(32), s(32));
    place(ids::btnAccount, s(44), s(106), half - s(40), s(28));
    place(ids::lblPay2, s(12) + half, s(84), half, s(18));
    place(ids::img2, s(12) + half, s(104), s(32), s(32));
    place(ids::mmo1, s(50) + half, s(104), half - s(44), s(54));
}

void TfrmMain::ShowAboutPage(int index) {
    TabCtrl_SetCurSel(pcAbout_, index);
    ui::ShowOnly({tsAboutProg_.hwnd(), tsLicense_.hwnd(), tsComponents_.hwnd(), tsDonate_.hwnd()},
                 static_cast<size_t>(index));
}

void TfrmMain::SetAboutTabText(std::wstring_view page, const std::wstring& text) {
    int index = page == L"tsAboutProg" ? 0 : page == L"tsLicense" ? 1 : page == L"tsComponents" ? 2 : 3;
    TCITEMW item{TCIF_TEXT};
    item.pszText = const_cast<wchar_t*>(text.c_str());
    TabCtrl_SetItem(pcAbout_, index, &item);
}

void TfrmMain::SetPageText(int id, const std::wstring& text) {
    pageUpdates_.Run(L"#" + std::to_wstring(id), [this, id, text] { ui::SetText(Control(id), text); });
}

void TfrmMain::SetAboutTitle(const std::wstring& title) { SetPageText(ids::lblTitle, title); }
void TfrmMain::SetAuthorLabel(const std::wstring& text) { SetPageText(ids::lblAutor, text); }

void TfrmMain::SetMemoTexts(const std::optional<std::wstring>& license, const std::optional<std::wstring>& about) {
    if (license) SetPageText(ids::sMemo1, *license);
    if (about) SetPageText(ids::sMemo2, *about);
}

void TfrmMain::SetComponentLabels() {
    SetPageText(ids::wlAC, L"<a>" + FormatText(L"Lentora skin layer v.%s", {skins_.Version()}) + L"</a>");
    SetPageText(ids::lblLF, L"<a>" + FormatText(L"TLogFile ver.%s", {LogFile_.About()}) + L"</a>");
    SetAuthorLabel(Msg(1) + L": Orvend");
}

void TfrmMain::OnLinkClicked(int id) {
    switch (id) {
        case ids::wlblForum: {
            std::wstring address = links::Forum();
            OpenAddress(address);
            Log(FormatText(L"Transition by reference on \"%s\"", {address}));
            return;
        }
        case ids::wlblLoadSkins: OpenAddress(links::Skins()); return;
        case ids::wlAC: OpenAddress(links::SkinLayer()); return;
        case ids::lblLF: OpenAddress(links::LogComponent()); return;
        case ids::sWebLabel1: OpenAddress(links::kXmlParser); return;
    }
}

void TfrmMain::sbtbtnDonateClick() { OpenAddress(links::Donate(EnglishPages())); }

}  // namespace lentora
