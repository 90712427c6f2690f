// Names for the add-on's manual focus and exposure controls: the two tabs on the camera bar's
// second page and the three rulers they open.
#include "sim/scenario/ElementRegistry.h"

namespace sim {

void registerManualElements(ElementRegistry& r) {
    r.addClass("focus-tab", "the focus tab of the camera bar's second page (advanced photo mode)",
               "CustomDrawButton", 6);
    r.addClass("exposure-tab",
               "the exposure tab of the camera bar's second page (advanced photo mode)",
               "CustomDrawButton", 7);
    r.addClass("lens-ruler", "the lens-position ruler the focus tab opens (near focus at the left)",
               "DialScrollview", 99);
    r.addClass("iso-ruler", "the ISO ruler the exposure tab opens", "DialScrollview", 98);
    r.addClass("shutter-ruler", "the shutter-speed ruler the exposure tab opens (photo modes)",
               "DialScrollview", 97);
}

}  // namespace sim
