#include "platform/win32/svc_folder_watch.h"

#include <algorithm>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/win32/svc_file_system.h"

namespace vexal::platform::win32 {

namespace {

struct ChangeTraits {
    using Type = HANDLE;
    static Type invalid() { return INVALID_HANDLE_VALUE; }
    static bool valid(Type h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Type h) { FindCloseChangeNotification(h); }
};
using ScopedChange = Scoped<ChangeTraits>;

constexpr UINT kMsgCounted = WM_APP + 1;
constexpr const char* kWindowClass = "VexalFolderWatch";
// Files come in bursts (a folder of demos copied in, a game writing its
// screenshots): count once the folder has been quiet this long ...
constexpr ULONGLONG kQuietMs = 60;
// ... but never later than this after the first change of a burst.
constexpr ULONGLONG kLongestDelayMs = 300;
// A count over a slow network folder may not notice the end at once.
constexpr DWORD kStopWaitMs = 2000;
// Each watch waits on two handles, the thread on one more.
constexpr std::size_t kMostWatches = (MAXIMUM_WAIT_OBJECTS - 1) / 2;

std::string withoutTrailingBackslash(std::string path) {
    while (path.size() > 3 && path.back() == '\\') path.pop_back();
    return path;
}

// "C:\a\b" gives "C:\a", "C:\a" gives "C:\", a root gives nothing.
std::string parentOf(const std::string& path) {
    const auto cut = path.find_last_of('\\');
    if (cut == std::string::npos || cut + 1 >= path.size()) return {};
    if (cut == 2 && path[1] == ':') return path.substr(0, 3);
    return cut < 2 ? std::string() : path.substr(0, cut);
}

}  // namespace

struct Win32FolderWatch::Shared {
    struct Command {
        int id = 0;
        std::string folder;
        Counter counter;  // none: the watch ends
    };
    struct Result {
        int id = 0;
        std::optional<std::int32_t> count;
    };

    std::mutex lock;
    std::vector<Command> commands;  // to the thread
    std::vector<Result> results;    // to the window
    ScopedHandle wake{CreateEventA(nullptr, FALSE, FALSE, nullptr)};
    std::atomic<bool> stop{false};
    HWND window = nullptr;

    void post(int id, std::optional<std::int32_t> count) {
        {
            std::lock_guard<std::mutex> hold(lock);
            results.push_back({id, count});
        }
        PostMessageA(window, kMsgCounted, 0, 0);
    }
};

namespace {

// One watched folder on the thread: the folder's own tree while it exists, and
// the nearest folder above it that exists, which tells when it appears or goes.
struct Watched {
    int id = 0;
    std::string folder;
    FolderWatch::Counter counter;
    ScopedChange tree, anchor;
    std::string anchorFolder;
    bool due = true;         // to be counted
    bool renewTree = false;  // the folder may have been removed or replaced since its handle was made
    ULONGLONG firstChange = 0, lastChange = 0;
};

// Brings the handles in line with what exists now. False when the folder cannot
// be watched at all.
bool arm(Watched& w, Win32FileSystem& fs) {
    // Our own handle would keep a folder that was just removed in being (Wine
    // removes it only when the last handle closes): let go before looking.
    if (w.renewTree) w.tree.reset();
    w.renewTree = false;
    const bool exists = fs.directoryExists(w.folder);
    if (!exists) w.tree.reset();
    if (exists && !w.tree)
        w.tree.reset(FindFirstChangeNotificationA(w.folder.c_str(), TRUE,
                                                  FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME));
    std::string anchor = parentOf(w.folder);
    while (!anchor.empty() && !fs.directoryExists(anchor)) anchor = parentOf(anchor);
    if (anchor != w.anchorFolder || !w.anchor) {
        w.anchor.reset();
        if (!anchor.empty())
            w.anchor.reset(FindFirstChangeNotificationA(anchor.c_str(), FALSE, FILE_NOTIFY_CHANGE_DIR_NAME));
        w.anchorFolder = anchor;
    }
    return exists ? w.tree.valid() : w.anchor.valid();
}

void takeCommands(Win32FolderWatch::Shared& shared, std::vector<Watched>& watches) {
    std::vector<Win32FolderWatch::Shared::Command> commands;
    {
        std::lock_guard<std::mutex> hold(shared.lock);
        commands.swap(shared.commands);
    }
    for (auto& command : commands) {
        if (!command.counter) {
            std::erase_if(watches, [&](const Watched& w) { return w.id == command.id; });
        } else if (watches.size() >= kMostWatches) {
            shared.post(command.id, std::nullopt);
        } else {
            Watched w;
            w.id = command.id;
            w.folder = withoutTrailingBackslash(collapseBackslashes(command.folder));
            w.counter = std::move(command.counter);
            watches.push_back(std::move(w));
        }
    }
}

// Counts every watch that is due and quiet; the time until the next one will be.
DWORD countDue(Win32FolderWatch::Shared& shared, std::vector<Watched>& watches, Win32FileSystem& fs) {
    DWORD timeout = INFINITE;
    for (auto it = watches.begin(); it != watches.end() && !shared.stop;) {
        Watched& w = *it;
        const ULONGLONG now = GetTickCount64();
        if (!w.due) {
            ++it;
            continue;
        }
        if (w.firstChange != 0 && now - w.lastChange < kQuietMs && now - w.firstChange < kLongestDelayMs) {
            timeout = std::min<DWORD>(timeout, static_cast<DWORD>(kQuietMs - (now - w.lastChange)));
            ++it;
            continue;
        }
        // Armed before counting, so a change during the count is not missed.
        if (!arm(w, fs)) {
            shared.post(w.id, std::nullopt);
            it = watches.erase(it);
            continue;
        }
        w.due = false;
        w.firstChange = w.lastChange = 0;
        const std::int32_t count = w.counter(fs, w.folder, shared.stop);
        if (!shared.stop) shared.post(w.id, count);
        ++it;
    }
    return timeout;
}

void runWatches(Win32FolderWatch::Shared& shared) {
    Win32FileSystem fs;
    std::vector<Watched> watches;
    while (!shared.stop) {
        takeCommands(shared, watches);
        const DWORD timeout = countDue(shared, watches, fs);
        if (shared.stop) break;

        std::vector<HANDLE> handles{shared.wake.get()};
        std::vector<std::pair<std::size_t, bool>> owners;  // watch index, is the anchor
        for (std::size_t i = 0; i < watches.size(); ++i) {
            if (watches[i].tree) {
                handles.push_back(watches[i].tree.get());
                owners.emplace_back(i, false);
            }
            if (watches[i].anchor) {
                handles.push_back(watches[i].anchor.get());
                owners.emplace_back(i, true);
            }
        }
        const DWORD got = WaitForMultipleObjects(static_cast<DWORD>(handles.size()), handles.data(), FALSE, timeout);
        if (got == WAIT_FAILED) {
            // A handle went bad under us: make them all afresh.
            for (auto& w : watches) {
                w.tree.reset();
                w.anchor.reset();
                w.due = true;
            }
            Sleep(50);
            continue;
        }
        if (got <= WAIT_OBJECT_0 || got >= WAIT_OBJECT_0 + handles.size()) continue;
        const auto [index, isAnchor] = owners[got - WAIT_OBJECT_0 - 1];
        Watched& w = watches[index];
        ScopedChange& handle = isAnchor ? w.anchor : w.tree;
        if (!FindNextChangeNotification(handle.get())) handle.reset();
        w.renewTree = true;
        const ULONGLONG now = GetTickCount64();
        if (w.firstChange == 0) w.firstChange = now;
        w.lastChange = now;
        w.due = true;
    }
}

DWORD WINAPI threadMain(void* parameter) {
    const std::unique_ptr<std::shared_ptr<Win32FolderWatch::Shared>> owned(
        static_cast<std::shared_ptr<Win32FolderWatch::Shared>*>(parameter));
    const auto shared = *owned;
    try {
        runWatches(*shared);
    } catch (...) {
        // Out of memory or the like: the window counts for itself from now on.
        std::lock_guard<std::mutex> hold(shared->lock);
        shared->stop = true;
    }
    return 0;
}

// The objects waiting for their start, by timer: a thread timer carries no pointer.
std::map<UINT_PTR, Win32FolderWatch*>& starting() {
    static std::map<UINT_PTR, Win32FolderWatch*> objects;
    return objects;
}

}  // namespace

Win32FolderWatch::Win32FolderWatch() : shared_(std::make_shared<Shared>()) {}

bool Win32FolderWatch::makeWindow() {
    if (window_) return true;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassExA(&wc);  // fails harmlessly when a second object registers it again
    window_ = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, this);
    shared_->window = window_;
    return window_ != nullptr;
}

Win32FolderWatch::~Win32FolderWatch() {
    stop();
    if (window_) DestroyWindow(window_);
}

// The window and the thread wait for the message loop: a thread timer, which any loop
// dispatches (a dialog's too) and only once nothing else is waiting, costs a start-up
// one request where the window costs some ten, and the thread's first counts would
// compete with the first paint.
void Win32FolderWatch::askStart() {
    startTimer_ = SetTimer(nullptr, 0, USER_TIMER_MINIMUM, startByTimer);
    if (startTimer_ != 0) {
        starting()[startTimer_] = this;
        return;
    }
    start();
}

void Win32FolderWatch::cancelStart() {
    if (startTimer_ == 0) return;
    KillTimer(nullptr, startTimer_);
    starting().erase(startTimer_);
    startTimer_ = 0;
}

void CALLBACK Win32FolderWatch::startByTimer(HWND, UINT, UINT_PTR timer, DWORD) {
    KillTimer(nullptr, timer);
    const auto it = starting().find(timer);
    if (it == starting().end()) return;
    Win32FolderWatch* self = it->second;
    starting().erase(it);
    self->startTimer_ = 0;
    self->start();
}

void Win32FolderWatch::start() {
    if (!stopped_ && makeWindow()) {
        startThread();
        return;
    }
    // No window to hear from the thread: every watch asked for so far ends at once.
    {
        std::lock_guard<std::mutex> hold(shared_->lock);
        shared_->commands.clear();
    }
    for (auto refused = std::exchange(counted_, {}); auto& [id, counted] : refused) counted(std::nullopt);
}

LRESULT CALLBACK Win32FolderWatch::windowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    } else if (msg == kMsgCounted) {
        if (auto* self = reinterpret_cast<Win32FolderWatch*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA))) self->deliver();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void Win32FolderWatch::startThread() {
    if (thread_ || stopped_) return;
    auto* parameter = new std::shared_ptr<Shared>(shared_);
    thread_.reset(CreateThread(nullptr, 0, threadMain, parameter, 0, nullptr));
    if (thread_) return;
    delete parameter;
    // No thread, no counts: every watch asked for so far ends.
    std::vector<Shared::Command> refused;
    {
        std::lock_guard<std::mutex> hold(shared_->lock);
        refused.swap(shared_->commands);
    }
    for (const auto& command : refused)
        if (command.counter) shared_->post(command.id, std::nullopt);
}

int Win32FolderWatch::watch(const std::string& folder, Counter counter, Counted counted) {
    const int id = nextId_++;
    counted_[id] = std::move(counted);
    if (stopped_ || shared_->stop || !shared_->wake) {
        // Said through the window, as every result is; without one, at once.
        if (window_) {
            shared_->post(id, std::nullopt);
        } else {
            const Counted refused = counted_[id];
            counted_.erase(id);
            refused(std::nullopt);
        }
        return id;
    }
    {
        std::lock_guard<std::mutex> hold(shared_->lock);
        shared_->commands.push_back({id, folder, std::move(counter)});
    }
    if (thread_) {
        SetEvent(shared_->wake.get());
    } else if (window_) {
        startThread();  // the loop has run: nothing to wait for
    } else if (startTimer_ == 0) {
        askStart();
    }
    return id;
}

void Win32FolderWatch::unwatch(int id) {
    if (counted_.erase(id) == 0) return;
    std::lock_guard<std::mutex> hold(shared_->lock);
    if (!thread_) {
        std::erase_if(shared_->commands, [id](const Shared::Command& c) { return c.id == id; });
        return;
    }
    shared_->commands.push_back({id, {}, {}});
    SetEvent(shared_->wake.get());
}

void Win32FolderWatch::stop() {
    stopped_ = true;
    cancelStart();
    counted_.clear();
    if (!thread_) return;
    shared_->stop = true;
    SetEvent(shared_->wake.get());
    // A thread that does not end in time keeps what it shares with us alive and
    // ends with the process; it touches nothing else.
    WaitForSingleObject(thread_.get(), kStopWaitMs);
    thread_.reset();
}

void Win32FolderWatch::deliver() {
    std::vector<Shared::Result> results;
    {
        std::lock_guard<std::mutex> hold(shared_->lock);
        results.swap(shared_->results);
    }
    for (const auto& result : results) {
        const auto it = counted_.find(result.id);
        if (it == counted_.end()) continue;  // unwatched meanwhile
        const Counted counted = it->second;
        if (!result.count) counted_.erase(it);  // that watch has ended
        // Nothing may be thrown into the message loop of the system.
        try {
            counted(result.count);
        } catch (...) {
        }
    }
}

}  // namespace vexal::platform::win32
