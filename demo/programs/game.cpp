// The stand-in for the other game programs (etl.exe, ETe.exe, ETe.x64.exe): copied under
// their names, it records which of them was started and how, then shows what it got.
// Record: one line "<own file name>\t<arguments>\t<current directory>\r\n" appended to
// game-launch.log beside it.
#include "stub_common.h"

namespace {

std::string ownName() {
  char path[MAX_PATH * 2] = {};
  const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
  const std::string s(path, n);
  const auto slash = s.find_last_of("\\/");
  return slash == std::string::npos ? s : s.substr(slash + 1);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  stub::appendRecord(stub::ownFolder() + "game-launch.log",
                     ownName() + "\t" + stub::argumentsAsReceived() + "\t" + stub::currentDirectory() + "\r\n");
  if (stub::exitRightAway()) return 0;
  return stub::runWindow(instance, ("Game program (demo): " + ownName()).c_str(),
                         "The demo's stand-in for " + ownName() + " was started with:",
                         {{"Command line:", stub::argumentsAsReceived()},
                          {"Current folder:", stub::currentDirectory()}});
}
