// Stand-ins until the OS services provide the real ones.
class QWindow;
void ApplyBarWindowHints(QWindow*) {}
void PreferX11Platform() {}
