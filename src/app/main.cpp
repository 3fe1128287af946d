#include <QApplication>

#include "ui/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kestrix"));
    QApplication::setDesktopFileName(QStringLiteral("kestrix"));
    kestrix::Form1 window;
    window.show();
    return app.exec();
}
