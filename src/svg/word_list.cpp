#include "svg/word_list.h"

namespace radial {

std::string listed(const std::vector<std::string>& items) {
    std::string text;
    for (std::size_t k = 0; k < items.size(); ++k) {
        text += k == 0 ? "" : k + 1 == items.size() ? " and " : ", ";
        text += items[k];
    }
    return text;
}

} // namespace radial
