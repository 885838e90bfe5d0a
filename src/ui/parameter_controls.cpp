#include "ui/parameter_controls.h"

#include "core/view.h"
#include "ui/commands.h"
#include "ui/window_layout.h"

#include <QLabel>
#include <QLocale>
#include <QScrollBar>

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
    : VScroll1(make_bar(parent, from_twips(240, 240, 255, 1335), parameter_bars[0])),
      VScroll2(make_bar(parent, from_twips(960, 240, 255, 1335), parameter_bars[1])),
      VScroll3(make_bar(parent, from_twips(1680, 240, 255, 1335), parameter_bars[2])),
      Label1(make_label(parent, from_twips(240, 1800, 375, 375), "Label1")),
      Label2(make_label(parent, from_twips(840, 1800, 495, 375), "Label2")),
      Label3(make_label(parent, from_twips(1560, 1800, 495, 255), "Label3")) {
    QWidget::setTabOrder(VScroll1, VScroll2);
    QWidget::setTabOrder(VScroll2, VScroll3);
    EngineState* s = &state;
    QObject::connect(VScroll1, &QScrollBar::valueChanged,
                     [s](int v) { s->n = cylinders_from_bar(v); });
    QObject::connect(VScroll2, &QScrollBar::valueChanged,
                     [s](int v) { s->d = rod_length_from_bar(v, s->r); });
    QObject::connect(VScroll3, &QScrollBar::valueChanged,
                     [s](int v) { s->rp = wrist_radius_from_bar(v, s->r); });
}

void ParameterControls::update_readouts(const EngineState& s) {
    const Readouts now{s.n, ls_readout(s), eccentricity_readout(s), QLocale()};
    if (now == shown_) {
        return;
    }
    shown_ = now;
    show_number(Label1, QString::number(now.n));
    show_number(Label2, now.locale.toString(now.ls, 'g', QLocale::FloatingPointShortest));
    show_number(Label3, now.locale.toString(now.eccentricity, 'g', QLocale::FloatingPointShortest));
}

} // namespace radial
