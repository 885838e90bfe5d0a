#include "ui/form1.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("radial-engine");
    radial::Form1 form;
    form.show();
    return form.run();
}
