#pragma once

#include <QString>

// The progress panel of the entry forms: a memo of lines and a step bar.
class Progress
{
public:
    virtual ~Progress() = default;
    virtual void open(int steps) = 0;           // memo cleared, bar at 0
    virtual void line(const QString &text) = 0; // appended to the memo
    virtual void position(int step) = 0;
    virtual void hide() = 0;
};

// For callers with no panel.
class NoProgress : public Progress
{
public:
    void open(int) override {}
    void line(const QString &) override {}
    void position(int) override {}
    void hide() override {}
};
