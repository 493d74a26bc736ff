#include "basMain.h"

int main(int argc, char** argv) {
    return kelvo::app::RunKelvo(argc, argv);
}
