#include "e2e/fake_game_server.h"

#include <winsock2.h>
// winsock2.h must come before windows.h.
#include <windows.h>

#include <stdexcept>
#include <vector>

namespace e2e {

std::string FakeGameServer::reply(const std::string& info, const std::string& players) {
    return "\xFF\xFF\xFF\xFFstatusResponse\n" + info + "\n" + players;
}

FakeGameServer::FakeGameServer(Reply reply) : FakeGameServer("\xFF\xFF\xFF\xFFgetstatus ", std::move(reply)) {}

FakeGameServer::FakeGameServer(std::string request, Reply reply)
    : request_(std::move(request)), reply_(std::move(reply)), socket_(INVALID_SOCKET) {
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
        std::vector<char> buffer(2048);
        while (!stop_) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(static_cast<SOCKET>(socket_), &readable);
            timeval wait{0, 50000};
            if (select(0, &readable, nullptr, nullptr, &wait) <= 0) continue;
            sockaddr_in from{};
            int fromLength = sizeof from;
            const int n = recvfrom(static_cast<SOCKET>(socket_), buffer.data(), static_cast<int>(buffer.size()), 0,
                                   reinterpret_cast<sockaddr*>(&from), &fromLength);
            if (n <= 0 || ntohl(from.sin_addr.s_addr) != INADDR_LOOPBACK) continue;
            const std::string request(buffer.data(), static_cast<std::size_t>(n));
            if (request.compare(0, request_.size(), request_) != 0) continue;
            ++requests_;
            const std::string answer = reply_ ? reply_(request.substr(request_.size())) : std::string();
            if (!answer.empty())
                sendto(static_cast<SOCKET>(socket_), answer.data(), static_cast<int>(answer.size()), 0,
                       reinterpret_cast<sockaddr*>(&from), fromLength);
        }
    });
}

FakeGameServer::~FakeGameServer() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    closesocket(static_cast<SOCKET>(socket_));
    WSACleanup();
}

}  // namespace e2e
