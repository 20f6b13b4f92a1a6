#include "foundation/list_reader.h"

#include <string>

bool ReadListCount(cDataFile& f, const ListShape& shape, std::size_t& count, bool& keep) {
    count = 0;
    keep = false;
    std::int32_t n = 0;
    if (!f.ReadInt(n)) return false;
    if (n <= 0 && shape.count == StoredCount::NoneKeeps) {
        keep = true;
        return true;
    }
    if (n < 0) {
        f.Fail("negative list count " + std::to_string(n));
        return false;
    }
    if (n == 0 && shape.count == StoredCount::ZeroKeeps) {
        keep = true;
        return true;
    }
    if (shape.minBytes > 0 && static_cast<std::size_t>(n) > f.Remaining() / shape.minBytes) {
        f.Fail("list count " + std::to_string(n) + " larger than the file");
        return false;
    }
    count = static_cast<std::size_t>(n);
    return true;
}
