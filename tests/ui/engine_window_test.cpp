#include "ui/charts_window.h"
#include "ui/engine_window.h"
#include "ui/picture_view.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

namespace radial {
namespace {

bool all_white(const QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFFu) != 0xFFFFFFu) {
                return false;
            }
        }
    }
    return true;
}

class EngineWindowTest : public ::testing::Test {
protected:
    EngineWindow form;
    EngineState& s = form.state();
    ParameterControls& controls = form.controls();

    void SetUp() override { start_values(s); } // as the frame loop's start-up does

    void send_key(QWidget* target, Qt::Key key, const QString& text, bool autorepeat = false) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text, autorepeat);
        QApplication::sendEvent(target, &press);
    }

    void move_mouse(QPointF pos) {
        QMouseEvent move(QEvent::MouseMove, pos, form.mapToGlobal(pos), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QApplication::sendEvent(&form, &move);
    }

    // Runs the real frame loop; each action runs from a timer inside one of its event pumps.
    int run_with(std::vector<std::pair<int, std::function<void()>>> actions,
                 const std::optional<EngineDesign>& design = std::nullopt) {
        form.show();
        for (auto& [ms, action] : actions) {
            QTimer::singleShot(ms, &form, action);
        }
        return form.run(false, design);
    }
};

TEST_F(EngineWindowTest, CaptionAndDesignSize) {
    EXPECT_EQ(form.windowTitle().toStdString(),
              "      Radial Engine (select: number of cylinders, l/s ratio, wrist pin "
              "eccentricity)         Use: Mouse , . / c SpaceBar     ESC:Quit");
    EXPECT_EQ(form.size(), QSize(711, 695));
    EXPECT_EQ(form.surface().image().size(), QSize(711, 695));
}

TEST_F(EngineWindowTest, ControlsSitAtTheirPlacesWithTheirSettings) {
    EXPECT_EQ(controls.cylinders_scroll_bar->geometry(), QRect(16, 16, 17, 89));
    EXPECT_EQ(controls.rod_length_scroll_bar->geometry(), QRect(64, 16, 17, 89));
    EXPECT_EQ(controls.wrist_radius_scroll_bar->geometry(), QRect(112, 16, 17, 89));
    EXPECT_EQ(controls.cylinders_label->geometry(), QRect(16, 120, 25, 25));
    EXPECT_EQ(controls.ls_label->geometry(), QRect(56, 120, 33, 25));
    EXPECT_EQ(controls.eccentricity_label->geometry(), QRect(104, 120, 33, 17));

    const QScrollBar* bars[] = {controls.cylinders_scroll_bar, controls.rod_length_scroll_bar,
                                controls.wrist_radius_scroll_bar};
    const int settings[][5] = {{3, 35, 2, 2, 25}, {330, 650, 1, 10, 500}, {50, 130, 1, 1, 95}};
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(bars[k]->orientation(), Qt::Vertical);
        EXPECT_EQ(bars[k]->minimum(), settings[k][0]);
        EXPECT_EQ(bars[k]->maximum(), settings[k][1]);
        EXPECT_EQ(bars[k]->singleStep(), settings[k][2]);
        EXPECT_EQ(bars[k]->pageStep(), settings[k][3]);
        EXPECT_EQ(bars[k]->value(), settings[k][4]);
    }
    EXPECT_EQ(controls.cylinders_scroll_bar->nextInFocusChain(), controls.rod_length_scroll_bar);
    EXPECT_EQ(controls.rod_length_scroll_bar->nextInFocusChain(), controls.wrist_radius_scroll_bar);
    EXPECT_TRUE(controls.cylinders_label->font().bold());
    EXPECT_EQ(controls.cylinders_label->font().pointSizeF(), 9.75);
    EXPECT_TRUE(controls.cylinders_label->autoFillBackground());
    // The start values are not read from the bars: cylinders_scroll_bar stands for 13 cylinders.
    EXPECT_EQ(s.n, 11);
}

TEST_F(EngineWindowTest, EachBarSetsItsOwnParameterWhenItsValueChanges) {
    controls.cylinders_scroll_bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(s.n, 11);
    controls.cylinders_scroll_bar->triggerAction(QAbstractSlider::SliderPageStepSub);
    controls.cylinders_scroll_bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    EXPECT_EQ(s.n, 15);
    EXPECT_EQ(s.d, 200);
    EXPECT_EQ(s.rp, 52.5);

    controls.rod_length_scroll_bar->setValue(331);
    EXPECT_EQ(s.d, 284.5);
    controls.wrist_radius_scroll_bar->setValue(130);
    EXPECT_EQ(s.rp, 35);
    EXPECT_EQ(s.n, 15);

    s.n = 9; // a click that leaves the value where it is changes nothing
    controls.cylinders_scroll_bar->setValue(controls.cylinders_scroll_bar->value());
    controls.cylinders_scroll_bar->triggerAction(QAbstractSlider::SliderToMinimum);
    controls.cylinders_scroll_bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(s.n, 35);
}

TEST_F(EngineWindowTest, DraggedThumbCountsOnlyWhenLetGoAndEvenValuesRoundUpToOdd) {
    controls.cylinders_scroll_bar->setSliderDown(true);
    controls.cylinders_scroll_bar->setSliderPosition(4);
    controls.cylinders_scroll_bar->setSliderPosition(6);
    EXPECT_EQ(s.n, 11);
    controls.cylinders_scroll_bar->setSliderPosition(4);
    controls.cylinders_scroll_bar->setSliderDown(false);
    EXPECT_EQ(s.n, 35);
    controls.cylinders_scroll_bar->setValue(34);
    EXPECT_EQ(s.n, 5);
}

TEST_F(EngineWindowTest, ReadoutsInShortestFormWithTheLocalesSeparator) {
    form.update_readouts();
    EXPECT_EQ(controls.cylinders_label->text(), "11");
    EXPECT_EQ(controls.ls_label->text(), "2");
    EXPECT_EQ(controls.eccentricity_label->text(), "1.05");
    controls.rod_length_scroll_bar->setValue(331);
    controls.wrist_radius_scroll_bar->setValue(80);
    form.update_readouts();
    EXPECT_EQ(controls.ls_label->text(), "2.84");
    EXPECT_EQ(controls.eccentricity_label->text(), "1.2");

    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    form.update_readouts();
    QLocale::setDefault(before);
    EXPECT_EQ(controls.ls_label->text(), "2,84");
}

TEST_F(EngineWindowTest, KeysWorkOnceWhicheverWidgetHasTheFocus) {
    send_key(&form, Qt::Key_Period, ".");
    EXPECT_EQ(s.crank_step, 0.05 * 1.05);
    send_key(controls.rod_length_scroll_bar, Qt::Key_Comma, ",");
    EXPECT_NEAR(s.crank_step, 0.05 * 0.9975, 1e-15);
    send_key(controls.wrist_radius_scroll_bar, Qt::Key_Period, ".", true);
    send_key(controls.wrist_radius_scroll_bar, Qt::Key_Period, ".",
             true); // auto-repeat: each press counts
    EXPECT_NEAR(s.crank_step, 0.05 * 0.9975 * 1.05 * 1.05, 1e-15);
    send_key(controls.cylinders_scroll_bar, Qt::Key_Slash, "/");
    EXPECT_EQ(s.crank_step, 0.05);
    send_key(controls.cylinders_scroll_bar, Qt::Key_C, "C");
    send_key(&form, Qt::Key_Space, " ");
    EXPECT_EQ(s.vector_shown, 1);
    EXPECT_EQ(s.paused, 1);
    send_key(controls.cylinders_scroll_bar, Qt::Key_Space, " ");
    EXPECT_EQ(s.paused, 0);
    EXPECT_EQ(controls.cylinders_scroll_bar->value(), 25); // the command key did not move the bar

    // Arrow keys still move a focused bar.
    send_key(controls.cylinders_scroll_bar, Qt::Key_Down, "");
    EXPECT_EQ(controls.cylinders_scroll_bar->value(), 27);
    EXPECT_EQ(s.n, 11);
    EXPECT_FALSE(form.quit_requested());
}

// "g" from either window opens and closes the charts; other commands work from the charts window
// too; closing the charts window leaves the engine running.
TEST_F(EngineWindowTest, ChartsKeyOpensAndClosesTheChartsWindow) {
    EXPECT_EQ(form.charts(), nullptr);
    send_key(controls.cylinders_scroll_bar, Qt::Key_G, "g");
    ChartsWindow* charts = form.charts();
    ASSERT_NE(charts, nullptr);
    EXPECT_TRUE(charts->isVisible());
    EXPECT_TRUE(charts->isWindow());
    EXPECT_EQ(charts->windowTitle(), "Radial engine charts");
    EXPECT_EQ(controls.cylinders_scroll_bar->value(), 25);

    send_key(charts->quantity_box(), Qt::Key_Period, ".");
    EXPECT_EQ(s.crank_step, 0.05 * 1.05);
    send_key(charts->quantity_box(), Qt::Key_G, "g");
    EXPECT_FALSE(charts->isVisible());
    send_key(&form, Qt::Key_G, "g");
    EXPECT_TRUE(charts->isVisible());
    EXPECT_EQ(form.charts(), charts);

    charts->close();
    EXPECT_FALSE(charts->isVisible());
    EXPECT_FALSE(form.quit_requested());
}

// The readout hook moves the charts' cursors with the crank.
TEST_F(EngineWindowTest, ChartsFollowTheCrankFromTheReadoutHook) {
    form.toggle_charts();
    ChartView& view = form.charts()->crank_view();
    const QImage before = view.grab().toImage();
    s.theta += 1;
    form.update_readouts();
    EXPECT_NE(view.grab().toImage(), before);
}

TEST_F(EngineWindowTest, MouseSpeedControl) {
    const QPointF pointer = form.surface().to_pixels(200, 100);
    QTest::mousePress(&form, Qt::LeftButton, {}, pointer.toPoint());
    EXPECT_EQ(s.mouse_sets_speed, 1);
    EXPECT_EQ(s.crank_step, 0.05); // the press alone leaves the step
    move_mouse(pointer);
    const QPointF world = form.surface().to_world(pointer);
    EXPECT_EQ(s.crank_step, static_cast<double>(static_cast<float>(world.x())) *
                                static_cast<double>(static_cast<float>(world.y())) / 200000);
    EXPECT_NEAR(s.crank_step, 0.1, 1e-9);
    move_mouse(form.surface().to_pixels(-200, 100));
    EXPECT_NEAR(s.crank_step, -0.1, 1e-9);
    send_key(&form, Qt::Key_Slash, "/");
    EXPECT_EQ(s.crank_step, 0.05);

    // A control keeps its clicks and moves.
    QTest::mousePress(controls.ls_label, Qt::LeftButton);
    EXPECT_EQ(s.mouse_sets_speed, 1);
    for (QWidget* control : {static_cast<QWidget*>(controls.cylinders_label),
                             static_cast<QWidget*>(controls.wrist_radius_scroll_bar)}) {
        QMouseEvent move(QEvent::MouseMove, QPointF(5, 5), control->mapToGlobal(QPointF(5, 5)),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(control, &move);
    }
    EXPECT_EQ(s.crank_step, 0.05);
}

// The picture lies over the whole client area; the mouse over it must still steer the engine.
TEST_F(EngineWindowTest, MouseOverThePictureReachesTheWindow) {
    QWidget* picture = &form.picture();
    ASSERT_EQ(picture->geometry(), form.rect());
    const QPoint pointer = form.surface().to_pixels(200, 100).toPoint();
    QTest::mousePress(picture, Qt::LeftButton, {}, pointer);
    EXPECT_EQ(s.mouse_sets_speed, 1);
    QMouseEvent move(QEvent::MouseMove, pointer, picture->mapToGlobal(pointer), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(picture, &move);
    const QPointF world = form.surface().to_world(pointer);
    EXPECT_EQ(s.crank_step, static_cast<double>(static_cast<float>(world.x())) *
                                static_cast<double>(static_cast<float>(world.y())) / 200000);
    QTest::mouseDClick(picture, Qt::LeftButton, {}, pointer);
    EXPECT_TRUE(form.quit_requested());
}

TEST_F(EngineWindowTest, EscAndDoubleClickClearAndAskToEnd) {
    form.surface().line(-100, -100, 100, 100, red);
    send_key(&form, Qt::Key_Escape, "\x1b");
    EXPECT_TRUE(form.quit_requested());
    EXPECT_TRUE(all_white(form.surface().image()));

    EngineWindow other;
    other.surface().circle(0, 0, 50, blue);
    QTest::mouseDClick(&other, Qt::LeftButton, {}, QPoint(400, 400));
    EXPECT_TRUE(other.quit_requested());
    EXPECT_TRUE(all_white(other.surface().image()));
}

TEST_F(EngineWindowTest, FrameLoopRunsAndReadoutsFollowTheBars) {
    double theta_seen = 0;
    QString readout;
    const int status = run_with({
        {300, [&] { controls.cylinders_scroll_bar->setValue(23); }},
        {500,
         [&] {
             theta_seen = s.theta;
             readout = controls.cylinders_label->text();
         }},
        {550, [&] { form.close(); }},
    });
    EXPECT_EQ(status, 0);
    EXPECT_GT(theta_seen, 5);
    EXPECT_EQ(readout, "15");
    EXPECT_EQ(s.at_last_clear.n, 15);
}

// A design in millimetres whose l/s, 3, lies beyond the bar's 2.85: drawn at the animation's
// scale, the bars stand for its settings (the l/s bar at its end), the readouts show its own
// ratios, and moving the bar sets the rod length in the design's millimetres.
TEST_F(EngineWindowTest, RunsADesignWithTheBarsStandingForIt) {
    EngineDesign design{5, 60, 11, 10};
    design.unit = LengthUnit::mm;
    QString readouts;
    EngineParameters drawn;
    const int status = run_with({{300,
                                  [&] {
                                      readouts =
                                          controls.cylinders_label->text() + " " +
                                          controls.ls_label->text() + " " +
                                          controls.eccentricity_label->text() + " " +
                                          QString::number(controls.rod_length_scroll_bar->value());
                                      drawn = s.at_last_clear;
                                      controls.rod_length_scroll_bar->setValue(500);
                                  }},
                                 {500, [&] { form.close(); }}},
                                design);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(readouts, "5 3 1.1 330");
    EXPECT_EQ(drawn, (EngineParameters{5, 300, 55}));
    EXPECT_EQ(controls.cylinders_scroll_bar->value(), 33);
    EXPECT_EQ(controls.wrist_radius_scroll_bar->value(), 90);
    EXPECT_EQ(s.design.rod_length, 40); // l/s 2 of a 10 mm crank
    EXPECT_EQ(s.design.unit, LengthUnit::mm);
}

TEST_F(EngineWindowTest, WhilePausedReadoutsKeepTheirTextAndQuittingWorks) {
    QString while_paused;
    double theta_paused = 0, theta_later = 0;
    const int status = run_with({
        {200, [&] { send_key(&form, Qt::Key_Space, " "); }},
        {300,
         [&] {
             controls.cylinders_scroll_bar->setValue(23);
             theta_paused = s.theta;
         }},
        {600,
         [&] {
             while_paused = controls.cylinders_label->text();
             theta_later = s.theta;
             send_key(&form, Qt::Key_Escape, "\x1b");
         }},
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.paused, 1);
    EXPECT_EQ(s.n, 15);
    EXPECT_EQ(while_paused, "11");
    EXPECT_EQ(theta_later, theta_paused);
}

TEST_F(EngineWindowTest, ClosingTheWindowWhilePausedEndsTheProgram) {
    const int status = run_with({
        {150, [&] { send_key(controls.rod_length_scroll_bar, Qt::Key_Space, " "); }},
        {300, [&] { form.close(); }},
    });
    EXPECT_EQ(status, 0);
    EXPECT_EQ(s.paused, 1);
    EXPECT_TRUE(form.quit_requested());
}

} // namespace
} // namespace radial
