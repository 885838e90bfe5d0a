#pragma once

#include "design/design_file.h"
#include "tool_options.h"

#include <optional>
#include <variant>

namespace radial {

// The design the tool runs: the design file's (--design) or the default, with each flag that
// changes it applied over it (a ratio with the design's crank radius), into o.design; what the
// file said, for what is said of it later. Or the file's refusal.
std::variant<ReadDesign, UsageError> resolve_design(ToolOptions& o);

// The first fault of the design the tool runs, said of the flag that set its value or else of the
// design file's key (with its line); nothing when it has none.
std::optional<UsageError> design_refusal(const ToolOptions& o, const ReadDesign& read);

} // namespace radial
