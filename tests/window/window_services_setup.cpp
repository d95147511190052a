#include "window/window_services.h"

// The window's tests start with the program put together as it starts.
namespace {

const bool kInstalled = (InstallWindowServices(), true);

}  // namespace
