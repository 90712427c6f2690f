#pragma once
// Host classes the add-on only reaches through their replaceable methods (hostapi/Selectors.h).
// They are declared so that both sides name the same runtime classes.

#include "hostapi/HostTypes.h"

class CAMShutterButton : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMShutterButton)
};

class CAMExpandableMenuButton : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMExpandableMenuButton)
};

class CAMFilterButton : public hostapi::HostView {
public:
    LU_OBJC_CLASS(CAMFilterButton)
};

// Exists while the host shoots a burst.
class CAMAvalancheSession : public NSObject {
public:
    LU_OBJC_CLASS(CAMAvalancheSession)
};

// Stores captured stills; its methods run on the host's saving queue.
class CAMAssetSaver : public NSObject {
public:
    LU_OBJC_CLASS(CAMAssetSaver)
};
