#pragma once
// The start-up tour: a temporary phone, the camera app launched with the add-on injected, and
// what the add-on loaded.

int runCoreDemo();
