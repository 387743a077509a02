// et.exe of the demo game folder: records how it was started, then shows what it got.
// Record: one line "<arguments>\t<current directory>\r\n" appended to et-launch.log beside it.
#include "stub_common.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  stub::recordLaunch("et-launch.log");
  if (stub::exitRightAway()) return 0;
  return stub::runWindow(instance, "Enemy Territory (demo)",
                         "The demo's stand-in for the game was started with:",
                         {{"Command line:", stub::argumentsAsReceived()},
                          {"Current folder:", stub::currentDirectory()}});
}
