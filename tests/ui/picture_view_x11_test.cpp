// The window's picture on a real X server: what the server holds in the picture's window is the
// surface, pixel for pixel, after frames, resizes, being hidden and shown, and over the connection.
// Run under Xvfb, also at a device pixel ratio of 1.5.

#include "picture/steady_run.h"
#include "ui/engine_window.h"
#include "ui/picture_view.h"
#include "ui/qt_event_pump.h"
#include "ui/x11_presenter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QTest>
#include <QWindow>
#include <qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <malloc.h>
#include <random>
#include <thread>
#include <vector>

namespace radial {
namespace {

std::size_t at(int x, int y, int width) {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
           static_cast<std::size_t>(x);
}

// A picture of w x h pixels in random colours, so that rows or bands out of place show.
std::vector<std::uint32_t> random_pixels(int w, int h) {
    std::vector<std::uint32_t> pixels(at(0, h, w));
    for (std::uint32_t& p : pixels) {
        p = static_cast<std::uint32_t>(random()) & 0xFFFFFFu;
    }
    return pixels;
}

xcb_connection_t* connection() {
    return qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
}

// The window's size in device pixels, as the server has it.
QSize server_size(WId window, xcb_connection_t* c = connection()) {
    xcb_get_geometry_reply_t* reply = xcb_get_geometry_reply(
        c, xcb_get_geometry(c, static_cast<xcb_drawable_t>(window)), nullptr);
    const QSize size = reply != nullptr ? QSize(reply->width, reply->height) : QSize();
    std::free(reply);
    return size;
}

// Where the window's top left corner lies on the screen, as the server has it.
QPoint server_origin(WId window) {
    xcb_connection_t* c = connection();
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
        c, xcb_translate_coordinates(c, static_cast<xcb_window_t>(window), root, 0, 0), nullptr);
    const QPoint origin = reply != nullptr ? QPoint(reply->dst_x, reply->dst_y) : QPoint(-1, -1);
    std::free(reply);
    return origin;
}

int screen_depth() {
    return xcb_setup_roots_iterator(xcb_get_setup(connection())).data->root_depth;
}

// A surface pixel as the server holds it on the screen: red, green and blue, or in five, six and
// five bits on a 16-bit screen.
std::uint32_t on_screen(std::uint32_t pixel) {
    if (screen_depth() != 16) {
        return pixel & 0xFFFFFFu;
    }
    return (pixel >> 19 & 0x1Fu) << 11 | (pixel >> 10 & 0x3Fu) << 5 | (pixel >> 3 & 0x1Fu);
}

// The window's pixels as the server holds them, row after row; none if the server will not give
// them.
std::vector<std::uint32_t> server_pixels(WId window, QSize size,
                                         xcb_connection_t* c = connection()) {
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, static_cast<xcb_window_t>(window), 0, 0,
                      static_cast<std::uint16_t>(size.width()),
                      static_cast<std::uint16_t>(size.height()), ~0u),
        nullptr);
    std::vector<std::uint32_t> pixels;
    const int bytes = screen_depth() == 16 ? 2 : 4;
    const int row_bytes = (size.width() * bytes + 3) / 4 * 4; // rows padded to 32 bits
    if (reply != nullptr && xcb_get_image_data_length(reply) == row_bytes * size.height()) {
        const std::uint8_t* data = xcb_get_image_data(reply);
        pixels.resize(at(0, size.height(), size.width()));
        for (int y = 0; y < size.height(); ++y) {
            for (int x = 0; x < size.width(); ++x) {
                std::uint32_t value = 0;
                std::memcpy(&value, data + at(x * bytes, y, row_bytes),
                            static_cast<std::size_t>(bytes));
                pixels[at(x, y, size.width())] = bytes == 2 ? value : value & 0xFFFFFFu;
            }
        }
    }
    std::free(reply);
    return pixels;
}

// The windows inside window, bottom to top.
std::vector<WId> stacked_children(WId window) {
    xcb_connection_t* c = connection();
    xcb_query_tree_reply_t* reply =
        xcb_query_tree_reply(c, xcb_query_tree(c, static_cast<xcb_window_t>(window)), nullptr);
    std::vector<WId> children;
    if (reply != nullptr) {
        const xcb_window_t* ids = xcb_query_tree_children(reply);
        children.assign(ids, ids + xcb_query_tree_children_length(reply));
    }
    std::free(reply);
    return children;
}

class X11PictureTest : public ::testing::Test {
protected:
    EngineWindow form;
    ImageSurface& surface = form.surface();
    std::mt19937 random{7};

    void SetUp() override {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    }

    // Device pixels under a control: the server shows the control there.
    bool under_control(int x, int y) {
        for (const QWidget* control : form.findChildren<QWidget*>()) {
            const QRect g = control->geometry();
            const PixelRect r = device_rect({g.x(), g.y(), g.width(), g.height()},
                                            surface.device_pixel_ratio(), INT_MAX, INT_MAX);
            if (control != &form.picture() && x >= r.x && x < r.x + r.width && y >= r.y &&
                y < r.y + r.height) {
                return true;
            }
        }
        return false;
    }

    // What the server shows of the picture's window: cut to the form's window, which Qt may round
    // to an edge pixel less than the picture.
    QSize visible_size(xcb_connection_t* c = connection()) {
        return server_size(form.picture().winId(), c).boundedTo(server_size(form.winId(), c));
    }

    // The first pixel where the server and the surface differ, outside the controls; "" if none.
    std::string first_difference(xcb_connection_t* c = connection()) {
        const WId window = form.picture().winId();
        const QSize size = visible_size(c);
        const int stride = surface.device_width();
        if (std::abs(size.width() - stride) > 1 ||
            std::abs(size.height() - surface.device_height()) > 1) {
            return "a window of " + std::to_string(size.width()) + "x" +
                   std::to_string(size.height());
        }
        const std::vector<std::uint32_t> shown = server_pixels(window, size, c);
        if (shown.empty()) {
            return "no pixels from the server";
        }
        const auto drawn = surface.data();
        for (int y = 0; y < std::min(size.height(), surface.device_height()); ++y) {
            for (int x = 0; x < std::min(size.width(), stride); ++x) {
                const std::uint32_t s = shown[at(x, y, size.width())];
                const std::uint32_t d = drawn[at(x, y, stride)];
                if (s != on_screen(d) && !under_control(x, y)) {
                    return "at " + std::to_string(x) + "," + std::to_string(y);
                }
            }
        }
        return "";
    }

    // Waits until Qt and the server agree on the windows' size, and Qt has handled what followed.
    void resize_to(QSize size) {
        form.resize(size);
        ASSERT_TRUE(QTest::qWaitFor(
            [&] {
                const QSize device = form.size() * surface.device_pixel_ratio();
                const QSize visible = visible_size();
                return form.picture().size() == form.size() &&
                       std::abs(visible.width() - device.width()) <= 1 &&
                       std::abs(visible.height() - device.height()) <= 1;
            },
            5000));
        QApplication::processEvents();
    }
};

// Straight from shared memory where the screen takes the pixels as they are; Qt paints them on a
// 16-bit screen.
TEST_F(X11PictureTest, PresentedOnlyOnATrueColourScreen) {
    const bool true_colour = screen_depth() == 24;
    EXPECT_EQ(form.picture().presented(), true_colour);
    if (true_colour) {
        EXPECT_TRUE(form.picture().presenter()->shares_memory());
    }
}

TEST_F(X11PictureTest, ControlsLieAboveThePicture) {
    const std::vector<WId> stack = stacked_children(form.winId());
    const auto place = [&stack](const QWidget* w) {
        return std::find(stack.begin(), stack.end(), w->internalWinId()) - stack.begin();
    };
    const auto picture = place(&form.picture());
    ASSERT_LT(picture, static_cast<std::ptrdiff_t>(stack.size()));
    const ParameterControls& c = form.controls();
    for (const QWidget* control : std::initializer_list<const QWidget*>{
             c.cylinders_scroll_bar, c.rod_length_scroll_bar, c.wrist_radius_scroll_bar,
             c.cylinders_label, c.ls_label, c.eccentricity_label}) {
        const auto above = place(control);
        EXPECT_TRUE(above > picture && above < static_cast<std::ptrdiff_t>(stack.size()))
            << control->metaObject()->className();
    }
}

TEST_F(X11PictureTest, FramesAndResizesReachTheServerPixelForPixel) {
    SteadyRun run(surface, {11, 200, 52.5});
    for (int k = 1; k <= 60; ++k) {
        run.frame_at(0.05 * k);
        form.show_drawing();
        if (k % 20 == 0) {
            resize_to({std::uniform_int_distribution(300, 900)(random),
                       std::uniform_int_distribution(300, 800)(random)});
            form.show_drawing();
        }
        ASSERT_EQ(first_difference(), "") << "frame " << k;
    }
}

// Unmapped, the window's pixels are gone; shown again, it must be filled again whole.
TEST_F(X11PictureTest, ShownAgainAfterHiding) {
    draw_steady(surface, {35, 150, 80}, 1.0);
    form.show_drawing();
    form.hide();
    QApplication::processEvents();
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QTest::qWait(100);
    EXPECT_EQ(first_difference(), "");
}

// A block the presenter did not hand out goes over the connection, in rows of its own width.
TEST_F(X11PictureTest, PixelsOffTheStoreGoOverTheConnection) {
    if (!form.picture().presented()) {
        GTEST_SKIP() << "no presenter on this screen";
    }
    X11Presenter other(connection());
    ASSERT_TRUE(other.show_in(static_cast<std::uint32_t>(form.picture().winId())));
    const int w = surface.device_width(), h = surface.device_height();
    std::vector<std::uint32_t> pixels = random_pixels(w, h);
    const QSize size = visible_size();
    const int cut_w = std::min(w, size.width()), cut_h = std::min(h, size.height());
    const std::vector<PixelRect> rects{
        {300, 200, 97, 61}, {0, 450, cut_w, 3}, {cut_w - 1, cut_h - 1, 1, 1}};
    const std::vector<std::uint32_t> before = server_pixels(form.picture().winId(), size);
    other.put({pixels.data(), w, h, w}, rects);
    const std::vector<std::uint32_t> after = server_pixels(form.picture().winId(), size);
    ASSERT_EQ(after.size(), before.size());
    for (int y = 0; y < size.height(); ++y) {
        for (int x = 0; x < size.width(); ++x) {
            const std::size_t k = at(x, y, size.width());
            const bool put = std::any_of(rects.begin(), rects.end(), [x, y](const PixelRect& r) {
                return x >= r.x && x < r.x + r.width && y >= r.y && y < r.y + r.height;
            });
            ASSERT_EQ(after[k], put ? pixels[at(x, y, w)] : before[k]) << x << "," << y;
        }
    }
}

// Another client sees what was put without the program sending anything more: the puts are
// flushed to the server, not left in the connection's buffer.
TEST_F(X11PictureTest, PutsReachOtherClientsWithoutAnotherRequest) {
    if (!form.picture().presented()) {
        GTEST_SKIP() << "no presenter on this screen";
    }
    xcb_connection_t* other = xcb_connect(nullptr, nullptr);
    ASSERT_EQ(xcb_connection_has_error(other), 0);
    draw_steady(surface, {35, 150, 80}, 1.0);
    form.show_drawing();
    std::string difference = first_difference(other);
    for (int k = 0; k < 100 && !difference.empty(); ++k) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        difference = first_difference(other);
    }
    EXPECT_EQ(difference, "");
    xcb_disconnect(other);
}

// A pump returns with nothing of the shared memory left for the server to read, so the frame
// that follows cannot draw into pixels it has yet to copy.
TEST_F(X11PictureTest, PumpsReturnOnceTheServerHasReadThePicture) {
    if (!form.picture().presented()) {
        GTEST_SKIP() << "no presenter on this screen";
    }
    QtEventPump pump(form);
    const X11Presenter& presenter = *form.picture().presenter();
    SteadyRun run(surface, {11, 200, 52.5});
    for (int k = 1; k <= 2; ++k) {
        run.frame_at(0.05 * k);
        form.show_drawing();
        EXPECT_TRUE(presenter.reading());
        pump.pump_events_paced();
        EXPECT_FALSE(presenter.reading()) << "paced pump, frame " << k;
    }
    run.frame_at(0.15);
    pump.pump_events();
    EXPECT_FALSE(presenter.reading());
}

// Each put from shared memory asks for a reply, to know when the server has read the pixels; the
// reply to the put before is let go. Kept, every frame would add one to the connection's memory.
TEST_F(X11PictureTest, ManyPutsHoldNoMoreMemoryThanAFew) {
    if (!form.picture().presented()) {
        GTEST_SKIP() << "no presenter on this screen";
    }
    X11Presenter other(connection());
    ASSERT_TRUE(other.show_in(static_cast<std::uint32_t>(form.picture().winId())));
    std::uint32_t* pixels = other.allocate(16);
    ASSERT_TRUE(other.shares_memory());
    std::fill(pixels, pixels + 16, 0x336699u);
    const PixelRect square{0, 0, 4, 4};
    const auto puts = [&](int count) {
        for (int k = 0; k < count; ++k) {
            other.put({pixels, 4, 4, 4}, {&square, 1});
        }
        other.wait_until_read();
        return mallinfo2().uordblks;
    };
    const std::size_t before = puts(100);
    const std::size_t after = puts(20000);
    EXPECT_LT(after, before + 256 * 1024) << "from " << before;
    other.deallocate(pixels);
}

// When Qt makes the picture's native window anew, the presenter puts into the new window.
TEST_F(X11PictureTest, FollowsARecreatedNativeWindow) {
    PictureView& picture = form.picture();
    const WId before = picture.winId();
    picture.windowHandle()->destroy();
    picture.windowHandle()->create();
    picture.windowHandle()->setVisible(true);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(picture.windowHandle()));
    ASSERT_NE(picture.winId(), before);
    // Between the two windows the widget has none: the presenter waits for the next, and goes on
    // putting on a true-colour screen.
    ASSERT_EQ(picture.presented(), screen_depth() == 24);
    if (picture.presented()) {
        EXPECT_EQ(picture.presenter()->window(), picture.winId());
    }
    draw_steady(surface, {9, 180, 60}, 2.0);
    form.show_drawing();
    QTest::qWait(100);
    EXPECT_EQ(first_difference(), "");
}

// One rectangle larger than the largest request goes over the connection in bands of rows, each
// from its own rows of the picture. Xvfb's largest request is 4194303 words: 2047 rows of 2049
// pixels fill it exactly, with no room for the request's 24-byte header, so a band holds 2046.
TEST_F(X11PictureTest, ARectangleLargerThanARequestGoesInBands) {
    if (!form.picture().presented()) {
        GTEST_SKIP() << "no presenter on this screen";
    }
    ASSERT_EQ(xcb_get_maximum_request_length(connection()), 4194303U);
    const double dpr = surface.device_pixel_ratio();
    resize_to(
        QSize(static_cast<int>(std::ceil(2400 / dpr)), static_cast<int>(std::ceil(2048 / dpr))));
    form.move(0, 0); // the server gives out only pixels on screen
    ASSERT_TRUE(QTest::qWaitFor([&] { return server_origin(form.winId()) == QPoint(0, 0); }));
    const QSize size = visible_size();
    X11Presenter other(connection());
    ASSERT_TRUE(other.show_in(static_cast<std::uint32_t>(form.picture().winId())));
    const int w = surface.device_width(), h = surface.device_height();
    std::vector<std::uint32_t> pixels = random_pixels(w, h);
    const PixelRect whole{0, 0, 2049, 2047};
    ASSERT_TRUE(whole.width <= std::min(w, size.width()) &&
                whole.height <= std::min(h, size.height()))
        << size.width() << "x" << size.height();
    other.put({pixels.data(), w, h, w}, {&whole, 1});
    ASSERT_EQ(xcb_connection_has_error(connection()), 0);
    const std::vector<std::uint32_t> after = server_pixels(form.picture().winId(), size);
    ASSERT_EQ(after.size(), at(0, size.height(), size.width()));
    int below_controls = 0; // the server shows the controls' windows above them
    for (const QWidget* control : form.findChildren<QWidget*>()) {
        if (control != &form.picture()) {
            below_controls =
                std::max(below_controls,
                         static_cast<int>(std::ceil((control->geometry().bottom() + 1) * dpr)));
        }
    }
    for (int y = below_controls; y < whole.height; ++y) {
        for (int x = 0; x < whole.width; ++x) {
            ASSERT_EQ(after[at(x, y, size.width())], pixels[at(x, y, w)]) << x << "," << y;
        }
    }
}

} // namespace
} // namespace radial

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
