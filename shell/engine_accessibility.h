#pragma once

// Asks the web engine for the pages' accessibility tree, which it builds on
// Linux only when asked before it starts, and then only once an assistive
// technology is listening, so that nobody else pays for it. A value set from
// outside is left alone. Called before the application object is made.
void askWebEngineForAccessibility();
