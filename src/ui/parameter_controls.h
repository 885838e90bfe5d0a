#pragma once

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

    QScrollBar* VScroll1;
    QScrollBar* VScroll2;
    QScrollBar* VScroll3;
    QLabel* Label1;
    QLabel* Label2;
    QLabel* Label3;

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
