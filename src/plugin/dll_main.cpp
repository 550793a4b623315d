#include <windows.h>

// Loading and unloading do no work of the plug-in's own: everything happens
// through the exported header and the plug-in object.
BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
