#pragma once
// Painting over part of a JPEG picture by its quantised DCT blocks: the area is decoded from
// its blocks, the painter draws, and only the blocks holding a sample whose pixels changed are
// transformed and quantised again, with the picture's own tables. Every other block keeps its
// coefficients exactly. Works on any store of blocks: libjpeg's coefficient arrays or the few
// blocks a streaming edit keeps.

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/media/JpegRegionEdit.h"

namespace platform {

struct BlockPlanes {
    struct Plane {
        int h = 1, v = 1;  // sampling factors
        int widthInBlocks = 0, heightInBlocks = 0;
        const std::uint16_t* quant = nullptr;  // 64 entries, natural order
    };
    int width = 0, height = 0;  // of the picture, in pixels
    int maxH = 1, maxV = 1;
    std::vector<Plane> planes;  // one (greyscale) or three (Y, Cb, Cr)
    // The 64 coefficients (natural order) of block (bx, by) of a plane; only blocks of the
    // edited area are asked for, each possibly more than once, and may be written.
    std::function<std::int16_t*(int plane, int bx, int by)> block;
};

// Edits the MCU-aligned area [x0,x1) x [y0,y1) of the picture. False when the area misses the
// picture or the painter gives up; the blocks may then be partly rewritten.
bool editBlocks(const BlockPlanes& picture, int x0, int y0, int x1, int y1,
                const RegionPainter& paint);

}  // namespace platform
