#pragma once
// The resolution height chosen for each situation (photo or video mode, back or front camera),
// kept in the state record's `currentDimensionHeight...` (in force) and
// `globalDimensionHeight...` (stored) variables. 0 means nothing was chosen: the host's own
// resolution stays, and the zero conversion supplies the default height of the situation.

namespace lumora {

// The default height of a situation: video 1080 back / 720 front, photo 2448 back and 480 front
// (960 on screens above the smallest class); 720 in a mode that is neither.
int defaultDimensionHeight(bool video, bool photo, bool back);

// The chosen height, 0 when unset. A mode of 0 or more names the situation together with
// `camera`; a mode below 0 means the host's current mode and camera. For photo on the back
// camera a stored 1936 reads as 1080. In a mode that is neither photo nor video: 720.
int getCurrentDimensionHeight(int mode, int camera);

// As getCurrentDimensionHeight, but an unset height is first replaced by its default, which is
// written into the height in force (the stored copy stays).
int getCurrentDimensionHeightWithGivenModesAndZeroConversion(int mode, int camera);

// The current situation's height in force, or its default when unset; stores nothing and reads
// 1936 as it is.
int getCurrentDimensionHeightWithZeroConversion();

// Sets both the height in force and the stored height of the current situation. Nothing happens
// in host mode 6 or in a mode that is neither photo nor video.
void setCurrentDimensionHeight(int height);

}  // namespace lumora
