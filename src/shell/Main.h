#pragma once

namespace shell
{

// The entry procedure: decides from the start-up switches which windows to
// open. Needs a QApplication; returns once the start-up windows are shown.
void Main();

} // namespace shell
