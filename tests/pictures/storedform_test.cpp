// The pictures as the executable carries them: the fields of each stored
// bitmap, and the pictures that loadPicture() decodes from them.
#include "resources/catalogue.h"
#include "resources/storedpictures.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <cstdint>
#include <variant>

namespace {

using Key = std::variant<int, const char16_t *>;

struct Stored
{
    Key key;
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::uint32_t imageSizeField = 0;
    std::uint32_t coloursUsed = 0;
    int stride = 0;
    qsizetype resourceSize = 0;
};

QByteArrayView stored(const Key &key)
{
    if (const int *frame = std::get_if<int>(&key))
        return dalmiro::storedPicture(*frame);
    return dalmiro::storedPicture(QStringView(std::get<const char16_t *>(key)));
}

QImage loaded(const Key &key)
{
    if (const int *frame = std::get_if<int>(&key))
        return dalmiro::loadPicture(*frame);
    return dalmiro::loadPicture(QStringView(std::get<const char16_t *>(key)));
}

std::uint32_t u16(QByteArrayView b, qsizetype at)
{
    return std::uint32_t(std::uint8_t(b[at])) | std::uint32_t(std::uint8_t(b[at + 1])) << 8;
}
std::uint32_t u32(QByteArrayView b, qsizetype at)
{
    return u16(b, at) | u16(b, at + 2) << 16;
}

std::string name(const ::testing::TestParamInfo<Stored> &info)
{
    if (const int *frame = std::get_if<int>(&info.param.key))
        return "frame" + std::to_string(*frame);
    return QString::fromUtf16(std::get<const char16_t *>(info.param.key)).toStdString();
}

class StoredForm : public ::testing::TestWithParam<Stored>
{
};

TEST_P(StoredForm, HeaderFieldsAreThoseOfTheTable)
{
    const Stored &want = GetParam();
    const QByteArrayView b = stored(want.key);
    ASSERT_EQ(b.size(), want.resourceSize);
    EXPECT_EQ(u32(b, 0), 40u);                               // header size
    EXPECT_EQ(u32(b, 4), std::uint32_t(want.width));         // width
    EXPECT_EQ(u32(b, 8), std::uint32_t(want.height));        // positive: bottom-up
    EXPECT_EQ(u16(b, 12), 1u);                               // planes
    EXPECT_EQ(u16(b, 14), std::uint32_t(want.bitsPerPixel)); // bits per pixel
    EXPECT_EQ(u32(b, 16), 0u);                               // no compression
    EXPECT_EQ(u32(b, 20), want.imageSizeField);
    EXPECT_EQ(u32(b, 24), 2834u);
    EXPECT_EQ(u32(b, 28), 2834u);
    EXPECT_EQ(u32(b, 32), want.coloursUsed);
    EXPECT_EQ(u32(b, 36), want.coloursUsed);
}

TEST_P(StoredForm, ColourTableStartsBlackThenWhiteWithZeroFourthBytes)
{
    const Stored &want = GetParam();
    const QByteArrayView b = stored(want.key);
    const qsizetype tableEnd = 40 + qsizetype(want.coloursUsed) * 4;
    ASSERT_LE(tableEnd, b.size());
    if (want.coloursUsed == 0)
        return; // 24-bit: no table to check
    EXPECT_EQ(u32(b, 40), 0x00000000u);
    EXPECT_EQ(u32(b, 44), 0x00ffffffu);
    for (qsizetype at = 40; at < tableEnd; at += 4)
        EXPECT_EQ(b[at + 3], '\0') << "entry " << (at - 40) / 4;
}

TEST_P(StoredForm, RowsArePaddedWithZerosAndFollowedByFourZeroBytes)
{
    const Stored &want = GetParam();
    const QByteArrayView b = stored(want.key);
    const qsizetype rowsAt = 40 + qsizetype(want.coloursUsed) * 4;
    const qsizetype used = qsizetype(want.width) * want.bitsPerPixel / 8;
    ASSERT_EQ(rowsAt + qsizetype(want.stride) * want.height + 4, b.size());
    EXPECT_EQ(want.imageSizeField, std::uint32_t(want.stride * want.height + 2));
    for (int row = 0; row < want.height; ++row) {
        for (qsizetype at = used; at < want.stride; ++at)
            ASSERT_EQ(b[rowsAt + row * want.stride + at], '\0') << "row " << row;
    }
    EXPECT_EQ(b.last(4), QByteArrayView("\0\0\0\0", 4));
}

// Qt's own BMP reader, given the file header that the stored form leaves out,
// is an independent decoder to hold loadPicture() against.
TEST_P(StoredForm, LoadedPictureEqualsTheBitmapAsAnyReaderSeesIt)
{
    const Stored &want = GetParam();
    const QByteArrayView b = stored(want.key);
    QByteArray file("BM");
    const auto put32 = [&file](std::uint32_t v) {
        for (int i = 0; i < 4; ++i)
            file.append(char((v >> (8 * i)) & 0xff));
    };
    put32(std::uint32_t(14 + b.size()));
    put32(0);
    put32(14 + 40 + want.coloursUsed * 4);
    file.append(b.data(), b.size());
    const QImage reference = QImage::fromData(file, "BMP").convertToFormat(QImage::Format_RGB32);
    ASSERT_FALSE(reference.isNull());

    const QImage picture = loaded(want.key);
    EXPECT_EQ(picture.format(), QImage::Format_RGB32);
    ASSERT_EQ(picture.size(), QSize(want.width, want.height));
    EXPECT_EQ(picture, reference);
}

INSTANTIATE_TEST_SUITE_P(Catalogue, StoredForm,
                         ::testing::Values(Stored{u"RUOTA", 800, 600, 8, 480002, 255, 800, 481064},
                                           Stored{1, 45, 46, 8, 2210, 255, 48, 3272},
                                           Stored{2, 45, 46, 8, 2210, 255, 48, 3272},
                                           Stored{3, 45, 46, 8, 2210, 255, 48, 3272},
                                           Stored{4, 45, 46, 8, 2210, 255, 48, 3272},
                                           Stored{5, 45, 46, 8, 2210, 255, 48, 3272},
                                           Stored{6, 45, 46, 8, 2210, 255, 48, 3272},
                                           Stored{7, 45, 46, 8, 2210, 255, 48, 3272},
                                           Stored{8, 45, 46, 8, 2210, 255, 48, 3272},
                                           Stored{9, 45, 46, 8, 2210, 255, 48, 3272},
                                           Stored{10, 45, 46, 8, 2210, 255, 48, 3272},
                                           Stored{u"PALLA", 45, 46, 24, 6258, 0, 136, 6300}),
                         name);

// The catalogue and the icon are fixed: whatever the art code paints for
// other screens and sizes, these bytes never change.
struct Fixed
{
    Key key;
    const char *sha256;
};

class FixedBytes : public ::testing::TestWithParam<Fixed>
{
};

TEST_P(FixedBytes, StoredBytesKeepTheirChecksum)
{
    const Fixed &want = GetParam();
    const int *frame = std::get_if<int>(&want.key);
    const QByteArrayView bytes = frame && *frame == 0 ? dalmiro::storedIcon() : stored(want.key);
    EXPECT_EQ(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex(),
              QByteArray(want.sha256));
}

// Key 0 stands for the icon file.
// clang-format off
INSTANTIATE_TEST_SUITE_P(Catalogue, FixedBytes, ::testing::Values(
    Fixed{u"RUOTA", "cc4860f8bbfab7eed5a39c460342f00666a8c236184e77a4e7006decd716f23c"},
    Fixed{u"PALLA", "f132ef7ae189e0275ebbac9c8051579da3ec2441147337c6b415020874c8dc70"},
    Fixed{1, "6f5c8bb386059871523c3e8157d05683cdd8536dcd9d6e8372a23030d00e1092"},
    Fixed{2, "eb4ab746115fc11b0beb8aaf6a9cb891ff193e1890dc0f006fb25be858669d8f"},
    Fixed{3, "0101985c769e2635ca6d3797edaf4dd70855a5360537d7b1d298d0b3aebbd03d"},
    Fixed{4, "6fd54d649792bfc37135454610a077d6b6c1f3f50bfc9a87300d616332cb5f1a"},
    Fixed{5, "1d69f0d1fcfb1f5ca88ead86716aa97e2582f94e8c52911bc58dff39cb9f952e"},
    Fixed{6, "f71553399908440092ef6bd645c28989c69187f7abb6114fa73bbf268cf8f694"},
    Fixed{7, "7a81a5403572e10cbc4f1d78d7e05deac971d3c89f57d2ed9b3b934497154ed4"},
    Fixed{8, "9324993219d7a88ae59c72f12f2c1230d1208d22fbcc589d6846404dd918afb8"},
    Fixed{9, "ff6dafabb50c6ba5ebbdaafc78db5ea446a285746dfe02b3cc59acb6d8d623b3"},
    Fixed{10, "a101e8cbb8cda102a3335c802f633fd52fbc7c60793e22df80c2364a2e9a7523"},
    Fixed{0, "6d1dbe91dd20a27e10bca1dacdbe2228c5f78e37cf1ea13ac53e04c351b33e9e"}),
    [](const ::testing::TestParamInfo<Fixed> &fixed) {
        if (const int *frame = std::get_if<int>(&fixed.param.key))
            return *frame == 0 ? std::string("icon") : "frame" + std::to_string(*frame);
        return QString::fromUtf16(std::get<const char16_t *>(fixed.param.key)).toStdString();
    });
// clang-format on

} // namespace
