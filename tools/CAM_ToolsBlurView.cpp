// CAM_Tools' blur backdrop factory.

#include "platform/ui/UIColor.h"
#include "tools/CAM_Tools.h"
#include "tools/CKBlurView.h"

namespace lumora {

std::shared_ptr<CKBlurView> CAM_Tools::CreateAndConfigureBlurView(CGRect frame) {
    auto blur = std::make_shared<CKBlurView>(CGRectMake(0, 0, frame.size.width, frame.size.height));
    blur->setBlurEdges(false);
    blur->setBlurRadius(10);

    double r = 0, g = 0, b = 0, a = 0;
    UIColor::colorWithRed(0.1, 0.1, 0.1, 1.0).getRed(&r, &g, &b, &a);
    auto tint = CAFilter::filterWithName(kCAFilterColorAdd);
    tint->setValue("inputColor", std::vector<double>{r, g, b, a});
    blur->setTintColorFilter(std::move(tint));

    blur->setTag(1001);
    return blur;
}

}  // namespace lumora
