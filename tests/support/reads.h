#pragma once

#include "widgets/progressline.h"

#include <QTest>
#include <QWidget>
#include <algorithm>

// Lists are read off the window's thread; a test waits until every read
// under `w` has ended (rows shown, error told or cancelled); the checks that
// follow fail when one is still running after 15 s.
inline void waitForReads(const QWidget &w)
{
    const bool ended = QTest::qWaitFor(
        [&w] {
            const auto lines = w.findChildren<Widgets::ProgressLine *>();
            return std::none_of(lines.begin(), lines.end(),
                                [](const Widgets::ProgressLine *l) { return l->isRunning(); });
        },
        15000);
    if (!ended)
        qWarning("%s: a read is still running", qPrintable(w.objectName()));
}
