#include "platform/jpeg/JpegEncoder.h"

#include <bit>
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>
#include <jerror.h>

#include "platform/core/System.h"

namespace {
// libjpeg ends a failing call through error_exit, which must not return:
// it jumps back to the point set up in Encode with the message kept here.
struct ErrorTrap {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

void TrapError(j_common_ptr cinfo) {
    auto* trap = reinterpret_cast<ErrorTrap*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, trap->message);
    std::longjmp(trap->jump, 1);
}

// Collects the compressed bytes in a vector that grows as libjpeg fills it.
struct VectorDestination {
    jpeg_destination_mgr manager;
    std::vector<std::uint8_t>* out;
};

void StartVector(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->manager.next_output_byte = dest->out->data();
    dest->manager.free_in_buffer = dest->out->size();
}

// Called when the buffer is full; the whole of it is in use.
boolean GrowVector(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    const size_t used = dest->out->size();
    bool grown = true;
    try {
        dest->out->resize(used * 2);
    } catch (...) {  // no C++ exception may cross libjpeg's frames
        grown = false;
    }
    if (!grown) ERREXIT(cinfo, JERR_OUT_OF_MEMORY);
    dest->manager.next_output_byte = dest->out->data() + used;
    dest->manager.free_in_buffer = dest->out->size() - used;
    return TRUE;
}

void FinishVector(j_compress_ptr cinfo) {
    auto* dest = reinterpret_cast<VectorDestination*>(cinfo->dest);
    dest->out->resize(dest->out->size() - dest->manager.free_in_buffer);
}

// Our pixels are 0x00BBGGRR words: in memory R, G, B, unused on a
// little-endian machine, the reverse on a big-endian one.
constexpr J_COLOR_SPACE kPixelLayout = std::endian::native == std::endian::little ? JCS_EXT_RGBX : JCS_EXT_XBGR;

// Only trivially destructible objects live in this frame, so the jump back
// from TrapError skips no destructor. Returns false with `message` filled
// when libjpeg gave up.
bool Encode(std::vector<std::uint8_t>* out, const std::uint32_t* pixels, int width, int height, int quality,
            char* message) {
    jpeg_compress_struct cinfo{};
    ErrorTrap trap{};
    VectorDestination dest{};
    cinfo.err = jpeg_std_error(&trap.manager);
    trap.manager.error_exit = TrapError;
    if (setjmp(trap.jump)) {
        jpeg_destroy_compress(&cinfo);
        std::snprintf(message, JMSG_LENGTH_MAX, "%s", trap.message);
        return false;
    }
    jpeg_create_compress(&cinfo);
    dest.manager.init_destination = StartVector;
    dest.manager.empty_output_buffer = GrowVector;
    dest.manager.term_destination = FinishVector;
    dest.out = out;
    cinfo.dest = &dest.manager;

    cinfo.image_width = static_cast<JDIMENSION>(width);
    cinfo.image_height = static_cast<JDIMENSION>(height);
    cinfo.input_components = 4;
    cinfo.in_color_space = kPixelLayout;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, quality, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    while (cinfo.next_scanline < cinfo.image_height) {
        // libjpeg only reads the rows it is given.
        auto* row = reinterpret_cast<JSAMPLE*>(
            const_cast<std::uint32_t*>(pixels + static_cast<size_t>(cinfo.next_scanline) * static_cast<size_t>(width)));
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    return true;
}
}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const std::uint32_t* pixels, int width, int height, int quality) {
    // A first guess of the file size; the destination grows when needed.
    std::vector<std::uint8_t> out(static_cast<size_t>(width) * static_cast<size_t>(height) / 2 + 4096);
    char message[JMSG_LENGTH_MAX] = {};
    if (!Encode(&out, pixels, width, height, quality, message))
        throw EInvalidGraphic(AnsiString("JPEG error: ") + message);
    return out;
}
