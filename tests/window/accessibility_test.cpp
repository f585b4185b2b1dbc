#include "windowfixture.h"

#include <QAccessible>

#include <vector>

namespace dalmiro::testing {
namespace {

// Every accessible object below `root`, depth first.
void collect(QAccessibleInterface *root, std::vector<QAccessibleInterface *> &found)
{
    for (int i = 0; i < root->childCount(); ++i) {
        if (QAccessibleInterface *child = root->child(i)) {
            found.push_back(child);
            collect(child, found);
        }
    }
}

std::vector<QAccessibleInterface *> accessibleObjects(QWidget &window, QAccessible::Role role)
{
    std::vector<QAccessibleInterface *> all;
    collect(QAccessible::queryAccessibleInterface(&window), all);
    std::erase_if(all, [role](QAccessibleInterface *a) { return a->role() != role; });
    return all;
}

QAccessibleInterface *shownTextNamed(QWidget &window, const QString &name)
{
    for (QAccessibleInterface *text : accessibleObjects(window, QAccessible::StaticText))
        if (!text->state().invisible && text->text(QAccessible::Name) == name)
            return text;
    return nullptr;
}

struct RankCase
{
    int k;
    const char *number;
    const char *name;
};

class ResultNameTest : public WindowTest, public ::testing::WithParamInterface<RankCase>
{
};

// Qt hands accessibility events on only while an assistive technology is
// listening, which no offscreen test has; what a listener would read is the
// name checked here.
TEST_P(ResultNameTest, AShownNumberIsNamedByItsRankAndNumber)
{
    const RankCase c = GetParam();
    const QString name = QString::fromLatin1(c.name);
    form().setNumeriCaption(c.k, QString::fromLatin1(c.number));
    EXPECT_EQ(shownTextNamed(form(), name), nullptr) << "announced while hidden";

    form().setNumeriVisible(c.k, true);
    EXPECT_NE(shownTextNamed(form(), name), nullptr) << c.name;

    form().setNumeriVisible(c.k, false);
    EXPECT_EQ(shownTextNamed(form(), name), nullptr) << "still exposed once hidden";
}

INSTANTIATE_TEST_SUITE_P(
    Ranks, ResultNameTest,
    ::testing::Values(RankCase{0, "42", "Primo numero: 42"}, RankCase{1, "7", "Secondo numero: 7"},
                      RankCase{2, "13", "Terzo numero: 13"}, RankCase{3, "90", "Quarto numero: 90"},
                      RankCase{4, "1", "Quinto numero: 1"}, RankCase{5, "66", "Sesto numero: 66"},
                      RankCase{6, "17", "Jolly: 17"}));

TEST_F(WindowTest, NoResultIsExposedAtStart)
{
    const auto texts = accessibleObjects(form(), QAccessible::StaticText);
    EXPECT_EQ(texts.size(), 7u);
    for (QAccessibleInterface *text : texts)
        EXPECT_TRUE(text->state().invisible) << qPrintable(text->text(QAccessible::Name));
}

TEST_F(WindowTest, TheButtonIsExposedWithItsCaptionAndState)
{
    const auto buttons = accessibleObjects(form(), QAccessible::Button);
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons.front()->text(QAccessible::Name), QStringLiteral("Gioca Ora"));
    EXPECT_FALSE(buttons.front()->state().disabled);
    form().setCommand1Enabled(false);
    EXPECT_TRUE(buttons.front()->state().disabled);
    form().setCommand1Enabled(true);
    EXPECT_FALSE(buttons.front()->state().disabled);
}

} // namespace
} // namespace dalmiro::testing
