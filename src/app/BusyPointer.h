#pragma once

namespace norvan::app {

// The application-wide busy pointer: at most one override cursor is ever set, so any number of
// "busy" calls is undone by one "default".
void setBusyPointer();
void setDefaultPointer();
bool isBusyPointerShown();

}  // namespace norvan::app
