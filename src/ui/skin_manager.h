// The skinning layer: colour schemes for the windows' backgrounds and texts, two of them built in,
// more read from the skins folder, and coloured window borders on the attached window.
//
// A skin file is "<file name>.skin" directly in the skins folder, a settings-style text file in the
// ANSI code page (or UTF-16LE with its byte-order mark):
//
//   [Skin]
//   Name=Graphite
//   Window=#2B2D30
//   Text=#E6E6E6
//   Accent=#8A9BA8
//   Control=#3A3D41
//
// Name is the name shown in the skin list (the file name without ".skin" when it is missing).
// Window colours windows, pages and group boxes; Text their texts; Control the inside of edits and
// lists; Accent the window borders and caption. Every colour is '#' and six hexadecimal digits
// (red, green, blue). A file that lacks a colour or holds a malformed one is not a skin and is left
// out, as is one whose name a skin listed before it already has.
#pragma once
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/skin_painting.h"

namespace lentora::ui {

// "#RRGGBB" as a colour; nothing for any other text.
std::optional<COLORREF> ParseSkinColor(std::wstring_view text);

class SkinManager {
public:
    static constexpr wchar_t kUbuntu[] = L"Ubuntu (internal)";
    static constexpr wchar_t kAlterMetro[] = L"AlterMetro (internal)";

    SkinManager();
    SkinManager(const SkinManager&) = delete;
    SkinManager& operator=(const SkinManager&) = delete;

    void SetFolder(const std::wstring& skinsFolder);
    const std::wstring& Folder() const { return folder_; }

    // The built-in skins, then those of the folder's skin files ordered by file name.
    std::vector<std::wstring> Names() const;

    // Uses the named skin. An unknown name keeps the current skin and gives false; the name is
    // remembered as the requested one either way.
    bool Select(const std::wstring& name);
    const std::wstring& CurrentName() const { return currentName_; }
    const std::wstring& RequestedName() const { return requestedName_; }
    const SkinColors& Colors() const { return colors_; }

    // Skinning on or off; off at creation.
    void SetActive(bool active);
    bool Active() const { return active_; }

    // Borders and caption of the attached window in the skin's colours, while skinning is on.
    void SetExtendedBorders(bool on);
    bool ExtendedBorders() const { return extendedBorders_; }
    void AttachWindow(HWND window);

    std::wstring Version() const { return L"1.0"; }

    // Called after every change of the skin, of skinning on/off and of the borders.
    std::function<void()> onAfterChange;

    // For WM_CTLCOLOR*: prepares the DC and gives a brush of the skin's colour for that DC while
    // skinning is on; 0 otherwise, so the caller hands the message to DefWindowProc.
    LRESULT HandleCtlColor(UINT msg, HDC dc) const;
    // For a top-level window's procedure: its controls' colours (WM_CTLCOLOR*) and its own
    // background (WM_ERASEBKGND) in the skin; nothing when the window handles the message as usual.
    std::optional<LRESULT> Dress(HWND window, UINT msg, WPARAM wParam) const;
    // A list view paints itself without asking its parent: it gets the skin's colours, or the
    // system's back while skinning is off.
    void ColorListView(HWND listView) const;
    // Buttons, group boxes, tab strips, list headers and status bars draw themselves in the
    // theme's colours whatever the colour messages say: those among the window's descendants are
    // drawn by the skin while skinning is on, and check boxes drop the theme, which would paint
    // their text dark. Call it once the controls exist; the manager must outlive them.
    void SkinControls(HWND root);

private:
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR kind,
                                        DWORD_PTR self);
    void ApplyTheme(HWND control, SkinnedKind kind);

    struct Skin {
        std::wstring name;
        SkinColors colors;
    };

    std::vector<Skin> FolderSkins() const;
    void ApplyBorders();
    void Changed();

    std::wstring folder_;
    std::wstring currentName_, requestedName_;
    SkinColors colors_;
    HWND window_ = nullptr;
    std::vector<std::pair<HWND, SkinnedKind>> skinned_;
    bool active_ = false;
    bool themesDropped_ = false;  // some control drew without its theme
    bool extendedBorders_ = false;
    bool bordersColoured_ = false;
};

}  // namespace lentora::ui
