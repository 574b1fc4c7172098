#include "FaultRate.h"

#include <utility>

namespace norvan::sampleshop {

FaultRate::FaultRate(double share, unsigned seed, std::vector<Fault> kinds)
    : share_(share), draws_(seed), kinds_(std::move(kinds)) {}

// The engine's raw numbers rather than a distribution's: those are the same in every standard
// library, so a seed means the same faults wherever the tests run.
Fault FaultRate::next() {
    if (share_ <= 0 || kinds_.empty()) return Fault::None;
    constexpr double kDraws = 4294967296.0;  // mt19937 draws 32 bits
    if (static_cast<double>(draws_()) >= share_ * kDraws) return Fault::None;
    return kinds_[draws_() % kinds_.size()];
}

}  // namespace norvan::sampleshop
