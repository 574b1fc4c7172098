#pragma once

#include "BoxRecorder.h"
#include "TempProgramFolder.h"
#include "app/TfMain.h"

#include <gtest/gtest.h>
#include <memory>

namespace norvan::testing {

// A window test: a temporary program folder, recorded boxes, and TfMain started on demand
// (so a test can prepare the folder first).
class WindowFixture : public ::testing::Test {
  protected:
    // Builds the window (running its start-up) over folder; a second call starts a new one.
    app::TfMain& startWindow();
    app::TfMain& window() { return *window_; }

    TempProgramFolder folder;
    BoxRecorder boxes;

  private:
    std::unique_ptr<app::TfMain> window_;
};

}  // namespace norvan::testing
