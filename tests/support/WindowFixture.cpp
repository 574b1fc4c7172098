#include "WindowFixture.h"

namespace norvan::testing {

app::TfMain& WindowFixture::startWindow() {
    window_.reset();
    window_ = std::make_unique<app::TfMain>(boxes.environment(folder.path()));
    return *window_;
}

}  // namespace norvan::testing
