#include "basMain.h"

#include <QApplication>

namespace kelvo::app {

int RunKelvo(int argc, char** argv)
{
    QApplication application(argc, argv);
    return 0;
}

} // namespace kelvo::app
