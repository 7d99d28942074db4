#pragma once
// Layer-internal: one call into libjpeg that turns 0x00BBGGRR pixels into
// the bytes of a baseline JPEG file.
#include <cstdint>
#include <vector>

// Raises EInvalidGraphic with libjpeg's message when it refuses.
std::vector<std::uint8_t> EncodeJpeg(const std::uint32_t* pixels, int width, int height, int quality);
