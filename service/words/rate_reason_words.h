#pragma once

// Why a file of rates is refused, worded for the console in English or Bulgarian and for the
// windows in Bulgarian.

#include "core/data/rate_file_reasons.h"
#include "service/words/wording.h"

#include <string>
#include <vector>

namespace quiz {

// The reason as one sentence in `wording`, its values filled in.
std::string rateReasonText(RateReason reason, const std::vector<std::string>& arguments,
                           Wording wording);

} // namespace quiz
