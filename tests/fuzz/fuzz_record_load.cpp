// Feeds arbitrary bytes to the record loader: any input must give a clean
// load or a clean refusal, never a crash, a hang or a huge allocation.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "foundation/abort.h"
#include "fuzz/record_load_shapes.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz_records::Root r;
    r.LoadOpenedFile(OpenDataBytesRead("fuzz", std::vector<std::uint8_t>(data, data + size)));
    // A bad file is refused, never a fatal close.
    if (AbortFlag.load() != 0) __builtin_trap();
    return 0;
}
