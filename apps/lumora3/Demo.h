#pragma once
// `lumora3 demo`: runs the built-in tour into ./out/ and prints where its screenshots, photos,
// event log and preferences file are.

int runDemo();
