#pragma once

namespace dalmiro {

class Clock
{
public:
    virtual ~Clock() = default;

    // Seconds since local midnight, with a fraction; starts again from 0 at
    // midnight. Used to seed the random source.
    virtual double timeOfDay() const = 0;
    // Seconds from an arbitrary fixed origin that never jumps back, so that a
    // pause across midnight or a change of the system time still ends on time.
    virtual double monotonic() const = 0;
};

class SystemClock final : public Clock
{
public:
    double timeOfDay() const override;
    double monotonic() const override;
};

} // namespace dalmiro
