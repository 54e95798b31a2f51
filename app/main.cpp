#include "app/Program.h"

int main(int argc, char** argv) {
    return kivo::RunProgram(argc, argv);
}
