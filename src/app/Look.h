#pragma once

namespace tesvora::app {

// Switches on the program's blue look (frame colour RGB 123, 158, 189) for push buttons,
// check boxes, radio buttons, edit boxes, combo boxes, spin boxes and group frames in every
// window of the program, including dialogs opened later. Lists, trees and labels keep the
// normal look. Needs a QApplication; calling it again changes nothing.
void applyThemedLook();

} // namespace tesvora::app
