#pragma once

#include <optional>

namespace norvan::automation {

// At most one run of a kind at a time. A run holds its kind's slot while it works; a run that
// finds the slot held, whether pressed by hand, handed over by a worker or started in the event
// pump of the run under way, does not start. Main thread only.
class RunSlot {
  public:
    // Holds the slot until it goes.
    class Hold {
      public:
        explicit Hold(RunSlot& slot) : slot_(slot) { slot_.held_ = true; }
        ~Hold() { slot_.held_ = false; }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

      private:
        RunSlot& slot_;
    };

    bool held() const { return held_; }
    // Holds the slot for the life of the returned object; nothing when a run holds it already.
    std::optional<Hold> take() {
        if (held_) return std::nullopt;
        return std::optional<Hold>(std::in_place, *this);
    }

  private:
    bool held_ = false;
};

}  // namespace norvan::automation
