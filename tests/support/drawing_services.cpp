#include "files/drawing_services.h"

// Every test program starts with the drawing side put together, as the
// program itself does.
namespace {

const bool kInstalled = (InstallDrawingServices(), true);

}  // namespace
