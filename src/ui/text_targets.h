// Where the texts of a language file go. A language file names each text's target as
// "<object>.<property>" ("chbAero.caption", "dseWaitSec.BoundLabel", "pcMainPage.tsOptions.caption");
// each page enters the targets it shows, by those names, with what shows the text.
#pragma once
#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lentora::ui {

class TextTargets {
public:
    using Show = std::function<void(const std::wstring& text)>;

    void Add(std::wstring target, Show show) {
        fresh_.push_back(target);
        targets_[std::move(target)] = std::move(show);
    }
    // "<object>.caption": the control's own text.
    void AddCaption(std::wstring_view object, HWND control);
    // "<object>.hint" through `setHint`, the owner's tooltip.
    void AddHint(std::wstring_view object, HWND control,
                 const std::function<void(HWND, const std::wstring&)>& setHint);

    // Shows the text at its target; false when no target of that name is entered.
    bool Apply(std::wstring_view target, const std::wstring& text) const;
    // The names of the targets entered since the last call: a page built late shows only its
    // own texts, and the pages already there are not written again.
    std::vector<std::wstring> TakeFresh() { return std::exchange(fresh_, {}); }

private:
    std::map<std::wstring, Show, std::less<>> targets_;
    std::vector<std::wstring> fresh_;
};

}  // namespace lentora::ui
