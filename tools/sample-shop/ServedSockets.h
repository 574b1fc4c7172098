#pragma once

namespace norvan::sampleshop {

// Shuts down (both directions) the sockets of this process that serve TCP connections on
// localPort, only the one whose peer uses peerPort when peerPort is not -1. httplib hands its
// handlers no socket, so the process's descriptors are searched; each is duplicated before it is
// looked at, so a descriptor closed and reused meanwhile is never touched by mistake.
void shutdownServedSockets(int localPort, int peerPort = -1);

}  // namespace norvan::sampleshop
