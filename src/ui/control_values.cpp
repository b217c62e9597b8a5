#include "ui/control_values.h"

#include "ui/controls.h"

namespace lentora::ui {

const ControlValues::Value* ControlValues::Find(int id) const {
    auto it = values_.find(id);
    return it == values_.end() ? nullptr : &it->second;
}

bool ControlValues::Checked(int id) const {
    if (Attached()) return IsChecked(Control(id));
    const Value* v = Find(id);
    return v && v->checked;
}

void ControlValues::SetChecked(int id, bool checked) {
    if (Attached()) return ui::SetChecked(Control(id), checked);
    Value& v = values_[id];
    v.hasCheck = true;
    v.checked = checked;
}

std::wstring ControlValues::Text(int id) const {
    if (Attached()) return GetText(Control(id));
    const Value* v = Find(id);
    if (!v) return L"";
    if (v->isList) return v->selected >= 0 ? v->items[static_cast<size_t>(v->selected)] : L"";
    return v->text;
}

void ControlValues::SetText(int id, const std::wstring& text) {
    if (Attached()) return ui::SetText(Control(id), text);
    Value& v = values_[id];
    v.hasText = true;
    v.text = text;
}

bool ControlValues::Enabled(int id) const {
    if (Attached()) return IsWindowEnabled(Control(id)) != FALSE;
    const Value* v = Find(id);
    return !v || v->enabled;
}

void ControlValues::SetEnabled(int id, bool enabled) {
    if (Attached()) {
        EnableWindow(Control(id), enabled);
        return;
    }
    values_[id].enabled = enabled;
}

void ControlValues::ClearItems(int id) {
    if (Attached()) {
        SendMessageW(Control(id), CB_RESETCONTENT, 0, 0);
        return;
    }
    Value& v = values_[id];
    v.isList = true;
    v.items.clear();
    v.selected = -1;
}

void ControlValues::AddItem(int id, const std::wstring& text) {
    if (Attached()) {
        SendMessageW(Control(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
        return;
    }
    Value& v = values_[id];
    v.isList = true;
    v.items.push_back(text);
}

int ControlValues::ItemCount(int id) const {
    if (Attached()) return static_cast<int>(SendMessageW(Control(id), CB_GETCOUNT, 0, 0));
    const Value* v = Find(id);
    return v ? static_cast<int>(v->items.size()) : 0;
}

std::wstring ControlValues::ItemText(int id, int index) const {
    if (Attached()) {
        HWND combo = Control(id);
        auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
        if (length < 0) return L"";
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        text.resize(static_cast<size_t>(
            SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }
    const Value* v = Find(id);
    if (!v || index < 0 || index >= static_cast<int>(v->items.size())) return L"";
    return v->items[static_cast<size_t>(index)];
}

int ControlValues::Selected(int id) const {
    if (Attached()) return static_cast<int>(SendMessageW(Control(id), CB_GETCURSEL, 0, 0));
    const Value* v = Find(id);
    return v ? v->selected : -1;
}

void ControlValues::Select(int id, int index) {
    if (Attached()) {
        SendMessageW(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        return;
    }
    Value& v = values_[id];
    // As the control does: an index past the end selects nothing.
    v.selected = index >= 0 && index < static_cast<int>(v.items.size()) ? index : -1;
}

void ControlValues::Attach(std::function<HWND(int)> control) {
    control_ = std::move(control);
    for (const auto& [id, v] : values_) {
        HWND h = Control(id);
        if (v.isList) {
            SendMessageW(h, CB_RESETCONTENT, 0, 0);
            for (const auto& item : v.items) SendMessageW(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
            SendMessageW(h, CB_SETCURSEL, static_cast<WPARAM>(v.selected), 0);
        }
        if (v.hasCheck) ui::SetChecked(h, v.checked);
        if (v.hasText) ui::SetText(h, v.text);
        EnableWindow(h, v.enabled);
    }
    values_.clear();
}

}  // namespace lentora::ui
