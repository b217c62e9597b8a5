// The texts of the Last start page in the applied language: a start as the list names it, and the
// hint of one launch with its figures. A figure the system did not give reads "unknown", never 0.
#pragma once
#include <string>

#include "lang/language_messages.h"
#include "measure/start_record.h"

namespace lentora {

// The date and time it began, in the user's regional formats, and whether at log-on or by the button.
std::wstring StartCaption(const StartRecord& start, const IMessageSource& texts);

// The program's name, then one line a figure; a launch that did not start says how it ended.
std::wstring LaunchHint(const MeasuredLaunch& launch, const IMessageSource& texts);

}  // namespace lentora
