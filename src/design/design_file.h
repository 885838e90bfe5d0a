#pragma once

#include "core/engine_design.h"
#include "design/design_fault.h"

#include <map>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace radial {

// One value of a design file as a TOML reader gives it: a whole number, another number, a string,
// an array of values, or anything else (a table, a boolean, a date: what TOML calls it, in
// other_type).
struct DesignValue {
    enum class Kind { whole, real, text, list, other };
    Kind kind = Kind::other;
    double number = 0;              // whole and real
    std::string text;               // text
    std::vector<DesignValue> items; // list
    std::string other_type;         // other
};

// A top-level key of a design file, the line it stands on (1 for the first) and its value.
struct DesignEntry {
    std::string key;
    int line = 0;
    DesignValue value;
};

// A design as a file describes it, with the line of each key it gives, for what is said of it
// later.
struct ReadDesign {
    EngineDesign design;
    std::map<std::string, int> key_lines;
};

// The design a file's entries describe, starting from the default design. Every key must be one
// of the design's and its value of the key's type ("file:line: key: what is wrong" when not, with
// the file's name as given); ranges are checked by design_fault once the design is whole (see
// design_refusal), since flags may still change it.
std::variant<ReadDesign, std::string> design_from_entries(std::string_view file,
                                                          const std::vector<DesignEntry>& entries);

// The line that refuses a design read from a file, for a fault of a key the file gives:
// "file:line: key: takes ...".
std::string design_refusal(std::string_view file, const ReadDesign& read, const DesignFault& fault);

// Text from a file made fit for a refusal's one line: every control character (a line break, a
// tab, a NUL) written as \n, \t or \x00.
std::string one_line(std::string_view text);

// The keys a design file takes, in the order design_fault checks them and design_file_text writes
// them.
extern const std::vector<std::string_view> design_keys;

// A design as a design file: a comment line for each line of comment (none for ""), then each
// key the design needs, lists one value a line with the cylinder each is for. Read back by
// design_from_entries, it gives the same design.
std::string design_file_text(const EngineDesign& design, std::string_view comment);

} // namespace radial
