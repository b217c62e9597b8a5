#include "ui/skin_manager.h"

#include <commctrl.h>
#include <dwmapi.h>
#include <uxtheme.h>

#include <algorithm>
#include <array>
#include <string_view>

#include "ui/controls.h"
#include "ui/handles.h"
#include "util/platform.h"
#include "util/profile_file.h"

namespace lentora::ui {

namespace {

// Window attributes of newer systems than this SDK's headers know; older systems refuse them.
constexpr DWORD kUseImmersiveDarkMode = 20, kBorderColor = 34, kCaptionColor = 35, kTextColor = 36;
constexpr COLORREF kDefaultColor = 0xFFFFFFFF;

struct BuiltIn {
    const wchar_t* name;
    SkinColors colors;
};

const std::array<BuiltIn, 2> kBuiltIns{{
    // Warm dark aubergine with orange.
    {SkinManager::kUbuntu, {RGB(0x30, 0x0A, 0x24), RGB(0xF7, 0xF4, 0xF2), RGB(0xE9, 0x54, 0x20), RGB(0x4A, 0x1B, 0x3C)}},
    // Light and flat with blue.
    {SkinManager::kAlterMetro, {RGB(0xF3, 0xF3, 0xF3), RGB(0x1E, 0x1E, 0x1E), RGB(0x00, 0x78, 0xD7), RGB(0xFF, 0xFF, 0xFF)}},
}};

bool IsDark(COLORREF color) {
    return GetRValue(color) * 299 + GetGValue(color) * 587 + GetBValue(color) * 114 < 128 * 1000;
}

int HexDigit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// The folder with one separator at its end.
std::wstring SkinFolderPrefix(const std::wstring& folder) {
    return folder.back() == L'\\' || folder.back() == L'/' ? folder : folder + L'\\';
}

bool HasSkinExtension(std::wstring_view name) {
    constexpr std::wstring_view kExtension = L".skin";
    if (name.size() <= kExtension.size()) return false;
    std::wstring_view extension = name.substr(name.size() - kExtension.size());
    return CompareStringOrdinal(extension.data(), static_cast<int>(extension.size()), kExtension.data(),
                                static_cast<int>(kExtension.size()), TRUE) == CSTR_EQUAL;
}

// Names of the skin files directly in the folder, sorted. Listed through the system's own search:
// the C++ library's filesystem code would bring its stream and locale code into the exe, doubling it.
std::vector<std::wstring> SkinFileNames(const std::wstring& folder) {
    std::vector<std::wstring> names;
    if (folder.empty()) return names;
    ForEachFile(SkinFolderPrefix(folder) + L"*", [&](const WIN32_FIND_DATAW& data) {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && HasSkinExtension(data.cFileName))
            names.emplace_back(data.cFileName);
    });
    std::sort(names.begin(), names.end());
    return names;
}

std::optional<SkinColors> ReadColors(const ProfileFile& file) {
    SkinColors colors;
    const std::pair<const wchar_t*, COLORREF*> keys[] = {
        {L"Window", &colors.window}, {L"Text", &colors.text}, {L"Accent", &colors.accent}, {L"Control", &colors.control}};
    for (const auto& [key, target] : keys) {
        auto value = file.Read(L"Skin", key);
        auto color = value ? ParseSkinColor(*value) : std::nullopt;
        if (!color) return std::nullopt;
        *target = *color;
    }
    return colors;
}

}  // namespace

std::optional<COLORREF> ParseSkinColor(std::wstring_view text) {
    if (text.size() != 7 || text[0] != L'#') return std::nullopt;
    int channel[3];
    for (int i = 0; i < 3; ++i) {
        int high = HexDigit(text[1 + i * 2]), low = HexDigit(text[2 + i * 2]);
        if (high < 0 || low < 0) return std::nullopt;
        channel[i] = high * 16 + low;
    }
    return RGB(channel[0], channel[1], channel[2]);
}

SkinManager::SkinManager() : currentName_(kBuiltIns[0].name), colors_(kBuiltIns[0].colors) {}

void SkinManager::SetFolder(const std::wstring& skinsFolder) { folder_ = skinsFolder; }

std::vector<SkinManager::Skin> SkinManager::FolderSkins() const {

    std::vector<Skin> skins;
    auto taken = [&skins](const std::wstring& name) {
        return std::any_of(kBuiltIns.begin(), kBuiltIns.end(), [&](const BuiltIn& b) { return name == b.name; }) ||
               std::any_of(skins.begin(), skins.end(), [&](const Skin& s) { return name == s.name; });
    };
    for (const std::wstring& fileName : SkinFileNames(folder_)) {
        std::string bytes;
        if (!platform::ReadWholeFile(SkinFolderPrefix(folder_) + fileName, bytes)) continue;
        ProfileFile file(bytes);
        auto colors = ReadColors(file);
        if (!colors) continue;
        std::wstring name = file.Read(L"Skin", L"Name").value_or(L"");
        if (name.empty()) name = fileName.substr(0, fileName.rfind(L'.'));
        if (!taken(name)) skins.push_back({std::move(name), *colors});
    }
    return skins;
}

std::vector<std::wstring> SkinManager::Names() const {
    std::vector<std::wstring> names;
    for (const auto& builtIn : kBuiltIns) names.emplace_back(builtIn.name);
    for (auto& skin : FolderSkins()) names.push_back(std::move(skin.name));
    return names;
}

bool SkinManager::Select(const std::wstring& name) {
    requestedName_ = name;
    std::optional<SkinColors> colors;
    for (const auto& builtIn : kBuiltIns)
        if (name == builtIn.name) colors = builtIn.colors;
    if (!colors) {
        for (const auto& skin : FolderSkins())
            if (name == skin.name) colors = skin.colors;
    }
    if (!colors) return false;
    currentName_ = name;
    colors_ = *colors;
    Changed();
    return true;
}

void SkinManager::SetActive(bool active) {
    if (active_ == active) return;
    active_ = active;
    Changed();
}

void SkinManager::SetExtendedBorders(bool on) {
    if (extendedBorders_ == on) return;
    extendedBorders_ = on;
    Changed();
}

void SkinManager::AttachWindow(HWND window) {
    window_ = window;
    ApplyBorders();
}

void SkinManager::ApplyBorders() {
    if (!window_ || !IsWindow(window_)) return;
    bool on = active_ && extendedBorders_;
    // A window whose frame was never coloured has the system's colours already.
    if (!on && !bordersColoured_) return;
    bordersColoured_ = on;
    // Systems without these attributes refuse them; the window then keeps its usual frame.
    auto set = [this](DWORD attribute, DWORD value) { DwmSetWindowAttribute(window_, attribute, &value, sizeof(value)); };
    set(kBorderColor, on ? colors_.accent : kDefaultColor);
    set(kCaptionColor, on ? colors_.window : kDefaultColor);
    set(kTextColor, on ? colors_.text : kDefaultColor);
    set(kUseImmersiveDarkMode, on && IsDark(colors_.window) ? TRUE : FALSE);
}

void SkinManager::Changed() {
    ApplyBorders();
    for (const auto& [control, kind] : skinned_) {
        ApplyTheme(control, kind);
        InvalidateRect(control, nullptr, TRUE);
    }
    if (onAfterChange) onAfterChange();
}

LRESULT SkinManager::HandleCtlColor(UINT msg, HDC dc) const {
    if (!active_) return 0;
    COLORREF back;
    switch (msg) {
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX: back = colors_.control; break;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG: back = colors_.window; break;
        default: return 0;
    }
    SetTextColor(dc, colors_.text);
    SetBkColor(dc, back);
    // The DC's own brush, not one of ours: some link controls delete the brush they are handed,
    // which would leave every later paint without one. A stock object outlives that.
    SetDCBrushColor(dc, back);
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

std::optional<LRESULT> SkinManager::Dress(HWND window, UINT msg, WPARAM wParam) const {
    auto dc = reinterpret_cast<HDC>(wParam);
    if (msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC) {
        if (LRESULT brush = HandleCtlColor(msg, dc)) return brush;
    } else if (msg == WM_ERASEBKGND && EraseInRootColor(window, dc)) {
        return 1;
    }
    return std::nullopt;
}

void SkinManager::ColorListView(HWND listView) const {
    COLORREF back = active_ ? colors_.control : GetSysColor(COLOR_WINDOW);
    ListView_SetBkColor(listView, back);
    ListView_SetTextBkColor(listView, back);
    ListView_SetTextColor(listView, active_ ? colors_.text : GetSysColor(COLOR_WINDOWTEXT));
}

void SkinManager::SkinControls(HWND root) {
    EnumChildWindows(
        root,
        [](HWND child, LPARAM self) {
            auto& skins = *reinterpret_cast<SkinManager*>(self);
            SkinnedKind kind = SkinnedKindOf(child);
            const auto kindId = static_cast<UINT_PTR>(kind);
            bool known = std::any_of(skins.skinned_.begin(), skins.skinned_.end(),
                                     [child](const auto& control) { return control.first == child; });
            if (kind != SkinnedKind::None && !known &&
                SetWindowSubclass(child, &SkinManager::ControlProc, kindId, self)) {
                skins.skinned_.emplace_back(child, kind);
                skins.ApplyTheme(child, kind);
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(this));
}

// Themed buttons and check boxes draw with the theme's text colour and animate outside WM_PAINT;
// without the theme they honour the colour messages and draw only on a change of their state.
void SkinManager::ApplyTheme(HWND control, SkinnedKind kind) {
    if (kind != SkinnedKind::PushButton && kind != SkinnedKind::CheckBox) return;
    // Until a skin is first on, every control keeps its theme: no call, and no theme library loaded.
    if (!active_ && !themesDropped_) return;
    themesDropped_ = true;
    SetWindowTheme(control, active_ ? L"" : nullptr, active_ ? L"" : nullptr);
}

LRESULT CALLBACK SkinManager::ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR kindId,
                                          DWORD_PTR self) {
    auto& skins = *reinterpret_cast<SkinManager*>(self);
    const auto kind = static_cast<SkinnedKind>(kindId);
    switch (msg) {
        case WM_NCDESTROY:
            RemoveWindowSubclass(hwnd, &SkinManager::ControlProc, kindId);
            std::erase_if(skins.skinned_, [hwnd](const auto& control) { return control.first == hwnd; });
            break;
        case WM_ERASEBKGND:
            if (skins.active_ && kind != SkinnedKind::CheckBox) return 1;
            break;
        case WM_PAINT: {
            if (!skins.active_ || kind == SkinnedKind::CheckBox) break;
            PAINTSTRUCT ps{};
            if (HDC dc = BeginPaint(hwnd, &ps)) {
                PaintSkinned(kind, hwnd, dc, skins.colors_);
                EndPaint(hwnd, &ps);
            }
            return 0;
        }
        default:
            if (skins.active_ && RepaintsOutsidePaint(kind, msg)) {
                LRESULT result = DefSubclassProc(hwnd, msg, wParam, lParam);
                RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
                return result;
            }
    }
    return DefSubclassProc(hwnd, msg, wParam, lParam);
}

}  // namespace lentora::ui
