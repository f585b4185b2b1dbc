#pragma once

#include "draw/formcontrols.h"
#include "resources/catalogue.h"

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace dalmiro::testing {

// Names a picture by the catalogue key it came from, by comparing its pixels
// with the catalogue's own: "1" to "10", "PALLA", "RUOTA", or "?".
class PictureNames
{
public:
    PictureNames()
    {
        for (int frame = 1; frame <= 10; ++frame)
            add(loadPicture(frame), std::to_string(frame));
        add(loadPicture(QStringView(u"PALLA")), "PALLA");
        add(loadPicture(QStringView(u"RUOTA")), "RUOTA");
    }
    std::string nameOf(const QImage &picture) const
    {
        const auto found = m_names.find(fingerprint(picture));
        return found == m_names.end() ? "?" : found->second;
    }
    // False when two keys give the same pixels and so cannot be told apart.
    bool allDistinct() const { return m_names.size() == 12; }

private:
    static std::string fingerprint(const QImage &picture)
    {
        const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
        std::string print =
            std::to_string(argb.width()) + "x" + std::to_string(argb.height()) + ":";
        print += std::to_string(std::hash<std::string_view>{}(std::string_view(
            reinterpret_cast<const char *>(argb.constBits()), std::size_t(argb.sizeInBytes()))));
        return print;
    }
    void add(const QImage &picture, std::string name)
    {
        m_names.emplace(fingerprint(picture), std::move(name));
    }

    std::map<std::string, std::string> m_names;
};

// The window's controls as the draw sees them: keeps their state and records
// every operation, in order, as text such as "image1(31) show",
// "image1(31) picture 4", "numeri(0) caption 42", "Command1 enabled 0".
class RecordingControls final : public FormControls
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

    std::vector<Op> ops;
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
    void setImage1Picture(int index, const QImage &picture) override
    {
        image1Picture.at(slot(index)) = m_names.nameOf(picture);
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
    void setEstrattoPicture(int k, const QImage &picture) override
    {
        estrattoPicture.at(checked(k, 5)) = m_names.nameOf(picture);
        record("estratto(" + std::to_string(k) + ") picture " + estrattoPicture.at(std::size_t(k)));
    }
    void setJollyVisible(bool visible) override
    {
        jollyVisible = visible;
        record(visible ? "jolly show" : "jolly hide");
    }
    void setJollyPicture(const QImage &picture) override
    {
        jollyPicture = m_names.nameOf(picture);
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

    bool picturesDistinct() const { return m_names.allDistinct(); }

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

    PictureNames m_names;
};

} // namespace dalmiro::testing
