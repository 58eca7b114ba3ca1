#pragma once
#include <QStringList>

namespace shell
{

// The entry procedure: decides from the start-up switches which windows to
// open. Needs a QApplication; returns once the start-up windows are shown.
// After a normal start the first of `files` opens in the default document
// window and every further one in a new document window.
void Main(const QStringList &files = {});

} // namespace shell
