#include "ui/form1.h"

#include <QApplication>

#ifdef __GLIBC__
#include <malloc.h>
#endif

int main(int argc, char** argv) {
    // The picture is a buffer of several megabytes, made anew whenever the window is resized.
    // Served from mmap, each old one goes back to the system when freed, instead of staying in
    // the heap once glibc's adaptive threshold has grown past that size.
#ifdef __GLIBC__
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif

    QApplication app(argc, argv);
    QApplication::setApplicationName("radial-engine");
    radial::Form1 form;
    form.show();
    return form.run();
}
