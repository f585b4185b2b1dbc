#pragma once

namespace dalmiro {

// Installs, once, how assistive technologies see the window: a frame named
// after its caption, described by the scene's text panel, that holds only
// the button and the result group; the group holds the shown results; the
// pictures and shapes are left out. Call before the window is made.
void installAccessibleInterfaces();

} // namespace dalmiro
