#pragma once

namespace tf {

class Welcome;

// The welcome window's own behaviours: the large-fonts warning and
// always-on-top on activation, the tiled background, dragging the window by
// its body and labels, and the links.
void RouteWelcomeEvents(Welcome& welcome);

void frmWelcome_Activate(Welcome& welcome);
void frmWelcome_Paint(Welcome& welcome);
// A mouse move over the window or a dragging label.
void frmWelcome_MouseMove(Welcome& welcome, int button);

}  // namespace tf
