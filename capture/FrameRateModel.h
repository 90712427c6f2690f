#pragma once
// The frame-rate side of the resolution model: the table of the highest frame rate each height
// reaches on the running device (`deviceFrameRatesForDimensions` of the state record), the
// limits the frame-rate dial offers, and the rate a height can be given.
//
// Heights are judged with isValidDimension for the mode and camera in force when the function
// runs, so the table describes the situation of its last rebuild. Main thread only.

#include "capture/FixedFrameRate.h"

class AVCaptureDevice;

namespace lumora {

// The nine heights the table starts with (each at 0).
inline constexpr int kTableHeights[] = {144, 288, 480, 540, 720, 960, 1080, 1936, 2448};

// Creates the table with its nine heights at 0 when it does not exist yet.
void createFrameRateTableIfMissing();

// Rebuilds the table from the capture device's formats, in host mode 1 or a photo mode and while
// the table exists. With onlyIfEmpty, a table whose heights 144 and 480 both have a rate counts as
// built and is left alone.
void getDimensions(bool onlyIfEmpty);

// Writes one entry: `rate` when the height is valid now, else 0. Height 360 never enters the
// table. Nothing happens while the table does not exist.
void assignMaxFrameRateForDimension(int height, int rate);

// Sets every value of the table to 0, keeping its heights.
void emptyMaxFrameRatesForHeightVariables();

// The table's value for a height; 0 when absent or while the table does not exist.
int maxFrameRateInTable(int height);

// The highest frame rate among the device's formats of valid height (on the iPhone 6 models
// ranges above 30 fps of formats taller than 1080 do not count). Without any: 60 on those
// models, else 30.
int getMaxFrameRate(const AVCaptureDevice* device);

// The lowest minimum frame rate among the device's formats of valid height; 3 without any.
int getMinFrameRate(const AVCaptureDevice* device);

// The rate to give `height` when `rate` is asked for: `rate` itself when a format of that height
// reaches it, else 60 (for a request above 60) when one reaches 60, else 30. Also 30 without a
// capture controller, or when no format of that height reaches 30 at all.
FixedFrameRate getMaxFrameRateForRequestedDimension(int height, int rate);

// The height of the capture device's active format; 0 without a device or format.
int getCurrentDimensionForDevice();

// True when the iPhone 6 models' rule excludes a frame rate for a format height: on those models
// nothing above 30 fps is offered for heights above 1080.
bool excludedAboveFullHD(int height, double maxFrameRate);

}  // namespace lumora
