// The Options page's fields against the options' declarations: the page table and the declaration
// table are kept apart, so one could name an option the other lacks.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <set>

#include "app/option_fields.h"
#include "main_window_fixture.h"

namespace lentora {
namespace {

using test::MainWindowFixture;

TEST(OptionsPageFields, EveryOptionWithAControlStandsOnThePageOnceWithControlsOfItsOwn) {
    MainWindowFixture main;
    ASSERT_TRUE(main.created());
    HWND box = GetParent(main->Control(ids::saveOptionsButton));
    for (const OptionDeclaration& option : OptionDeclarations()) {
        const auto fields = std::ranges::count(OptionFields(), option.member, &OptionField::option);
        EXPECT_EQ(fields, option.control == OptionControl::None ? 0 : 1) << std::wstring(option.key);
    }
    std::set<int> seen;
    for (const OptionField& field : OptionFields()) {
        const OptionFieldIds id = IdsOf(field);
        EXPECT_EQ(GetDlgCtrlID(main->Options().ControlOf(field.option)), id.control);
        for (int part : {id.control, id.spin, id.label}) {
            if (!part) continue;
            EXPECT_TRUE(seen.insert(part).second) << "id " << part << " twice";
            HWND control = main->Control(part);
            ASSERT_NE(control, nullptr) << "id " << part;
            EXPECT_EQ(GetParent(control), box) << "id " << part;
        }
    }
}

}  // namespace
}  // namespace lentora
