#pragma once

class QWidget;

// The small dialogs open centred on the screen, whether or not the main
// window is already up behind them.
void centreOnScreen(QWidget *window);
