// libFuzzer target for design files: whatever text a file holds, reading it must not crash, hang
// or trip a sanitizer; a design it gives either has its fault or is one every output takes, and
// the builder's table of it holds only finite numbers.
#include "analysis/pin_table.h"
#include "design/design_fault.h"
#include "design/toml_design.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

void require(bool holds) {
    if (!holds) {
        __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto read = radial::read_design_text("fuzz.toml", text);
    if (const auto* refusal = std::get_if<std::string>(&read)) {
        require(refusal->starts_with("fuzz.toml:") && refusal->find('\n') == std::string::npos);
        return 0;
    }
    const radial::EngineDesign& design = std::get<radial::ReadDesign>(read).design;
    if (radial::design_fault(design)) {
        return 0;
    }
    for (const radial::PinTableRow& row : radial::pin_table(design)) {
        require(std::isfinite(row.pin_x) && std::isfinite(row.pin_y) &&
                std::isfinite(row.link_length));
        require(!row.reaches || (std::isfinite(row.tdc_height) && std::isfinite(row.stroke)));
    }
    return 0;
}
