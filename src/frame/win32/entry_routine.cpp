// The module's own entry routine. The language runtime's start-up code is the
// module's real entry point; it initialises the runtime (and runs the
// floating-point start-up of fpu_startup.cpp and the taking of the count
// generator's slot in count_state_slot.cpp) on process attach, then calls this
// routine for every notification, and shuts the runtime down on detach (which
// gives the slot back). The routine itself has nothing to set up or release,
// so every notification (process and thread attach and detach) simply
// succeeds.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
