#include "platform/jpeg/FormPixels.h"

#include <QImage>
#include <QWidget>

#include "platform/gui/Forms.h"
#include "platform/gui/QtColors.h"

TBitmap FormPixels(const TForm& form) {
    QWidget* widget = form.Widget();
    // One device pixel per layer pixel, whatever the screen's scale.
    QImage image(widget->size(), QImage::Format_RGB32);
    image.fill(widget->palette().color(widget->backgroundRole()));
    widget->render(&image);
    TBitmap bitmap;
    FromQImage(image, bitmap);
    return bitmap;
}
