#include "e2e/fake_master.h"

#include <winsock2.h>
// winsock2.h must come before windows.h.
#include <windows.h>

#include <stdexcept>
#include <string>

namespace e2e {

namespace {
const std::string kRequest = "\xFF\xFF\xFF\xFFgetservers ";
}

FakeMaster::FakeMaster(std::vector<std::uint16_t> ports) : ports_(std::move(ports)), socket_(INVALID_SOCKET) {
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0) throw std::runtime_error("no Winsock");
    SOCKET s = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);  // this machine only
    int length = sizeof local;
    if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) != 0 ||
        getsockname(s, reinterpret_cast<sockaddr*>(&local), &length) != 0)
        throw std::runtime_error("cannot bind a UDP socket on 127.0.0.1");
    socket_ = s;
    port_ = ntohs(local.sin_port);
    thread_ = std::thread([this] {
        char buffer[512];
        while (!stop_) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(static_cast<SOCKET>(socket_), &readable);
            timeval wait{0, 50000};
            if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
            sockaddr_in from{};
            int fromLength = sizeof from;
            const int n = recvfrom(static_cast<SOCKET>(socket_), buffer, sizeof buffer, 0,
                                   reinterpret_cast<sockaddr*>(&from), &fromLength);
            if (n <= 0 || ntohl(from.sin_addr.s_addr) != INADDR_LOOPBACK) continue;
            if (std::string(buffer, static_cast<std::size_t>(n)).rfind(kRequest, 0) != 0) continue;
            ++requests_;
            std::string reply = "\xFF\xFF\xFF\xFFgetserversResponse";
            for (const std::uint16_t port : ports_) {
                reply += "\\";
                reply += std::string("\x7F\x00\x00\x01", 4);
                reply += static_cast<char>(port >> 8);
                reply += static_cast<char>(port & 255);
            }
            reply += std::string("\\EOT\0\0\0", 7);
            sendto(static_cast<SOCKET>(socket_), reply.data(), static_cast<int>(reply.size()), 0,
                   reinterpret_cast<sockaddr*>(&from), fromLength);
        }
    });
}

FakeMaster::~FakeMaster() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    closesocket(static_cast<SOCKET>(socket_));
    WSACleanup();
}

}  // namespace e2e
