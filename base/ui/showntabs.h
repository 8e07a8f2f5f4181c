#pragma once

// A tab bar whose hidden tabs (QTabBar::setTabVisible) are hidden from
// assistive technology too. Qt's own interface presents every tab as a
// showing page tab and lets a screen reader's press select a hidden one;
// here a hidden tab reads as invisible, and its press asks the bar to
// select it as a click would, so that whoever hides it decides what that
// means (the mixer editor asks its warning first).

class QTabBar;

void announceShownTabsOnly(QTabBar *bar);
