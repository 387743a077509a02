#pragma once
#include <windows.h>

#include <map>
#include <memory>

#include "platform/platform.h"
#include "platform/win32/scoped.h"

namespace vexal::platform::win32 {

// One thread waits on the system's change notifications of every watched folder
// and counts there; the results go to a message-only window of the thread that
// made this object and are handed out when its message loop takes that message.
// The window and the thread are made from that loop too.
class Win32FolderWatch final : public FolderWatch {
public:
    Win32FolderWatch();  // and watch() on the window's thread
    ~Win32FolderWatch() override;
    Win32FolderWatch(const Win32FolderWatch&) = delete;
    Win32FolderWatch& operator=(const Win32FolderWatch&) = delete;

    int watch(const std::string& folder, Counter counter, Counted counted) override;
    void unwatch(int id) override;
    void stop() override;

    struct Shared;  // what the thread and the window share

private:
    static LRESULT CALLBACK windowProc(HWND, UINT, WPARAM, LPARAM);
    static void CALLBACK startByTimer(HWND, UINT, UINT_PTR, DWORD);
    void deliver();
    void askStart();
    void cancelStart();
    void start();
    bool makeWindow();
    void startThread();

    std::shared_ptr<Shared> shared_;
    HWND window_ = nullptr;
    ScopedHandle thread_;
    std::map<int, Counted> counted_;
    int nextId_ = 1;
    bool stopped_ = false;
    UINT_PTR startTimer_ = 0;
};

}  // namespace vexal::platform::win32
