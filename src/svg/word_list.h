#pragma once

#include <string>
#include <vector>

namespace radial {

// Items as a sentence lists them: "a", "a and b", "a, b and c"; nothing for none.
std::string listed(const std::vector<std::string>& items);

} // namespace radial
