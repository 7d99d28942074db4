#pragma once
// X11 window-manager hints of the launcher bar, and the choice of the X11
// platform under Wayland (the bar places itself, which needs X11).
class QWindow;

// Marks the window "skip taskbar", "skip pager" and "above" through xcb, now
// and again before every later show (the window manager drops the state when
// the window is withdrawn). Does nothing unless the platform is xcb with a
// live connection: under offscreen there is no X connection to talk to.
void ApplyBarWindowHints(QWindow* window);

// Call before the QApplication is constructed: in a Wayland session where no
// platform was chosen (QT_QPA_PLATFORM unset), choose xcb (XWayland).
void PreferX11Platform();
