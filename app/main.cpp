// The kivo executable: everything lives in the libraries the tests link, so main only
// starts the run.
#include "app/Program.h"

int main(int argc, char** argv) {
    return kivo::RunProgram(argc, argv);
}
