#pragma once

#include <QWidget>

class QPaintEngine;

namespace radial {

class ImageSurface;
class X11Presenter;

// The window's picture: a child over the whole client area, beneath the bars and labels. Given an
// X11 presenter whose store holds the surface's pixels, it is an X11 window of its own that the
// presenter fills straight from them; otherwise, or where that window cannot take the pixels as
// they are, Qt paints them like any widget's. Mouse events go on to the parent.
class PictureView final : public QWidget {
public:
    PictureView(ImageSurface& surface, X11Presenter* x11, QWidget* parent);

    // Whether the presenter shows the picture, rather than Qt.
    bool presented() const { return x11_ != nullptr; }
    const X11Presenter* presenter() const { return x11_; }

    // Puts what was drawn since the last call on screen.
    void show_changes();

    // Returns once the window system has taken what was put on screen, so that the picture may
    // be drawn over.
    void wait_until_shown();

protected:
    bool event(QEvent* event) override;
    QPaintEngine* paintEngine() const override;
    void paintEvent(QPaintEvent* event) override;

private:
    // Has the presenter show in the widget's native window when Qt makes a new one; when it is
    // gone, in none until then.
    void follow_native_window();

    // Paints the region's rectangles of the picture with Qt, a band of them at a time.
    void paint_region(const QRegion& region);

    ImageSurface& surface_;
    X11Presenter* x11_;
};

} // namespace radial
