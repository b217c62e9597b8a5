#include "util/wide_error.h"

#include "util/codepage.h"

namespace lentora {

WideError::WideError(std::wstring message) : std::runtime_error(EncodeUtf8(message)), message_(std::move(message)) {}

}  // namespace lentora
