#include "ServedSockets.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

namespace norvan::sampleshop {

namespace {

int portOf(const sockaddr_storage& address) {
    if (address.ss_family == AF_INET) {
        return ntohs(reinterpret_cast<const sockaddr_in&>(address).sin_port);
    }
    if (address.ss_family == AF_INET6) {
        return ntohs(reinterpret_cast<const sockaddr_in6&>(address).sin6_port);
    }
    return -1;
}

bool servesConnection(int socket, int localPort, int peerPort) {
    struct stat status {};
    if (fstat(socket, &status) != 0 || !S_ISSOCK(status.st_mode)) return false;
    sockaddr_storage local{};
    sockaddr_storage peer{};
    socklen_t localLength = sizeof local;
    socklen_t peerLength = sizeof peer;
    if (getsockname(socket, reinterpret_cast<sockaddr*>(&local), &localLength) != 0) return false;
    // The listening socket has no peer and fails here.
    if (getpeername(socket, reinterpret_cast<sockaddr*>(&peer), &peerLength) != 0) return false;
    return portOf(local) == localPort && (peerPort == -1 || portOf(peer) == peerPort);
}

}  // namespace

void shutdownServedSockets(int localPort, int peerPort) {
    std::vector<int> descriptors;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd", error)) {
        const std::string name = entry.path().filename().string();
        if (name.find_first_not_of("0123456789") == std::string::npos) {
            descriptors.push_back(std::stoi(name));
        }
    }
    for (const int descriptor : descriptors) {
        const int copy = fcntl(descriptor, F_DUPFD_CLOEXEC, 0);
        if (copy < 0) continue;
        if (servesConnection(copy, localPort, peerPort)) shutdown(copy, SHUT_RDWR);
        close(copy);
    }
}

}  // namespace norvan::sampleshop
