#pragma once

// The engine's own connections that no request check sees (WebSockets, and
// the TCP of WebRTC) go to a proxy that leads nowhere, for every address,
// the loopback ones included. The switches reach the engine through its
// flags variable from the start of the program until the engine has read
// them; forgetEngineSwitches then gives the variable back as it was, so that
// programs started later (the desktop's browser) do not inherit them.
void forgetEngineSwitches();
