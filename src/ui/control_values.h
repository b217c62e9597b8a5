// Values of controls that may not exist yet. Until the controls are made the values live here;
// Attach hands each control its value, and from then on the controls hold them and every call
// goes to them. A start that stays in the tray reads and writes its options this way without
// building the page they are shown on.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lentora::ui {

class ControlValues {
public:
    bool Checked(int id) const;
    void SetChecked(int id, bool checked);
    // A drop-down list's text is its selected entry's.
    std::wstring Text(int id) const;
    void SetText(int id, const std::wstring& text);
    bool Enabled(int id) const;
    void SetEnabled(int id, bool enabled);

    // Drop-down lists.
    void ClearItems(int id);
    void AddItem(int id, const std::wstring& text);
    int ItemCount(int id) const;
    std::wstring ItemText(int id, int index) const;
    int Selected(int id) const;  // -1: none
    void Select(int id, int index);

    // The controls exist now: `control` finds each by id.
    void Attach(std::function<HWND(int)> control);
    bool Attached() const { return static_cast<bool>(control_); }

private:
    struct Value {
        bool hasCheck = false, checked = false;
        bool hasText = false;
        std::wstring text;
        bool enabled = true;
        bool isList = false;
        std::vector<std::wstring> items;
        int selected = -1;
    };
    const Value* Find(int id) const;
    HWND Control(int id) const { return control_(id); }

    std::function<HWND(int)> control_;
    std::map<int, Value> values_;
};

}  // namespace lentora::ui
