#include "server/ServeMain.h"

int main(int argc, char *argv[])
{
    return divisheet::runProgram(argc, argv);
}
