// Text rasterising for PrintText. Placeholder until the TrueType face is wired.
#include "media/platform/platform.h"

namespace platform {

bool RasterizeText(const std::string&, TextBitmap& out) {
    out = TextBitmap{};
    return false;
}

}  // namespace platform
