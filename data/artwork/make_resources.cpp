// lumora_make_resources FOLDER: draws the add-on's resource images and writes the count-down
// sound below FOLDER (the build puts them in resources/Lumora3/).

#include <cstdio>
#include <string>

#include "artwork/resources/ResourceArtwork.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    std::string error;
    if (!lumora::artwork::writeResources(argv[1], &error)) {
        std::fprintf(stderr, "lumora_make_resources: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
