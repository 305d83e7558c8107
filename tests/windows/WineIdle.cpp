// Does nothing until it is killed. Run in the background under Wine while
// tests run, so that Wine's services stay up between test programs (each
// would pay Wine's start-up) and are not started by ctest (whose output
// pipe they would inherit and hold open).
#include <windows.h>

int main()
{
    Sleep(INFINITE);
}
