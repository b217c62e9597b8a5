// LngMsg: the message texts MSG1..MSG39 of the applied language, and the messages added after
// them, which are read by name.
#pragma once
#include <array>
#include <string>
#include <string_view>

namespace lentora {

class LanguageFile;

inline constexpr int kMessageCount = 39;

class LngMsgTable {
public:
    // All texts are empty until a language is applied.
    LngMsgTable() = default;
    // Text of MSG`n`, n from 1 to kMessageCount; throws std::out_of_range otherwise.
    const std::wstring& Msg(int n) const;
    void Set(int n, std::wstring text);

private:
    std::array<std::wstring, kMessageCount> texts_;
};

// All message texts of a language file, "no data" where a key is missing.
LngMsgTable ReadLngMsg(const LanguageFile& file);

// Messages that came after MSG39. Each is a key of section MSG named like its enumerator and has
// an English default, so a language file written before the message existed still reads well.
enum class NamedMsg {
    EntryNotTakenOver,      // error box: a start-up entry stays where it was, no task is added
    StartupFolderNotFound,  // error box: the shortcut has no folder to go to
    ShortcutNotCreated,     // error box, a format: %s is the shortcut file
};
inline constexpr int kNamedMsgCount = 3;

// The key of a named message in section MSG.
std::wstring_view NamedMsgKey(NamedMsg id);

class NamedMsgTable {
public:
    // The English defaults: there is always something to show.
    NamedMsgTable();
    const std::wstring& Text(NamedMsg id) const { return texts_[static_cast<size_t>(id)]; }

private:
    friend NamedMsgTable ReadNamedMsg(const LanguageFile& file);
    std::array<std::wstring, kNamedMsgCount> texts_;
};

NamedMsgTable ReadNamedMsg(const LanguageFile& file);

}  // namespace lentora
