#include "app/accessibility.h"

#include "app/form1.h"
#include "app/labelcontrol.h"
#include "app/resultgroup.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QPushButton>

namespace dalmiro {
namespace {

// A widget whose accessible children are a chosen list, not its child
// widgets: the window skips its picture frames, the group adopts the labels.
class ChosenChildren : public QAccessibleWidget
{
public:
    using QAccessibleWidget::QAccessibleWidget;

    int childCount() const override { return int(members().size()); }
    QAccessibleInterface *child(int index) const override
    {
        const QList<QWidget *> list = members();
        if (index < 0 || index >= list.size())
            return nullptr;
        return QAccessible::queryAccessibleInterface(list.at(index));
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return child ? int(members().indexOf(qobject_cast<QWidget *>(child->object()))) : -1;
    }

protected:
    virtual QList<QWidget *> members() const = 0;
};

class FormAccessible final : public ChosenChildren
{
public:
    explicit FormAccessible(Form1 *form) : ChosenChildren(form, QAccessible::Window) {}

protected:
    QList<QWidget *> members() const override
    {
        const auto *form = static_cast<const Form1 *>(widget());
        return {form->command1(), form->resultGroup()};
    }
};

class GroupAccessible final : public ChosenChildren
{
public:
    explicit GroupAccessible(ResultGroup *group) : ChosenChildren(group, QAccessible::Grouping) {}

    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = true;
        return s;
    }

protected:
    QList<QWidget *> members() const override
    {
        QList<QWidget *> shown;
        for (LabelControl *label : static_cast<const ResultGroup *>(widget())->shownResults())
            shown.append(label);
        return shown;
    }
};

// A result: static text whose parent is the result group, focusable while
// it is shown (the window focuses each as its ball lands).
class ResultAccessible final : public QAccessibleWidget
{
public:
    explicit ResultAccessible(LabelControl *label)
        : QAccessibleWidget(label, QAccessible::StaticText)
    {
    }

    QAccessibleInterface *parent() const override
    {
        if (QWidget *group = static_cast<const LabelControl *>(widget())->group())
            return QAccessible::queryAccessibleInterface(group);
        return QAccessibleWidget::parent();
    }
    QAccessible::State state() const override
    {
        QAccessible::State s = QAccessibleWidget::state();
        s.focusable = !widget()->isHidden();
        return s;
    }
};

QAccessibleInterface *windowAccessible(const QString &, QObject *object)
{
    if (auto *form = qobject_cast<Form1 *>(object))
        return new FormAccessible(form);
    if (auto *group = qobject_cast<ResultGroup *>(object))
        return new GroupAccessible(group);
    if (auto *label = qobject_cast<LabelControl *>(object))
        return new ResultAccessible(label);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    static const bool installed = [] {
        QAccessible::installFactory(windowAccessible);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace dalmiro
