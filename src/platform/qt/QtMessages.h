// Message boxes of the desktop program: modal, the text in the box, the caption as its title,
// OK and Cancel buttons whose answer is not used.
#pragma once

#include "platform/Messages.h"

namespace korvell {

class QtMessages : public Messages {
  public:
    void show(std::string_view text, std::string_view caption) override;

    // True while a box is open; windows use it to tell a return from a box from a real switch
    // between windows.
    bool boxOpen() const { return m_open > 0; }

  private:
    int m_open = 0;
};

}  // namespace korvell
