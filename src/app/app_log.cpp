#include "app/app_log.h"

#include <exception>

#include "util/date_time.h"
#include "util/platform.h"

namespace lentora {

void AppLog::Log(const std::wstring& line) {
    if (!on_) return;
    page_.AddLine(DateTimeText(platform::Now()) + L" " + line);
    try {
        file_.SaveString(line);
    } catch (const std::exception&) {
        // A log that cannot be written must never cut its caller short; the line stays on screen.
    }
}

}  // namespace lentora
