#pragma once

// Dialogs opened through Widgets::runModal, answered in turn by the test;
// one the test did not expect is rejected.
#include "widgets/modalrun.h"

#include <QDialog>
#include <deque>
#include <functional>

struct ScriptedDialogs {
    std::deque<std::function<int(QDialog &)>> queue;

    void install()
    {
        Widgets::setExecHook([this](QDialog &d) {
            if (queue.empty())
                return int(QDialog::Rejected);
            auto next = std::move(queue.front());
            queue.pop_front();
            return next(d);
        });
    }
    static void uninstall() { Widgets::setExecHook({}); }
    void answer(std::function<int(QDialog &)> f) { queue.push_back(std::move(f)); }
    bool empty() const { return queue.empty(); }
    void clear() { queue.clear(); }
};
