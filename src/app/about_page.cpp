#include "app/about_page.h"
#include "app/pictures.h"

#include <commctrl.h>
#include <pugixml.hpp>

#include "app/main_window_ids.h"
#include "app/site_links.h"
#include "image_ids.h"
#include "lang/license_texts.h"
#include "ui/controls.h"
#include "ui/dpi.h"
#include "ui/image_list.h"
#include "util/format.h"

namespace lentora {
namespace {
constexpr int kHeaderHeight = 87;

// One wallet a line, as the build lists them.
std::wstring WalletLines() {
    std::wstring lines = links::kPaymentWallets;
    for (size_t at = lines.find(L' '); at != std::wstring::npos; at = lines.find(L' ', at + 2)) lines.replace(at, 1, L"\r\n");
    return lines;
}
}

void AboutPage::Create(HWND page, ui::TextTargets& texts) {
    auto add = [&](int id, HWND control) {
        controls_.emplace_back(id, control);
        return control;
    };
    logo_ = add(ids::programIcon, ui::CreateControl(page, WC_STATICW, L"", SS_ICON | SS_REALSIZECONTROL, ids::programIcon));
    add(ids::titleLabel, ui::CreateLabel(page, L" Lentora v. "));
    add(ids::titleRule, ui::CreateControl(page, WC_STATICW, L"", SS_ETCHEDHORZ, ids::titleRule));
    add(ids::copyrightLabel, ui::CreateLabel(page, L"\u00A9 2026 Orvend"));
    add(ids::authorLabel, ui::CreateLabel(page, L""));
    add(ids::systemsLabel, ui::CreateLabel(page, L"for Windows 2000/XP/Vista/7  ", SS_RIGHT));
    add(ids::siteLink, ui::CreateLink(page, links::Forum(), ids::siteLink));
    add(ids::freewareLabel, ui::CreateLabel(page, L"FREEWARE", SS_RIGHT));
    HWND site = add(ids::siteLabel, ui::CreateLabel(page, L"Program site and forum"));
    ShowWindow(site, SW_HIDE);
    tabs_ = add(ids::aboutTabs, ui::CreateControl(page, WC_TABCONTROLW, L"", WS_CLIPSIBLINGS | WS_TABSTOP, ids::aboutTabs));
    const wchar_t* tabs[] = {L"About", L"License", L"Used components", L"Donate"};
    const int images[] = {PictureOf(IDI_IMG_ABOUT_PROGRAM), PictureOf(IDI_IMG_LICENSE), PictureOf(IDI_IMG_COMPONENTS), PictureOf(IDI_IMG_DONATE)};  // shown once the image list is attached
    for (int i = 0; i < 4; ++i) {
        TCITEMW item{TCIF_TEXT | TCIF_IMAGE};
        item.pszText = const_cast<wchar_t*>(tabs[i]);
        item.iImage = images[i];
        TabCtrl_InsertItem(tabs_, i, &item);
    }
    for (ui::Panel* sub : {&aboutText_, &license_, &components_, &donate_}) sub->Create(page);
    DWORD memo = ES_MULTILINE | ES_READONLY | WS_VSCROLL | ES_AUTOVSCROLL;
    add(ids::aboutText, ui::CreateControl(aboutText_.hwnd(), WC_EDITW, std::wstring(BuiltinAboutText()), memo, ids::aboutText,
                                       WS_EX_CLIENTEDGE));
    add(ids::licenseText, ui::CreateControl(license_.hwnd(), WC_EDITW, std::wstring(BuiltinLicenseText()), memo,
                                       ids::licenseText, WS_EX_CLIENTEDGE));
    HWND comps = components_.hwnd();
    add(ids::componentsGroup, ui::CreateGroupBox(comps, L"Used components", ids::componentsGroup));
    add(ids::skinLayerLink, ui::CreateLink(comps, L"", ids::skinLayerLink));
    add(ids::logComponentLink, ui::CreateLink(comps, L"", ids::logComponentLink));
    add(ids::trayComponentLabel, ui::CreateLabel(comps, L"Tray icon component (Shell_NotifyIcon), ver. 1.0"));
    // PUGIXML_VERSION is major * 1000 + minor * 10.
    std::wstring xmlVersion = std::to_wstring(PUGIXML_VERSION / 1000) + L"." + std::to_wstring(PUGIXML_VERSION % 1000 / 10);
    add(ids::xmlParserLink, ui::CreateLink(comps, L"pugixml " + xmlVersion + L", XML parser", ids::xmlParserLink));
    HWND donate = donate_.hwnd();
    add(ids::donateText, ui::CreateControl(donate, WC_EDITW,
                                          L"If you liked the program, you can keep its development having transferred "
                                          L"into account commands the small sum of money",
                                          ES_MULTILINE | ES_READONLY, ids::donateText, WS_EX_CLIENTEDGE));
    add(ids::donateButton, ui::CreateButton(donate, L"Donate", ids::donateButton));
    add(ids::cardLabel, ui::CreateLabel(donate, L"Card payment"));
    cardIcon_ = add(ids::cardIcon, ui::CreateControl(donate, WC_STATICW, L"", SS_ICON | SS_REALSIZECONTROL, ids::cardIcon));
    add(ids::cardNumberButton, ui::CreateButton(donate, links::kPaymentCard, ids::cardNumberButton));
    add(ids::walletLabel, ui::CreateLabel(donate, L"E-wallet"));
    walletIcon_ = add(ids::walletIcon, ui::CreateControl(donate, WC_STATICW, L"", SS_ICON | SS_REALSIZECONTROL, ids::walletIcon));
    add(ids::walletText, ui::CreateControl(donate, WC_EDITW, WalletLines(),
                                     ES_MULTILINE | ES_READONLY, ids::walletText, WS_EX_CLIENTEDGE));

    const std::pair<const wchar_t*, int> captions[] = {
        {L"lblSitePrg", ids::siteLabel}, {L"lblWinVersion", ids::systemsLabel}, {L"sbtbtnDonate", ids::donateButton},
        {L"sLabel1", ids::copyrightLabel},       {L"lblFreeware", ids::freewareLabel},     {L"gbComponents", ids::componentsGroup},
        {L"lblCTI", ids::trayComponentLabel},         {L"lblPay1", ids::cardLabel},             {L"lblPay2", ids::walletLabel}};
    for (const auto& [name, id] : captions) texts.AddCaption(name, Control(id));
    texts.Add(L"mmoDonate.text", [this](const std::wstring& text) { ui::SetText(Control(ids::donateText), text); });
    const wchar_t* subPages[] = {L"tsAboutProg", L"tsLicense", L"tsComponents", L"tsDonate"};
    for (int i = 0; i < 4; ++i) {
        texts.Add(L"pcAbout." + std::wstring(subPages[i]) + L".caption", [this, i](const std::wstring& text) {
            TCITEMW item{TCIF_TEXT};
            item.pszText = const_cast<wchar_t*>(text.c_str());
            TabCtrl_SetItem(tabs_, i, &item);
        });
    }
    // Payment blocks only with the maker's real details; a build without them shows no made-up numbers.
    const bool card = *links::kPaymentCard != L'\0', wallets = *links::kPaymentWallets != L'\0';
    for (int id : {ids::cardLabel, ids::cardIcon, ids::cardNumberButton}) ShowWindow(Control(id), card ? SW_SHOWNA : SW_HIDE);
    for (int id : {ids::walletLabel, ids::walletIcon, ids::walletText}) ShowWindow(Control(id), wallets ? SW_SHOWNA : SW_HIDE);
    for (const auto& [id, text] : texts_) ui::SetText(Control(id), text);
    texts_.clear();
}

void AboutPage::SetText(int id, std::wstring text) {
    if (HWND control = Control(id)) return ui::SetText(control, text);
    std::erase_if(texts_, [id](const auto& kept) { return kept.first == id; });
    texts_.emplace_back(id, std::move(text));
}

void AboutPage::LoadImages(UINT dpi) {
    logoIcon_ = ui::LoadIconResource(IDI_LOGO, ui::Scale(64, dpi));
    cardIconImage_ = ui::LoadIconResource(IDI_PAY1, ui::Scale(32, dpi));
    walletIconImage_ = ui::LoadIconResource(IDI_PAY2, ui::Scale(32, dpi));
    SendMessageW(logo_, STM_SETICON, reinterpret_cast<WPARAM>(logoIcon_.get()), 0);
    SendMessageW(cardIcon_, STM_SETICON, reinterpret_cast<WPARAM>(cardIconImage_.get()), 0);
    SendMessageW(walletIcon_, STM_SETICON, reinterpret_cast<WPARAM>(walletIconImage_.get()), 0);
}

void AboutPage::Layout(int width, int height, UINT dpi) {
    auto s = [dpi](int px) { return ui::Scale(px, dpi); };
    auto place = [this](int id, int x, int y, int w, int h) { ui::Move(Control(id), x, y, w, h); };
    place(ids::programIcon, s(8), s(10), s(64), s(64));
    place(ids::titleLabel, s(84), s(8), width - s(200), s(24));
    // An etched line is two pixels at any scale; a taller control leaves the rest unpainted.
    place(ids::titleRule, s(84), s(34), width - s(92), 2);
    place(ids::copyrightLabel, s(84), s(40), width - s(200), s(18));
    place(ids::authorLabel, s(84), s(60), width - s(260), s(18));
    place(ids::systemsLabel, width - s(240), s(12), s(232), s(18));
    place(ids::siteLink, width - s(240), s(60), s(232), s(18));
    place(ids::freewareLabel, width - s(110), s(40), s(102), s(18));
    place(ids::siteLabel, width - s(240), s(60), s(232), s(18));
    ui::Move(tabs_, 0, s(kHeaderHeight), width, height - s(kHeaderHeight));
    RECT display{0, s(kHeaderHeight), width, height};
    TabCtrl_AdjustRect(tabs_, FALSE, &display);
    int w = display.right - display.left, h = display.bottom - display.top;
    for (ui::Panel* sub : {&aboutText_, &license_, &components_, &donate_})
        SetWindowPos(sub->hwnd(), HWND_TOP, display.left, display.top, w, h, SWP_NOACTIVATE);
    place(ids::aboutText, 0, 0, w, h);
    place(ids::licenseText, 0, 0, w, h);
    place(ids::componentsGroup, s(6), s(4), w - s(12), h - s(8));
    place(ids::skinLayerLink, s(18), s(26), w - s(36), s(18));
    place(ids::logComponentLink, s(18), s(48), w - s(36), s(18));
    place(ids::trayComponentLabel, s(18), s(70), w - s(36), s(18));
    place(ids::xmlParserLink, s(18), s(92), w - s(36), s(18));
    place(ids::donateText, s(6), s(6), w - s(12), s(40));
    place(ids::donateButton, s(6), s(50), w - s(12), s(26));
    int half = (w - s(18)) / 2;
    place(ids::cardLabel, s(6), s(84), half, s(18));
    place(ids::cardIcon, s(6), s(104), s(32), s(32));
    place(ids::cardNumberButton, s(44), s(106), half - s(40), s(28));
    place(ids::walletLabel, s(12) + half, s(84), half, s(18));
    place(ids::walletIcon, s(12) + half, s(104), s(32), s(32));
    place(ids::walletText, s(50) + half, s(104), half - s(44), s(54));
}

HWND AboutPage::Control(int id) const {
    for (const auto& [controlId, control] : controls_)
        if (controlId == id) return control;
    return nullptr;
}

void AboutPage::ShowSubPage(int index) {
    TabCtrl_SetCurSel(tabs_, index);
    ui::ShowOnly({aboutText_.hwnd(), license_.hwnd(), components_.hwnd(), donate_.hwnd()}, static_cast<size_t>(index));
}

bool AboutPage::OnNotify(const NMHDR& hdr) {
    if (hdr.hwndFrom == tabs_ && hdr.code == TCN_SELCHANGE) {
        ShowSubPage(TabCtrl_GetCurSel(tabs_));
        return true;
    }
    const int id = static_cast<int>(hdr.idFrom);
    if ((hdr.code == NM_CLICK || hdr.code == NM_RETURN) &&
        (id == ids::siteLink || id == ids::skinLayerLink || id == ids::logComponentLink || id == ids::xmlParserLink)) {
        OpenLink(id);
        return true;
    }
    return false;
}

bool AboutPage::OnCommand(int id) {
    switch (id) {
        case ids::donateButton: actions_.openAddress(links::Donate(actions_.englishPages())); return true;
        case ids::cardNumberButton: actions_.openAddress(links::DirectPayment()); return true;
    }
    return false;
}

void AboutPage::OpenLink(int id) {
    switch (id) {
        case ids::siteLink: {
            const std::wstring address = links::Forum();
            actions_.openAddress(address);
            actions_.log(FormatText(L"Transition by reference on \"%s\"", {address}));
            return;
        }
        case ids::skinLayerLink: actions_.openAddress(links::SkinLayer()); return;
        case ids::logComponentLink: actions_.openAddress(links::LogComponent()); return;
        case ids::xmlParserLink: actions_.openAddress(links::kXmlParser); return;
    }
}

}  // namespace lentora
