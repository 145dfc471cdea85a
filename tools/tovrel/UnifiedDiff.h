#pragma once

#include <string>
#include <string_view>

namespace tovrel::tool {

// The unified diff (three lines of context) that turns `before` into `after`, under the two
// labels; empty when they are equal. Lines keep their carriage returns; a last line without a
// line feed is marked as diff marks it.
std::string UnifiedDiff(std::string_view before, std::string_view after, const std::string& from,
                        const std::string& to);

}  // namespace tovrel::tool
