#pragma once

#include "draw/drawlistener.h"
#include "draw/formcontrols.h"

#include <QString>

#include <array>
#include <cmath>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace dalmiro::testing {

// Names a picture by its catalogue key: "1" to "10", "PALLA", "RUOTA".
inline std::string nameOf(PictureId picture)
{
    switch (picture.kind()) {
    case PictureId::Kind::Scene:
        return "RUOTA";
    case PictureId::Kind::ResultBall:
        return "PALLA";
    case PictureId::Kind::BallFrame:
        return std::to_string(picture.frame());
    case PictureId::Kind::None:
        break;
    }
    return "?";
}

// The window's controls as the draw sees them: keeps their state and records
// every operation, in order, as text such as "image1(31) show",
// "image1(31) picture 4", "numeri(0) caption 42", "Command1 enabled 0"; and,
// apart, the moments the draw tells: "began", "result 0 42", "ended 42 ...",
// each with its time in microseconds.
class RecordingControls final : public FormControls, public DrawListener
{
public:
    struct Op
    {
        std::string text;
        std::int64_t time = 0; // from `now`, when set
        bool inTick = false;   // made by the drum tick
    };

    std::function<std::int64_t()> now;
    std::function<void(bool)> onTimer1;
    std::function<bool()> ticking; // whether a drum tick runs, when the draw can tell
    // A moment's time on the clock as `now` counts it.
    std::function<std::int64_t(double)> timeOf = [](double at) { return std::llround(at * 1e6); };

    std::vector<Op> ops;
    std::vector<Op> moments;
    std::array<bool, 48> image1Visible;
    std::array<std::string, 48> image1Picture{};
    std::array<bool, 6> estrattoVisible;
    std::array<std::string, 6> estrattoPicture{};
    bool jollyVisible = true;
    std::string jollyPicture;
    std::array<bool, 7> numeriVisible{};
    std::array<QString, 7> numeriCaption;
    bool cerchioVisible = false;
    bool command1Enabled = true;
    bool timer1Enabled = false;
    bool inTick = false;
    // Set when the window has been closed: any operation after it is a fault.
    bool closed = false;
    int opsAfterClose = 0;

    RecordingControls()
    {
        image1Visible.fill(true);
        estrattoVisible.fill(true);
        numeriCaption.fill(QStringLiteral("20"));
    }

    void setImage1Visible(int index, bool visible) override
    {
        image1Visible.at(slot(index)) = visible;
        record("image1(" + std::to_string(index) + (visible ? ") show" : ") hide"));
    }
    bool isImage1Visible(int index) const override { return image1Visible.at(slot(index)); }
    void setImage1Picture(int index, PictureId picture) override
    {
        image1Picture.at(slot(index)) = nameOf(picture);
        record("image1(" + std::to_string(index) + ") picture " + image1Picture.at(slot(index)));
    }
    void refreshImage1(int index) override
    {
        record("image1(" + std::to_string(slot(index)) + ") refresh");
    }
    void setEstrattoVisible(int k, bool visible) override
    {
        estrattoVisible.at(checked(k, 5)) = visible;
        record("estratto(" + std::to_string(k) + (visible ? ") show" : ") hide"));
    }
    void setEstrattoPicture(int k, PictureId picture) override
    {
        estrattoPicture.at(checked(k, 5)) = nameOf(picture);
        record("estratto(" + std::to_string(k) + ") picture " + estrattoPicture.at(std::size_t(k)));
    }
    void setJollyVisible(bool visible) override
    {
        jollyVisible = visible;
        record(visible ? "jolly show" : "jolly hide");
    }
    void setJollyPicture(PictureId picture) override
    {
        jollyPicture = nameOf(picture);
        record("jolly picture " + jollyPicture);
    }
    void setNumeriVisible(int k, bool visible) override
    {
        numeriVisible.at(checked(k, 6)) = visible;
        record("numeri(" + std::to_string(k) + (visible ? ") show" : ") hide"));
    }
    void setNumeriCaption(int k, const QString &caption) override
    {
        numeriCaption.at(checked(k, 6)) = caption;
        record("numeri(" + std::to_string(k) + ") caption " + caption.toStdString());
    }
    void setCerchioVisible(bool visible) override
    {
        cerchioVisible = visible;
        record(visible ? "cerchio show" : "cerchio hide");
    }
    void setCommand1Enabled(bool enabled) override
    {
        command1Enabled = enabled;
        record(enabled ? "Command1 enabled 1" : "Command1 enabled 0");
    }
    void setTimer1Enabled(bool enabled) override
    {
        timer1Enabled = enabled;
        record(enabled ? "Timer1 enabled 1" : "Timer1 enabled 0");
        if (onTimer1)
            onTimer1(enabled);
    }

    void drawBegan(double at) override { tell("began", {}, at); }
    void resultShown(int k, int number, double at) override
    {
        tell("result", {k, number}, at);
    }
    void drawEnded(const DrawnNumbers &proposal, double at) override
    {
        tell("ended", {proposal.begin(), proposal.begin() + 7}, at);
    }

private:
    static std::size_t checked(int index, int last)
    {
        if (index < 0 || index > last)
            throw std::out_of_range("control index " + std::to_string(index) + " out of range");
        return std::size_t(index);
    }
    static std::size_t slot(int index) { return checked(index, 47); }

    void record(std::string text)
    {
        if (closed)
            ++opsAfterClose;
        ops.push_back({std::move(text), now ? now() : 0, inTick || (ticking && ticking())});
    }
    void tell(std::string text, std::vector<int> numbers, double at)
    {
        for (const int n : numbers)
            text.append(1, ' ').append(std::to_string(n));
        moments.push_back({std::move(text), timeOf(at), false});
    }
};

} // namespace dalmiro::testing
