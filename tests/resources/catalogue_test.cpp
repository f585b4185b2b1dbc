// Looking pictures up: keys, case, independence of the pictures returned, and
// the loud failure on a key the catalogue does not hold.
#include "resources/catalogue.h"
#include "resources/storedpictures.h"

#include <gtest/gtest.h>

namespace {

using dalmiro::loadPicture;

struct Spelling
{
    const char16_t *asked;
    const char16_t *stored;
};

class NameLookup : public ::testing::TestWithParam<Spelling>
{
};

TEST_P(NameLookup, IgnoresCase)
{
    const Spelling s = GetParam();
    EXPECT_EQ(dalmiro::storedPicture(QStringView(s.asked)).data(),
              dalmiro::storedPicture(QStringView(s.stored)).data());
    EXPECT_EQ(loadPicture(QStringView(s.asked)), loadPicture(QStringView(s.stored)));
}

INSTANTIATE_TEST_SUITE_P(Catalogue, NameLookup,
                         ::testing::Values(Spelling{u"Palla", u"PALLA"},
                                           Spelling{u"palla", u"PALLA"},
                                           Spelling{u"pAlLa", u"PALLA"},
                                           Spelling{u"ruota", u"RUOTA"},
                                           Spelling{u"Ruota", u"RUOTA"}));

TEST(Catalogue, NamesAndFramesAreDifferentEntries)
{
    EXPECT_NE(dalmiro::storedPicture(u"RUOTA").data(), dalmiro::storedPicture(u"PALLA").data());
    for (int a = 1; a <= 10; ++a) {
        EXPECT_NE(dalmiro::storedPicture(a).data(), dalmiro::storedPicture(u"PALLA").data());
        for (int b = a + 1; b <= 10; ++b)
            EXPECT_NE(dalmiro::storedPicture(a).data(), dalmiro::storedPicture(b).data()) << a << b;
    }
}

TEST(Catalogue, EveryCallGivesANewIndependentPicture)
{
    for (const auto &load : {+[] { return loadPicture(9); }, +[] { return loadPicture(u"Palla"); },
                             +[] { return loadPicture(u"RUOTA"); }}) {
        QImage first = load();
        const QImage pristine = first.copy();
        QImage second = load();
        EXPECT_NE(first.constBits(), second.constBits());
        first.fill(Qt::magenta);
        EXPECT_EQ(second, pristine);
        EXPECT_EQ(load(), pristine);
    }
}

using CatalogueDeathTest = ::testing::Test;

TEST_F(CatalogueDeathTest, AnUnknownKeyAbortsNamingTheKey)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(loadPicture(0), "key 0");
    EXPECT_DEATH(loadPicture(11), "key 11");
    EXPECT_DEATH(loadPicture(-3), "key -3");
    EXPECT_DEATH(loadPicture(u"RUOT"), "key \"RUOT\"");
    EXPECT_DEATH(loadPicture(u"PALLA "), "key \"PALLA \"");
    EXPECT_DEATH(loadPicture(u"1"), "key \"1\"");
}

} // namespace
