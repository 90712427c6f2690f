#pragma once
// `lumora3 devices`: every device profile with its screen and its cameras' formats.

int listDevices();
