// make_sample_game DIR: writes the sample game into DIR.
#include <cstdio>
#include <string>

#include "sample_game.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_sample_game DIR\n");
        return 2;
    }
    std::string error;
    if (!WriteSampleGame(argv[1], &error)) {
        std::fprintf(stderr, "make_sample_game: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
