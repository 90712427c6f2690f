#pragma once
// Registers the UI toolkit's classes with the object runtime of the running process, so class
// lookups by name (objc_getClass, isKindOfClass) know them and host classes can name them as
// superclasses. Idempotent; a new process (Runtime::reset) needs it again.

namespace platform {

void registerUIKitClasses();

}  // namespace platform
