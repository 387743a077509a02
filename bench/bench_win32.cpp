// Figures measured under Wine, each against a baseline taken in the same run:
//   startup   <dir> [rounds]  Vexal.exe against the floor program (or a minimal window program),
//                    interleaved, 20 rounds
//   settings  <dir>  one atomic settings write against a plain overwrite of the same bytes
//   walk      <dir>  the profile clean-up over a big folder against "cmd /c del /s /q profile.pid"
//   mapchange <dir>  one map change with 2,000 maps and 2,000 pictures
//   demomove  <dir>  one mouse move over Demo with 2,000 demos in 50 folders, and the time a
//                    demo added or removed takes to reach the count
//   logviewer <dir>  the console-log viewer at start with a big log (100 MB) against a 1 KB one
//   typing    <dir>  one keystroke in the editable readme viewer against a plain overwrite of the file
//   linkhandoff <dir> an et:// link given to a second copy, which hands it to the running one, until the
//                    game starts, against the Run command given to the running copy itself; median of 7
//   backup    <dir>  one backup of <dir>, restore <dir>: one restore of it (scripts/run-bench.sh
//                    times Info-ZIP's zip and unzip on the same tree beside them); restore-held <dir>:
//                    one restore while another program holds the archive's last file, which fails and
//                    puts every file back
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "backup/backup_files.h"
#include "launch/launch_rules.h"
#include "platform/win32/svc_file_system.h"
#include "platform/win32/win32_services.h"
#include "settings/config.h"
#include "ui/application.h"
#include "util/error.h"
#include "util/utilities.h"

namespace {

using Clock = std::chrono::steady_clock;

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const auto i = static_cast<std::size_t>(p * static_cast<double>(v.size() - 1) + 0.5);
    return v[std::min(i, v.size() - 1)];
}

struct Found {
    DWORD pid;
    HWND hwnd;
};

// The first visible window of real size: Vexal's main window, like the floor's, is
// owned by the window that carries the taskbar button, which has no size of its own.
BOOL CALLBACK visibleOf(HWND h, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (pid == f->pid && IsWindowVisible(h)) {
        RECT r;
        GetWindowRect(h, &r);
        if (r.right - r.left > 100) {
            f->hwnd = h;
            return FALSE;
        }
    }
    return TRUE;
}

// Time from process creation to its first visible window of real size.
double timeToWindow(const std::string& exe, const std::string& dir) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + exe + "\"";
    const auto start = Clock::now();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) return -1;
    Found f{pi.dwProcessId, nullptr};
    double result = -1;
    while (ms(Clock::now() - start) < 30000) {
        f.hwnd = nullptr;
        EnumWindows(visibleOf, reinterpret_cast<LPARAM>(&f));
        if (f.hwnd) {
            result = ms(Clock::now() - start);
            break;
        }
        Sleep(1);
    }
    if (f.hwnd) PostMessageA(f.hwnd, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

// Each program's start-up times, sorted, with how many fall in a slow group of their own
// (over 1.3 times the program's median): the floor program has none.
std::string spread(const std::string& name, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const double median = percentile(times, 0.5);
    std::string text = name + ": median " + std::to_string(static_cast<int>(median + 0.5)) + " ms, sorted";
    int slow = 0;
    for (double t : times) {
        text += " " + std::to_string(static_cast<int>(t + 0.5));
        if (t > 1.3 * median) ++slow;
    }
    return text + "; " + std::to_string(slow) + " over 1.3x the median\n";
}

// Vexal.exe against the floor program (the same window made with plain Win32 calls)
// and a bare window, started in turn, so that the machine's load falls on all of them
// alike. Without the floor program, against the one-window program minimal.exe.
int startup(const std::string& dir, int rounds) {
    const std::string vexal = dir + "\\Vexal.exe";
    std::vector<std::pair<std::string, std::string>> baselines;  // name, path
    if (GetFileAttributesA((dir + "\\floor.exe").c_str()) != INVALID_FILE_ATTRIBUTES) {
        baselines.emplace_back("floor.exe", dir + "\\floor.exe");
        baselines.emplace_back("bare.exe", dir + "\\bare.exe");
    } else {
        baselines.emplace_back("minimal.exe", dir + "\\minimal.exe");
    }
    // Warm the caches of all before measuring.
    for (const auto& [name, path] : baselines) timeToWindow(path, dir);
    timeToWindow(vexal, dir);
    // Each round starts the programs in a turned order, so that none always follows the same one
    // (a program's exit goes on in Wine's server and the X server after its process has ended).
    std::vector<double> a;
    std::vector<std::vector<double>> b(baselines.size());
    const std::size_t programs = baselines.size() + 1;
    for (int i = 0; i < rounds; ++i) {
        for (std::size_t j = 0; j < programs; ++j) {
            const std::size_t k = (j + static_cast<std::size_t>(i)) % programs;
            if (k == baselines.size()) a.push_back(timeToWindow(vexal, dir));
            else b[k].push_back(timeToWindow(baselines[k].second, dir));
        }
    }
    const double va = percentile(a, 0.5), vb = percentile(b[0], 0.5);
    std::printf("startup: %d rounds; Vexal.exe median %.1f ms, %s median %.1f ms, ratio %.2f\n", rounds, va,
                baselines[0].first.c_str(), vb, va / vb);
    std::printf("%s", spread("  Vexal.exe", a).c_str());
    for (std::size_t k = 0; k < baselines.size(); ++k)
        std::printf("%s", spread("  " + baselines[k].first, b[k]).c_str());
    return 0;
}

int settingsWrite(const std::string& dir) {
    vexal::platform::win32::Win32Services svc;
    auto s = svc.services();
    vexal::settings::Config config(s.fs, dir + "\\bench.ini");
    for (int i = 0; i < 40; ++i)
        config.doc().writeString("Section" + std::to_string(i % 12), "Key" + std::to_string(i),
                                 std::string(40, static_cast<char>('a' + i % 26)));
    const std::string bytes = config.doc().serialize();
    std::vector<double> atomic, plain;
    for (int i = 0; i < 200; ++i) {
        // A value changes each time: a save of what the file already holds writes nothing.
        config.doc().writeString("Section0", "Key0", std::string(40, static_cast<char>('a' + i % 26)));
        auto t = Clock::now();
        config.updateFile();
        atomic.push_back(ms(Clock::now() - t));
        t = Clock::now();
        std::ofstream out(dir + "\\plain.ini", std::ios::binary | std::ios::trunc);
        out << bytes;
        out.close();
        plain.push_back(ms(Clock::now() - t));
    }
    std::printf(
        "settings write (%zu bytes): atomic median %.3f ms p99 %.3f ms; plain overwrite median %.3f ms p99 %.3f ms\n",
        bytes.size(), percentile(atomic, 0.5), percentile(atomic, 0.99), percentile(plain, 0.5),
        percentile(plain, 0.99));
    return 0;
}

int walk(const std::string& dir) {
    vexal::platform::win32::Win32Services svc;
    auto s = svc.services();
    auto t = Clock::now();
    vexal::launch::deletionWalk(s.fs, dir + "\\a", "profile.pid");
    const double ours = ms(Clock::now() - t);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "cmd.exe /c del /s /q profile.pid >NUL";
    const std::string where = dir + "\\b";
    t = Clock::now();
    if (CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, where.c_str(), &si, &pi)) {
        WaitForSingleObject(pi.hProcess, INFINITE);
        CloseHandle(pi.hThread);
        CloseHandle(pi.hProcess);
    }
    const double del = ms(Clock::now() - t);
    std::printf("deletion walk: %.0f ms; cmd /c del /s /q: %.0f ms; ratio %.2f\n", ours, del, ours / del);
    return 0;
}

// Runs the message loop, which brings the folder counts in, until `done` or the limit.
bool pumpUntil(const std::function<bool()>& done, double limitMs) {
    const auto start = Clock::now();
    while (!done()) {
        if (ms(Clock::now() - start) > limitMs) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
    }
    return true;
}

// The window's handlers on the real services, in a folder of the benchmark's,
// with its folders watched and their first counts in, as shortly after the start.
struct BenchWindow {
    explicit BenchWindow(const std::string& dir) : config(s.fs, dir + "\\Vexal.ini"), form(s, config, app) {
        form.programDir = dir + "\\";
        form.gameDir = dir + "\\game";
        form.keepFolderCounts();
        const auto t = Clock::now();
        const bool in = pumpUntil(
            [&] {
                return form.folderCounts.current(form.hints.gameFilesFolder("demos")) &&
                       form.folderCounts.current(form.programDir + "\\mappics");
            },
            10000);
        std::printf("  first counts of the watched folders %s after %.0f ms\n", in ? "in" : "NOT in",
                    ms(Clock::now() - t));
    }
    vexal::platform::win32::Win32Services svc;
    vexal::platform::Services s = svc.services();
    vexal::settings::Config config;
    vexal::ui::Application app;
    vexal::TfrmVexal form;
};

int mapChange(const std::string& dir) {
    BenchWindow w(dir);
    auto& s = w.s;
    auto& form = w.form;
    form.maps.load();
    std::vector<double> times;
    const auto& maps = form.cbxMap.items();
    for (int i = 0; i < 200; ++i) {
        const auto t = Clock::now();
        form.cbxMap.typeText(maps[static_cast<std::size_t>(i * 7) % maps.size()]);  // typed: runs the map change
        times.push_back(ms(Clock::now() - t));
    }
    std::printf("map change with %zu maps: median %.2f ms, p99 %.2f ms\n", maps.size(), percentile(times, 0.5),
                percentile(times, 0.99));
    std::vector<double> counting;
    for (int i = 0; i < 50; ++i) {
        const auto t = Clock::now();
        (void)vexal::util::CountFilesInTree(s.fs, form.programDir + "mappics");
        counting.push_back(ms(Clock::now() - t));
    }
    std::printf("  counting the pictures folder, which the watch does off the window's thread: median %.2f ms\n",
                percentile(counting, 0.5));
    std::vector<double> decode;
    const auto bytes = s.fs.readFile(form.maps.pictureFile()).value_or("");
    for (int i = 0; i < 200; ++i) {
        const auto t = Clock::now();
        form.maps.loadPicture(form.maps.pictureFile());
        decode.push_back(ms(Clock::now() - t));
    }
    std::printf("map picture read, decode and hand-over (%zu bytes): median %.3f ms\n", bytes.size(),
                percentile(decode, 0.5));
    return 0;
}

// Mouse moves over the Demo button read the count the watch keeps; a demo added
// or removed reaches that count within the time measured here.
int demoMove(const std::string& dir) {
    BenchWindow w(dir);
    auto& form = w.form;
    std::vector<double> entering, staying;
    for (int hover = 0; hover < 30; ++hover) {
        w.app.pointAt(nullptr);
        auto t = Clock::now();
        form.hints.overDemos();
        entering.push_back(ms(Clock::now() - t));
        w.app.pointAt(&form.bitbtnDemo);
        for (int i = 0; i < 10; ++i) {
            t = Clock::now();
            form.hints.overDemos();
            staying.push_back(ms(Clock::now() - t));
        }
    }
    std::printf(
        "mouse move over Demo:%s\n  entering: median %.3f ms, p99 %.3f ms; further moves: median %.3f ms, "
        "p99 %.3f ms\n",
        form.stInfo.caption().c_str(), percentile(entering, 0.5), percentile(entering, 0.99), percentile(staying, 0.5),
        percentile(staying, 0.99));

    // A demo appears in a subfolder, or goes: time until a mouse move shows it.
    const std::string folder = form.hints.gameFilesFolder("demos"), demo = folder + "\\f1\\bench-new.dm_84";
    const std::int32_t base = *form.folderCounts.current(folder);
    std::vector<double> lag;
    int missed = 0;
    for (int i = 0; i < 20; ++i) {
        const bool add = i % 2 == 0;
        const auto t = Clock::now();
        if (add)
            w.s.fs.writeFileAtomic(demo, "x");
        else
            (void)w.s.fs.deleteFile(demo);
        const std::string expected = " " + std::to_string(base + (add ? 1 : 0)) + " demo files";
        const bool seen = pumpUntil(
            [&] {
                form.hints.overDemos();
                return form.stInfo.caption().rfind(expected, 0) == 0;
            },
            5000);
        if (seen)
            lag.push_back(ms(Clock::now() - t));
        else
            ++missed;
    }
    if (!lag.empty())
        std::printf(
            "  a demo added or removed shows in the count after: median %.0f ms, max %.0f ms (%zu changes, "
            "%d not seen within 5 s)\n",
            percentile(lag, 0.5), percentile(lag, 1.0), lag.size(), missed);
    else
        std::printf("  a demo added or removed: NOT seen within 5 s\n");
    return missed == 0 ? 0 : 1;
}

// Vexal's main window itself, not the window that carries its taskbar button
// (which a window manager may give a size of its own).
BOOL CALLBACK mainWindowOf(HWND h, LPARAM lp) {
    auto* f = reinterpret_cast<Found*>(lp);
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    char cls[64] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (pid != f->pid || std::string(cls) != "TfrmVexal") return TRUE;
    f->hwnd = h;
    return FALSE;
}

// Vexal started with /log: time until the console-log viewer is on the screen.
double timeToLogViewer(const std::string& dir) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    std::string cmd = "\"" + dir + "\\Vexal.exe\" /log";
    const auto start = Clock::now();
    if (!CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi)) return -1;
    double result = -1;
    while (ms(Clock::now() - start) < 60000) {
        Found f{pi.dwProcessId, nullptr};
        EnumWindows(mainWindowOf, reinterpret_cast<LPARAM>(&f));
        // The console-log viewer is the layout's first control.
        HWND viewer = f.hwnd ? GetDlgItem(f.hwnd, 1000) : nullptr;
        if (viewer && IsWindowVisible(viewer)) {
            result = ms(Clock::now() - start);
            break;
        }
        Sleep(1);
    }
    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 5000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return result;
}

int logViewer(const std::string& dir) {
    std::vector<double> big, small;
    for (int i = 0; i < 5; ++i) {
        big.push_back(timeToLogViewer(dir + "\\big"));
        small.push_back(timeToLogViewer(dir + "\\small"));
        if (big.back() < 0 || small.back() < 0) {
            std::printf("console-log viewer at start: NOT on the screen within a minute\n");
            return 1;
        }
    }
    std::printf(
        "console-log viewer at start: big log median %.0f ms, 1 KB log median %.0f ms (the viewer's "
        "share: %.0f ms)\n",
        percentile(big, 0.5), percentile(small, 0.5), percentile(big, 0.5) - percentile(small, 0.5));
    return 0;
}

// The program's file system with the time spent in each kind of call added up, so
// a restore's figure says where it goes: the writes (each flushed), the renames,
// the look-ups, or the work between them (reading, checking and inflating the archive).
class TimedFileSystem final : public vexal::platform::FileSystem {
public:
    struct Tally {
        double ms = 0;
        int calls = 0;
    };
    std::map<std::string, Tally> tallies;

    template <typename Call>
    auto timed(const char* kind, Call call) {
        auto& tally = tallies[kind];
        ++tally.calls;
        const auto t = Clock::now();
        struct Add {
            Tally& tally;
            Clock::time_point t;
            ~Add() { tally.ms += ms(Clock::now() - t); }
        } add{tally, t};
        return call();
    }

    bool fileExists(const std::string& p) override {
        return timed("look-ups", [&] { return fs_.fileExists(p); });
    }
    bool directoryExists(const std::string& p) override {
        return timed("look-ups", [&] { return fs_.directoryExists(p); });
    }
    std::optional<std::string> readFile(const std::string& p) override {
        return timed("reads", [&] { return fs_.readFile(p); });
    }
    std::optional<std::string> readFilePart(const std::string& p, std::uint64_t at, std::size_t n) override {
        return timed("reads", [&] { return fs_.readFilePart(p, at, n); });
    }
    void writeFileAtomic(const std::string& p, const std::string& b) override {
        timed("atomic writes", [&] { fs_.writeFileAtomic(p, b); });
    }
    bool alreadyHolds(const std::string& p, const std::string& b) override {
        return timed("reads", [&] { return fs_.alreadyHolds(p, b); });
    }
    void writeFile(const std::string& p, const std::string& b) override {
        timed("writes", [&] { fs_.writeFile(p, b); });
    }
    void writeFileUnflushed(const std::string& p, const std::string& b) override {
        timed("writes", [&] { fs_.writeFileUnflushed(p, b); });
    }
    void flushFile(const std::string& p) override {
        timed("flushes", [&] { fs_.flushFile(p); });
    }
    bool deleteFile(const std::string& p) override {
        return timed("deletes", [&] { return fs_.deleteFile(p); });
    }
    bool createDirectory(const std::string& p) override {
        return timed("folders", [&] { return fs_.createDirectory(p); });
    }
    bool removeDirectory(const std::string& p) override {
        return timed("folders", [&] { return fs_.removeDirectory(p); });
    }
    std::vector<vexal::platform::DirEntry> list(const std::string& f, const std::string& m) override {
        return timed("look-ups", [&] { return fs_.list(f, m); });
    }
    std::optional<vexal::platform::DirEntry> stat(const std::string& p) override {
        return timed("look-ups", [&] { return fs_.stat(p); });
    }
    bool setCurrentDirectory(const std::string& p) override { return fs_.setCurrentDirectory(p); }
    std::string currentDirectory() override { return fs_.currentDirectory(); }
    bool setAttributes(const std::string& p, std::uint32_t a) override {
        return timed("attributes", [&] { return fs_.setAttributes(p, a); });
    }
    void replaceFile(const std::string& from, const std::string& to) override {
        timed("renames", [&] { fs_.replaceFile(from, to); });
    }

    // "writes 812 ms (702 calls), ..." with the rest of `total` as the work between the calls.
    [[nodiscard]] std::string breakdown(double total) const {
        std::string text;
        double inCalls = 0;
        char line[96];
        for (const auto& [name, t] : tallies) {
            std::snprintf(line, sizeof line, "%s %.0f ms (%d), ", name.c_str(), t.ms, t.calls);
            text += line;
            inCalls += t.ms;
        }
        std::snprintf(line, sizeof line, "between the calls %.0f ms", total - inCalls);
        return text + line;
    }

private:
    vexal::platform::win32::Win32FileSystem fs_;
};

// One backup of <dir> into <dir>\backup, or one restore of it back into <dir>,
// through the program's own file system.
int backupOrRestore(const std::string& what, const std::string& dir) {
    vexal::platform::win32::Win32FileSystem fs;
    const std::string program = dir + "\\", archive = program + "backup\\Vexal-backup.zip";
    const auto t = Clock::now();
    if (what == "backup") {
        (void)fs.createDirectory(program + "backup");
        const auto summary = vexal::backup::writeBackup(fs, program, "Vexal.ini", archive, {});
        std::printf("backup under Wine: %.0f ms, %llu bytes, %zu files\n", ms(Clock::now() - t),
                    static_cast<unsigned long long>(summary.bytes), summary.files);
    } else if (what == "restore") {
        TimedFileSystem timed;
        const auto t0 = Clock::now();
        vexal::backup::restoreBackup(timed, program, "Vexal.exe", archive, {});
        const double total = ms(Clock::now() - t0);
        // The archive's own check, once more on its own: the share of the work between
        // the calls that is not the inflating of the staged files.
        const auto bytes = fs.readFile(archive);
        const auto t1 = Clock::now();
        if (bytes) (void)vexal::backup::verifyZip(*bytes);
        std::printf("restore under Wine: %.0f ms; %s (of which the archive's check %.0f ms)\n", total,
                    timed.breakdown(total).c_str(), ms(Clock::now() - t1));
    } else {
        // The settings file comes last in the archive: every other file is swapped, then put back.
        HANDLE held = CreateFileA((program + "Vexal.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        const auto t0 = Clock::now();
        try {
            vexal::backup::restoreBackup(fs, program, "Vexal.exe", archive, {});
            std::printf("restore with a held file under Wine: not refused\n");
        } catch (const vexal::Error&) {
            std::printf("restore with a held file under Wine: %.0f ms to refuse it and put everything back\n",
                        ms(Clock::now() - t0));
        }
        CloseHandle(held);
    }
    return 0;
}

// Editable mode: every keystroke in the readme viewer writes the whole file back
// (a readme bigger than the viewer holds is never written, so 120 KB is the most).
int typing(const std::string& dir) {
    BenchWindow w(dir);
    auto& form = w.form;
    form.switches.editable = true;
    const std::string readme = form.programDir + "readme-vexal.txt";
    for (const std::size_t size : {std::size_t{8} << 10, std::size_t{120} << 10}) {
        std::string text;
        while (text.size() < size) text += "A line of the readme, about as long as most of its lines are.\r\n";
        w.s.fs.writeFileAtomic(readme, text);
        form.textViewers.readme();
        std::vector<double> keystroke, plain;
        for (int i = 0; i < 100; ++i) {
            text = form.memReadme.text() + "x";
            auto t = Clock::now();
            form.memReadme.modified = true;
            form.memReadme.setText(text);  // as the text box reports a typed character
            keystroke.push_back(ms(Clock::now() - t));
            t = Clock::now();
            std::ofstream out(dir + "\\plain.txt", std::ios::binary | std::ios::trunc);
            out << text;
            out.close();
            plain.push_back(ms(Clock::now() - t));
        }
        std::printf(
            "keystroke in the editable readme (%zu KB): median %.2f ms, p99 %.2f ms; plain overwrite median "
            "%.2f ms\n",
            size >> 10, percentile(keystroke, 0.5), percentile(keystroke, 0.99), percentile(plain, 0.5));
    }
    return 0;
}

}  // namespace

// Lines of the stub game's launch record: one more each time et.exe starts.
std::size_t launchCount(const std::string& log) {
    std::ifstream in(log, std::ios::binary);
    std::size_t lines = 0;
    for (std::string line; std::getline(in, line);) ++lines;
    return lines;
}

double untilLaunched(const std::string& log, std::size_t before, Clock::time_point start) {
    while (launchCount(log) <= before) {
        if (ms(Clock::now() - start) > 20000) return -1;
        Sleep(1);
    }
    return ms(Clock::now() - start);
}

PROCESS_INFORMATION startProgram(std::string command, const std::string& dir) {
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, dir.c_str(), &si, &pi))
        throw std::runtime_error("cannot start " + command);
    return pi;
}

void endProgram(PROCESS_INFORMATION& pi, HWND main) {
    if (main) PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(pi.hProcess, 5000) != WAIT_OBJECT_0) TerminateProcess(pi.hProcess, 1);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
}

int linkHandoff(const std::string& dir) {
    // The stub game records its start and ends at once.
    SetEnvironmentVariableA("VEXAL_STUB_EXIT", "1");
    const std::string exe = "\"" + dir + "\\Vexal.exe\"", log = dir + "\\game\\et-launch.log";
    PROCESS_INFORMATION first = startProgram(exe, dir);
    Found f{first.dwProcessId, nullptr};
    const auto shown = Clock::now();
    while (!f.hwnd && ms(Clock::now() - shown) < 30000) {
        EnumWindows(visibleOf, reinterpret_cast<LPARAM>(&f));
        Sleep(10);
    }
    if (!f.hwnd) throw std::runtime_error("Vexal's window did not show");
    std::vector<double> link, run;
    for (int i = 0; i < 8; ++i) {
        std::size_t before = launchCount(log);
        auto start = Clock::now();
        PostMessageA(f.hwnd, WM_COMMAND, static_cast<WPARAM>(vexal::Cmd::Run), 0);
        const double r = untilLaunched(log, before, start);
        Sleep(200);
        before = launchCount(log);
        start = Clock::now();
        PROCESS_INFORMATION second = startProgram(exe + " et://127.0.0.1:27960/", dir);
        const double l = untilLaunched(log, before, start);
        endProgram(second, nullptr);
        Sleep(200);
        if (r < 0 || l < 0) throw std::runtime_error("the game did not start");
        if (i == 0) continue;  // warms the caches of both
        run.push_back(r);
        link.push_back(l);
    }
    endProgram(first, f.hwnd);
    std::printf(
        "link handoff: a second copy with an et:// link to et.exe started, median %.0f ms (%.0f-%.0f); "
        "the Run command in the running copy, median %.0f ms\n",
        percentile(link, 0.5), percentile(link, 0), percentile(link, 1), percentile(run, 0.5));
    return 0;
}

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(
            stderr,
            "usage: bench_win32 startup|settings|walk|mapchange|demomove|logviewer|typing|linkhandoff|backup|restore|"
            "restore-held "
            "<folder>\n");
        return 2;
    }
    const std::string what = argv[1], dir = argv[2];
    try {
        if (what == "startup") return startup(dir, argc > 3 ? std::atoi(argv[3]) : 20);
        if (what == "settings") return settingsWrite(dir);
        if (what == "walk") return walk(dir);
        if (what == "mapchange") return mapChange(dir);
        if (what == "demomove") return demoMove(dir);
        if (what == "logviewer") return logViewer(dir);
        if (what == "typing") return typing(dir);
        if (what == "linkhandoff") return linkHandoff(dir);
        if (what == "backup" || what == "restore" || what == "restore-held") return backupOrRestore(what, dir);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bench failed: %s\n", e.what());
        return 1;
    }
    return 2;
}
