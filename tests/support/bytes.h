#pragma once

#include <QByteArrayView>

#include <cstdint>

namespace dalmiro::testing {

// Little-endian fields of the stored bitmaps, the icon file and the compiled
// resources.
inline std::uint32_t u16(QByteArrayView b, qsizetype at)
{
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8;
}
inline std::uint32_t u32(QByteArrayView b, qsizetype at)
{
    return u16(b, at) | u16(b, at + 2) << 16;
}

} // namespace dalmiro::testing
