#pragma once

#include <QByteArrayView>

#include <gtest/gtest.h>

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

// The directory of the icon file, and of the icon group resource, lists one
// image 48 x 48 of 8 bits and 3752 bytes. The entry's last field (the image's
// place in the file, or its resource's number) is the caller's to check.
inline void expectOneIconOf48By48At8Bits(QByteArrayView directory)
{
    EXPECT_EQ(u16(directory, 0), 0u);
    EXPECT_EQ(u16(directory, 2), 1u); // icons
    EXPECT_EQ(u16(directory, 4), 1u); // one image
    EXPECT_EQ(std::uint8_t(directory[6]), 48);
    EXPECT_EQ(std::uint8_t(directory[7]), 48);
    EXPECT_EQ(std::uint8_t(directory[8]), 0); // colour count
    EXPECT_EQ(u16(directory, 10), 1u);        // planes
    EXPECT_EQ(u16(directory, 12), 8u);        // bits per pixel
    EXPECT_EQ(u32(directory, 14), 3752u);
}

} // namespace dalmiro::testing
