#pragma once

#include <string>
#include <string_view>

namespace radial {

// Text written piece by piece into a string, with the << of a stream for the pieces the reports
// write (text, characters, whole numbers) and nothing more: no locale, no formatting state, none
// of the iostreams library, which would triple the web page's WebAssembly. Numbers with a
// fraction go in as text (number_text.h); a double has no <<, so none slips in unformatted.
class TextSink {
public:
    TextSink& operator<<(std::string_view piece) {
        text_.append(piece);
        return *this;
    }
    TextSink& operator<<(char c) {
        text_ += c;
        return *this;
    }
    TextSink& operator<<(int value) { return *this << std::string_view(std::to_string(value)); }
    TextSink& operator<<(double) = delete;

    std::string& text() { return text_; }

private:
    std::string text_;
};

} // namespace radial
