// The JPEG decoder on libjpeg's classic interface: an in-memory source over
// the file's bytes, a fatal-error handler that returns here instead of ending
// the program, the accurate integer DCT, RGB output for grayscale pictures.
//
// libjpeg reports fatal errors by calling error_exit, which jumps back to the
// setjmp of the call in progress. Nothing with a destructor lives in those
// functions, so the jump skips no cleanup.
#include "pictures/image_decoders.h"

#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace {

struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf jump;
};

// The one picture the decoder holds open between accept and decode.
struct OpenJpeg {
    jpeg_decompress_struct info{};
    ErrorManager errors{};
    bool open = false;
};

OpenJpeg& Jpeg() {
    static OpenJpeg jpeg;
    return jpeg;
}

[[noreturn]] void ReturnToDecoder(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// Warnings about damaged data are not shown anywhere.
void KeepQuiet(j_common_ptr) {}

void Close() {
    OpenJpeg& jpeg = Jpeg();
    if (jpeg.open) jpeg_destroy_decompress(&jpeg.info);
    jpeg.open = false;
}

void PrepareDecompressor(const uint8_t* data, size_t length) {
    OpenJpeg& jpeg = Jpeg();
    jpeg.info.err = jpeg_std_error(&jpeg.errors.base);
    jpeg.errors.base.error_exit = ReturnToDecoder;
    jpeg.errors.base.output_message = KeepQuiet;
    jpeg_create_decompress(&jpeg.info);
    jpeg.open = true;
    jpeg.errors.base.trace_level = 0;
    jpeg_mem_src(&jpeg.info, data, static_cast<unsigned long>(length));
}

bool Accept(const uint8_t* data, size_t length) {
    if (length < 2 || data[0] != 0xFF || data[1] != 0xD8) return false;
    Close();
    OpenJpeg& jpeg = Jpeg();
    if (setjmp(jpeg.errors.jump)) {
        Close();
        return false;
    }
    PrepareDecompressor(data, length);
    jpeg_read_header(&jpeg.info, TRUE);
    jpeg.info.dct_method = JDCT_ISLOW;
    if (jpeg.info.jpeg_color_space == JCS_GRAYSCALE) jpeg.info.out_color_space = JCS_RGB;
    jpeg_start_decompress(&jpeg.info);
    if (jpeg.info.output_components != 3) {  // e.g. CMYK pictures, which have no RGB output
        Close();
        return false;
    }
    return true;
}

int Width() {
    return Jpeg().open ? static_cast<int>(Jpeg().info.output_width) : 0;
}

int Height() {
    return Jpeg().open ? static_cast<int>(Jpeg().info.output_height) : 0;
}

void StoreScanline(const JSAMPLE* in, uint8_t* out, JDIMENSION width) {
    for (JDIMENSION x = 0; x < width; ++x, in += 3, out += 3) {
        out[0] = in[2];
        out[1] = in[1];
        out[2] = in[0];
    }
}

// A fatal error part-way leaves the rows not yet read as they were.
bool Decode(uint8_t* destination, size_t pitch) {
    OpenJpeg& jpeg = Jpeg();
    if (!jpeg.open) return false;
    if (setjmp(jpeg.errors.jump)) {
        Close();
        return false;
    }
    j_common_ptr common = reinterpret_cast<j_common_ptr>(&jpeg.info);
    JSAMPARRAY line = (*jpeg.info.mem->alloc_sarray)(common, JPOOL_IMAGE, jpeg.info.output_width * 3, 1);
    while (jpeg.info.output_scanline < jpeg.info.output_height) {
        JDIMENSION row = jpeg.info.output_scanline;
        if (jpeg_read_scanlines(&jpeg.info, line, 1) != 1) break;
        StoreScanline(line[0], destination + row * pitch, jpeg.info.output_width);
    }
    jpeg_finish_decompress(&jpeg.info);
    Close();
    return true;
}

}  // namespace

const ImageDecoder& JpegImageDecoder() {
    static const ImageDecoder decoder{Accept, Width, Height, Decode, Close};
    return decoder;
}
