#pragma once

// Lets the web engine build the pages' accessibility tree whenever Qt's own
// accessibility is active: from the start when an assistive technology
// already runs, and from the moment one starts later. The engine follows Qt's
// accessibility only when allowed before it starts; with no assistive
// technology Qt's accessibility stays off and the tree is never built. A
// value set from outside is left alone. Called once the application object
// exists, before the first web view is made.
void letWebEngineFollowAccessibility();

class QObject;
class QString;

// Asks a screen reader to speak text as where the person now is. The focus
// alone says it to Orca up to version 43, which speaks a focused heading by
// its name; Orca 48 speaks one by its text, which the engine gives only to
// the text runs inside, so it says no more than "heading".
// Qt passes an announcement on from version 6.8; before it, this does
// nothing. Nothing is sent while no assistive technology listens.
void announceToScreenReader(QObject* source, const QString& text);
