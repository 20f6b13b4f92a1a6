#include "draw/pictures/picture_codecs.h"

#include <png.h>
// libjpeg's header needs the standard declarations first.
#include <jpeglib.h>
#include <cstdio>

#include <csetjmp>
#include <cstring>
#include <memory>

#include "draw/pictures/bmp_decoder.h"

namespace {

// A compressed stream can claim any size in a few bytes; the pixels it may
// ask for are capped well above any picture of the kit.
constexpr std::uint64_t kMaxCompressedPixels = std::uint64_t(4096) * 4096;

bool SizeAcceptable(std::uint32_t w, std::uint32_t h, std::string& reason) {
    if (w == 0 || h == 0 || w > static_cast<std::uint32_t>(kMaxBmpSide) ||
        h > static_cast<std::uint32_t>(kMaxBmpSide) || std::uint64_t(w) * h > kMaxCompressedPixels) {
        reason = "bad picture size";
        return false;
    }
    return true;
}

struct JpegError {
    jpeg_error_mgr mgr;
    std::jmp_buf jump;
};

[[noreturn]] void JpegErrorExit(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegError*>(cinfo->err)->jump, 1); }

void JpegSilence(j_common_ptr) {}

}  // namespace

bool IsPngContent(const std::uint8_t* data, std::size_t size) {
    static const std::uint8_t kSig[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    return size >= 8 && std::memcmp(data, kSig, 8) == 0;
}

bool IsJpegContent(const std::uint8_t* data, std::size_t size) {
    return size >= 3 && data[0] == 0xFF && data[1] == 0xD8 && data[2] == 0xFF;
}

bool DecodePng(const std::uint8_t* data, std::size_t size, DECODEDPICTURE& out, std::string& reason) {
    out = DECODEDPICTURE();
    png_image image;
    std::memset(&image, 0, sizeof image);
    image.version = PNG_IMAGE_VERSION;
    if (!IsPngContent(data, size) || !png_image_begin_read_from_memory(&image, data, size)) {
        reason = image.message[0] ? image.message : "no PNG header";
        png_image_free(&image);
        return false;
    }
    if (!SizeAcceptable(image.width, image.height, reason)) {
        png_image_free(&image);
        return false;
    }
    image.format = PNG_FORMAT_BGRA;  // little-endian 0xAARRGGBB words
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(image.width) * image.height);
    if (!png_image_finish_read(&image, nullptr, pixels.data(), static_cast<png_int_32>(image.width * 4), nullptr)) {
        reason = image.message;
        png_image_free(&image);
        return false;
    }
    out.nWidth = static_cast<int>(image.width);
    out.nHeight = static_cast<int>(image.height);
    out.argb = std::move(pixels);
    return true;
}

bool DecodeJpeg(const std::uint8_t* data, std::size_t size, DECODEDPICTURE& out, std::string& reason) {
    out = DECODEDPICTURE();
    if (!IsJpegContent(data, size)) {
        reason = "no JPEG header";
        return false;
    }
    jpeg_decompress_struct cinfo;
    JpegError err;
    cinfo.err = jpeg_std_error(&err.mgr);
    err.mgr.error_exit = JpegErrorExit;
    err.mgr.output_message = JpegSilence;
    // What changes after setjmp lives behind pointers that do not: the
    // output vector and the row buffer, so a jump finds them intact.
    std::vector<std::uint32_t>& pixels = out.argb;
    const auto rowBuffer = std::make_unique<std::vector<JSAMPLE>>();
    std::vector<JSAMPLE>& row = *rowBuffer;
    if (setjmp(err.jump)) {
        jpeg_destroy_decompress(&cinfo);
        pixels.clear();
        reason = "broken JPEG stream";
        return false;
    }
    jpeg_create_decompress(&cinfo);
    jpeg_mem_src(&cinfo, data, static_cast<unsigned long>(size));
    jpeg_read_header(&cinfo, TRUE);
    if (!SizeAcceptable(cinfo.image_width, cinfo.image_height, reason)) {
        jpeg_destroy_decompress(&cinfo);
        return false;
    }
    cinfo.out_color_space = JCS_RGB;
    jpeg_start_decompress(&cinfo);
    const int w = static_cast<int>(cinfo.output_width);
    pixels.resize(static_cast<std::size_t>(w) * cinfo.output_height);
    row.resize(static_cast<std::size_t>(w) * 3);
    while (cinfo.output_scanline < cinfo.output_height) {
        const std::size_t y = cinfo.output_scanline;
        JSAMPROW rows[1] = {row.data()};
        jpeg_read_scanlines(&cinfo, rows, 1);
        for (int x = 0; x < w; ++x) {
            const JSAMPLE* p = row.data() + x * 3;
            pixels[y * w + x] = 0xFF000000u | std::uint32_t(p[0]) << 16 | std::uint32_t(p[1]) << 8 | p[2];
        }
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    out.nWidth = w;
    out.nHeight = static_cast<int>(cinfo.output_height);
    return true;
}

bool DecodePicture(const std::uint8_t* data, std::size_t size, DECODEDPICTURE& out, std::string& reason) {
    if (IsPngContent(data, size)) return DecodePng(data, size, out, reason);
    if (IsJpegContent(data, size)) return DecodeJpeg(data, size, out, reason);
    BMPIMAGE bmp;
    if (!DecodeBmp(data, size, bmp, reason)) return false;
    out.nWidth = bmp.nWidth;
    out.nHeight = bmp.nHeight;
    out.argb.resize(bmp.rgb.size());
    for (std::size_t i = 0; i < bmp.rgb.size(); ++i) out.argb[i] = 0xFF000000u | bmp.rgb[i];
    return true;
}
