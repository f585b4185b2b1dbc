#include "draw/drawsequence.h"

#include "draw/formcontrols.h"

namespace dalmiro {

DrawSequence::DrawSequence(FormControls &controls, EventPump &pump, Clock &clock,
                           RandomSource &random)
    : m_controls(controls), m_pump(pump), m_clock(clock), m_random(random)
{
}

// In progress: the draw itself lands with the event pump.
void DrawSequence::Command1_Click() {}
void DrawSequence::Timer1_Timer() {}
void DrawSequence::Pausa(double) {}
void DrawSequence::requestStop()
{
    m_stopRequested = true;
}

} // namespace dalmiro
