#include "platform/win32/svc_network.h"

#include <winsock2.h>
#include <ws2tcpip.h>
// winsock2.h must come before windows.h.
#include <windows.h>

#include <cstdint>
#include <mutex>
#include <optional>
#include <thread>

namespace vexal::platform::win32 {

namespace {
constexpr std::size_t kDatagramBuffer = 64 * 1024;
constexpr int kReceiveBuffer = 1024 * 1024;
// Turns off the report of an ICMP "port unreachable" as an error of the next
// receive: a server that is down must not stop the replies of the others.
constexpr DWORD kUdpConnReset = 0x9800000C;  // SIO_UDP_CONNRESET

// Winsock is loaded when the network is first used, not with the program: loading
// it costs every start about a millisecond, and many starts never touch it.
struct Winsock {
    HMODULE module = LoadLibraryA("ws2_32.dll");
    int missing = 0;

    template <typename F>
    F get(const char* name) {
        const auto f = module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name))) : nullptr;
        if (!f) ++missing;
        return f;
    }

    decltype(&::WSAStartup) startup = get<decltype(&::WSAStartup)>("WSAStartup");
    decltype(&::WSAGetLastError) lastError = get<decltype(&::WSAGetLastError)>("WSAGetLastError");
    decltype(&::WSAIoctl) ioctl = get<decltype(&::WSAIoctl)>("WSAIoctl");
    decltype(&::inet_pton) parseAddress = get<decltype(&::inet_pton)>("inet_pton");
    decltype(&::getaddrinfo) lookUp = get<decltype(&::getaddrinfo)>("getaddrinfo");
    decltype(&::freeaddrinfo) freeLookUp = get<decltype(&::freeaddrinfo)>("freeaddrinfo");
    decltype(&::socket) socket = get<decltype(&::socket)>("socket");
    decltype(&::ioctlsocket) ioctlSocket = get<decltype(&::ioctlsocket)>("ioctlsocket");
    decltype(&::bind) bind = get<decltype(&::bind)>("bind");
    decltype(&::setsockopt) setOption = get<decltype(&::setsockopt)>("setsockopt");
    decltype(&::sendto) sendTo = get<decltype(&::sendto)>("sendto");
    decltype(&::recvfrom) receiveFrom = get<decltype(&::recvfrom)>("recvfrom");
    decltype(&::closesocket) close = get<decltype(&::closesocket)>("closesocket");
};

// Null when the library or one of its functions is missing.
const Winsock* winsock() {
    static const Winsock api;
    return api.missing == 0 ? &api : nullptr;
}

// Network byte order is big-endian; Windows runs little-endian on every processor.
constexpr std::uint32_t swapped(std::uint32_t v) {
    return (v >> 24) | ((v >> 8) & 0xff00u) | ((v << 8) & 0xff0000u) | (v << 24);
}
constexpr std::uint16_t swapped(std::uint16_t v) { return static_cast<std::uint16_t>((v >> 8) | (v << 8)); }
}  // namespace

// Shared by the lookup thread and the window: the thread may outlive the request
// (a slow name service) and then fills a box nobody reads.
struct Win32Network::Lookup {
    std::mutex mutex;
    LookupState state = LookupState::Pending;
    std::uint32_t address = 0;
};

Win32Network::Win32Network() : socket_(INVALID_SOCKET), buffer_(kDatagramBuffer) {}

Win32Network::~Win32Network() {
    close();
    // The lookup threads may still be inside Winsock: it stays loaded for them.
}

bool Win32Network::startup() {
    if (started_) return true;
    const Winsock* ws = winsock();
    WSADATA data;
    started_ = ws && ws->startup(MAKEWORD(2, 2), &data) == 0;
    return started_;
}

int Win32Network::startLookup(const std::string& host) {
    const int id = ++nextId_;
    auto box = std::make_shared<Lookup>();
    lookups_[id] = box;
    if (!startup()) {
        box->state = LookupState::NotFound;
        return id;
    }
    // A dotted address needs no name service.
    const Winsock& ws = *winsock();  // there, or the start-up above had failed
    in_addr numeric{};
    if (ws.parseAddress(AF_INET, host.c_str(), &numeric) == 1) {
        box->state = LookupState::Found;
        box->address = swapped(static_cast<std::uint32_t>(numeric.s_addr));
        return id;
    }
    try {
        std::thread([box, host, &ws] {
            addrinfo hints{};
            hints.ai_family = AF_INET;
            hints.ai_socktype = SOCK_DGRAM;
            addrinfo* found = nullptr;
            const bool ok = ws.lookUp(host.c_str(), nullptr, &hints, &found) == 0 && found;
            std::lock_guard<std::mutex> lock(box->mutex);
            if (ok) {
                box->address = swapped(
                    static_cast<std::uint32_t>(reinterpret_cast<sockaddr_in*>(found->ai_addr)->sin_addr.s_addr));
                box->state = LookupState::Found;
            } else {
                box->state = LookupState::NotFound;
            }
            if (found) ws.freeLookUp(found);
        }).detach();
    } catch (const std::system_error&) {
        box->state = LookupState::NotFound;
    }
    return id;
}

LookupState Win32Network::lookup(int id, std::uint32_t& address) {
    const auto it = lookups_.find(id);
    if (it == lookups_.end()) return LookupState::NotFound;
    std::lock_guard<std::mutex> lock(it->second->mutex);
    if (it->second->state == LookupState::Found) address = it->second->address;
    return it->second->state;
}

bool Win32Network::open() {
    if (socket_ != INVALID_SOCKET) return true;
    if (!startup()) return false;
    const Winsock& ws = *winsock();
    SOCKET s = ws.socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) return false;
    u_long nonBlocking = 1;
    sockaddr_in any{};
    any.sin_family = AF_INET;
    any.sin_addr.s_addr = swapped(static_cast<std::uint32_t>(INADDR_ANY));
    if (ws.ioctlSocket(s, FIONBIO, &nonBlocking) != 0 ||
        ws.bind(s, reinterpret_cast<sockaddr*>(&any), sizeof any) != 0) {
        ws.close(s);
        return false;
    }
    // A world of servers answers in a stream: room for a few hundred replies between
    // two polls of the window, where the system's default holds a few dozen.
    int room = kReceiveBuffer;
    ws.setOption(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&room), sizeof room);
    BOOL report = FALSE;
    DWORD returned = 0;
    ws.ioctl(s, kUdpConnReset, &report, sizeof report, nullptr, 0, &returned, nullptr, nullptr);
    socket_ = s;
    return true;
}

void Win32Network::close() {
    if (socket_ != INVALID_SOCKET) winsock()->close(static_cast<SOCKET>(socket_));  // opened through it
    socket_ = INVALID_SOCKET;
    lookups_.clear();
}

bool Win32Network::send(const Endpoint& to, const std::string& bytes) {
    if (socket_ == INVALID_SOCKET) return false;
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr.s_addr = swapped(to.address);
    target.sin_port = swapped(to.port);
    return winsock()->sendTo(static_cast<SOCKET>(socket_), bytes.data(), static_cast<int>(bytes.size()), 0,
                             reinterpret_cast<sockaddr*>(&target), sizeof target) == static_cast<int>(bytes.size());
}

std::optional<Datagram> Win32Network::receive() {
    if (socket_ == INVALID_SOCKET) return std::nullopt;
    const Winsock& ws = *winsock();
    // A refused or oversized datagram is skipped; a few in a row end this call.
    for (int attempt = 0; attempt < 16; ++attempt) {
        sockaddr_in from{};
        int fromLength = sizeof from;
        const int n = ws.receiveFrom(static_cast<SOCKET>(socket_), buffer_.data(), static_cast<int>(buffer_.size()), 0,
                                     reinterpret_cast<sockaddr*>(&from), &fromLength);
        if (n >= 0) {
            Datagram d;
            d.from = {swapped(static_cast<std::uint32_t>(from.sin_addr.s_addr)), swapped(from.sin_port)};
            d.bytes.assign(buffer_.data(), static_cast<std::size_t>(n));
            return d;
        }
        const int error = ws.lastError();
        if (error != WSAECONNRESET && error != WSAEMSGSIZE) return std::nullopt;
    }
    return std::nullopt;
}

std::uint64_t Win32Network::milliseconds() { return GetTickCount64(); }

}  // namespace vexal::platform::win32
