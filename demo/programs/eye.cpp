// eye.exe of the demo's server browser folder. A real server browser leaves a buddy log and the
// details of the last server it launched in its own folder; this one writes a plausible pair of
// those files at every start (the addresses are from the documentation ranges), records its start
// in eye-launch.log like the game stub, and shows a small window.
#include "stub_common.h"

#include <cstdio>

namespace {

std::string timeText(const SYSTEMTIME& t, int minutesBack) {
  int minutes = t.wHour * 60 + t.wMinute - minutesBack;
  while (minutes < 0) minutes += 24 * 60;
  char buf[16];
  std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", minutes / 60, minutes % 60, t.wSecond);
  return buf;
}

std::string dateText(const SYSTEMTIME& t) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%04u-%02u-%02u %02u:%02u:%02u", t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute,
                t.wSecond);
  return buf;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
  const std::string folder = stub::ownFolder();
  stub::recordLaunch("eye-launch.log");

  SYSTEMTIME now;
  GetLocalTime(&now);
  const std::string buddies = "Buddy log started " + dateText(now) + "\r\n" +
                              "[" + timeText(now, 47) + "] Rook is playing on Friday Frag Night (203.0.113.17:27960, goldrush)\r\n" +
                              "[" + timeText(now, 31) + "] Mira joined Friday Frag Night (203.0.113.17:27960, goldrush)\r\n" +
                              "[" + timeText(now, 18) + "] Rook left Friday Frag Night\r\n" +
                              "[" + timeText(now, 6) + "] Juno is playing on Oasis Around The Clock (198.51.100.4:27960, oasis)\r\n";
  const std::string launch = "Game:      Enemy Territory\r\n"
                             "Server:    Friday Frag Night\r\n"
                             "Address:   203.0.113.17:27960\r\n"
                             "Map:       goldrush\r\n"
                             "Gametype:  Stopwatch\r\n"
                             "Players:   18 / 24\r\n"
                             "Ping:      42 ms\r\n"
                             "Launched:  " + dateText(now) + "\r\n";
  const bool written = stub::writeWholeFile(folder + "buddylog.txt", buddies) &&
                       stub::writeWholeFile(folder + "launchinfo.txt", launch);

  if (stub::exitRightAway()) return written ? 0 : 1;
  return stub::runWindow(instance, "Server browser (demo)",
                         written ? "The demo's stand-in server browser wrote buddylog.txt and launchinfo.txt."
                                 : "The demo's stand-in server browser could not write its log files.",
                         {{"Folder:", folder},
                          {"Command line:", stub::argumentsAsReceived()},
                          {"Current folder:", stub::currentDirectory()}});
}
