#pragma once

// Lets screen readers see the main window as a window named by what its
// caption label shows, the statute's title and the copyright text, as a
// title bar would name it; the window's own title stays empty. Installing
// more than once is harmless.
void installMainWindowAccessibility();
