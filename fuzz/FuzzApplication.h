#pragma once

#include <QApplication>

// The one application a fuzzer that builds widgets needs, offscreen at 96 DPI, made before the first input.
// name is a string literal, so it lives as long as the application.
inline int StartFuzzApplication(const char* name) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    static int argc = 1;
    static char* argv[] = {const_cast<char*>(name), nullptr};
    static QApplication application(argc, argv);
    return 0;
}
