#pragma once

#include "SampleShop.h"

#include <random>
#include <vector>

namespace norvan::sampleshop {

// Draws, request by request, whether a request fails and with which fault: a share of them, the
// same ones again for the same seed.
class FaultRate {
  public:
    FaultRate() = default;  // fails nothing
    FaultRate(double share, unsigned seed, std::vector<Fault> kinds);

    Fault next();  // Fault::None: the request is answered as usual

  private:
    double share_ = 0;
    std::mt19937 draws_;
    std::vector<Fault> kinds_;
};

}  // namespace norvan::sampleshop
