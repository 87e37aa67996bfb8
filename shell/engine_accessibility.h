#pragma once

// Lets the web engine build the pages' accessibility tree whenever Qt's own
// accessibility is active: from the start when an assistive technology
// already runs, and from the moment one starts later. The engine follows Qt's
// accessibility only when allowed before it starts; with no assistive
// technology Qt's accessibility stays off and the tree is never built. A
// value set from outside is left alone. Called once the application object
// exists, before the first web view is made.
void letWebEngineFollowAccessibility();
