#include "e2e/fake_master.h"

#include <string>

namespace e2e {

namespace {

std::string listOf(const std::vector<std::uint16_t>& ports) {
    std::string reply = "\xFF\xFF\xFF\xFFgetserversResponse";
    for (const std::uint16_t port : ports) {
        reply += "\\";
        reply += std::string("\x7F\x00\x00\x01", 4);
        reply += static_cast<char>(port >> 8);
        reply += static_cast<char>(port & 255);
    }
    return reply + std::string("\\EOT\0\0\0", 7);
}

}  // namespace

FakeMaster::FakeMaster(const std::vector<std::uint16_t>& ports)
    : socket_("\xFF\xFF\xFF\xFFgetservers ", [list = listOf(ports)](const std::string&) { return list; }) {}

}  // namespace e2e
