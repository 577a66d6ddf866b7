#include "app/startup.h"

int main(int argc, char **argv)
{
    return brookhum::runBrookhum(argc, argv);
}
