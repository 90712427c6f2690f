#pragma once
// `lumora3 gallery OUT.png`: renders the add-on's drawn views (glyph buttons in every state,
// badges, cut-out labels, the blur backdrop, dial marks) into one picture.

namespace CLI {
class App;
}

void addGalleryCommand(CLI::App& app);
