#include "files/drawing_services.h"
#include "platform/program_settings.h"

// Every test program starts with the drawing side put together, as the
// program itself does, and finds the program's fonts where the program's
// search path would.
namespace {

const bool kInstalled = (InstallDrawingServices(), true);
const bool kFontsFound = (GetProgramSettings().search_path = KOVRA_SOURCE_DIR "/Fonts", true);

}  // namespace
