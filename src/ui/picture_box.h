#pragma once
// A box that shows a loaded picture, or its design-time picture until then.
#include <string>

#include "ui/control_base.h"
#include "util/image.h"

namespace vexal::ui {

using util::Image;

class PictureBox : public Control {
public:
    explicit PictureBox(std::string name) : Control(std::move(name), Kind::Picture) {}
    [[nodiscard]] static bool holds(Kind kind) { return kind == Kind::Picture; }
    [[nodiscard]] const Image& image() const { return image_; }
    void setImage(Image image);
    int designPicture = -1;  // resource id shown until a picture is loaded
private:
    Image image_;
};

}  // namespace vexal::ui
