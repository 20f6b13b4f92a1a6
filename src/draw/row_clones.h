#pragma once
// Hosts with wider vector units get their own copy of the row loops (not
// under the sanitizers: their runtimes start after the clone resolvers run).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__) && !defined(__SANITIZE_ADDRESS__) && \
    !defined(__SANITIZE_THREAD__)
#define DRAW_ROW_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define DRAW_ROW_CLONES
#endif
