#pragma once
// An Ogg Vorbis file encoded at test time with libvorbisenc: a sine tone.
#include <vorbis/vorbisenc.h>

#include <cmath>
#include <cstdlib>
#include <string>

// seconds of a tone of `hz` at `rate`, mono, as the bytes of an Ogg file.
inline std::string EncodeOggTone(double seconds, double hz, int rate = 44100) {
    vorbis_info info;
    vorbis_info_init(&info);
    if (vorbis_encode_init_vbr(&info, 1, rate, 0.3f) != 0) std::abort();
    vorbis_comment comment;
    vorbis_comment_init(&comment);
    vorbis_dsp_state dsp;
    vorbis_analysis_init(&dsp, &info);
    vorbis_block block;
    vorbis_block_init(&dsp, &block);
    ogg_stream_state stream;
    ogg_stream_init(&stream, 1);
    std::string out;
    ogg_page page;
    auto drainPages = [&](bool flush) {
        while (flush ? ogg_stream_flush(&stream, &page) : ogg_stream_pageout(&stream, &page)) {
            out.append(reinterpret_cast<const char*>(page.header), static_cast<std::size_t>(page.header_len));
            out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
        }
    };
    ogg_packet header, headerComment, headerCode;
    vorbis_analysis_headerout(&dsp, &comment, &header, &headerComment, &headerCode);
    ogg_stream_packetin(&stream, &header);
    ogg_stream_packetin(&stream, &headerComment);
    ogg_stream_packetin(&stream, &headerCode);
    drainPages(true);
    const long total = static_cast<long>(seconds * rate);
    long done = 0;
    while (true) {
        const int n = static_cast<int>(std::min<long>(1024, total - done));
        if (n > 0) {
            float** buffer = vorbis_analysis_buffer(&dsp, n);
            for (int i = 0; i < n; ++i) {
                buffer[0][i] = static_cast<float>(0.5 * std::sin(2 * M_PI * hz * static_cast<double>(done + i) / rate));
            }
            vorbis_analysis_wrote(&dsp, n);
            done += n;
        } else {
            vorbis_analysis_wrote(&dsp, 0);
        }
        ogg_packet packet;
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            while (vorbis_bitrate_flushpacket(&dsp, &packet)) {
                ogg_stream_packetin(&stream, &packet);
                drainPages(false);
            }
        }
        if (n <= 0) break;
    }
    drainPages(true);
    ogg_stream_clear(&stream);
    vorbis_block_clear(&block);
    vorbis_dsp_clear(&dsp);
    vorbis_comment_clear(&comment);
    vorbis_info_clear(&info);
    return out;
}
