#include "app/option_fields.h"

#include <algorithm>
#include <iterator>

#include "app/main_window_ids.h"

namespace lentora {
namespace {

constexpr auto kStartStop = OptionsGroup::StartStop, kIdleWait = OptionsGroup::IdleWait,
               kLanguage = OptionsGroup::Language, kSkins = OptionsGroup::Skins;

constexpr OptionField kFields[] = {
    {&Settings::taskListInProfile, kStartStop, {14, 42, 260, 20}, {}, ids::userProfileCheck},
    {&Settings::delayOfStart, kStartStop, {14, 64, 260, 20}, {}, ids::delayOfStartCheck},
    {&Settings::delayOfStartSeconds, kStartStop, {14, 93, 150, 18}, {168, 90, 70, 22}, ids::delayOfStartField, ids::delayOfStartLabel},
    {&Settings::exitAfterSeconds, kStartStop, {14, 121, 150, 18}, {168, 118, 70, 22}, ids::exitAfterField, ids::exitAfterLabel},
    {&Settings::showBalloon, kStartStop, {14, 148, 260, 20}, {}, ids::launchBalloonsCheck},
    {&Settings::checkForUpdates, kStartStop, {kRightColumn, 20, 240, 20}, {}, ids::checkForUpdatesCheck},
    {&Settings::pollingIntervalDays, kStartStop, {kRightColumn, 45, 150, 18}, {kRightColumn + 150, 42, 50, 22},
     ids::pollingIntervalField, ids::pollingIntervalLabel},

    {&Settings::waitForIdle, kIdleWait, {14, 20, -10, 20}, {}, ids::waitForIdleCheck},
    {&Settings::idleThresholdPercent, kIdleWait, {14, 49, 150, 18}, {168, 46, 70, 22}, ids::idleThresholdField,
     ids::idleThresholdLabel},
    {&Settings::idleWaitLimitSeconds, kIdleWait, {kRightColumn, 49, 150, 18}, {kRightColumn + 150, 46, 50, 22},
     ids::longestWaitField, ids::longestWaitLabel},

    {&Settings::languageName, kLanguage, {14, 20, 160, 200}, {}, ids::languageList},

    {&Settings::useSkin, kSkins, {14, 20, 170, 20}, {}, ids::useSkinCheck},
    {&Settings::skinName, kSkins, {190, 19, 150, 200}, {}, ids::skinList},
    {&Settings::useAero, kSkins, {14, 42, 200, 20}, {}, ids::extendedBordersCheck},
};

}  // namespace

std::span<const OptionField> OptionFields() { return kFields; }

OptionFieldIds IdsOf(const OptionField& field) {
    const bool number = DeclarationOf(field.option).control == OptionControl::NumberField;
    // A field added after these ids were fixed needs no id of its own in main_window_ids.h: it
    // takes three from the block there, by its place in the table.
    const int control =
        field.id ? field.id : ids::optionFieldBlock + 3 * static_cast<int>(&field - OptionFields().data());
    const int label = field.id ? field.labelId : control + 2;
    return {control, number ? control + 1 : 0, number ? label : 0};
}

const OptionField* FieldOf(const OptionMember& option) {
    auto it = std::ranges::find(kFields, option, &OptionField::option);
    return it == std::end(kFields) ? nullptr : &*it;
}

const OptionField* FieldWithControl(int id) {
    auto it = std::ranges::find_if(kFields, [id](const OptionField& field) { return IdsOf(field).control == id; });
    return it == std::end(kFields) ? nullptr : &*it;
}

}  // namespace lentora
