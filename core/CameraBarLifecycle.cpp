#include "core/CameraBarLifecycle.h"

namespace lumora {

void hideCameraBar(id) {}

}  // namespace lumora
