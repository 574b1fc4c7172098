#pragma once

#include "BenchProducts.h"
#include "Sending.h"

#include <string>
#include <vector>

namespace norvan::sampleshop {
class SampleShop;
}

namespace norvan::bench {

// One request of the run as the bare loop sends it: a GET when the body is empty, else the method.
struct Request {
    const char* method;
    std::string target;  // below the shop's base address
    std::string body;
};

// The requests the run sends for these lines, in its order: per line a lookup and a PUT, or per
// 100 lines a lookup of their SKUs and one products/batch call.
std::vector<Request> runRequests(const BenchProducts& file, Sending sending);

// The least a client must do for the same work: one handle, one connection, the same URLs,
// header lines and bodies as the program's client sends, the answers received whole and not
// looked at. The shop's record of requests is cleared after each one, so that it stays small.
void bareCurlLoop(sampleshop::SampleShop& shop, const std::vector<Request>& requests);

}  // namespace norvan::bench
