#include "overlays/CustomDimensionViewButton.h"

#include <string>

#include "platform/ui/UIImageView.h"
#include "platform/ui/UILabel.h"
#include "platform/ui/UITapGestureRecognizer.h"
#include "tools/CAM_Tools.h"

namespace lumora {

DimensionButtonPicture dimensionButtonPicture(int height) {
    if (height <= 360) return {"Dimensions/indicatorBT@2x.png", CGRectMake(19, 2, 13.5, 19.5)};
    if (height <= 540) return {"Dimensions/indicatorWifi@2x.png", CGRectMake(15, 5, 22.5, 14.5)};
    return {"Dimensions/indicatorHD2@2x.png", CGRectMake(15, 5, 22.5, 16.5)};
}

CustomDimensionViewButton::CustomDimensionViewButton(CGRect frame,
                                                     const std::shared_ptr<NSObject>& owner,
                                                     UIGestureRecognizer::Action callback,
                                                     int height)
    : UIView(frame) {
    const DimensionButtonPicture picture = dimensionButtonPicture(height);
    auto image = UIImage::imageWithContentsOfFile(CAM_Tools::resourcePath(picture.file));
    if (!image) {
        setUserInteractionEnabled(false);
        return;
    }
    auto imageView = std::make_shared<UIImageView>(picture.frame);
    imageView->setImage(std::move(image));
    addSubview(imageView);
    auto label = std::make_shared<UILabel>(CGRectMake(0, 20, frame.size.width, 23));
    label->setFont(UIFont::fontWithName("DINAlternate-Bold", 14));
    label->setTextAlignment(NSTextAlignmentCenter);
    label->setText(std::to_string(height) + "p");
    label->setTextColor(UIColor::colorWithRed(1.0, 0.8, 0.0, 1.0));
    addSubview(label);
    setTag(height);
    setUserInteractionEnabled(true);
    addGestureRecognizer(std::make_shared<UITapGestureRecognizer>(owner, std::move(callback)));
}

bool CustomDimensionViewButton::pointInside(CGPoint point, UIEvent* event) {
    return CGRectContainsPoint(frame(), point) || UIView::pointInside(point, event);
}

}  // namespace lumora
