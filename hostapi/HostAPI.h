#pragma once
// Everything the add-on knows of the host camera app: its classes' declared members and its
// replaceable methods.

#include "hostapi/CAMBars.h"
#include "hostapi/CAMCameraView.h"
#include "hostapi/CAMCaptureController.h"
#include "hostapi/CAMHostClasses.h"
#include "hostapi/CAMPreviewView.h"
#include "hostapi/CAMSlalomIndicatorView.h"
#include "hostapi/HostTypes.h"
#include "hostapi/Selectors.h"
