#include "platform/browser/PageDecoding.h"

#include <QStringDecoder>

namespace {

QStringDecoder DecoderFor(const QByteArray& bytes, const QByteArray& serverCharset) {
    if (const auto bom = QStringConverter::encodingForData(bytes)) return QStringDecoder(*bom);
    if (!serverCharset.isEmpty()) {
        QStringDecoder named(serverCharset.constData());
        if (named.isValid()) return named;
    }
    if (const auto meta = QStringConverter::encodingForHtml(bytes)) return QStringDecoder(*meta);
    return QStringDecoder(QStringConverter::Utf8);
}

}  // namespace

std::string PageToUtf8(const QByteArray& bytes, const QByteArray& serverCharset) {
    QStringDecoder decoder = DecoderFor(bytes, serverCharset);
    const QByteArray utf8 = QString(decoder.decode(bytes)).toUtf8();
    return utf8.toStdString();
}
