// Activation of the program's windows. A window is activated when it becomes the active window of
// the program coming from another of its windows (or from none), and deactivated when another
// window of the program takes over. Returning from a message box or from another application is
// neither: the window keeps what was typed into it.
#pragma once

namespace korvell {

class FormEvents {
  public:
    virtual ~FormEvents() = default;
    virtual void formActivate() {}
    virtual void formDeactivate() {}
};

}  // namespace korvell
