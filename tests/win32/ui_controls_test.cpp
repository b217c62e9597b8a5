// Reading the digits-only option fields: what the settings save and the update check take as a
// number; values kept for controls not yet made, changes waiting for their windows, and a button's
// picture set after the button was painted.
#include <gtest/gtest.h>

#include <windows.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "image_ids.h"
#include "ui/control_values.h"
#include "ui/controls.h"
#include "ui/deferred_updates.h"
#include "ui/image_list.h"

namespace lentora {
namespace {

TEST(DigitsValue, IsANumberOnlyForUpToNineAsciiDigits) {
    struct Case {
        const wchar_t* text;
        std::optional<int> value;
    } cases[] = {
        {L"7", 7},
        {L"007", 7},
        {L"999999999", 999999999},
        {L"", std::nullopt},
        {L"1234567890", std::nullopt},  // more than the field's digits
        {L"-1", std::nullopt},
        {L"+1", std::nullopt},
        {L"1 2", std::nullopt},
        {L"\u0661\u0662", std::nullopt},  // digits of another script: pasted text, no number here
        {L"\uFF17", std::nullopt},        // a full-width digit
    };
    for (const Case& c : cases) EXPECT_EQ(ui::DigitsValue(c.text), c.value) << static_cast<const void*>(c.text);
}

// The options page's kinds of control, made by the test when it chooses.
class OptionControls {
public:
    OptionControls() {
        parent_ = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 300, 300, nullptr, nullptr, nullptr, nullptr);
        auto make = [this](int id, const wchar_t* cls, DWORD style) {
            controls_[id] = CreateWindowExW(0, cls, L"", WS_CHILD | style, 0, 0, 100, 100, parent_,
                                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
        };
        make(kCheck, L"BUTTON", BS_AUTOCHECKBOX);
        make(kEdit, L"EDIT", 0);
        make(kList, L"COMBOBOX", CBS_DROPDOWNLIST);
        make(kButton, L"BUTTON", BS_PUSHBUTTON);
    }
    ~OptionControls() { DestroyWindow(parent_); }
    HWND operator[](int id) const { return controls_.at(id); }
    static constexpr int kCheck = 1, kEdit = 2, kList = 3, kButton = 4;

private:
    HWND parent_ = nullptr;
    std::map<int, HWND> controls_;
};

TEST(ControlValues, KeepsValuesUntilTheControlsExistThenHandsThemOver) {
    using C = OptionControls;
    ui::ControlValues values;
    values.SetChecked(C::kCheck, true);
    values.SetText(C::kEdit, L"100");
    values.AddItem(C::kList, L"first");
    values.AddItem(C::kList, L"second");
    values.Select(C::kList, 1);
    values.SetEnabled(C::kButton, false);
    // Read back as the controls would answer.
    EXPECT_TRUE(values.Checked(C::kCheck));
    EXPECT_EQ(values.Text(C::kEdit), L"100");
    EXPECT_EQ(values.Text(C::kList), L"second");
    EXPECT_EQ(values.ItemCount(C::kList), 2);
    EXPECT_FALSE(values.Enabled(C::kButton));
    EXPECT_TRUE(values.Enabled(C::kEdit));
    values.Select(C::kList, 5);
    EXPECT_EQ(values.Selected(C::kList), -1) << "an index past the end selects nothing";
    values.Select(C::kList, 1);

    OptionControls controls;
    values.Attach([&](int id) { return controls[id]; });
    EXPECT_TRUE(ui::IsChecked(controls[C::kCheck]));
    EXPECT_EQ(ui::GetText(controls[C::kEdit]), L"100");
    EXPECT_EQ(SendMessageW(controls[C::kList], CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(ui::GetText(controls[C::kList]), L"second");
    EXPECT_FALSE(IsWindowEnabled(controls[C::kButton]));

    // From now on the controls hold the values: a user's change is what the program reads.
    ui::SetChecked(controls[C::kCheck], false);
    SetWindowTextW(controls[C::kEdit], L"7");
    SendMessageW(controls[C::kList], CB_SETCURSEL, 0, 0);
    EXPECT_FALSE(values.Checked(C::kCheck));
    EXPECT_EQ(values.Text(C::kEdit), L"7");
    EXPECT_EQ(values.ItemText(C::kList, values.Selected(C::kList)), L"first");
    values.SetEnabled(C::kButton, true);
    EXPECT_TRUE(IsWindowEnabled(controls[C::kButton]));
}

TEST(DeferredUpdates, MakesTheLastChangeOfEachNameInTheOrderMadeThenRunsChangesAtOnce) {
    ui::DeferredUpdates updates;
    std::vector<std::wstring> made;
    auto change = [&](std::wstring what) { return [&made, what] { made.push_back(what); }; };
    updates.Run(L"status", change(L"status 1"));
    updates.Run(L"caption", change(L"caption"));
    updates.Run(L"status", change(L"status 2"));
    EXPECT_TRUE(made.empty());
    updates.GoLive();
    EXPECT_EQ(made, (std::vector<std::wstring>{L"caption", L"status 2"}));
    updates.Run(L"status", change(L"status 3"));
    EXPECT_EQ(made.back(), L"status 3");
    updates.GoLive();
    EXPECT_EQ(made.size(), 3u) << "nothing made twice";
}

TEST(ButtonPicture, RepaintsAButtonAlreadyOnScreen) {
    HWND button = CreateWindowExW(0, L"BUTTON", L"Add", WS_POPUP | WS_VISIBLE | BS_PUSHBUTTON, 0, 0, 80, 60, nullptr,
                                  nullptr, nullptr, nullptr);
    ASSERT_NE(button, nullptr);
    UpdateWindow(button);
    ASSERT_FALSE(GetUpdateRect(button, nullptr, FALSE)) << "painted";
    ui::ImageListHandle pictures = ui::SetButtonIcon(button, IDI_IMG_BASE + 1, 24, true);
    EXPECT_TRUE(pictures);
    EXPECT_TRUE(GetUpdateRect(button, nullptr, FALSE)) << "the new picture must be painted";
    DestroyWindow(button);
}

}  // namespace
}  // namespace lentora
