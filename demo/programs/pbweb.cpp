// pbweb.exe of the demo game folder (pb\): a stand-in for the anti-cheat updater. It records its
// start like the game stub does, into pbweb-launch.log beside it, and updates nothing.
#include "stub_common.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  stub::recordLaunch("pbweb-launch.log");
  if (stub::exitRightAway()) return 0;
  return stub::runWindow(instance, "Updater (demo)", "The demo's stand-in updater: nothing to update.",
                         {{"Command line:", stub::argumentsAsReceived()},
                          {"Current folder:", stub::currentDirectory()}});
}
