#pragma once

// Lets screen readers see the picture buttons as push buttons named by
// their tooltips, which they can press without giving them the focus, the
// lamps as named indicators, and the main window as a window named by what
// its caption label shows (the statute's title and the copyright text), as a
// title bar would name it; the window's own title stays empty. Installing
// more than once is harmless.
void installAccessibleControls();
