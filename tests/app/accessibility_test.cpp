#include "windowfixture.h"

#include "app/labelcontrol.h"

#include <QAccessible>
#include <QStringList>

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

QStringList childNames(QAccessibleInterface *parent)
{
    QStringList names;
    for (int i = 0; i < parent->childCount(); ++i) {
        QAccessibleInterface *child = parent->child(i);
        EXPECT_EQ(child->parent(), parent) << "the tree reads the same both ways";
        EXPECT_EQ(parent->indexOfChild(child), i);
        names << child->text(QAccessible::Name);
    }
    return names;
}

TEST_F(WindowTest, TheFrameHoldsTheButtonAndTheResultGroupWithTheShownNumbersInDrawOrder)
{
    QAccessibleInterface *frame = QAccessible::queryAccessibleInterface(&form());
    EXPECT_EQ(frame->role(), QAccessible::Window);
    EXPECT_EQ(childNames(frame), QStringList({"Gioca Ora", "Numeri proposti"}));
    EXPECT_EQ(frame->text(QAccessible::Name), QStringLiteral("Dalmiro"));
    const QString description = frame->text(QAccessible::Description);
    EXPECT_TRUE(description.startsWith(QStringLiteral("Se la fortuna ti sorride, il premio")));
    EXPECT_TRUE(description.endsWith(QStringLiteral("sarebbe più alto. Buona fortuna!")));

    QAccessibleInterface *group = frame->child(1);
    EXPECT_EQ(group->role(), QAccessible::Grouping);
    EXPECT_TRUE(childNames(group).isEmpty()) << "no result before the first draw";
    const std::pair<int, const char *> shown[] = {{6, "63"}, {1, "35"}, {0, "49"}};
    for (const auto &[k, number] : shown) {
        form().setNumeriCaption(k, QString::fromLatin1(number));
        form().setNumeriVisible(k, true);
    }
    EXPECT_EQ(childNames(group),
              QStringList({"Primo numero: 49", "Secondo numero: 35", "Jolly: 63"}));

    form().setNumeriVisible(1, false);
    EXPECT_EQ(childNames(group), QStringList({"Primo numero: 49", "Jolly: 63"}));
    for (const QWidget *label : form().findChildren<LabelControl *>())
        EXPECT_TRUE(!label->isHidden() || !label->accessibleName().contains(QLatin1Char(':')));
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
