#pragma once

// Lets screen readers see the picture buttons as push buttons named by
// their tooltips, which they can press without giving them the focus, and
// the lamps as named indicators. Installing more than once is harmless.
void installPictureElementAccessibility();
