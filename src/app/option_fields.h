// Where each option with a control stands on the Options page, and the ids of its controls. The
// page builds and places these fields group by group in this order (their z-order); the kind of
// control, its range and its English texts come from the option's declaration.
#pragma once
#include <span>

#include "settings/option_declarations.h"

namespace lentora {

// The page's group boxes, top to bottom.
enum class OptionsGroup { StartStop, IdleWait, Language, Skins };

// A control's place in its group box: its left edge on the page, its top below the group's top,
// its width (0 or less: reaching that far short of the page's right edge) and its height.
struct FieldPlace {
    int x = 0, y = 0, cx = 0, cy = 0;
};

// The left edge of the page's right column.
inline constexpr int kRightColumn = 284;

struct OptionField {
    OptionMember option;
    OptionsGroup group;
    FieldPlace at;         // a number field's label's
    FieldPlace edit = {};  // a number field's edit box; its spin button stands right of it
    // The ids that tests and the window name; a field without them takes ids of its own (see IdsOf).
    int id = 0, labelId = 0;
};

// Every option field, in the order the page builds them.
std::span<const OptionField> OptionFields();

// The ids of a field's controls: the control (a number field's edit box), a number field's spin
// button (its edit box's id + 1) and label; 0 for a part the field has not.
struct OptionFieldIds {
    int control = 0, spin = 0, label = 0;
};
// `field` is one of OptionFields().
OptionFieldIds IdsOf(const OptionField& field);

// The option's field, and the field whose control has the id; null when there is none.
const OptionField* FieldOf(const OptionMember& option);
const OptionField* FieldWithControl(int id);

}  // namespace lentora
