// The Windows resource script, compiled here with the cross resource compiler
// to a .res file and read back: the icon group and image, and the version
// record with its strings. Runs on every platform, so the record is checked
// where no Windows build is made.
#include "resources/storedpictures.h"
#include "support/bytes.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

using namespace Qt::StringLiterals;

namespace {

using dalmiro::testing::u16;
using dalmiro::testing::u32;

qsizetype align4(qsizetype at)
{
    return (at + 3) & ~qsizetype(3);
}

// A zero-terminated UTF-16 string at `at`; `at` moves past its terminator.
QString utf16z(QByteArrayView b, qsizetype &at)
{
    QString s;
    for (; at + 1 < b.size() && u16(b, at) != 0; at += 2)
        s.append(QChar(char16_t(u16(b, at))));
    at += 2;
    return s;
}

// A type or name in a resource header: a number, or a string.
QString typeOrName(QByteArrayView b, qsizetype &at)
{
    if (u16(b, at) == 0xffff) {
        const auto id = u16(b, at + 2);
        at += 4;
        return QString::number(id);
    }
    return utf16z(b, at);
}

struct Resource
{
    QString type;
    QString name;
    std::uint32_t language = 0;
    QByteArray data;
};

std::vector<Resource> readResFile(QByteArrayView b)
{
    std::vector<Resource> out;
    for (qsizetype at = 0; at + 32 <= b.size();) {
        const qsizetype dataSize = u32(b, at);
        const qsizetype headerSize = u32(b, at + 4);
        qsizetype p = at + 8;
        Resource r;
        r.type = typeOrName(b, p);
        r.name = typeOrName(b, p);
        p = align4(p);
        r.language = u16(b, p + 6);
        r.data = b.sliced(at + headerSize, dataSize).toByteArray();
        if (!(dataSize == 0 && r.type == u"0")) // the empty entry that opens every .res
            out.push_back(r);
        at = align4(at + headerSize + dataSize);
    }
    return out;
}

// One node of a version record: key, value, children.
struct VersionNode
{
    QString key;
    std::uint32_t type = 0; // 1 text, 0 binary
    QByteArray value;
    std::vector<VersionNode> children;

    QString text() const
    {
        QString s = QString::fromUtf16(reinterpret_cast<const char16_t *>(value.constData()),
                                       value.size() / 2);
        while (s.endsWith(QChar(0)))
            s.chop(1);
        return s;
    }
    const VersionNode *child(const QString &name) const
    {
        for (const VersionNode &c : children) {
            if (c.key == name)
                return &c;
        }
        return nullptr;
    }
};

VersionNode readVersionNode(QByteArrayView b, qsizetype at)
{
    VersionNode node;
    const qsizetype length = u16(b, at);
    const qsizetype valueLength = u16(b, at + 2);
    node.type = u16(b, at + 4);
    qsizetype p = at + 6;
    node.key = utf16z(b, p);
    p = align4(p);
    const qsizetype valueBytes = node.type == 1 ? 2 * valueLength : valueLength;
    node.value = b.sliced(p, valueBytes).toByteArray();
    p = align4(p + valueBytes);
    while (p < at + length) {
        node.children.push_back(readVersionNode(b, p));
        p = align4(p + u16(b, p));
    }
    return node;
}

class CompiledResourceScript : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        const QString res = dir.filePath(QStringLiteral("dalmiro.res"));
        QStringList args{QStringLiteral("--preprocessor=" DALMIRO_RC_PREPROCESSOR),
                         QStringLiteral("--preprocessor-arg=-E"),
                         QStringLiteral("--preprocessor-arg=-xc"),
                         QStringLiteral("--preprocessor-arg=-DRC_INVOKED")};
        for (const QString &include : QStringLiteral(DALMIRO_RC_INCLUDES).split(u'|'))
            args << QStringLiteral("--include-dir=") + include;
        args << QStringLiteral("-O") << QStringLiteral("res") << QStringLiteral("-i")
             << QStringLiteral(DALMIRO_RC_FILE) << QStringLiteral("-o") << res;
        QProcess windres;
        windres.start(QStringLiteral(DALMIRO_WINDRES), args);
        ASSERT_TRUE(windres.waitForFinished(60000));
        ASSERT_EQ(windres.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(windres.exitCode(), 0) << windres.readAllStandardError().toStdString();
        QFile file(res);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        resources = readResFile(file.readAll());
    }

    static const Resource *find(const QString &type, const QString &name)
    {
        for (const Resource &r : resources) {
            if (r.type == type && r.name == name)
                return &r;
        }
        return nullptr;
    }

    static inline std::vector<Resource> resources;
};

TEST_F(CompiledResourceScript, HoldsTheManifestTheIconsAndTheVersionRecordOnly)
{
    std::map<QString, int> kinds;
    for (const Resource &r : resources)
        ++kinds[r.type + u'/' + r.name];
    EXPECT_EQ(kinds,
              (std::map<QString, int>{{u"3/30001"_s, 1}, {u"14/1"_s, 1}, {u"16/1"_s, 1}, {u"24/1"_s, 1}}));
}

TEST_F(CompiledResourceScript, IconImageIsTheCarriedIconByteForByte)
{
    const Resource *image = find(u"3"_s, u"30001"_s);
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->language, 0u);
    ASSERT_EQ(image->data.size(), 3752);
    const QByteArrayView ico = dalmiro::storedIcon();
    ASSERT_EQ(ico.size(), 6 + 16 + 3752);
    EXPECT_EQ(QByteArrayView(image->data), ico.sliced(22));
}

TEST_F(CompiledResourceScript, IconGroupNamesImage30001)
{
    const Resource *group = find(u"14"_s, u"1"_s);
    ASSERT_NE(group, nullptr);
    EXPECT_EQ(group->language, 0u);
    const QByteArrayView g(group->data);
    ASSERT_EQ(g.size(), 6 + 14);
    dalmiro::testing::expectOneIconOf48By48At8Bits(g);
    EXPECT_EQ(u16(g, 18), 30001u);
}

TEST_F(CompiledResourceScript, VersionRecordFixedPart)
{
    const Resource *version = find(u"16"_s, u"1"_s);
    ASSERT_NE(version, nullptr);
    EXPECT_EQ(version->language, 0x0410u);
    const VersionNode root = readVersionNode(version->data, 0);
    EXPECT_EQ(root.key, u"VS_VERSION_INFO");
    const QByteArrayView f(root.value);
    ASSERT_EQ(f.size(), 52);
    const std::vector<std::uint32_t> want{
        0xFEEF04BD, 0x00010000,              // signature, structure version 1.0
        0x00010000, 0x00000000,              // file version 1.0.0.0
        0x00010000, 0x00000000,              // product version 1.0.0.0
        0,          0,          0x4, 0x1, 0, // flags mask, flags, OS, file type, subtype
        0,          0};                      // file date
    for (std::size_t i = 0; i < want.size(); ++i)
        EXPECT_EQ(u32(f, qsizetype(4 * i)), want[i]) << "field " << i;
}

TEST_F(CompiledResourceScript, VersionRecordStringsAndTranslation)
{
    const Resource *version = find(u"16"_s, u"1"_s);
    ASSERT_NE(version, nullptr);
    const VersionNode root = readVersionNode(version->data, 0);
    ASSERT_EQ(root.children.size(), 2u);

    const VersionNode *strings = root.child(u"StringFileInfo"_s);
    ASSERT_NE(strings, nullptr);
    ASSERT_EQ(strings->children.size(), 1u);
    const VersionNode &table = strings->children.front();
    EXPECT_EQ(table.key, u"041004B0");
    std::map<QString, QString> values;
    for (const VersionNode &v : table.children) {
        EXPECT_EQ(v.type, 1u) << v.key.toStdString();
        values[v.key] = v.text();
    }
    EXPECT_EQ(values, (std::map<QString, QString>{{u"ProductName"_s, u"Dalmiro2"_s},
                                                  {u"FileVersion"_s, u"1.00"_s},
                                                  {u"ProductVersion"_s, u"1.00"_s},
                                                  {u"InternalName"_s, u"Dalmiro"_s},
                                                  {u"OriginalFilename"_s, u"Dalmiro.exe"_s}}));

    const VersionNode *vars = root.child(u"VarFileInfo"_s);
    ASSERT_NE(vars, nullptr);
    const VersionNode *translation = vars->child(u"Translation"_s);
    ASSERT_NE(translation, nullptr);
    EXPECT_EQ(translation->value, QByteArray("\x10\x04\xb0\x04", 4));
}

} // namespace
