#pragma once
// Story progress files as any version wrote them, built by hand.
#include <map>
#include <string>
#include <vector>

#include "platform/win_types.h"
#include "support/byte_builder.h"

struct StoryFileFixture {
    int version = 920;
    std::map<int, int> members;  // registered member number (1-39) -> value
    std::string stage = "data\\stg4\\castle.", key = "key.", next, name = "nm";
    SYSTEMTIME time{2024, 5, 3, 17, 21, 45, 10, 0};
    std::vector<int> carry;
    struct Cleared {
        std::string name, file;
        int a, b, c, score;
    };
    std::vector<Cleared> cleared;
    int challenges = 0;
    std::vector<int> mapPoints, vars, stageStart;

    ByteBuilder Bytes() const {
        // First version that stores each member; member 4 is stored by every
        // version (files before 916 put it in the old twin).
        static const int kFrom[39] = {0,   0,   0, 0,   0,   915, 758, 758, 758, 0,   0,   0,   0,
                                      0,   0,   0, 0,   0,   182, 182, 0,   915, 0,   166, 194, 190,
                                      191, 191, 0, 915, 915, 0,   169, 0,   0,   678, 678, 678, 679};
        ByteBuilder b;
        b.I32(version);
        int count = 0;
        for (int from : kFrom) count += version >= from ? 1 : 0;
        b.I32(count);
        for (int m = 1; m <= 39; ++m) {
            if (version < kFrom[m - 1]) continue;
            auto it = members.find(m);
            b.I32(it == members.end() ? 0 : it->second);
        }
        b.I32(2 + (version >= 724 ? 1 : 0) + (version >= 915 ? 1 : 0)).Str(stage);
        if (version >= 724) b.Str(key);
        if (version >= 915) b.Str(next);
        b.Str(name);
        b.Raw(&time, sizeof(time));
        if (version > 500) Ints(b, carry);
        b.I32(0);  // no kept character status
        b.I32(static_cast<int>(cleared.size()));
        for (const auto& c : cleared) {
            if (version >= 759) {
                b.I32(4).I32(c.a).I32(c.b).I32(c.c).I32(c.score).I32(2).Str(c.name).Str(c.file);
            } else {
                b.I32(1).I32(c.score).I32(1).Str(c.name);
            }
        }
        b.I32(challenges);
        for (int i = 0; i < challenges; ++i) b.I32(2).I32(i % 2).I32(100 * i).I32(0);
        Ints(b, mapPoints);
        Ints(b, vars);
        if (version > 914) Ints(b, stageStart);
        return b;
    }

    static void Ints(ByteBuilder& b, const std::vector<int>& list) {
        b.I32(static_cast<int>(list.size()));
        for (int v : list) b.I32(v);
    }
};
