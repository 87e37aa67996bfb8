#pragma once

// Asks the web engine for the pages' accessibility tree when the desktop's
// accessibility bus says a screen reader runs. The engine builds that tree on
// Linux only when asked before it starts; asked, it builds it whenever the
// bus is there, screen reader or not, at the cost of memory in proportion to
// the pages shown. A value set from outside is left alone. Called once the
// application object exists, before the first web view is made.
void askWebEngineForAccessibility();
