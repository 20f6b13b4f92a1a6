#include <gtest/gtest.h>

#include <jpeglib.h>
#include <cstdio>

#include <cstdlib>
#include <string>
#include <vector>

#include "draw/pictures/picture_codecs.h"
#include "platform/present.h"
#include "support/temp_dir.h"

namespace {

// A baseline JPEG of a flat colour, from libjpeg's own compressor.
std::vector<std::uint8_t> FlatJpeg(int w, int h, std::uint8_t r, std::uint8_t g, std::uint8_t b) {
    jpeg_compress_struct cinfo;
    jpeg_error_mgr err;
    cinfo.err = jpeg_std_error(&err);
    jpeg_create_compress(&cinfo);
    unsigned char* mem = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &mem, &size);
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = 3;
    cinfo.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, 100, TRUE);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<std::size_t>(w) * 3);
    for (int x = 0; x < w; ++x) {
        row[static_cast<std::size_t>(x) * 3] = r;
        row[static_cast<std::size_t>(x) * 3 + 1] = g;
        row[static_cast<std::size_t>(x) * 3 + 2] = b;
    }
    while (cinfo.next_scanline < cinfo.image_height) {
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    std::vector<std::uint8_t> out(mem, mem + size);
    jpeg_destroy_compress(&cinfo);
    std::free(mem);
    return out;
}

TEST(PictureCodecs, JpegDecodesItsPixels) {
    const std::vector<std::uint8_t> jpeg = FlatJpeg(20, 10, 200, 100, 50);
    DECODEDPICTURE pic;
    std::string why;
    ASSERT_TRUE(DecodePicture(jpeg.data(), jpeg.size(), pic, why)) << why;
    EXPECT_EQ(pic.nWidth, 20);
    EXPECT_EQ(pic.nHeight, 10);
    ASSERT_EQ(pic.argb.size(), 200u);
    // Lossy, but a flat colour at full quality stays within a step or two.
    const std::uint32_t p = pic.argb[105];
    EXPECT_EQ(p >> 24, 0xFFu);
    EXPECT_NEAR(static_cast<int>((p >> 16) & 255), 200, 2);
    EXPECT_NEAR(static_cast<int>((p >> 8) & 255), 100, 2);
    EXPECT_NEAR(static_cast<int>(p & 255), 50, 2);
    for (std::size_t cut : {jpeg.size() / 2, std::size_t(20), std::size_t(3)}) {
        EXPECT_FALSE(DecodeJpeg(jpeg.data(), cut, pic, why)) << cut;
    }
}

TEST(PictureCodecs, PngRoundTripsThroughTheFrameWriter) {
    TempDir dir;
    platform::Frame f;
    f.width = 3;
    f.height = 2;
    f.pixels = {0x000000, 0xFF0000, 0x00FF00, 0x0000FF, 0x123456, 0xFFFFFF};
    ASSERT_TRUE(platform::WritePng("f.png", f));
    const std::string bytes = dir.ReadHostFile("f.png");
    DECODEDPICTURE pic;
    std::string why;
    ASSERT_TRUE(DecodePng(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), pic, why)) << why;
    ASSERT_EQ(pic.argb.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i) EXPECT_EQ(pic.argb[i], 0xFF000000u | f.pixels[i]) << i;
    EXPECT_FALSE(DecodePng(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size() - 20, pic, why));
}

}  // namespace
