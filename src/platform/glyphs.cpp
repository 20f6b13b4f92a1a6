#include "platform/glyphs.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>
#include <mutex>

#include "platform/host_log.h"
#include "platform/text.h"

namespace platform {

namespace {

// One FreeType library for the process; faces are opened and closed under
// this lock (FreeType wants that), each face renders under its own. Both
// outlive every static object, so fonts held by globals close safely at exit.
std::mutex& LibraryLock() {
    static std::mutex& lock = *new std::mutex;
    return lock;
}

FT_Library Library() {
    static FT_Library library = [] {
        FT_Library l = nullptr;
        if (FT_Init_FreeType(&l) != 0) return static_cast<FT_Library>(nullptr);
        return l;
    }();
    return library;
}

struct FamilyRule {
    const char* name;  // UTF-8
    const char* family;
};
// Names of the fonts games ask for, and the host faces drawn in their place.
constexpr FamilyRule kFamilies[] = {
    {"ＭＳ ゴシック", "IPAGothic"}, {"MS Gothic", "IPAGothic"},     {"ＭＳ Ｐゴシック", "IPAPGothic"},
    {"MS PGothic", "IPAPGothic"},   {"MS UI Gothic", "IPAPGothic"}, {"ＭＳ 明朝", "IPAMincho"},
    {"MS Mincho", "IPAMincho"},     {"ＭＳ Ｐ明朝", "IPAPMincho"},  {"MS PMincho", "IPAPMincho"},
};

bool Contains(const std::string& s, const char* part) { return s.find(part) != std::string::npos; }

// The font file fontconfig picks for a family (empty: any face for
// Japanese text); empty when it finds none.
std::string MatchFontFile(const std::string& family, int& index) {
    std::lock_guard<std::mutex> hold(LibraryLock());
    // fontconfig keeps its configuration until FcFini: hand it back at exit.
    static const bool started = [] {
        if (!FcInit()) return false;
        std::atexit([] { FcFini(); });
        return true;
    }();
    if (!started) return {};
    FcPattern* pattern = FcPatternCreate();
    if (!pattern) return {};
    if (!family.empty()) FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match) return {};
    std::string file;
    FcChar8* path = nullptr;
    if (FcPatternGetString(match, FC_FILE, 0, &path) == FcResultMatch && path)
        file = reinterpret_cast<const char*>(path);
    index = 0;
    FcPatternGetInteger(match, FC_INDEX, 0, &index);
    FcPatternDestroy(match);
    return file;
}

// The first code point of a UTF-8 text; 0 for nothing usable.
char32_t FirstCodePoint(const std::string& utf8) {
    if (utf8.empty()) return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t n = utf8.size();
    if (p[0] < 0x80) return p[0];
    int extra = 0;
    char32_t cp = 0;
    if ((p[0] & 0xE0) == 0xC0) extra = 1, cp = p[0] & 0x1F;
    else if ((p[0] & 0xF0) == 0xE0) extra = 2, cp = p[0] & 0x0F;
    else if ((p[0] & 0xF8) == 0xF0) extra = 3, cp = p[0] & 0x07;
    else return 0;
    if (n < static_cast<std::size_t>(extra) + 1) return 0;
    for (int i = 1; i <= extra; ++i) cp = cp << 6 | (p[i] & 0x3F);
    return cp;
}

char32_t DecodeSjisChar(std::string_view sjis) {
    if (sjis.empty() || sjis.size() > 2) return 0;
    const auto first = static_cast<unsigned char>(sjis[0]);
    if (sjis.size() == 1 && (first < 0x20 || first == 0x7F)) return 0;
    const char32_t cp = FirstCodePoint(Cp932ToUtf8(sjis));
    return cp == 0xFFFD ? 0 : cp;
}

}  // namespace

struct GlyphFace::Impl {
    FT_Face face = nullptr;
    std::string file;
    int cellHeight = 0;
    int ascent = 0;
    std::mutex lock;

    ~Impl() {
        if (!face) return;
        std::lock_guard<std::mutex> hold(LibraryLock());
        FT_Done_Face(face);
    }

    // The advance of a character the face cannot draw: that of a blank of
    // the same width class.
    int BlankAdvance(std::size_t bytes) {
        const FT_UInt gi = FT_Get_Char_Index(face, bytes == 2 ? 0x3000 : 0x20);
        if (gi == 0 || FT_Load_Glyph(face, gi, FT_LOAD_DEFAULT) != 0) return 0;
        return static_cast<int>((face->glyph->advance.x + 32) >> 6);
    }
};

std::string HostFontFamily(std::string_view faceSjis) {
    const std::string name = Cp932ToUtf8(faceSjis);
    for (const FamilyRule& r : kFamilies) {
        if (name == r.name) return r.family;
    }
    if (Contains(name, "明朝") || Contains(name, "Mincho"))
        return Contains(name, "Ｐ") || Contains(name, "PMincho") ? "IPAPMincho" : "IPAMincho";
    return {};
}

GlyphFace::GlyphFace(std::unique_ptr<Impl> impl) : impl_(std::move(impl)) {}
GlyphFace::~GlyphFace() = default;

std::unique_ptr<GlyphFace> GlyphFace::Open(std::string_view faceSjis, int width, int cellHeight) {
    if (cellHeight < 1 || cellHeight > 1000 || width < 0 || width > 1000) return nullptr;
    int index = 0;
    const std::string file = MatchFontFile(HostFontFamily(faceSjis), index);
    if (file.empty()) {
        HostLog("no font file for the face \"" + Cp932ToUtf8(faceSjis) + "\"");
        return nullptr;
    }
    auto impl = std::make_unique<Impl>();
    impl->file = file;
    {
        std::lock_guard<std::mutex> hold(LibraryLock());
        if (!Library() || FT_New_Face(Library(), file.c_str(), index, &impl->face) != 0) {
            impl->face = nullptr;
            HostLog("FreeType cannot open " + file);
            return nullptr;
        }
    }
    FT_Face face = impl->face;
    // The cell is the face's ascent plus descent; the em follows from it.
    const long ascender = face->ascender;
    const long extent = std::max<long>(ascender - face->descender, 1);
    const long em = std::max<long>(face->units_per_EM, 1);
    const FT_F26Dot6 ySize = static_cast<FT_F26Dot6>((cellHeight * 64L * em + extent / 2) / extent);
    const FT_F26Dot6 xSize = width ? static_cast<FT_F26Dot6>(width * 2 * 64L) : ySize;
    if (FT_Set_Char_Size(face, xSize, ySize, 72, 72) != 0) return nullptr;
    impl->cellHeight = cellHeight;
    impl->ascent = static_cast<int>((cellHeight * ascender + extent / 2) / extent);
    return std::unique_ptr<GlyphFace>(new GlyphFace(std::move(impl)));
}

Glyph GlyphFace::Render(std::string_view sjisChar, GlyphMode mode) {
    Impl& f = *impl_;
    Glyph g;
    const char32_t cp = DecodeSjisChar(sjisChar);
    std::lock_guard<std::mutex> hold(f.lock);
    const FT_UInt gi = cp ? FT_Get_Char_Index(f.face, cp) : 0;
    if (gi == 0) {
        g.advance = f.BlankAdvance(sjisChar.size());
        return g;
    }
    const bool mono = mode == GlyphMode::kMonochrome;
    const FT_Int32 load = mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
    if (FT_Load_Glyph(f.face, gi, load) != 0) return g;
    FT_GlyphSlot slot = f.face->glyph;
    g.advance = static_cast<int>((slot->advance.x + 32) >> 6);
    if (FT_Render_Glyph(slot, mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL) != 0) return g;
    const FT_Bitmap& bm = slot->bitmap;
    g.left = slot->bitmap_left;
    g.top = f.ascent - slot->bitmap_top;
    g.width = static_cast<int>(bm.width);
    g.height = static_cast<int>(bm.rows);
    g.coverage.assign(static_cast<std::size_t>(g.width) * g.height, 0);
    for (int y = 0; y < g.height; ++y) {
        const unsigned char* row = bm.buffer + static_cast<std::ptrdiff_t>(y) * bm.pitch;
        std::uint8_t* out = g.coverage.data() + static_cast<std::size_t>(y) * g.width;
        for (int x = 0; x < g.width; ++x) {
            if (bm.pixel_mode == FT_PIXEL_MODE_MONO) out[x] = (row[x >> 3] & (0x80 >> (x & 7))) ? 255 : 0;
            else out[x] = row[x];
        }
    }
    return g;
}

int GlyphFace::CellHeight() const { return impl_->cellHeight; }
int GlyphFace::Ascent() const { return impl_->ascent; }
const std::string& GlyphFace::File() const { return impl_->file; }

}  // namespace platform
