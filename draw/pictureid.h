#pragma once

namespace dalmiro {

// Names one picture of the catalogue: the scene, one of the ten ball frames or
// the result ball. The draw and the window hand ids about; only resources/
// turns an id into pixels, for the pixel ratio of the screen that shows it.
class PictureId
{
public:
    enum class Kind : unsigned char { None, Scene, BallFrame, ResultBall };

    static constexpr int kFirstFrame = 1;
    static constexpr int kLastFrame = 10;

    // No picture.
    constexpr PictureId() = default;
    static constexpr PictureId scene() { return PictureId(Kind::Scene, 0); }
    // `frame` 1 to 10; any other is a programming error that resources/
    // reports when it is asked for the pixels.
    static constexpr PictureId ballFrame(int frame) { return PictureId(Kind::BallFrame, frame); }
    static constexpr PictureId resultBall() { return PictureId(Kind::ResultBall, 0); }

    constexpr Kind kind() const { return m_kind; }
    // The ball frame, 1 to 10; 0 for any other picture.
    constexpr int frame() const { return m_frame; }
    constexpr bool isNull() const { return m_kind == Kind::None; }

    friend constexpr bool operator==(PictureId, PictureId) = default;

private:
    constexpr PictureId(Kind kind, int frame) : m_kind(kind), m_frame(frame) {}

    Kind m_kind = Kind::None;
    int m_frame = 0;
};

} // namespace dalmiro
