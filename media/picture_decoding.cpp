// Picture decoding. Placeholder: nothing decodes yet.
#include "media/picture_decoding.h"

void InitImageDecoders() {}
int UseJpegDecoder() { return 1; }
bool DecodePicture(const uint8_t*, size_t, DecodedPicture&) { return false; }
void SetPixelLayout555(bool) {}
