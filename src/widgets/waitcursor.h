#pragma once

namespace Widgets
{

// The hourglass while a statement runs: shown for the life of the object,
// so every way out of the scope (an exception included) restores the pointer.
class WaitCursor
{
public:
    WaitCursor();
    ~WaitCursor();
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;

    // Gives the pointer back before the scope ends (a message to show).
    void release();

private:
    bool m_on = true;
};

} // namespace Widgets
