// What the program does with an error that nothing else caught (an allocation failure on a huge
// file, say): it logs it, shows it in the general error box and ends without saving, since the
// task list and settings it would save may be half built.
#pragma once
#include <string>

namespace lentora {

class MainWindow;

inline constexpr int kExitAfterUnhandledError = 3;

void StopAfterUnhandledError(MainWindow& form, const std::wstring& what);

}  // namespace lentora
