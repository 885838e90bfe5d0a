#include "ui/parameter_controls.h"

#include "controls/parameter_bars.h"
#include "core/view.h"

#include <QLabel>
#include <QLocale>
#include <QScrollBar>
#include <QSignalBlocker>

namespace radial {

namespace {

QRect from_twips(int left, int top, int width, int height) {
    const auto px = [](int twips) { return static_cast<int>(twips / twips_per_pixel); };
    return {px(left), px(top), px(width), px(height)};
}

QScrollBar* make_bar(QWidget& parent, QRect geometry, BarRange b) {
    auto* bar = new QScrollBar(Qt::Vertical, &parent);
    bar->setGeometry(geometry);
    bar->setRange(b.minimum, b.maximum);
    bar->setSingleStep(b.single_step);
    bar->setPageStep(b.page_step);
    bar->setValue(b.start);
    bar->setTracking(false);
    bar->setFocusPolicy(Qt::StrongFocus);
    return bar;
}

// Opaque, left-aligned, borderless, in the system's window text and background colours.
QLabel* make_label(QWidget& parent, QRect geometry, const char* text) {
    auto* label = new QLabel(text, &parent);
    label->setGeometry(geometry);
    QFont font("Arial");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(9.75);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::Window, palette.color(QPalette::Base));
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFrameStyle(QFrame::NoFrame);
    return label;
}

void show_number(QLabel* label, const QString& text) {
    if (label->text() != text) {
        label->setText(text);
    }
}

} // namespace

ParameterControls::ParameterControls(QWidget& parent, EngineState& state)
    : cylinders_scroll_bar(
          make_bar(parent, from_twips(240, 240, 255, 1335), parameter_bars[cylinders_bar])),
      rod_length_scroll_bar(
          make_bar(parent, from_twips(960, 240, 255, 1335), parameter_bars[rod_length_bar])),
      wrist_radius_scroll_bar(
          make_bar(parent, from_twips(1680, 240, 255, 1335), parameter_bars[wrist_radius_bar])),
      cylinders_label(make_label(parent, from_twips(240, 1800, 375, 375), "Label1")),
      ls_label(make_label(parent, from_twips(840, 1800, 495, 375), "Label2")),
      eccentricity_label(make_label(parent, from_twips(1560, 1800, 495, 255), "Label3")) {
    QWidget::setTabOrder(cylinders_scroll_bar, rod_length_scroll_bar);
    QWidget::setTabOrder(rod_length_scroll_bar, wrist_radius_scroll_bar);
    EngineState* s = &state;
    const QScrollBar* bars[] = {cylinders_scroll_bar, rod_length_scroll_bar,
                                wrist_radius_scroll_bar};
    for (std::size_t k = 0; k < parameter_bars.size(); ++k) {
        QObject::connect(bars[k], &QScrollBar::valueChanged,
                         [s, k](int v) { set_from_bar(*s, k, v); });
    }
}

void ParameterControls::stand_for(const EngineDesign& design) {
    QScrollBar* const bars[] = {cylinders_scroll_bar, rod_length_scroll_bar,
                                wrist_radius_scroll_bar};
    for (std::size_t k = 0; k < parameter_bars.size(); ++k) {
        const QSignalBlocker quiet(bars[k]);
        bars[k]->setValue(bar_position(k, design));
    }
}

void ParameterControls::update_readouts(const EngineState& s) {
    const Readouts now{s.n, ls_readout(s), eccentricity_readout(s), QLocale()};
    if (now == shown_) {
        return;
    }
    shown_ = now;
    show_number(cylinders_label, QString::number(now.n));
    show_number(ls_label, now.locale.toString(now.ls, 'g', QLocale::FloatingPointShortest));
    show_number(eccentricity_label,
                now.locale.toString(now.eccentricity, 'g', QLocale::FloatingPointShortest));
}

} // namespace radial
