#include <vorbis/vorbisenc.h>

#include <algorithm>

#include "file_formats.h"

namespace {

constexpr int kStreamSerial = 0x5A4D5047;
constexpr int kBlock = 1024;

void AppendPage(Bytes& out, const ogg_page& page) {
    out.insert(out.end(), page.header, page.header + page.header_len);
    out.insert(out.end(), page.body, page.body + page.body_len);
}

// Owns the encoder's state for one file.
struct OggEncoder {
    vorbis_info vi{};
    vorbis_comment vc{};
    vorbis_dsp_state vd{};
    vorbis_block vb{};
    ogg_stream_state os{};
    bool ready = false;

    OggEncoder(int rate, int channels) {
        vorbis_info_init(&vi);
        if (vorbis_encode_init_vbr(&vi, channels, rate, 0.3f) != 0) return;
        vorbis_comment_init(&vc);
        vorbis_analysis_init(&vd, &vi);
        vorbis_block_init(&vd, &vb);
        ogg_stream_init(&os, kStreamSerial);
        ready = true;
    }
    ~OggEncoder() {
        if (ready) {
            ogg_stream_clear(&os);
            vorbis_block_clear(&vb);
            vorbis_dsp_clear(&vd);
            vorbis_comment_clear(&vc);
        }
        vorbis_info_clear(&vi);
    }
    OggEncoder(const OggEncoder&) = delete;
    OggEncoder& operator=(const OggEncoder&) = delete;

    void WriteHeaders(Bytes& out) {
        ogg_packet header, comment, code;
        vorbis_analysis_headerout(&vd, &vc, &header, &comment, &code);
        ogg_stream_packetin(&os, &header);
        ogg_stream_packetin(&os, &comment);
        ogg_stream_packetin(&os, &code);
        ogg_page page;
        while (ogg_stream_flush(&os, &page) != 0) AppendPage(out, page);
    }

    void Drain(Bytes& out) {
        ogg_packet packet;
        ogg_page page;
        while (vorbis_analysis_blockout(&vd, &vb) == 1) {
            vorbis_analysis(&vb, nullptr);
            vorbis_bitrate_addblock(&vb);
            while (vorbis_bitrate_flushpacket(&vd, &packet) != 0) {
                ogg_stream_packetin(&os, &packet);
                while (ogg_stream_pageout(&os, &page) != 0) AppendPage(out, page);
            }
        }
    }
};

}  // namespace

Bytes EncodeOgg(int sampleRate, int channels, const std::vector<float>& interleaved) {
    OggEncoder enc(sampleRate, channels);
    if (!enc.ready || channels <= 0) return {};
    Bytes out;
    enc.WriteHeaders(out);
    const std::size_t frames = interleaved.size() / static_cast<std::size_t>(channels);
    for (std::size_t done = 0; done < frames;) {
        const int n = static_cast<int>(std::min<std::size_t>(kBlock, frames - done));
        float** buffer = vorbis_analysis_buffer(&enc.vd, n);
        for (int i = 0; i < n; ++i) {
            for (int c = 0; c < channels; ++c) {
                buffer[c][i] = interleaved[(done + static_cast<std::size_t>(i)) * channels + c];
            }
        }
        vorbis_analysis_wrote(&enc.vd, n);
        enc.Drain(out);
        done += static_cast<std::size_t>(n);
    }
    vorbis_analysis_wrote(&enc.vd, 0);
    enc.Drain(out);
    ogg_page page;
    while (ogg_stream_flush(&enc.os, &page) != 0) AppendPage(out, page);
    return out;
}
