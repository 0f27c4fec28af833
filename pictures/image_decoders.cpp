// The image-decoder registry: a fixed list in registration order.
#include "pictures/image_decoders.h"

#include <array>

namespace {

struct Registry {
    std::array<ImageDecoder, kMaxImageDecoders> decoders{};
    int count = 0;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

void ClearImageDecoders() {
    TheRegistry().count = 0;
}

bool RegisterImageDecoder(const ImageDecoder& decoder) {
    Registry& registry = TheRegistry();
    if (registry.count >= kMaxImageDecoders) return false;
    registry.decoders[registry.count++] = decoder;
    return true;
}

const ImageDecoder* ImageDecoderAt(int index) {
    Registry& registry = TheRegistry();
    if (index < 0 || index >= registry.count) return nullptr;
    return &registry.decoders[index];
}
