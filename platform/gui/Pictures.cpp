#include "platform/gui/Pictures.h"

#include <QImage>

#include "platform/gui/QtColors.h"

TBitmap LoadPictureResource(const AnsiString& resource, TColor background) {
    TBitmap bmp;
    QImage img(QString::fromStdString(resource));
    if (!img.isNull()) FromQImage(img, bmp, background);
    return bmp;
}
