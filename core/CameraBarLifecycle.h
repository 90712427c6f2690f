#pragma once
// The camera bar's life: creation, showing and hiding, teardown.

#include "platform/objc/NSObject.h"

namespace lumora {

// Fades the selection dial away; `button` may be null. The camera bar issue gives it its body;
// until the camera bar exists there is nothing to hide.
void hideCameraBar(id button);

}  // namespace lumora
