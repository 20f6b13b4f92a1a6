#pragma once
// Bytes of "data\System.dat" as a given version stores it: the registered
// integers that version holds, the title and the lists of that version.
#include <functional>
#include <string>
#include <vector>

#include "support/byte_builder.h"

namespace sysfix {

// Storage of each registered integer: first and last version, byte width.
struct RowLayout {
    int row;
    int from;
    int until;
    int width;
};

inline std::vector<RowLayout> Layout() {
    const int from[91] = {0,   185, 0,   838, 0,   0,   205, 170, 113, 855, 184, 157, 821, 0,   191, 191, 915, 0,   0,
                          167, 167, 188, 224, 167, 167, 188, 224, 188, 192, 187, 187, 187, 187, 214, 221, 261, 272, 287,
                          515, 289, 757, 525, 555, 637, 669, 677, 695, 696, 697, 721, 728, 733, 744, 749, 752, 763, 763,
                          768, 773, 781, 782, 783, 793, 805, 808, 818, 818, 819, 822, 827, 831, 833, 837, 839, 841, 845,
                          845, 845, 845, 861, 875, 894, 895, 896, 897, 904, 912, 913, 670, 670, 880};
    std::vector<RowLayout> rows;
    for (int r = 1; r <= 90; ++r) {
        rows.push_back({r, from[r], r == 34 ? 259 : 1 << 30, (r >= 30 && r <= 32) ? 1 : 4});
    }
    return rows;
}

// The appended lists, each as the bytes that follow the record.
struct Lists {
    ByteBuilder carryOver, carryReset, statusItems, startLives, infiniteLives, rankingSettings, systemTexts, soundFiles,
        bgmIds, bgmKeep, titleMenu, mapMenu, optionMenu, rankingModes, iniKeys;
};

inline ByteBuilder Bytes(int count, std::function<int(int)> value) {
    ByteBuilder b;
    b.I32(count);
    for (int i = 0; i < count; ++i) b.U8(static_cast<std::uint8_t>(value(i)));
    return b;
}
inline ByteBuilder Ints(std::vector<int> values) {
    ByteBuilder b;
    b.I32(static_cast<std::int32_t>(values.size()));
    for (int v : values) b.I32(v);
    return b;
}
inline ByteBuilder Texts(const std::vector<std::string>& texts) {
    ByteBuilder b;
    b.I32(static_cast<std::int32_t>(texts.size()));
    for (const auto& t : texts) b.Str(t);
    return b;
}
inline std::vector<std::string> Numbered(const std::string& prefix, int n) {
    std::vector<std::string> v;
    for (int i = 0; i < n; ++i) v.push_back(prefix + std::to_string(i));
    return v;
}
// A status item of a version: 3, 4 or 6 ints behind the version's gates.
inline ByteBuilder StatusItem(int version, int base, const std::string& label) {
    ByteBuilder b;
    int n = version >= 587 ? 6 : version >= 204 ? 4 : 3;
    b.I32(n);
    for (int i = 0; i < n; ++i) b.I32(base + i);
    b.I32(1).Str(label);
    return b;
}
inline ByteBuilder Cmds(const std::vector<std::string>& names, int enabled) {
    ByteBuilder b;
    b.I32(static_cast<std::int32_t>(names.size()));
    for (const auto& n : names) b.I32(1).I32(enabled).I32(1).Str(n);
    return b;
}
inline ByteBuilder IniKey(int type, const std::string& name, int value, const std::string& text) {
    ByteBuilder b;
    b.I32(2).I32(type).I32(value).I32(2).Str(name).Str(text);
    return b;
}
inline ByteBuilder IniKeys(const std::vector<std::pair<std::string, int>>& keys) {
    ByteBuilder b;
    b.I32(static_cast<std::int32_t>(keys.size()));
    for (const auto& [name, value] : keys) b.Append(IniKey(0, name, value, "t" + name));
    return b;
}

// Lists of full length with values that differ from every default.
inline Lists FullLists(int version) {
    Lists l;
    l.carryOver = Bytes(25, [](int i) { return (i * 7) % 3 == 0 ? 1 : 0; });
    l.carryReset = Bytes(25, [](int i) { return i % 2; });
    l.statusItems.I32(5);
    for (int i = 0; i < 5; ++i) l.statusItems.Append(StatusItem(version, 10 * i + 1, "ラベル" + std::to_string(i)));
    l.startLives = Ints({3, 4, 6, 7});
    l.infiniteLives = Ints({0, 1, 0, 1});
    l.rankingSettings.I32(4);
    for (int k = 0; k < 4; ++k) {
        l.rankingSettings.I32(1).I32(k % 2).I32(0).Append(Bytes(5, [k](int g) { return (g + k) % 2; }));
    }
    l.systemTexts = Texts(Numbered("テキスト", 29));
    l.soundFiles = Texts(Numbered("wave\\s", 17));
    l.bgmIds = Ints({1, 0, 1, 0});
    l.bgmKeep = Bytes(4, [](int i) { return i % 2; });
    l.titleMenu = Cmds(Numbered("t", 7), 0);
    l.mapMenu = Cmds(Numbered("m", 4), 0);
    l.optionMenu = Cmds(Numbered("o", 6), 0);
    l.rankingModes = Texts(Numbered("mode", 4));
    l.iniKeys = IniKeys({{"k0", 5},
                         {"k1", 6},
                         {"k2", 7},
                         {"k3", 8},
                         {"k4", 9},
                         {"k5", 10},
                         {"k6", 11},
                         {"k7", 12},
                         {"k8", 13},
                         {"k9", 14},
                         {"k10", 15}});
    return l;
}

// The whole file: header, the rows that the version stores (value(row)),
// the title, and the lists that the version stores.
inline ByteBuilder SystemFile(int version, const std::function<int(int)>& value, const std::string& title,
                              const Lists& l) {
    ByteBuilder b;
    b.I32(version);
    int n = 0;
    for (const auto& r : Layout()) n += (version >= r.from && version <= r.until) ? 1 : 0;
    b.I32(n);
    for (const auto& r : Layout()) {
        if (version < r.from || version > r.until) continue;
        if (r.width == 1) {
            b.U8(static_cast<std::uint8_t>(value(r.row)));
        } else {
            b.I32(value(r.row));
        }
    }
    b.I32(1).Str(title);
    b.Append(l.carryOver);
    if (version > 500) b.Append(l.carryReset);
    b.Append(l.statusItems).Append(l.startLives);
    if (version > 190) b.Append(l.infiniteLives);
    if (version > 185) b.Append(l.rankingSettings);
    b.Append(l.systemTexts).Append(l.soundFiles).Append(l.bgmIds);
    if (version > 201) b.Append(l.bgmKeep);
    b.Append(l.titleMenu).Append(l.mapMenu).Append(l.optionMenu);
    if (version > 673) b.Append(l.rankingModes);
    b.Append(l.iniKeys);
    return b;
}

}  // namespace sysfix
