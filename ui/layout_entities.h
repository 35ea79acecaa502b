#pragma once

#include <string>
#include <string_view>

namespace DuiLib {

// Decodes the five predefined XML entities (&amp; &lt; &gt; &quot; &apos;). Any other
// ampersand, numeric character references included, is left as written.
std::string DecodeLayoutEntities(std::string_view raw);

}  // namespace DuiLib
