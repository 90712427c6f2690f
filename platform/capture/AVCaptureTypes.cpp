#include "platform/capture/AVCaptureTypes.h"

std::string fourCharCodeString(FourCharCode code) {
    std::string s(4, ' ');
    for (int i = 0; i < 4; ++i) s[i] = static_cast<char>((code >> (8 * (3 - i))) & 0xff);
    return s;
}

FourCharCode fourCharCodeFromString(const std::string& text) {
    if (text.size() != 4) return 0;
    FourCharCode code = 0;
    for (char c : text) code = (code << 8) | static_cast<unsigned char>(c);
    return code;
}

const char* stabilizationModeName(AVCaptureVideoStabilizationMode mode) {
    switch (mode) {
        case AVCaptureVideoStabilizationModeOff:
            return "off";
        case AVCaptureVideoStabilizationModeStandard:
            return "standard";
        case AVCaptureVideoStabilizationModeCinematic:
            return "cinematic";
        case AVCaptureVideoStabilizationModeAuto:
            return "auto";
        default:
            return "";
    }
}

bool stabilizationModeFromName(const std::string& name, AVCaptureVideoStabilizationMode* mode) {
    for (AVCaptureVideoStabilizationMode m = -1; m <= 2; ++m) {
        if (name == stabilizationModeName(m)) {
            if (mode != nullptr) *mode = m;
            return true;
        }
    }
    return false;
}
