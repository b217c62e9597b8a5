// One start-up entry of the system as the start-up entries dialog lists it.
#pragma once
#include <string>

namespace lentora {

// A row of the list: its caption and four sub-items, the last of which has no column.
struct RegistryEntry {
    std::wstring enabled;  // "Yes" while the system starts it at log-on, else "No"
    std::wstring hkey;     // root abbreviation of the source; a Startup folder's name for its files
    std::wstring item;     // value name, the disabled entry's "item", or the file's name
    std::wstring command;  // value data as stored, or a readable form of data that is not text
    std::wstring key;      // source key path without root, or the Startup folder
    bool disabledEntry = false;
    bool isString = true;     // false: `command` only describes the data and cannot be imported
    bool expandable = false;  // REG_EXPAND_SZ: environment variables are expanded on import
    bool startupFile = false;  // a file of a Startup folder
    // Where Task Manager's switch of the entry lies: root abbreviation and list, both empty for the
    // disabled entries, which have none.
    std::wstring approvalRoot, approvalList;
    // For a disabled entry: the Run key path it came from (its "key" value), to give it back to.
    std::wstring origin;

    bool StartsAtLogOn() const { return enabled != L"No"; }
};

}  // namespace lentora
