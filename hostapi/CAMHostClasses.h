#pragma once
// Host classes the add-on only reaches through their replaceable methods (hostapi/Selectors.h).
// They are declared so that both sides name the same runtime classes.

#include "hostapi/HostTypes.h"
#include "platform/ui/UIButton.h"

class CAMShutterButton : public UIButton {
public:
    LU_OBJC_CLASS(CAMShutterButton)
};

class CAMExpandableMenuButton : public UIButton {
public:
    LU_OBJC_CLASS(CAMExpandableMenuButton)
};

class CAMFilterButton : public UIButton {
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
