#pragma once
// A device root for the fuzz targets that touch files: made once per process in shared memory
// when there is some (so the save's flush costs nothing), removed at exit.

namespace lumora::fuzz {

// Makes the root on first use and makes it the file system's root.
void ensureDeviceRoot();

}  // namespace lumora::fuzz
