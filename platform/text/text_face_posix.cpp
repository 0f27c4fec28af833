// The text face from Debian's fonts-dejavu-core (the browser build packs it
// at the same path).
#include "platform/text/text_face.h"

namespace platform {

std::string TextFacePath() {
    return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
}

}  // namespace platform
