#include "ui/text_targets.h"

namespace lentora::ui {

void TextTargets::AddCaption(std::wstring_view object, HWND control) {
    Add(std::wstring(object) + L".caption", [control](const std::wstring& text) { SetWindowTextW(control, text.c_str()); });
}

void TextTargets::AddHint(std::wstring_view object, HWND control,
                          const std::function<void(HWND, const std::wstring&)>& setHint) {
    Add(std::wstring(object) + L".hint", [control, setHint](const std::wstring& text) { setHint(control, text); });
}

bool TextTargets::Apply(std::wstring_view target, const std::wstring& text) const {
    auto it = targets_.find(target);
    if (it == targets_.end()) return false;
    it->second(text);
    return true;
}

}  // namespace lentora::ui
