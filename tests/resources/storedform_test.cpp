// The pictures as the executable carries them: the fields of each stored
// bitmap, and the pictures that loadPicture() decodes from them.
#include "resources/catalogue.h"
#include "resources/storedpictures.h"
#include "support/bytes.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QImage>
#include <QImageReader>

#include <gtest/gtest.h>

#include <cstdint>
#include <variant>

namespace {

using dalmiro::testing::u16;
using dalmiro::testing::u32;
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

// The catalogue and the icon file are fixed: whatever the art code paints for
// other screens and sizes, these bytes never change.
TEST(Catalogue, StoredBytesKeepTheirChecksums)
{
    // The first 16 hex digits of each one's SHA-256, in the order below.
    const char *want[] = {"cc4860f8bbfab7ee", "f132ef7ae189e027", "6d1dbe91dd20a27e",
                          "6f5c8bb386059871", "eb4ab746115fc11b", "0101985c769e2635",
                          "6fd54d649792bfc3", "1d69f0d1fcfb1f5c", "f715533999084400",
                          "7a81a5403572e10c", "9324993219d7a88a", "ff6dafabb50c6ba5",
                          "a101e8cbb8cda102"};
    QList<QByteArrayView> stored{dalmiro::storedPicture(u"RUOTA"), dalmiro::storedPicture(u"PALLA"),
                                 dalmiro::storedIcon()};
    for (int frame = 1; frame <= 10; ++frame)
        stored.append(dalmiro::storedPicture(frame));
    for (qsizetype i = 0; i < stored.size(); ++i)
        EXPECT_EQ(QCryptographicHash::hash(stored[i], QCryptographicHash::Sha256).toHex().left(16),
                  want[i])
            << "entry " << i;
}

} // namespace
