#pragma once
// Platform-internal: the bytes of a loaded page as UTF-8 text for the parser.
#include <QByteArray>
#include <string>

// The encoding is taken from a byte order mark, else from the charset the
// server named (any name the platform's converters know), else from a
// <meta> charset near the start of the page (Unicode encodings and
// Latin-1), else UTF-8, the system code page.
std::string PageToUtf8(const QByteArray& bytes, const QByteArray& serverCharset = {});
