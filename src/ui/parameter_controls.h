#pragma once

#include "core/engine_design.h"
#include "core/engine_state.h"

#include <QLocale>

#include <optional>

class QLabel;
class QScrollBar;
class QWidget;

namespace radial {

// The three parameter scroll bars on the drawing, with the readouts under them. Placed in twips
// of the design window (15 to a pixel). A bar's handler only sets its parameter in the record, and
// only when the value really changed: a dragged thumb counts once, when it is let go.
class ParameterControls {
public:
    ParameterControls(QWidget& parent, EngineState& state);

    // Shows n, the l/s ratio and the eccentricity ratio, each in its shortest decimal form with
    // the user's decimal separator. Called every frame, it writes the texts only when the values
    // or the locale have changed.
    void update_readouts(const EngineState& s);

    // Each bar moved, without its handler, to the position that stands for the design's setting
    // (bar_position), at the nearest end where its ratio lies beyond the bar's range.
    void stand_for(const EngineDesign& design);

    QScrollBar* cylinders_scroll_bar;
    QScrollBar* rod_length_scroll_bar;
    QScrollBar* wrist_radius_scroll_bar;
    QLabel* cylinders_label;
    QLabel* ls_label;
    QLabel* eccentricity_label;

private:
    struct Readouts {
        int n;
        double ls;
        double eccentricity;
        QLocale locale;
        bool operator==(const Readouts&) const = default;
    };
    std::optional<Readouts> shown_;
};

} // namespace radial
